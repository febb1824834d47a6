#include "engine/emulation/CreateView.h"

#include "engine/SqliteStatement.h"
#include "engine/emulation/OracleTypes.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <map>

namespace quorvex::emulation {

namespace {

struct TViewStatement {
    bool OrReplace = false;
    bool Force = false;
    TObjectName Name;
    std::vector<std::string> Columns;
    std::string Query;
    std::optional<int> ConstraintType; // read only or check option
    std::string ConstraintName;
};

TViewStatement Parse(std::string_view sql)
{
    const TStatementTokens t(sql);
    TViewStatement view;
    size_t at = 1;
    if (t.IsKeyword(at, "OR") && t.IsKeyword(at + 1, "REPLACE")) {
        view.OrReplace = true;
        at += 2;
    }
    for (;; ++at) {
        if (t.IsKeyword(at, "FORCE"))
            view.Force = true;
        else if (t.IsKeyword(at, "NO") && t.IsKeyword(at + 1, "FORCE"))
            ++at;
        else if (!t.IsKeyword(at, "NOFORCE") && !t.IsKeyword(at, "EDITIONABLE") &&
                 !t.IsKeyword(at, "NONEDITIONABLE"))
            break;
    }
    if (!t.IsKeyword(at++, "VIEW"))
        throw Exception("ORA-00901: invalid CREATE command");
    const auto name = ReadObjectName(t, at);
    if (!name)
        throw Exception("ORA-00903: invalid table name");
    view.Name = *name;
    if (t.IsSymbol(at, "(")) {
        const size_t close = t.Closing(at);
        for (size_t k = at + 1; k < close; ++k)
            if (t.IsName(k))
                view.Columns.push_back(sql::NameOf(t[k]));
        at = close + 1;
    }
    if (!t.IsKeyword(at, "AS"))
        throw Exception("ORA-00905: missing keyword");
    const size_t first = at + 1;
    size_t end = t.Size();
    int depth = 0;
    for (size_t k = first; k < t.Size(); ++k) {
        if (t.IsSymbol(k, "("))
            ++depth;
        else if (t.IsSymbol(k, ")"))
            --depth;
        else if (depth == 0 && t.IsSymbol(k, ";")) {
            end = std::min(end, k);
        } else if (depth == 0 && t.IsKeyword(k, "WITH") &&
                   (t.IsKeyword(k + 1, "READ") || t.IsKeyword(k + 1, "CHECK"))) {
            end = std::min(end, k);
            view.ConstraintType = t.IsKeyword(k + 1, "READ") ? constraint_types::kViewReadOnly
                                                             : constraint_types::kViewCheckOption;
            for (size_t c = k + 2; c + 1 < t.Size(); ++c)
                if (t.IsKeyword(c, "CONSTRAINT"))
                    view.ConstraintName = sql::NameOf(t[c + 1]);
            break;
        }
    }
    view.Query = std::string(t.Text(first, end));
    if (view.Query.empty())
        throw Exception("ORA-00928: missing SELECT keyword");
    return view;
}

// The view's columns in COL$ as SQLite sees them; a column SQLite cannot type (an expression)
// keeps the type it had before, else reads as VARCHAR2(4000).
void RecordColumns(sqlite3* db, std::int64_t objNo, const std::string& owner,
                   const std::string& name)
{
    std::map<std::string, TRow> previous;
    for (TRow& row : QueryRows(db,
                               R"(SELECT "NAME", "TYPE#", "LENGTH", "PRECISION#", "SCALE",
                                         "CHARSETFORM" FROM SYS."COL$" WHERE "OBJ#" = ?)",
                               {objNo}))
        previous[row[0].AsText()] = std::move(row);
    RunStatement(db, R"(DELETE FROM SYS."COL$" WHERE "OBJ#" = ?)", {objNo});
    const auto value = [](const TValue& v) {
        return v.IsNull() ? TParamValue() : TParamValue(v.AsInteger());
    };
    const auto optional = [](const std::optional<int>& v) {
        return v ? TParamValue(std::int64_t{*v}) : TParamValue();
    };
    std::int64_t colNo = 0;
    for (const TRow& row :
         QueryRows(db, "SELECT name, type FROM pragma_table_xinfo(?, ?)", {name, owner})) {
        ++colNo;
        const std::string column = row[0].AsText();
        std::vector<TParamValue> values{objNo, colNo, colNo, colNo, column};
        const auto old = previous.find(column);
        if (row[1].AsText().empty() && old != previous.end()) {
            for (size_t k = 1; k < old->second.size(); ++k)
                values.push_back(value(old->second[k]));
        } else {
            const TOracleColumnType type = OracleColumnType(row[1].AsText());
            values.insert(values.end(), {std::int64_t{type.TypeNo}, std::int64_t{type.Length},
                                         optional(type.Precision), optional(type.Scale),
                                         std::int64_t{type.CharsetForm}});
        }
        RunStatement(db,
                     R"(INSERT INTO SYS."COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME",
                            "TYPE#", "LENGTH", "PRECISION#", "SCALE", "CHARSETFORM")
                        VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?))",
                     values);
    }
}

// Whether SQLite refused the view's query for SQL it does not know (a syntax it lacks, an
// Oracle-only function) rather than for what Oracle would refuse too (a missing table or
// column).
bool EngineCannotRun(std::string_view message)
{
    return message.starts_with("near ") || message.find("syntax error") != std::string_view::npos ||
           message.starts_with("no such function") || message.starts_with("unrecognized token");
}

// The column names of a query's select list as Oracle names them: an item's alias, else the
// name of a plain (qualified) column; nothing when an item has neither (an expression without
// an alias, a *).
std::optional<std::vector<std::string>> SelectListNames(std::string_view query)
{
    const TStatementTokens t(query);
    size_t k = 0;
    if (!t.IsKeyword(k++, "SELECT"))
        return std::nullopt;
    if (t.IsKeyword(k, "DISTINCT") || t.IsKeyword(k, "UNIQUE") || t.IsKeyword(k, "ALL"))
        ++k;
    std::vector<std::string> names;
    for (size_t first = k; k <= t.Size(); ++k) {
        if (k < t.Size() && t.IsSymbol(k, "(")) {
            k = t.Closing(k);
            continue;
        }
        const bool end = k == t.Size() || t.IsKeyword(k, "FROM");
        if (!end && !t.IsSymbol(k, ","))
            continue;
        if (k == first || !t.IsName(k - 1))
            return std::nullopt;
        const size_t last = k - 1;
        const bool plainColumn =
            last == first || (last == first + 2 && t.IsName(first) && t.IsSymbol(first + 1, "."));
        const sql::TTokenKind before = t[last - (last > first ? 1 : 0)].Kind;
        const bool alias = last > first && !t.IsSymbol(last - 1, ".") &&
                           (t.IsKeyword(last - 1, "AS") || before != sql::TTokenKind::Symbol ||
                            t.IsSymbol(last - 1, ")"));
        if (!plainColumn && !alias)
            return std::nullopt;
        names.push_back(sql::NameOf(t[last]));
        if (end)
            return names;
        first = k + 1;
    }
    return std::nullopt;
}

// A stand-in for a view whose query the engine cannot run: its columns, and a query that fails
// with `message` as soon as a row is read.
std::string StandInView(const std::string& target, const std::vector<std::string>& columns,
                        const std::string& message)
{
    std::string names;
    std::string values = "QUORVEX_CANNOT_RUN(" + QuotedText(message) + ")";
    for (const std::string& column : columns) {
        names += (names.empty() ? "" : ", ") + QuotedName(column);
        if (&column != &columns.front())
            values += ", NULL";
    }
    return "CREATE VIEW " + target + " (" + names + ") AS SELECT " + values;
}

} // namespace

std::optional<std::string> ViewError(sqlite3* db, const std::string& schema,
                                     const std::string& name)
{
    try {
        TSqliteStatement probe(db, "SELECT * FROM " + QuotedName(schema) + "." + QuotedName(name) +
                                       " LIMIT 0");
        probe.Step();
    } catch (const Exception& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

void RecordErrors(sqlite3* db, std::int64_t objNo, const std::vector<std::string>& errors)
{
    RunStatement(db, R"(DELETE FROM SYS."ERROR$" WHERE "OBJ#" = ?)", {objNo});
    std::int64_t sequence = 0;
    for (const std::string& text : errors)
        RunStatement(db,
                     R"(INSERT INTO SYS."ERROR$" ("OBJ#", "SEQUENCE#", "LINE", "POSITION#",
                            "TEXTLENGTH", "TEXT")
                        VALUES (?, ?, 0, 0, ?, ?))",
                     {objNo, ++sequence, static_cast<std::int64_t>(text.size()), text});
}

void EmulateCreateView(const TEmulationContext& context, std::string_view sql)
{
    const TViewStatement view = Parse(sql);
    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    const std::string owner = dictionary.OwnerOf(view.Name);
    dictionary.Attach(owner);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    const auto existing = dictionary.Find(
        ownerNo, view.Name.Name,
        {object_types::kTable, object_types::kView, object_types::kSynonym, object_types::kSequence,
         object_types::kProcedure, object_types::kFunction, object_types::kPackage});
    if (existing && (existing->Type != object_types::kView || !view.OrReplace))
        throw Exception("ORA-00955: name is already used by an existing object");

    std::string columns;
    for (const std::string& column : view.Columns)
        columns += (columns.empty() ? " (" : ", ") + QuotedName(column);
    if (!columns.empty())
        columns += ")";
    const std::string target = QuotedName(owner) + "." + QuotedName(view.Name.Name);
    const std::string create =
        "CREATE VIEW " + target + columns + " AS " + context.Preparer.Prepare(view.Query);

    TSavepoint savepoint(db);
    RunStatement(db, "DROP VIEW IF EXISTS " + target);
    // A query SQLite cannot run is kept as Oracle keeps it (its text, its columns, valid); only
    // reading the view fails, saying why.
    std::optional<std::string> unsupported;
    try {
        RunStatement(db, create);
        if (auto probe = ViewError(db, owner, view.Name.Name); probe && EngineCannotRun(*probe))
            unsupported = std::move(probe);
    } catch (const Exception& e) {
        if (!EngineCannotRun(e.what()))
            throw;
        unsupported = e.what();
    }
    if (unsupported) {
        const auto names =
            view.Columns.empty() ? SelectListNames(view.Query) : std::optional(view.Columns);
        if (!names)
            throw Exception(*unsupported);
        RunStatement(db, "DROP VIEW IF EXISTS " + target);
        RunStatement(db, StandInView(target, *names,
                                     "The embedded engine cannot run the query of view " + owner +
                                         "." + view.Name.Name + ": " + *unsupported));
    }
    const auto error = unsupported ? std::nullopt : ViewError(db, owner, view.Name.Name);
    if (error && !view.Force)
        throw Exception(*error); // the savepoint puts the old view back

    const int status = error ? kStatusInvalid : 1;
    std::int64_t objNo = 0;
    if (existing) {
        objNo = existing->ObjNo;
        dictionary.SetReplaced(objNo, status);
    } else {
        objNo = dictionary.AddObject(ownerNo, view.Name.Name, object_types::kView, status);
    }
    if (!error)
        RecordColumns(db, objNo, owner, view.Name.Name);
    const std::int64_t columnCount =
        QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."COL$" WHERE "OBJ#" = ?)", {objNo})
            .value_or(0);
    RunStatement(db,
                 R"(INSERT OR REPLACE INTO SYS."VIEW$" ("OBJ#", "COLS", "INTCOLS", "TEXTLENGTH",
                        "TEXT") VALUES (?, ?, ?, ?, ?))",
                 {objNo, columnCount, columnCount, static_cast<std::int64_t>(view.Query.size()),
                  view.Query});
    for (const TRow& row :
         QueryRows(db, R"(SELECT "CON#" FROM SYS."CDEF$" WHERE "OBJ#" = ?)", {objNo}))
        dictionary.PurgeConstraint(row[0].AsInteger());
    if (view.ConstraintType)
        dictionary.AddConstraint(ownerNo, view.ConstraintName, objNo, *view.ConstraintType, 0, {});
    RecordErrors(db, objNo, error ? std::vector<std::string>{*error} : std::vector<std::string>{});
    savepoint.Release();
    if (error)
        throw Exception(kCompiledWithErrors);
}

} // namespace quorvex::emulation
