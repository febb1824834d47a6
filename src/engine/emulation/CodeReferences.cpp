#include "engine/emulation/CodeReferences.h"

#include <set>

namespace quorvex::emulation {

namespace {

class TReferenceCheck {
public:
    TReferenceCheck(const TDictionary& dictionary, const std::string& owner, std::string_view text)
        : m_dictionary(dictionary)
        , m_owner(owner)
        , m_text(text)
        , m_t(text)
    {
    }

    std::vector<TCodeError> Run()
    {
        CollectLocalNames();
        // The word before each open parenthesis: FROM inside EXTRACT( or TRIM( is no table.
        std::vector<std::string> opened;
        for (size_t k = 0; k < m_t.Size(); ++k) {
            if (m_t.IsSymbol(k, "(")) {
                opened.push_back(k > 0 && m_t.IsName(k - 1) ? sql::ToUpper(m_t[k - 1].Text) : "");
            } else if (m_t.IsSymbol(k, ")")) {
                if (!opened.empty())
                    opened.pop_back();
            } else if (m_t.IsKeyword(k, "FROM")) {
                const bool inFunction =
                    !opened.empty() && (opened.back() == "EXTRACT" || opened.back() == "TRIM");
                if (!inFunction)
                    CheckList(k, k + 1);
            } else if (m_t.IsKeyword(k, "JOIN") ||
                       (m_t.IsKeyword(k, "INTO") &&
                        (m_t.IsKeyword(k - 1, "INSERT") || m_t.IsKeyword(k - 1, "MERGE")))) {
                CheckTable(k, k + 1);
            } else if (m_t.IsKeyword(k, "UPDATE") && !m_t.IsKeyword(k - 1, "FOR") &&
                       (m_t.IsKeyword(k + 2, "SET") || m_t.IsKeyword(k + 3, "SET") ||
                        m_t.IsKeyword(k + 4, "SET"))) {
                CheckTable(k, k + 1);
            } else if (m_t.IsKeyword(k, "DELETE") && m_t.IsName(k + 1) &&
                       !m_t.IsKeyword(k + 1, "FROM")) {
                CheckTable(k, k + 1);
            } else if (m_t.IsSymbol(k, "%") &&
                       (m_t.IsKeyword(k + 1, "TYPE") || m_t.IsKeyword(k + 1, "ROWTYPE"))) {
                CheckAnchor(k, m_t.IsKeyword(k + 1, "ROWTYPE"));
            }
        }
        return std::move(m_errors);
    }

private:
    // Cursors and the queries' WITH names.
    void CollectLocalNames()
    {
        for (size_t k = 0; k + 1 < m_t.Size(); ++k) {
            if (m_t.IsKeyword(k, "CURSOR") && m_t.IsName(k + 1))
                m_local.insert(sql::NameOf(m_t[k + 1]));
            if ((m_t.IsKeyword(k, "WITH") || m_t.IsSymbol(k, ",")) && m_t.IsName(k + 1) &&
                m_t.IsKeyword(k + 2, "AS") && m_t.IsSymbol(k + 3, "("))
                m_local.insert(sql::NameOf(m_t[k + 1]));
        }
    }

    // FROM a [x], b [y], ...
    void CheckList(size_t keyword, size_t at)
    {
        while (m_t.IsName(at)) {
            size_t next = at;
            if (!CheckTable(keyword, at, &next))
                return;
            if (m_t.IsName(next) && m_t.IsSymbol(next + 1, ","))
                ++next;
            if (!m_t.IsSymbol(next, ","))
                return;
            at = next + 1;
        }
    }

    // False when no table name stands at `at`.
    bool CheckTable(size_t keyword, size_t at, size_t* after = nullptr)
    {
        size_t k = at;
        const auto name = ReadObjectName(m_t, k);
        if (!name || m_t.IsSymbol(k, "(") || m_t.IsSymbol(k, "."))
            return false;
        if (after != nullptr)
            *after = k;
        if (name->Schema.empty() && (m_local.count(name->Name) > 0 || name->Name == "DUAL"))
            return true;
        if (!Visible(*name)) {
            Add(StatementStart(keyword), "PL/SQL: SQL Statement ignored", 0);
            Add(at, "PL/SQL: ORA-00942: table or view does not exist", 942);
        }
        return true;
    }

    // table.column%TYPE, [schema.]table%ROWTYPE; a single name before %TYPE is a variable.
    void CheckAnchor(size_t percent, bool rowType)
    {
        std::vector<size_t> parts;
        for (size_t k = percent; k > 0 && m_t.IsName(k - 1);) {
            parts.insert(parts.begin(), k - 1);
            if (k < 2 || !m_t.IsSymbol(k - 2, "."))
                break;
            k -= 2;
        }
        const size_t tableParts = rowType ? parts.size() : parts.size() - 1;
        if (parts.empty() || tableParts == 0 || tableParts > 2)
            return;
        TObjectName name{{}, sql::NameOf(m_t[parts[tableParts - 1]])};
        if (tableParts == 2)
            name.Schema = sql::NameOf(m_t[parts[0]]);
        if (name.Schema.empty() && m_local.count(name.Name) > 0)
            return;
        // A package's variable anchors as well as a table's column.
        if (Visible(name) || (!rowType && Visible(name, {object_types::kPackage})))
            return;
        std::string written;
        for (const size_t part : parts)
            written += (written.empty() ? "" : ".") + sql::NameOf(m_t[part]);
        Add(parts.front(), "PL/SQL: Item ignored", 0);
        Add(parts.front(), "PLS-00201: identifier '" + written + "' must be declared", 201);
    }

    bool Visible(const TObjectName& name,
                 std::initializer_list<int> types = {object_types::kTable, object_types::kView,
                                                     object_types::kSynonym}) const
    {
        const auto userNo = [&](const std::string& user) -> std::optional<std::int64_t> {
            try {
                return m_dictionary.UserNo(user);
            } catch (const std::exception&) {
                return std::nullopt;
            }
        };
        const auto owner = userNo(name.Schema.empty() ? m_owner : name.Schema);
        if (owner && m_dictionary.Find(*owner, name.Name, types))
            return true;
        const auto publicNo = userNo("PUBLIC");
        return name.Schema.empty() && publicNo &&
               m_dictionary.Find(*publicNo, name.Name, {object_types::kSynonym}).has_value();
    }

    // The first token of the SQL statement holding `k`.
    size_t StatementStart(size_t k) const
    {
        while (k > 0 && !m_t.IsSymbol(k - 1, ";") && !m_t.IsKeyword(k - 1, "BEGIN") &&
               !m_t.IsKeyword(k - 1, "THEN") && !m_t.IsKeyword(k - 1, "ELSE") &&
               !m_t.IsKeyword(k - 1, "LOOP") && !m_t.IsKeyword(k - 1, "IS") &&
               !m_t.IsKeyword(k - 1, "AS") && !m_t.IsSymbol(k - 1, "("))
            --k;
        return k;
    }

    void Add(size_t token, std::string text, int number)
    {
        const size_t offset = m_t[token].Position;
        const size_t lineStart = m_text.rfind('\n', offset == 0 ? 0 : offset - 1);
        int line = 1;
        for (size_t k = 0; k < offset; ++k)
            line += m_text[k] == '\n' ? 1 : 0;
        const size_t column =
            lineStart == std::string_view::npos || offset == 0 ? offset : offset - lineStart - 1;
        m_errors.push_back({line, static_cast<int>(column) + 1, std::move(text), number});
    }

    const TDictionary& m_dictionary;
    const std::string& m_owner;
    std::string_view m_text;
    TStatementTokens m_t;
    std::set<std::string> m_local;
    std::vector<TCodeError> m_errors;
};

// The text a unit was checked by: the source lines, or a trigger's body.
std::optional<std::string> StoredText(sqlite3* db, std::int64_t objNo)
{
    if (const auto action =
            QueryText(db, R"(SELECT "ACTION#" FROM SYS."TRIGGER$" WHERE "OBJ#" = ?)", {objNo}))
        return action;
    const auto lines = QueryRows(
        db, R"(SELECT "SOURCE" FROM SYS."SOURCE$" WHERE "OBJ#" = ? ORDER BY "LINE")", {objNo});
    if (lines.empty())
        return std::nullopt;
    std::string text;
    for (const TRow& line : lines)
        text += line[0].AsText();
    return text;
}

} // namespace

std::vector<TCodeError> MissingReferences(const TDictionary& dictionary, const std::string& owner,
                                          std::string_view text)
{
    return TReferenceCheck(dictionary, owner, text).Run();
}

void RecordCodeErrors(sqlite3* db, std::int64_t objNo, const std::vector<TCodeError>& errors)
{
    RunStatement(db, R"(DELETE FROM SYS."ERROR$" WHERE "OBJ#" = ?)", {objNo});
    std::int64_t sequence = 0;
    for (const TCodeError& error : errors)
        RunStatement(db,
                     R"(INSERT INTO SYS."ERROR$" ("OBJ#", "SEQUENCE#", "LINE", "POSITION#",
                            "TEXTLENGTH", "TEXT", "PROPERTY", "ERROR#")
                        VALUES (?, ?, ?, ?, ?, ?, 0, ?))",
                     {objNo, ++sequence, std::int64_t{error.Line}, std::int64_t{error.Position},
                      static_cast<std::int64_t>(error.Text.size()), error.Text,
                      std::int64_t{error.Number}});
}

void RecheckReferences(const TDictionary& dictionary, const std::string& owner, std::int64_t objNo)
{
    sqlite3* db = dictionary.Db();
    const auto text = StoredText(db, objNo);
    if (!text)
        return;
    std::vector<TCodeError> errors;
    std::string previous;
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT "LINE", "POSITION#", "TEXT", "ERROR#"
                                          FROM SYS."ERROR$" WHERE "OBJ#" = ?
                                         ORDER BY "SEQUENCE#")",
                                     {objNo})) {
        const std::string message = row[2].AsText();
        const bool checks =
            message == "PL/SQL: SQL Statement ignored" ||
            message == "PL/SQL: ORA-00942: table or view does not exist" ||
            message == "PL/SQL: Item ignored" ||
            (message.starts_with("PLS-00201") && previous == "PL/SQL: Item ignored");
        if (!checks)
            errors.push_back({static_cast<int>(row[0].AsInteger()),
                              static_cast<int>(row[1].AsInteger()), message,
                              static_cast<int>(row[3].AsInteger())});
        previous = message;
    }
    for (TCodeError& error : MissingReferences(dictionary, owner, *text))
        errors.push_back(std::move(error));
    RecordCodeErrors(db, objNo, errors);
}

void InvalidateCodeNaming(TDictionary& dictionary, const std::string& name)
{
    sqlite3* db = dictionary.Db();
    // Only units whose text holds the name are checked again.
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT o."OBJ#", u."NAME" FROM SYS."OBJ$" o
                                          JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
                                         WHERE o."STATUS" = 1 AND o."TYPE#" IN (7, 8, 9, 11, 12)
                                           AND (EXISTS (SELECT 1 FROM SYS."SOURCE$" s
                                                         WHERE s."OBJ#" = o."OBJ#"
                                                           AND instr(upper(s."SOURCE"), ?) > 0)
                                                OR EXISTS (SELECT 1 FROM SYS."TRIGGER$" g
                                                            WHERE g."OBJ#" = o."OBJ#"
                                                              AND instr(upper(g."ACTION#"), ?)
                                                                  > 0)))",
                                     {sql::ToUpper(name), sql::ToUpper(name)})) {
        const auto text = StoredText(db, row[0].AsInteger());
        if (text && !MissingReferences(dictionary, row[1].AsText(), *text).empty())
            dictionary.SetStatus(row[0].AsInteger(), kStatusInvalid);
    }
}

} // namespace quorvex::emulation
