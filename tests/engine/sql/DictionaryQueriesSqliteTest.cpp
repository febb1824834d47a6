// The dictionary reader's Oracle query texts, translated, run against a small dictionary kept
// in SQLite under the names Oracle uses.
#include "engine/sql/SqliteTranslator.h"

#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvex::sql {
namespace {

using TRow = std::vector<std::optional<std::string>>;
using TRows = std::vector<TRow>;

// An in-memory database with the dictionary attached as SYS and a one-row DUAL.
class TDictionaryDatabase {
public:
    TDictionaryDatabase()
    {
        if (sqlite3_open(":memory:", &m_db) != SQLITE_OK) {
            throw std::runtime_error("cannot open SQLite");
        }
        Exec("ATTACH DATABASE ':memory:' AS SYS");
        Exec(kSchema);
        Exec(kRows);
    }
    ~TDictionaryDatabase() { sqlite3_close(m_db); }
    TDictionaryDatabase(const TDictionaryDatabase&) = delete;
    TDictionaryDatabase& operator=(const TDictionaryDatabase&) = delete;

    void Exec(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error != nullptr ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(message + " in: " + sql);
        }
    }

    // Runs one statement; :USER_NO, when present, is bound as text, as the reader does.
    TRows Query(const std::string& sql, const std::string& userNo = "5")
    {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, &tail) != SQLITE_OK) {
            throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
        }
        const std::string rest = tail;
        if (rest.find_first_not_of(" \r\n\t") != std::string::npos) {
            sqlite3_finalize(statement);
            throw std::runtime_error("text left after the statement: " + rest);
        }
        const int parameter = sqlite3_bind_parameter_index(statement, ":USER_NO");
        if (parameter > 0) {
            sqlite3_bind_text(statement, parameter, userNo.c_str(), -1, SQLITE_TRANSIENT);
        }
        TRows rows;
        int status = SQLITE_ROW;
        while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
            TRow row;
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                const unsigned char* text = sqlite3_column_text(statement, column);
                row.push_back(text == nullptr ? std::nullopt
                                              : std::optional<std::string>(
                                                    reinterpret_cast<const char*>(text)));
            }
            rows.push_back(row);
        }
        sqlite3_finalize(statement);
        if (status != SQLITE_DONE) {
            throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
        }
        return rows;
    }

    sqlite3* Handle() const { return m_db; }

private:
    static constexpr const char* kSchema = R"(
CREATE TABLE DUAL (DUMMY VARCHAR2(1));
CREATE TABLE SYS."USER$" ("USER#" INTEGER, "NAME" TEXT, "TYPE#" INTEGER);
CREATE TABLE SYS."OBJ$" ("OBJ#" INTEGER, "OWNER#" INTEGER, "NAME" TEXT, "TYPE#" INTEGER,
    "STATUS" INTEGER);
CREATE TABLE SYS."COL$" ("OBJ#" INTEGER, "COL#" INTEGER, "INTCOL#" INTEGER, "NAME" TEXT,
    "TYPE#" INTEGER, "LENGTH" INTEGER, "PRECISION#" INTEGER, "SCALE" INTEGER, "NULL$" INTEGER,
    "DEFAULT$" TEXT, "PROPERTY" INTEGER);
CREATE TABLE SYS."COM$" ("OBJ#" INTEGER, "COL#" INTEGER, "COMMENT$" TEXT);
CREATE TABLE SYS."CON$" ("OWNER#" INTEGER, "NAME" TEXT, "CON#" INTEGER);
CREATE TABLE SYS."CDEF$" ("CON#" INTEGER, "OBJ#" INTEGER, "TYPE#" INTEGER, "ROBJ#" INTEGER,
    "RCON#" INTEGER, "ENABLED" INTEGER, "CONDITION" TEXT, "REFACT" INTEGER, "RRULES" TEXT,
    "MATCH#" INTEGER);
CREATE TABLE SYS."CCOL$" ("CON#" INTEGER, "OBJ#" INTEGER, "COL#" INTEGER, "POS#" INTEGER);
CREATE TABLE SYS."ICOL$" ("OBJ#" INTEGER, "BO#" INTEGER, "COL#" INTEGER, "INTCOL#" INTEGER,
    "POS#" INTEGER);
CREATE TABLE SYS."SEQ$" ("OBJ#" INTEGER, "INCREMENT$" INTEGER, "MINVALUE" NUMBER,
    "MAXVALUE" NUMBER, "CYCLE#" INTEGER, "ORDER$" INTEGER, "CACHE" INTEGER, "HIGHWATER" NUMBER);
CREATE TABLE SYS."VIEW$" ("OBJ#" INTEGER, "TEXT" TEXT);
CREATE TABLE SYS."SOURCE$" ("OBJ#" INTEGER, "LINE" INTEGER, "SOURCE" TEXT);
CREATE TABLE SYS."TRIGGER$" ("OBJ#" INTEGER, "BASEOBJECT" INTEGER, "DEFINITION" TEXT,
    "ACTION#" TEXT);
CREATE TABLE SYS."ERROR$" ("OBJ#" INTEGER, "SEQUENCE#" INTEGER, "LINE" INTEGER,
    "POSITION#" INTEGER, "TEXT" TEXT);
)";

    // Owner 5 (SCOTT) and owner 6 (HR); constraints with several columns, without columns,
    // without a referenced object and with a column missing from COL$.
    static constexpr const char* kRows = R"(
INSERT INTO DUAL VALUES ('X');
INSERT INTO SYS."USER$" VALUES (0, 'SYS', 1), (5, 'SCOTT', 1), (6, 'HR', 1), (7, 'ROLE', 0);
INSERT INTO SYS."OBJ$" VALUES (100, 5, 'EMP', 2, 1), (101, 5, 'DEPT', 2, 1),
    (102, 5, 'PK_DEPT', 1, 1), (103, 5, 'EMP_V', 4, 1), (104, 5, 'EMP_SEQ', 6, 1),
    (105, 5, 'EMP_TRG', 12, 1), (106, 5, 'DO_IT', 7, 1), (200, 6, 'JOBS', 2, 1),
    (201, 6, 'JOB_PROC', 7, 1), (202, 6, 'JOBS_IX', 1, 1);
INSERT INTO SYS."COL$" VALUES (100, 1, 1, 'EMPNO', 2, 22, 4, 0, 1, NULL, 0),
    (100, 2, 2, 'ENAME', 1, 10, NULL, NULL, 0, NULL, 0),
    (100, 3, 3, 'DEPTNO', 2, 22, 2, 0, 0, '10', 0),
    (101, 1, 1, 'DEPTNO', 2, 22, 2, 0, 1, NULL, 0),
    (101, 2, 2, 'DNAME', 1, 14, NULL, NULL, 0, NULL, 0),
    (200, 1, 1, 'JOB_ID', 1, 10, NULL, NULL, 1, NULL, 131072);
INSERT INTO SYS."COM$" VALUES (100, NULL, 'Employees'), (100, 2, 'Name'), (200, NULL, 'Jobs');
INSERT INTO SYS."CON$" VALUES (5, 'PK_DEPT', 1), (5, 'FK_EMP_DEPT', 2), (5, 'CK_EMP', 3),
    (6, 'PK_JOBS', 4), (5, 'FK_EMP_GONE', 5), (5, 'PK_EMP', 6);
INSERT INTO SYS."CDEF$" VALUES (1, 101, 2, NULL, NULL, 1, NULL, 0, NULL, 0),
    (2, 100, 4, 101, 1, 1, NULL, 1, 'R', 0),
    (3, 100, 1, NULL, NULL, NULL, 'EMPNO > 0', 0, NULL, 0),
    (4, 200, 2, NULL, NULL, 1, NULL, 0, NULL, 0),
    (5, 100, 4, 999, 77, 1, NULL, 0, NULL, 0),
    (6, 100, 2, NULL, NULL, 1, NULL, 0, NULL, 0);
INSERT INTO SYS."CCOL$" VALUES (1, 101, 1, 1), (2, 100, 3, 1), (4, 200, 1, 1),
    (5, 100, 3, 1), (5, 100, 9, 2), (6, 100, 2, 2), (6, 100, 1, 1);
INSERT INTO SYS."ICOL$" VALUES (102, 101, 1, 1, 1), (202, 200, 1, 1, 1);
INSERT INTO SYS."SEQ$" VALUES (104, 1, 1, NULL, NULL, NULL, 20, 1);
INSERT INTO SYS."VIEW$" VALUES (103, 'SELECT * FROM EMP');
INSERT INTO SYS."SOURCE$" VALUES (106, 1, 'PROCEDURE DO_IT IS' || char(10)),
    (106, 2, 'BEGIN NULL; END;'), (201, 1, 'PROCEDURE JOB_PROC IS BEGIN NULL; END;');
INSERT INTO SYS."TRIGGER$" VALUES (105, 100, 'TRIGGER EMP_TRG BEFORE INSERT ON EMP' || char(10),
    'BEGIN NULL; END;');
)";

    sqlite3* m_db = nullptr;
};

// One query of the reader: its lines, and the rows it must give for all owners / for owner 5.
struct TReaderQuery {
    std::string Name;
    std::vector<std::string> Lines;
    size_t Rows;
};

// The texts as the reader builds them; hint is "SELECT ", "SELECT /*+RULE*/ " or
// "SELECT /*+ORDERED*/ ".
std::vector<TReaderQuery> ReaderQueries(const std::string& hint, bool restricted)
{
    std::vector<TReaderQuery> queries;
    queries.push_back({"FindUserNo", {"SELECT * FROM SYS.\"USER$\""}, 4});
    TReaderQuery owners{
        "Owners", {"SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1"}, 3};
    if (restricted) {
        owners.Lines.push_back(" AND USER# = 5");
        owners.Rows = 1;
    }
    queries.push_back(owners);
    TReaderQuery objects{
        "Objects",
        {hint + "\"OBJ#\",\"NAME\",\"TYPE#\",\"STATUS\",\"OWNER#\" FROM SYS.\"OBJ$\""},
        restricted ? 7u : 10u};
    if (restricted) {
        objects.Lines.push_back(" WHERE \"OWNER#\" = 5");
    }
    objects.Lines.push_back(" ORDER BY \"NAME\"");
    queries.push_back(objects);
    if (!restricted) {
        queries.push_back(
            {"Fields",
             {hint + "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", "
                     "c.\"PRECISION#\", c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM "
                     "SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE o.\"TYPE#\" = 2 AND o.\"OBJ#\" = "
                     "c.\"OBJ#\""},
             6});
        queries.push_back(
            {"Comments", {hint + "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"COM$\" c"}, 3});
        queries.push_back(
            {"Constraints",
             {hint + "d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\","
                     "d.\"REFACT\",d.\"OBJ#\",d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\","
                     "d.\"MATCH#\",rc.\"NAME\" RCOL,ro.\"NAME\" ROBJ FROM SYS.\"CON$\" "
                     "o,SYS.\"CDEF$\" d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro WHERE "
                     "o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = ro.\"OBJ#\"(+) AND d.\"CON#\" = "
                     "c.\"CON#\"(+) AND c.\"OBJ#\" = rc.\"OBJ#\"(+) AND c.\"COL#\" = "
                     "rc.\"COL#\"(+) ORDER BY o.\"NAME\",c.\"POS#\""},
             8});
        queries.push_back({"Triggers",
                           {hint + "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" "
                                   "FROM SYS.\"TRIGGER$\" s"},
                           1});
        queries.push_back({"Views", {hint + "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"VIEW$\" s"}, 1});
        queries.push_back(
            {"Indexes",
             {hint + "idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM "
                     "SYS.\"OBJ$\" idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OBJ#\" = "
                     "ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" "
                     "ORDER BY idx.\"OBJ#\",ic.\"POS#\""},
             2});
        queries.push_back(
            {"Source", {hint + "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"SOURCE$\" s"}, 3});
    } else {
        queries.push_back(
            {"Fields",
             {hint + "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", "
                     "c.\"PRECISION#\", c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM "
                     "SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE o.\"OWNER#\" = :USER_NO AND "
                     "o.\"TYPE#\" = 2 AND o.\"OBJ#\" = c.\"OBJ#\""},
             5});
        queries.push_back({"Comments",
                           {hint + "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"OBJ$\" "
                                   "o,SYS.\"COM$\" c WHERE o.\"OWNER#\" = :USER_NO AND "
                                   "o.\"OBJ#\" = c.\"OBJ#\""},
                           2});
        queries.push_back(
            {"Constraints",
             {hint + "d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\","
                     "d.\"REFACT\",d.\"OBJ#\",d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\","
                     "d.\"MATCH#\",rc.\"NAME\" RCOL,ro.\"NAME\" ROBJ FROM SYS.\"CON$\" "
                     "o,SYS.\"CDEF$\" d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro WHERE "
                     "o.\"OWNER#\" = :USER_NO AND o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = "
                     "ro.\"OBJ#\"(+) AND d.\"CON#\" = c.\"CON#\"(+) AND c.\"OBJ#\" = "
                     "rc.\"OBJ#\"(+) AND c.\"COL#\" = rc.\"COL#\"(+) ORDER BY "
                     "o.\"NAME\",c.\"POS#\""},
             7});
        queries.push_back({"Triggers",
                           {hint + "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" "
                                   "FROM SYS.\"OBJ$\" o,SYS.\"TRIGGER$\" s WHERE o.\"OWNER#\" = "
                                   ":USER_NO AND o.\"TYPE#\" = 12 AND o.\"OBJ#\" = s.\"OBJ#\""},
                           1});
        queries.push_back({"Views",
                           {hint + "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"OBJ$\" o,SYS.\"VIEW$\" s "
                                   "WHERE o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 4 AND "
                                   "o.\"OBJ#\" = s.\"OBJ#\""},
                           1});
        queries.push_back(
            {"Indexes",
             {hint + "idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM "
                     "SYS.\"OBJ$\" idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OWNER#\" = "
                     ":USER_NO AND idx.\"OBJ#\" = ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND "
                     "ic.\"INTCOL#\" = c.\"INTCOL#\" ORDER BY idx.\"OBJ#\",ic.\"POS#\""},
             1});
        queries.push_back({"Source",
                           {hint + "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"OBJ$\" "
                                   "o,SYS.\"SOURCE$\" s WHERE o.\"OWNER#\" = :USER_NO  AND "
                                   "o.\"TYPE#\" IN (7,8,9,11) AND o.\"OBJ#\" = s.\"OBJ#\""},
                           2});
    }
    queries.push_back({"Sequences",
                       {hint + "\"OBJ#\",\"HIGHWATER\",\"INCREMENT$\",\"MINVALUE\",\"MAXVALUE\","
                               "\"CYCLE#\",\"CACHE\",\"ORDER$\" FROM SYS.\"SEQ$\""},
                       1});
    queries.push_back({"DatabaseTime", {"SELECT SYSDATE FROM DUAL"}, 1});
    queries.push_back({"RefreshSource",
                       {"SELECT \"LINE\",\"SOURCE\" FROM SYS.\"SOURCE$\" ", "WHERE \"OBJ#\" = 106",
                        "ORDER BY \"LINE\""},
                       2});
    return queries;
}

TReaderQuery FindQuery(const std::vector<TReaderQuery>& queries, const std::string& name)
{
    for (const TReaderQuery& query : queries) {
        if (query.Name == name) {
            return query;
        }
    }
    throw std::runtime_error("no reader query " + name);
}

// The object refresh of a single object, five lines.
std::vector<std::string> RefreshLines(int objectNo)
{
    return {"SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\"", " FROM SYS.\"OBJ$\" o,SYS.\"COM$\" c",
            " WHERE o.\"OBJ#\" = " + std::to_string(objectNo), " AND o.\"OBJ#\" = c.\"OBJ#\"(+)",
            " AND ((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))"};
}

// Every line ends with a line break, as the reader's query text does.
std::string Join(const std::vector<std::string>& lines, const std::string& lineBreak)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + lineBreak;
    }
    return text;
}

TEST(DictionaryQueries, EveryReaderQueryRunsAfterTranslation)
{
    TDictionaryDatabase db;
    for (const std::string hint : {"SELECT ", "SELECT /*+RULE*/ ", "SELECT /*+ORDERED*/ "}) {
        for (const bool restricted : {false, true}) {
            for (const std::string lineBreak : {"\n", "\r\n"}) {
                for (const TReaderQuery& query : ReaderQueries(hint, restricted)) {
                    const std::string oracle = Join(query.Lines, lineBreak);
                    SCOPED_TRACE(query.Name + (restricted ? " restricted: " : " all: ") + oracle);
                    std::string translated;
                    ASSERT_NO_THROW(translated = TranslateForSqlite(oracle));
                    TRows rows;
                    ASSERT_NO_THROW(rows = db.Query(translated)) << translated;
                    EXPECT_EQ(rows.size(), query.Rows) << translated;
                }
            }
        }
    }
}

TEST(DictionaryQueries, RestrictedVariantsReadOnlyTheBoundOwner)
{
    TDictionaryDatabase db;
    for (const TReaderQuery& query : ReaderQueries("SELECT ", true)) {
        const std::string translated = TranslateForSqlite(Join(query.Lines, "\n"));
        if (translated.find(":USER_NO") == std::string::npos) {
            continue;
        }
        SCOPED_TRACE(query.Name);
        const TReaderQuery all = FindQuery(ReaderQueries("SELECT ", false), query.Name);
        // Only owners 5 and 6 own objects; a role owns nothing.
        EXPECT_EQ(db.Query(translated, "5").size() + db.Query(translated, "6").size(), all.Rows);
        EXPECT_EQ(db.Query(translated, "7").size(), 0u);
    }
}

TEST(DictionaryQueries, SysdateGivesTheLocalTime)
{
    TDictionaryDatabase db;
    const TRows rows = db.Query(TranslateForSqlite("SELECT SYSDATE FROM DUAL"));
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_TRUE(rows[0][0].has_value());
    EXPECT_TRUE(std::regex_match(*rows[0][0], std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << *rows[0][0];
}

// The outer join keeps objects without a comment; the filter on COL# drops column comments.
TEST(DictionaryQueries, RefreshQueryKeepsObjectsWithoutComment)
{
    TDictionaryDatabase db;
    const auto refresh = [&db](int objectNo) {
        return db.Query(TranslateForSqlite(Join(RefreshLines(objectNo), "\n")));
    };
    EXPECT_EQ(refresh(100), (TRows{{"EMP", "1", "Employees"}}));
    EXPECT_EQ(refresh(101), (TRows{{"DEPT", "1", std::nullopt}}));
    EXPECT_EQ(refresh(999), TRows{});
}

const std::string kConstraintColumns =
    "SELECT d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\",d.\"REFACT\","
    "d.\"OBJ#\",d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\",d.\"MATCH#\",rc.\"NAME\" "
    "RCOL,ro.\"NAME\" ROBJ ";

// The same query written by hand with ANSI joins.
std::string HandWrittenConstraints(bool restricted)
{
    return kConstraintColumns +
           "FROM SYS.\"CON$\" o JOIN SYS.\"CDEF$\" d ON o.\"CON#\" = d.\"CON#\" "
           "LEFT JOIN SYS.\"OBJ$\" ro ON d.\"ROBJ#\" = ro.\"OBJ#\" "
           "LEFT JOIN SYS.\"CCOL$\" c ON d.\"CON#\" = c.\"CON#\" "
           "LEFT JOIN SYS.\"COL$\" rc ON c.\"OBJ#\" = rc.\"OBJ#\" AND c.\"COL#\" = rc.\"COL#\" " +
           (restricted ? "WHERE o.\"OWNER#\" = :USER_NO " : "") + "ORDER BY o.\"NAME\",c.\"POS#\"";
}

TEST(DictionaryQueries, ConstraintQueryMatchesHandWrittenLeftJoins)
{
    TDictionaryDatabase db;
    for (const bool restricted : {false, true}) {
        SCOPED_TRACE(restricted ? "restricted" : "all owners");
        for (const TReaderQuery& query : ReaderQueries("SELECT /*+RULE*/ ", restricted)) {
            if (query.Name != "Constraints") {
                continue;
            }
            const TRows rows = db.Query(TranslateForSqlite(Join(query.Lines, "\n")));
            EXPECT_EQ(rows, db.Query(HandWrittenConstraints(restricted)));
            EXPECT_EQ(rows.size(), restricted ? 7u : 8u);
        }
    }
}

TEST(DictionaryQueries, ConstraintQueryGivesTheExpectedRows)
{
    TDictionaryDatabase db;
    const std::string oracle =
        Join(FindQuery(ReaderQueries("SELECT ", true), "Constraints").Lines, "\n");
    ASSERT_NE(oracle.find("(+)"), std::string::npos);
    TRows rows = db.Query(TranslateForSqlite(oracle));
    // Keep the constraint number, name, column and referenced object: 0, 2, 12, 13.
    TRows picked;
    for (const TRow& row : rows) {
        picked.push_back({row[0], row[2], row[12], row[13]});
    }
    const std::nullopt_t null = std::nullopt;
    EXPECT_EQ(picked, (TRows{
                          {"3", "CK_EMP", null, null}, // no columns
                          {"2", "FK_EMP_DEPT", "DEPTNO", "DEPT"},
                          {"5", "FK_EMP_GONE", "DEPTNO", null}, // referenced object missing
                          {"5", "FK_EMP_GONE", null, null},     // column missing from COL$
                          {"1", "PK_DEPT", "DEPTNO", null},
                          {"6", "PK_EMP", "EMPNO", null}, // several columns, by position
                          {"6", "PK_EMP", "ENAME", null},
                      }));
}

// SQLite binds :0 as a named parameter, so the reader's :0 needs no rewriting.
TEST(DictionaryQueries, SqliteBindsColonZeroByName)
{
    TDictionaryDatabase db;
    const std::string sql =
        TranslateForSqlite("SELECT NAME FROM SYS.OBJ$ WHERE OBJ# = :0 AND OWNER# = :USER_NO");
    EXPECT_NE(sql.find(":0"), std::string::npos);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.Handle());
    EXPECT_EQ(sqlite3_bind_parameter_count(statement), 2);
    EXPECT_STREQ(sqlite3_bind_parameter_name(statement, 1), ":0");
    EXPECT_EQ(sqlite3_bind_parameter_index(statement, ":0"), 1);
    EXPECT_EQ(sqlite3_bind_parameter_index(statement, ":USER_NO"), 2);
    sqlite3_bind_text(statement, 1, "200", -1, SQLITE_STATIC);
    sqlite3_bind_int(statement, 2, 6);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "JOBS");
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE);
    sqlite3_finalize(statement);
}

} // namespace
} // namespace quorvex::sql
