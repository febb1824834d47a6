#include "engine/emulation/AnonymousBlock.h"

#include "persistence/Exceptions.h"

#include <optional>
#include <set>
#include <sqlite3.h>

namespace quorvex::emulation {

namespace {

// One statement of the block: its text, or the kind that the block handles itself.
struct TBlockStatement {
    enum class TKind { Sql, Commit, Rollback, Nothing };
    TKind Kind = TKind::Sql;
    std::string Text;
};

// The text of a string literal token.
std::string Unquoted(std::string_view literal)
{
    std::string text;
    for (size_t k = 1; k + 1 < literal.size(); ++k) {
        text += literal[k];
        if (literal[k] == '\'')
            ++k;
    }
    return text;
}

TBlockStatement Classify(const TStatementTokens& t, size_t first, size_t last,
                         const std::set<std::string>& declared)
{
    for (size_t k = first; k < last; ++k)
        if (t[k].Kind == sql::TTokenKind::Word && declared.count(sql::NameOf(t[k])) > 0)
            throw Exception(kOnlySqlInBlocks);
    using TKind = TBlockStatement::TKind;
    const size_t count = last - first;
    if (t.IsKeyword(first, "NULL") && count == 1)
        return {TKind::Nothing, {}};
    // Progress messages of data scripts: the embedded engine has no output to show them in.
    if (t.IsKeyword(first, "DBMS_OUTPUT") && t.IsSymbol(first + 1, "."))
        return {TKind::Nothing, {}};
    if (t.IsKeyword(first, "COMMIT") && (count == 1 || t.IsKeyword(first + 1, "WORK")))
        return {TKind::Commit, {}};
    if (t.IsKeyword(first, "ROLLBACK") && (count == 1 || t.IsKeyword(first + 1, "WORK")))
        return {TKind::Rollback, {}};
    if (t.IsKeyword(first, "EXECUTE") && t.IsKeyword(first + 1, "IMMEDIATE") && count == 3 &&
        t[first + 2].Kind == sql::TTokenKind::String)
        return {TKind::Sql, Unquoted(t[first + 2].Text)};
    for (const char* word : {"INSERT", "UPDATE", "DELETE", "MERGE"})
        if (t.IsKeyword(first, word))
            return {TKind::Sql, std::string(t.Text(first, last))};
    throw Exception(kOnlySqlInBlocks);
}

// The statements between BEGIN and END; `quiet` tells of WHEN OTHERS THEN NULL.
std::vector<TBlockStatement> ReadBlock(const TStatementTokens& t, bool& quiet)
{
    size_t at = 0;
    std::set<std::string> declared;
    if (t.IsKeyword(0, "DECLARE")) {
        for (at = 1; at < t.Size() && !t.IsKeyword(at, "BEGIN"); ++at)
            if ((at == 1 || t.IsSymbol(at - 1, ";")) && t.IsName(at))
                declared.insert(sql::NameOf(t[at]));
    }
    if (!t.IsKeyword(at, "BEGIN"))
        throw Exception(kOnlySqlInBlocks);
    size_t end = t.Size();
    if (end > 0 && t.IsSymbol(end - 1, ";"))
        --end;
    if (end > 0 && t.IsName(end - 1) && !t.IsKeyword(end - 1, "END"))
        --end; // the label
    if (end == 0 || !t.IsKeyword(end - 1, "END"))
        throw Exception(kOnlySqlInBlocks);
    --end;
    std::vector<TBlockStatement> statements;
    size_t first = at + 1;
    for (size_t k = first; k < end; ++k) {
        if (t.IsKeyword(k, "EXCEPTION") && k == first) {
            // Only the handler that ignores every failure is understood.
            quiet = t.IsKeyword(k + 1, "WHEN") && t.IsKeyword(k + 2, "OTHERS") &&
                    t.IsKeyword(k + 3, "THEN") && t.IsKeyword(k + 4, "NULL") &&
                    t.IsSymbol(k + 5, ";") && k + 6 == end;
            if (!quiet)
                throw Exception(kOnlySqlInBlocks);
            return statements;
        }
        if (!t.IsSymbol(k, ";"))
            continue;
        if (k > first)
            statements.push_back(Classify(t, first, k, declared));
        first = k + 1;
    }
    if (first < end)
        throw Exception(kOnlySqlInBlocks); // a statement without its semicolon
    return statements;
}

} // namespace

bool EmulateBlock(const TEmulationContext& context, std::string_view sql, const TRunStatement& run)
{
    const TStatementTokens t(sql);
    if (!t.IsKeyword(0, "BEGIN") && !t.IsKeyword(0, "DECLARE"))
        return false;
    // SQLite's own BEGIN [DEFERRED | IMMEDIATE | EXCLUSIVE] [TRANSACTION] has no END.
    bool ended = false;
    for (size_t k = t.Size(); k-- > 0 && t.Size() - k <= 3;)
        ended = ended || t.IsKeyword(k, "END");
    if (!ended)
        return false;
    bool quiet = false;
    const auto statements = ReadBlock(t, quiet);
    sqlite3* db = context.Db();
    std::optional<TSavepoint> savepoint(std::in_place, db);
    // COMMIT and ROLLBACK end what the block did so far, and any transaction around it.
    const auto end = [&](bool commit) {
        if (commit)
            savepoint->Release();
        else
            savepoint->Rollback();
        savepoint.reset();
        if (sqlite3_get_autocommit(db) == 0)
            RunStatement(db, commit ? "COMMIT" : "ROLLBACK");
        savepoint.emplace(db);
    };
    using TKind = TBlockStatement::TKind;
    for (const TBlockStatement& statement : statements) {
        if (statement.Kind == TKind::Commit || statement.Kind == TKind::Rollback) {
            end(statement.Kind == TKind::Commit);
            continue;
        }
        if (statement.Kind == TKind::Nothing)
            continue;
        if (!quiet) {
            run(statement.Text);
            continue;
        }
        // Each statement is atomic; the handler keeps what ran before the failure.
        std::optional<TSavepoint> own(std::in_place, db);
        try {
            run(statement.Text);
            own->Release();
        } catch (const Exception&) {
            own.reset();
            break;
        }
    }
    savepoint->Release();
    return true;
}

} // namespace quorvex::emulation
