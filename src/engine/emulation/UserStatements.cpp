#include "engine/emulation/UserStatements.h"

#include "engine/EmbeddedLogin.h"
#include "engine/emulation/CodeReferences.h"
#include "engine/emulation/CreateView.h"
#include "persistence/Exceptions.h"

#include <filesystem>

namespace quorvex::emulation {

namespace {

bool IsAdministrator(const std::string& user)
{
    return user == "SYS" || user == "SYSTEM";
}

// The password after IDENTIFIED BY, as written: quoted or not, its case is kept.
std::string PasswordAt(const TStatementTokens& t, size_t at)
{
    if (!t.IsKeyword(at, "IDENTIFIED") || !t.IsKeyword(at + 1, "BY") || !t.IsName(at + 2))
        throw Exception("ORA-00988: missing or invalid password(s)");
    const sql::TToken& token = t[at + 2];
    return token.Kind == sql::TTokenKind::QuotedName ? sql::NameOf(token) : std::string(token.Text);
}

void CreateUser(TDictionary& dictionary, const std::string& name, const std::string& password)
{
    sqlite3* db = dictionary.Db();
    if (QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."USER$" WHERE "NAME" = ?)", {name})
            .value_or(0) > 0)
        throw Exception("ORA-01920: user name '" + name +
                        "' conflicts with another user or role name");
    const std::string path = dictionary.SchemaPath(name);
    dictionary.Detach(name);
    std::error_code ignored;
    std::filesystem::remove(path, ignored); // a file left without its user is not the new one's
    RunStatement(db,
                 R"(INSERT INTO SYS."USER$" ("USER#", "NAME", "TYPE#", "PASSWORD", "DATATS#",
                        "TEMPTS#", "CTIME", "PTIME")
                    SELECT MAX("USER#") + 1, ?, 1, ?, 4, 2, datetime('now', 'localtime'),
                           datetime('now', 'localtime') FROM SYS."USER$")",
                 {name, PasswordHash(password)});
    try {
        dictionary.Attach(name); // creates the empty schema file
    } catch (...) {
        RunStatement(db, R"(DELETE FROM SYS."USER$" WHERE "NAME" = ?)", {name});
        throw;
    }
}

std::vector<std::int64_t> Numbers(sqlite3* db, std::string_view sql, std::int64_t key)
{
    std::vector<std::int64_t> numbers;
    for (const TRow& row : QueryRows(db, sql, {key}))
        numbers.push_back(row[0].AsInteger());
    return numbers;
}

void DropUser(TDictionary& dictionary, const std::string& name, bool cascade)
{
    sqlite3* db = dictionary.Db();
    if (QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."USER$" WHERE "NAME" = ? AND "TYPE#" = 1)",
                     {name})
            .value_or(0) == 0)
        throw Exception("ORA-01918: user '" + name + "' does not exist");
    if (IsAdministrator(name))
        throw Exception("ORA-28014: cannot drop administrative user or role");
    if (name == dictionary.LoginUser())
        throw Exception("ORA-01940: cannot drop a user that is currently connected");
    const std::int64_t userNo = dictionary.UserNo(name);
    const auto objects = Numbers(db, R"(SELECT "OBJ#" FROM SYS."OBJ$" WHERE "OWNER#" = ?)", userNo);
    if (!objects.empty() && !cascade)
        throw Exception("ORA-01922: CASCADE must be specified to drop '" + name + "'");
    std::vector<std::string> names; // of the tables, views and synonyms others may use
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT "NAME" FROM SYS."OBJ$"
                                         WHERE "OWNER#" = ? AND "TYPE#" IN (2, 4, 5))",
                                     {userNo}))
        names.push_back(row[0].AsText());
    {
        TSavepoint savepoint(db);
        // Others' foreign keys to the user's tables and triggers on them go with them.
        for (const std::int64_t conNo : Numbers(db,
                                                R"(SELECT d."CON#" FROM SYS."CDEF$" d
                                                    JOIN SYS."OBJ$" o ON o."OBJ#" = d."ROBJ#"
                                                   WHERE o."OWNER#" = ?)",
                                                userNo))
            dictionary.PurgeConstraint(conNo);
        for (const std::int64_t triggerNo : Numbers(db,
                                                    R"(SELECT s."OBJ#" FROM SYS."TRIGGER$" s
                                                        JOIN SYS."OBJ$" o
                                                          ON o."OBJ#" = s."BASEOBJECT"
                                                       WHERE o."OWNER#" = ?)",
                                                    userNo))
            dictionary.Purge(triggerNo);
        for (const std::int64_t objNo : objects)
            dictionary.Purge(objNo);
        for (const std::int64_t conNo :
             Numbers(db, R"(SELECT "CON#" FROM SYS."CON$" WHERE "OWNER#" = ?)", userNo))
            dictionary.PurgeConstraint(conNo);
        RunStatement(db, R"(DELETE FROM SYS."USER$" WHERE "USER#" = ?)", {userNo});
        savepoint.Release();
    }
    dictionary.Detach(name);
    std::error_code error;
    std::filesystem::remove(dictionary.SchemaPath(name), error);
    // Others' views and code that used the user's objects are invalid now.
    for (const TRow& row : QueryRows(db, R"(SELECT o."OBJ#", u."NAME", o."NAME" FROM SYS."OBJ$" o
                                             JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
                                            WHERE o."TYPE#" = 4 AND o."STATUS" = 1)"))
        if (dictionary.SqliteObjectExists(row[1].AsText(), row[2].AsText(), "view") &&
            ViewError(db, row[1].AsText(), row[2].AsText()))
            dictionary.SetStatus(row[0].AsInteger(), kStatusInvalid);
    for (const std::string& used : names)
        InvalidateCodeNaming(dictionary, used);
    if (error)
        throw Exception("The schema file of " + name + " could not be removed: " + error.message());
}

} // namespace

bool EmulateUserStatement(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    const bool create = t.IsKeyword(0, "CREATE");
    const bool alter = t.IsKeyword(0, "ALTER");
    if (!(create || alter || t.IsKeyword(0, "DROP")) || !t.IsKeyword(1, "USER") || !t.IsName(2))
        return false;
    TDictionary& dictionary = context.Dictionary;
    const std::string name = sql::NameOf(t[2]);
    if (alter && !t.IsKeyword(3, "IDENTIFIED"))
        return false; // other changes of a user are not kept
    if (!IsAdministrator(dictionary.LoginUser()))
        throw Exception("ORA-01031: insufficient privileges");
    if (create) {
        CreateUser(dictionary, name, PasswordAt(t, 3));
    } else if (alter) {
        const std::string password = PasswordAt(t, 3);
        dictionary.UserNo(name);
        RunStatement(context.Db(),
                     R"(UPDATE SYS."USER$" SET "PASSWORD" = ?,
                            "PTIME" = datetime('now', 'localtime') WHERE "NAME" = ?)",
                     {PasswordHash(password), name});
    } else {
        if (t.Size() > 3 && !(t.IsKeyword(3, "CASCADE") && t.Size() == 4))
            throw Exception("ORA-00933: SQL command not properly ended");
        DropUser(dictionary, name, t.IsKeyword(3, "CASCADE"));
    }
    return true;
}

} // namespace quorvex::emulation
