#include "engine/emulation/DropObject.h"

#include "engine/emulation/CodeReferences.h"
#include "engine/emulation/CreateView.h"
#include "persistence/Exceptions.h"

#include <vector>

namespace quorvex::emulation {

namespace {

using namespace object_types;

struct TDropKind {
    std::vector<int> Types;
    const char* SqliteType; // the SQLite object of that kind, or nullptr
    std::string Missing;    // Oracle's message when there is no such object
};

std::optional<TDropKind> KindOf(const TStatementTokens& t, size_t& at, const std::string& name)
{
    const auto is = [&](std::string_view word) { return t.IsKeyword(at, word); };
    if (is("TABLE"))
        return TDropKind{{kTable}, "table", "ORA-00942: table or view does not exist"};
    if (is("VIEW"))
        return TDropKind{{kView}, "view", "ORA-00942: table or view does not exist"};
    if (is("INDEX"))
        return TDropKind{{kIndex}, "index", "ORA-01418: specified index does not exist"};
    if (is("SEQUENCE"))
        return TDropKind{{kSequence}, nullptr, "ORA-02289: sequence does not exist"};
    if (is("SYNONYM"))
        return TDropKind{
            {kSynonym}, nullptr, "ORA-01434: private synonym to be dropped does not exist"};
    if (is("PROCEDURE"))
        return TDropKind{{kProcedure}, nullptr, "ORA-04043: object " + name + " does not exist"};
    if (is("FUNCTION"))
        return TDropKind{{kFunction}, nullptr, "ORA-04043: object " + name + " does not exist"};
    if (is("TRIGGER"))
        return TDropKind{{kTrigger}, "trigger", "ORA-04080: trigger '" + name + "' does not exist"};
    if (is("TYPE") && t.IsKeyword(at + 1, "BODY")) {
        ++at;
        return TDropKind{{kTypeBody}, nullptr, "ORA-04043: object " + name + " does not exist"};
    }
    if (is("TYPE"))
        return TDropKind{
            {kType, kTypeBody}, nullptr, "ORA-04043: object " + name + " does not exist"};
    if (is("PACKAGE") && t.IsKeyword(at + 1, "BODY")) {
        ++at;
        return TDropKind{{kPackageBody}, nullptr, "ORA-04043: object " + name + " does not exist"};
    }
    if (is("PACKAGE"))
        return TDropKind{
            {kPackage, kPackageBody}, nullptr, "ORA-04043: object " + name + " does not exist"};
    return std::nullopt;
}

std::vector<std::int64_t> Numbers(sqlite3* db, std::string_view sql, std::int64_t key)
{
    std::vector<std::int64_t> numbers;
    for (const TRow& row : QueryRows(db, sql, {key}))
        numbers.push_back(row[0].AsInteger());
    return numbers;
}

void DropTableEntries(TDictionary& dictionary, std::int64_t objNo, bool cascade)
{
    sqlite3* db = dictionary.Db();
    const auto foreignKeys = Numbers(db,
                                     R"(SELECT "CON#" FROM SYS."CDEF$"
                                         WHERE "ROBJ#" = ? AND "OBJ#" <> "ROBJ#")",
                                     objNo);
    if (!foreignKeys.empty() && !cascade)
        throw Exception("ORA-02449: unique/primary keys in table referenced by foreign keys");
    for (const std::int64_t conNo : foreignKeys)
        dictionary.PurgeConstraint(conNo);
    for (const std::int64_t indexNo :
         Numbers(db, R"(SELECT "OBJ#" FROM SYS."IND$" WHERE "BO#" = ?)", objNo))
        dictionary.Purge(indexNo);
    for (const std::int64_t triggerNo :
         Numbers(db, R"(SELECT "OBJ#" FROM SYS."TRIGGER$" WHERE "BASEOBJECT" = ?)", objNo))
        dictionary.Purge(triggerNo);
}

// The index of a primary or unique key: the one carrying the constraint's name, or one the key
// adopted, on the key's columns in order.
bool EnforcesKey(sqlite3* db, std::int64_t ownerNo, std::int64_t indexNo, const std::string& name)
{
    return QueryInteger(db,
                        R"(SELECT COUNT(*) FROM SYS."CON$" n
                             JOIN SYS."CDEF$" d ON d."CON#" = n."CON#"
                             JOIN SYS."IND$" i ON i."BO#" = d."OBJ#"
                            WHERE n."OWNER#" = ? AND d."TYPE#" IN (2, 3) AND i."OBJ#" = ?
                              AND (n."NAME" = ? OR (d."ENABLED" IS NOT NULL
                                   AND (SELECT group_concat("COL#") FROM (SELECT "COL#"
                                          FROM SYS."CCOL$" WHERE "CON#" = d."CON#"
                                         ORDER BY "POS#"))
                                     = (SELECT group_concat("COL#") FROM (SELECT "COL#"
                                          FROM SYS."ICOL$" WHERE "OBJ#" = i."OBJ#"
                                         ORDER BY "POS#")))))",
                        {ownerNo, indexNo, name})
               .value_or(0) > 0;
}

// Views of the owner whose SQLite query no longer runs become invalid, as Oracle marks the
// dependants of a dropped object.
void InvalidateBrokenViews(TDictionary& dictionary, std::int64_t ownerNo, const std::string& owner)
{
    for (const TRow& row : QueryRows(dictionary.Db(),
                                     R"(SELECT "OBJ#", "NAME" FROM SYS."OBJ$"
                                         WHERE "OWNER#" = ? AND "TYPE#" = 4 AND "STATUS" = 1)",
                                     {ownerNo}))
        if (dictionary.SqliteObjectExists(owner, row[1].AsText(), "view") &&
            ViewError(dictionary.Db(), owner, row[1].AsText()))
            dictionary.SetStatus(row[0].AsInteger(), kStatusInvalid);
}

} // namespace

bool EmulateDrop(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t at = 1;
    const bool isPublic = t.IsKeyword(at, "PUBLIC");
    if (isPublic)
        ++at;
    // The name follows the kind (PACKAGE BODY: two words), maybe after IF EXISTS.
    size_t nameAt =
        at + ((t.IsKeyword(at, "PACKAGE") || t.IsKeyword(at, "TYPE")) && t.IsKeyword(at + 1, "BODY")
                  ? 2
                  : 1);
    const bool ifExists = t.IsKeyword(nameAt, "IF") && t.IsKeyword(nameAt + 1, "EXISTS");
    if (ifExists)
        nameAt += 2;
    size_t afterName = nameAt;
    const auto name = ReadObjectName(t, afterName);
    if (!name)
        return false;
    auto kind = KindOf(t, at, name->Name);
    if (!kind || (isPublic && kind->Types.front() != kSynonym))
        return false;
    const bool cascade = t.IsKeyword(afterName, "CASCADE");

    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    const std::string owner = isPublic ? std::string("PUBLIC") : dictionary.OwnerOf(*name);
    if (isPublic)
        kind->Missing = "ORA-01432: public synonym to be dropped does not exist";
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    std::vector<TDictionaryObject> objects;
    for (const int type : kind->Types)
        if (const auto object = dictionary.Find(ownerNo, name->Name, {type}))
            objects.push_back(*object);
    const bool inSqlite = kind->SqliteType != nullptr &&
                          dictionary.SqliteObjectExists(owner, name->Name, kind->SqliteType);
    // DROP PACKAGE (TYPE) needs the package itself; DROP PACKAGE BODY the body.
    const bool found = !objects.empty() && objects.front().Type == kind->Types.front();
    if (!found && !inSqlite) {
        if (ifExists)
            return true;
        throw Exception(kind->Missing);
    }

    TSavepoint savepoint(db);
    for (const TDictionaryObject& object : objects) {
        if (object.Type == kTable)
            DropTableEntries(dictionary, object.ObjNo, cascade);
        if (object.Type == kIndex && EnforcesKey(db, ownerNo, object.ObjNo, name->Name))
            throw Exception(
                "ORA-02429: cannot drop index used for enforcement of unique/primary key");
        if (object.Type == kView)
            for (const std::int64_t triggerNo :
                 Numbers(db, R"(SELECT "OBJ#" FROM SYS."TRIGGER$" WHERE "BASEOBJECT" = ?)",
                         object.ObjNo))
                dictionary.Purge(triggerNo);
        dictionary.Purge(object.ObjNo);
    }
    if (inSqlite) {
        RunStatement(db, "DROP " + sql::ToUpper(kind->SqliteType) + " " + QuotedName(owner) + "." +
                             QuotedName(name->Name));
        InvalidateBrokenViews(dictionary, ownerNo, owner);
    }
    const int dropped = kind->Types.front();
    if (dropped == kTable || dropped == kView || dropped == kSynonym)
        InvalidateCodeNaming(dictionary, name->Name);
    savepoint.Release();
    return true;
}

} // namespace quorvex::emulation
