#include "engine/emulation/SchemaStatements.h"

#include "engine/emulation/AlterTable.h"
#include "engine/emulation/CommentOn.h"
#include "engine/emulation/CreateSequence.h"
#include "engine/emulation/CreateSynonym.h"

namespace quorvex::emulation {

namespace {

// Kinds of CREATE the schema model does not keep.
bool CreatesNothingKept(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"MATERIALIZED", "DIMENSION", "TYPE",      "ROLE",      "CONTEXT",
                              "DIRECTORY",    "DATABASE",  "PROFILE",   "CLUSTER",   "JAVA",
                              "LIBRARY",      "OPERATOR",  "INDEXTYPE", "OUTLINE",   "EDITION",
                              "AUDIT",        "ANALYTIC",  "ATTRIBUTE", "HIERARCHY", "FLASHBACK"});
}

// ALTER statements that change nothing the schema model keeps.
bool AltersNothingKept(const TStatementTokens& t)
{
    return t.IsAnyKeyword(1,
                          {"SESSION", "SYSTEM", "USER", "ROLE", "PROFILE", "TABLESPACE", "DATABASE",
                           "MATERIALIZED", "DIMENSION", "TYPE", "RESOURCE", "AUDIT", "DIRECTORY"});
}

// The statement's leading keywords as Oracle names its kind ("CREATE MATERIALIZED VIEW",
// "GRANT"), for the notice that the engine kept nothing of it.
std::string Kind(const TStatementTokens& t, size_t last)
{
    std::string kind;
    for (size_t k = 0; k <= last && k < t.Size(); ++k)
        kind += (kind.empty() ? "" : " ") + sql::NameOf(t[k]);
    if (t.IsAnyKeyword(last + 1, {"VIEW", "BODY", "LOG", "TRIGGER"}))
        kind += " " + sql::NameOf(t[last + 1]);
    return kind;
}

// Accepts a statement the engine keeps nothing of, and says so in the session's notices.
bool Ignored(const TEmulationContext& context, const std::string& kind)
{
    context.Notices.push_back(kind + " accepted and ignored: the embedded engine does not keep it");
    return true;
}

} // namespace

bool EmulateSchemaStatement(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    if (t.IsKeyword(0, "CREATE")) {
        size_t k = 1;
        if (t.IsKeyword(k, "OR") && t.IsKeyword(k + 1, "REPLACE"))
            k += 2;
        while (t.IsAnyKeyword(
            k, {"EDITIONABLE", "NONEDITIONABLE", "PUBLIC", "SHARED", "FORCE", "NOFORCE"}))
            ++k;
        if (t.IsKeyword(k, "SEQUENCE")) {
            EmulateCreateSequence(context, sql);
            return true;
        }
        if (t.IsKeyword(k, "SYNONYM")) {
            EmulateCreateSynonym(context, sql);
            return true;
        }
        return CreatesNothingKept(t, k) && Ignored(context, Kind(t, k));
    }
    if (t.IsKeyword(0, "ALTER")) {
        if (t.IsKeyword(1, "TABLE")) {
            EmulateAlterTable(context, sql);
            return true;
        }
        // ALTER SESSION only sets what a session shows; it needs no notice.
        if (t.IsKeyword(1, "SESSION"))
            return true;
        return AltersNothingKept(t) && Ignored(context, Kind(t, 1));
    }
    if (t.IsKeyword(0, "COMMENT") && t.IsKeyword(1, "ON")) {
        EmulateComment(context, sql);
        return true;
    }
    return t.IsAnyKeyword(
               0, {"GRANT", "REVOKE", "AUDIT", "NOAUDIT", "ASSOCIATE", "DISASSOCIATE", "PURGE"}) &&
           Ignored(context, Kind(t, 0));
}

} // namespace quorvex::emulation
