#include "engine/emulation/Dictionary.h"

#include "engine/SqliteStatement.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <cstdlib>
#include <filesystem>
#include <sqlite3.h>

namespace quorvex::emulation {

namespace {

TValue ColumnValue(sqlite3_stmt* statement, int index)
{
    TValue value;
    switch (sqlite3_column_type(statement, index)) {
    case SQLITE_INTEGER:
        value.Kind = TFieldValue::TKind::Integer;
        value.Integer = sqlite3_column_int64(statement, index);
        break;
    case SQLITE_FLOAT:
        value.Kind = TFieldValue::TKind::Real;
        value.Real = sqlite3_column_double(statement, index);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        value.Kind = TFieldValue::TKind::Text;
        const auto* text = static_cast<const char*>(sqlite3_column_blob(statement, index));
        value.Text.assign(text == nullptr ? "" : text,
                          static_cast<size_t>(sqlite3_column_bytes(statement, index)));
        break;
    }
    default:
        break;
    }
    return value;
}

} // namespace

std::int64_t TValue::AsInteger() const
{
    switch (Kind) {
    case TFieldValue::TKind::Integer:
        return Integer;
    case TFieldValue::TKind::Real:
    case TFieldValue::TKind::DateTime:
        return static_cast<std::int64_t>(Real);
    case TFieldValue::TKind::Text:
        return std::strtoll(Text.c_str(), nullptr, 10);
    default:
        return 0;
    }
}

std::string TValue::AsText() const
{
    switch (Kind) {
    case TFieldValue::TKind::Integer:
        return std::to_string(Integer);
    case TFieldValue::TKind::Real:
    case TFieldValue::TKind::DateTime:
        return std::to_string(Real);
    case TFieldValue::TKind::Text:
        return Text;
    default:
        return {};
    }
}

void RunStatement(sqlite3* db, std::string_view sql, const std::vector<TParamValue>& values)
{
    TSqliteStatement statement(db, sql);
    statement.Bind(values);
    while (statement.Step()) {
    }
}

std::vector<TRow> QueryRows(sqlite3* db, std::string_view sql,
                            const std::vector<TParamValue>& values)
{
    TSqliteStatement statement(db, sql);
    statement.Bind(values);
    std::vector<TRow> rows;
    while (statement.Step()) {
        TRow row;
        for (int k = 0; k < sqlite3_column_count(statement.Handle()); ++k)
            row.push_back(ColumnValue(statement.Handle(), k));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::int64_t> QueryInteger(sqlite3* db, std::string_view sql,
                                         const std::vector<TParamValue>& values)
{
    const auto rows = QueryRows(db, sql, values);
    if (rows.empty() || rows[0].empty() || rows[0][0].IsNull())
        return std::nullopt;
    return rows[0][0].AsInteger();
}

std::optional<std::string> QueryText(sqlite3* db, std::string_view sql,
                                     const std::vector<TParamValue>& values)
{
    const auto rows = QueryRows(db, sql, values);
    if (rows.empty() || rows[0].empty() || rows[0][0].IsNull())
        return std::nullopt;
    return rows[0][0].AsText();
}

TSavepoint::TSavepoint(sqlite3* db)
    : m_db(db)
{
    RunStatement(m_db, "SAVEPOINT quorvex_emulation");
}

TSavepoint::~TSavepoint()
{
    if (!m_open)
        return;
    // Undoing cannot fail in a way worth reporting over the error that got us here.
    sqlite3_exec(m_db, "ROLLBACK TO quorvex_emulation; RELEASE quorvex_emulation", nullptr, nullptr,
                 nullptr);
}

void TSavepoint::Release()
{
    RunStatement(m_db, "RELEASE quorvex_emulation");
    m_open = false;
}

void TSavepoint::Rollback()
{
    RunStatement(m_db, "ROLLBACK TO quorvex_emulation");
    RunStatement(m_db, "RELEASE quorvex_emulation");
    m_open = false;
}

int NamespaceOf(int type)
{
    switch (type) {
    case object_types::kIndex:
        return 4;
    case object_types::kPackageBody:
    case object_types::kTypeBody:
        return 2;
    case object_types::kTrigger:
        return 3;
    default:
        return 1;
    }
}

TDictionary::TDictionary(sqlite3* db, std::string folder, std::string loginUser)
    : m_db(db)
    , m_folder(std::move(folder))
    , m_loginUser(sql::ToUpper(loginUser))
{
    for (const TRow& row : QueryRows(m_db, "PRAGMA database_list"))
        SetCacheSize(row[1].AsText());
    // Each statement of a script runs in a savepoint; its undo pages otherwise go to a temporary
    // file, at a system call each. Set before any temporary object exists: changing the setting
    // drops them.
    RunStatement(m_db, "PRAGMA temp_store = MEMORY");
}

void TDictionary::SetCacheSize(const std::string& schema) const
{
    // SQLite reads a schema's whole table list for each CREATE it runs there; with the default
    // 2 MB cache a schema of thousands of tables is read from its file every time.
    RunStatement(m_db, "PRAGMA " + QuotedName(schema) + ".cache_size = -65536");
}

std::int64_t TDictionary::UserNo(const std::string& user) const
{
    const auto number =
        QueryInteger(m_db, R"(SELECT "USER#" FROM SYS."USER$" WHERE "NAME" = ?)", {user});
    if (!number)
        throw Exception("ORA-01918: user '" + user + "' does not exist");
    return *number;
}

std::string TDictionary::OwnerOf(const TObjectName& name) const
{
    return name.Schema.empty() ? m_loginUser : name.Schema;
}

bool TDictionary::IsAttached(const std::string& schema) const
{
    for (const TRow& row : QueryRows(m_db, "PRAGMA database_list"))
        if (row.size() > 1 && sql::ToUpper(row[1].AsText()) == sql::ToUpper(schema))
            return true;
    return false;
}

void TDictionary::Attach(const std::string& schema)
{
    if (IsAttached(schema))
        return;
    UserNo(schema); // only users have schema files
    RunStatement(m_db, "ATTACH DATABASE ? AS " + QuotedName(schema), {SchemaPath(schema)});
    SetCacheSize(schema);
}

void TDictionary::Detach(const std::string& schema)
{
    if (IsAttached(schema))
        RunStatement(m_db, "DETACH DATABASE " + QuotedName(schema));
}

std::string TDictionary::SchemaPath(const std::string& schema) const
{
    return (std::filesystem::path(m_folder) / (schema + ".sqlite")).string();
}

std::optional<TDictionaryObject> TDictionary::Find(std::int64_t ownerNo, std::string_view name,
                                                   std::initializer_list<int> types) const
{
    std::string list;
    for (const int type : types)
        list += (list.empty() ? "" : ",") + std::to_string(type);
    // The unary plus keeps SQLite from searching by owner and type, which reads every table
    // of the owner, instead of by owner and name.
    const auto rows = QueryRows(m_db,
                                R"(SELECT "OBJ#", "TYPE#", "STATUS" FROM SYS."OBJ$"
                                   WHERE "OWNER#" = ? AND "NAME" = ? AND +"TYPE#" IN ()" +
                                    list + R"() ORDER BY +"TYPE#")",
                                {ownerNo, std::string(name)});
    if (rows.empty())
        return std::nullopt;
    return TDictionaryObject{rows[0][0].AsInteger(), static_cast<int>(rows[0][1].AsInteger()),
                             static_cast<int>(rows[0][2].AsInteger())};
}

bool TDictionary::NameUsed(std::int64_t ownerNo, std::string_view name, int type) const
{
    return QueryInteger(m_db,
                        R"(SELECT COUNT(*) FROM SYS."OBJ$"
                           WHERE "OWNER#" = ? AND "NAME" = ? AND "NAMESPACE" = ?)",
                        {ownerNo, std::string(name), std::int64_t{NamespaceOf(type)}})
               .value_or(0) > 0;
}

std::int64_t TDictionary::AddObject(std::int64_t ownerNo, std::string_view name, int type,
                                    int status)
{
    // Numbers continue after the highest in use; user objects start at 50000 as in the demo.
    const std::int64_t objNo =
        QueryInteger(m_db, R"(SELECT MAX(COALESCE(MAX("OBJ#"), 0) + 1, 50000) FROM SYS."OBJ$")")
            .value_or(50000);
    const bool hasData = type == object_types::kIndex || type == object_types::kTable;
    RunStatement(m_db,
                 R"(INSERT INTO SYS."OBJ$" ("OBJ#", "DATAOBJ#", "OWNER#", "NAME", "NAMESPACE",
                        "TYPE#", "CTIME", "MTIME", "STIME", "STATUS")
                    VALUES (?, ?, ?, ?, ?, ?, datetime('now', 'localtime'),
                            datetime('now', 'localtime'), datetime('now', 'localtime'), ?))",
                 {objNo, hasData ? TParamValue(objNo) : TParamValue(), ownerNo, std::string(name),
                  std::int64_t{NamespaceOf(type)}, std::int64_t{type}, std::int64_t{status}});
    return objNo;
}

TDictionaryConstraint TDictionary::AddConstraint(std::int64_t ownerNo, std::string name,
                                                 std::int64_t objNo, int type, int columns,
                                                 const std::optional<std::string>& condition)
{
    const std::int64_t conNo =
        QueryInteger(m_db, R"(SELECT COALESCE(MAX("CON#"), 0) + 1 FROM SYS."CON$")").value_or(1);
    if (name.empty()) {
        const std::string digits = std::to_string(conNo);
        name = "SYS_C" + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
    }
    if (QueryInteger(m_db, R"(SELECT COUNT(*) FROM SYS."CON$" WHERE "OWNER#" = ? AND "NAME" = ?)",
                     {ownerNo, name})
            .value_or(0) > 0)
        throw Exception("ORA-02264: name already used by an existing constraint");
    RunStatement(m_db, R"(INSERT INTO SYS."CON$" ("OWNER#", "NAME", "CON#") VALUES (?, ?, ?))",
                 {ownerNo, name, conNo});
    TParamValue text;
    TParamValue length;
    if (condition) {
        text = *condition;
        length = static_cast<std::int64_t>(condition->size());
    }
    RunStatement(m_db,
                 R"(INSERT INTO SYS."CDEF$" ("CON#", "OBJ#", "COLS", "TYPE#", "ENABLED",
                        "CONDLENGTH", "CONDITION", "MTIME")
                    VALUES (?, ?, ?, ?, 1, ?, ?, datetime('now', 'localtime')))",
                 {conNo, objNo, std::int64_t{columns}, std::int64_t{type}, length, text});
    return {conNo, name};
}

void TDictionary::AddConstraintColumn(std::int64_t conNo, std::int64_t objNo, std::int64_t colNo,
                                      std::optional<int> position)
{
    // Built before the call: a conditional expression inside the braced list makes GCC 12 warn
    // about the variant's string member (maybe-uninitialized) at -O3.
    TParamValue pos;
    if (position)
        pos = std::int64_t{*position};
    RunStatement(m_db,
                 R"(INSERT INTO SYS."CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#")
                    SELECT ?, "OBJ#", "COL#", ?, "INTCOL#" FROM SYS."COL$"
                     WHERE "OBJ#" = ? AND "COL#" = ?)",
                 {conNo, pos, objNo, colNo});
}

void TDictionary::SetStatus(std::int64_t objNo, int status)
{
    RunStatement(m_db,
                 R"(UPDATE SYS."OBJ$" SET "STATUS" = ?, "STIME" = datetime('now', 'localtime')
                    WHERE "OBJ#" = ?)",
                 {std::int64_t{status}, objNo});
}

void TDictionary::SetReplaced(std::int64_t objNo, int status)
{
    RunStatement(m_db,
                 R"(UPDATE SYS."OBJ$" SET "STATUS" = ?, "MTIME" = datetime('now', 'localtime'),
                        "STIME" = datetime('now', 'localtime') WHERE "OBJ#" = ?)",
                 {std::int64_t{status}, objNo});
}

void TDictionary::Purge(std::int64_t objNo)
{
    for (const TRow& row :
         QueryRows(m_db, R"(SELECT "CON#" FROM SYS."CDEF$" WHERE "OBJ#" = ?)", {objNo}))
        PurgeConstraint(row[0].AsInteger());
    for (const char* table : {"COL$", "COM$", "IND$", "ICOL$", "CCOL$", "SEQ$", "VIEW$", "SOURCE$",
                              "TRIGGER$", "ERROR$", "SYN$", "OBJ$"})
        RunStatement(m_db, "DELETE FROM SYS." + QuotedName(table) + " WHERE \"OBJ#\" = ?", {objNo});
}

void TDictionary::PurgeConstraint(std::int64_t conNo)
{
    for (const char* table : {"CCOL$", "CDEF$", "CON$"})
        RunStatement(m_db, "DELETE FROM SYS." + QuotedName(table) + " WHERE \"CON#\" = ?", {conNo});
}

bool TDictionary::SqliteObjectExists(const std::string& schema, std::string_view name,
                                     std::string_view type) const
{
    if (!IsAttached(schema))
        return false;
    return QueryInteger(m_db,
                        "SELECT COUNT(*) FROM " + QuotedName(schema) +
                            ".sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE",
                        {std::string(type), std::string(name)})
               .value_or(0) > 0;
}

} // namespace quorvex::emulation
