#include "engine/emulation/CreateSynonym.h"

#include "persistence/Exceptions.h"

namespace quorvex::emulation {

void EmulateCreateSynonym(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t k = 1;
    const bool replace = t.IsKeyword(k, "OR") && t.IsKeyword(k + 1, "REPLACE");
    if (replace)
        k += 2;
    while (t.IsKeyword(k, "EDITIONABLE") || t.IsKeyword(k, "NONEDITIONABLE"))
        ++k;
    const bool isPublic = t.IsKeyword(k, "PUBLIC");
    if (isPublic)
        ++k;
    ++k; // SYNONYM
    const auto name = ReadObjectName(t, k);
    if (!name)
        throw Exception("ORA-00931: missing identifier");
    if (!t.IsKeyword(k++, "FOR"))
        throw Exception("ORA-00905: missing keyword");
    const auto target = ReadObjectName(t, k);
    if (!target)
        throw Exception("ORA-00903: invalid table name");
    TParamValue link;
    if (t.IsSymbol(k, "@") && k + 1 < t.Size())
        link = std::string(t.Text(k + 1, t.Size()));

    TDictionary& dictionary = context.Dictionary;
    const std::string owner = isPublic ? std::string("PUBLIC") : dictionary.OwnerOf(*name);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    const std::string targetOwner = !target->Schema.empty() ? target->Schema
                                    : isPublic              ? dictionary.LoginUser()
                                                            : owner;
    TSavepoint savepoint(context.Db());
    if (const auto existing = dictionary.Find(ownerNo, name->Name, {object_types::kSynonym});
        existing && replace)
        dictionary.Purge(existing->ObjNo);
    if (dictionary.NameUsed(ownerNo, name->Name, object_types::kSynonym))
        throw Exception("ORA-00955: name is already used by an existing object");
    const std::int64_t objNo = dictionary.AddObject(ownerNo, name->Name, object_types::kSynonym, 1);
    RunStatement(context.Db(),
                 R"(INSERT INTO SYS."SYN$" ("OBJ#", "NODE", "OWNER", "NAME") VALUES (?, ?, ?, ?))",
                 {objNo, link, targetOwner, target->Name});
    savepoint.Release();
}

} // namespace quorvex::emulation
