#include "SynonymTargets.h"

#include "DatabaseSession.h"

namespace quorvex {

TSynonymTargets ReadSynonymTargets(TQuery& query, std::optional<std::int32_t> ownerNo)
{
    TSynonymTargets targets;
    TQueryCloser closer(query);
    query.ClearSQL();
    query.AddSQL(R"(SELECT o."OWNER#", o."NAME", s."OWNER", s."NAME", s."NODE")");
    query.AddSQL(R"(FROM SYS."SYN$" s, SYS."OBJ$" o WHERE o."OBJ#" = s."OBJ#")");
    if (ownerNo) {
        query.AddSQL(R"(AND o."OWNER#" = :OWNER_NO)");
        query.SetParam("OWNER_NO", *ownerNo);
    }
    for (query.Open(); !query.Eof(); query.Next()) {
        targets[{static_cast<std::int32_t>(query.AsInteger(0)), query.AsText(1)}] =
            TSynonymTarget{query.AsText(2), query.AsText(3), query.AsText(4)};
    }
    return targets;
}

} // namespace quorvex
