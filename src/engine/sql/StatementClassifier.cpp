#include "engine/sql/StatementClassifier.h"

#include "engine/sql/SqlTokenizer.h"

#include <array>
#include <utility>
#include <vector>

namespace quorvex::sql {

namespace {

TStatementKind ClassifyCreate(const std::vector<TToken>& words, size_t next)
{
    // Modifiers that may stand between CREATE and the object kind.
    constexpr std::array<std::string_view, 10> kModifiers = {
        "OR",     "REPLACE", "FORCE",       "NOFORCE",        "GLOBAL",
        "UNIQUE", "BITMAP",  "EDITIONABLE", "NONEDITIONABLE", "TEMPORARY"};
    while (next < words.size()) {
        bool modifier = false;
        for (std::string_view keyword : kModifiers) {
            modifier = modifier || IsKeyword(words[next], keyword);
        }
        // NO FORCE is written as two words too.
        if (IsKeyword(words[next], "NO") && next + 1 < words.size() &&
            IsKeyword(words[next + 1], "FORCE")) {
            modifier = true;
            ++next;
        }
        if (!modifier) {
            break;
        }
        ++next;
    }
    if (next >= words.size()) {
        return TStatementKind::CreateOther;
    }
    if (IsKeyword(words[next], "TABLE")) {
        return TStatementKind::CreateTable;
    }
    if (IsKeyword(words[next], "VIEW")) {
        return TStatementKind::CreateView;
    }
    if (IsKeyword(words[next], "INDEX")) {
        return TStatementKind::CreateIndex;
    }
    return TStatementKind::CreateOther;
}

} // namespace

TStatementKind ClassifyStatement(std::string_view sql)
{
    // Only the first few significant tokens matter.
    std::vector<TToken> words;
    for (const TToken& token : Tokenize(sql)) {
        if (!IsSignificant(token)) {
            continue;
        }
        if (words.empty() && IsSymbol(token, "(")) {
            continue; // (SELECT ...) UNION (SELECT ...)
        }
        words.push_back(token);
        if (words.size() >= 8) {
            break;
        }
    }
    if (words.empty()) {
        return TStatementKind::Other;
    }
    constexpr std::array<std::pair<std::string_view, TStatementKind>, 17> kLeading = {{
        {"SELECT", TStatementKind::Select},
        {"WITH", TStatementKind::Select},
        {"INSERT", TStatementKind::Insert},
        {"UPDATE", TStatementKind::Update},
        {"DELETE", TStatementKind::Delete},
        {"MERGE", TStatementKind::Merge},
        {"ALTER", TStatementKind::Alter},
        {"DROP", TStatementKind::Drop},
        {"EXPLAIN", TStatementKind::Explain},
        {"BEGIN", TStatementKind::Call},
        {"DECLARE", TStatementKind::Call},
        {"CALL", TStatementKind::Call},
        {"EXEC", TStatementKind::Call},
        {"EXECUTE", TStatementKind::Call},
        {"COMMIT", TStatementKind::Commit},
        {"ROLLBACK", TStatementKind::Rollback},
        {"CREATE", TStatementKind::CreateOther},
    }};
    for (const auto& [keyword, kind] : kLeading) {
        if (IsKeyword(words[0], keyword)) {
            return kind == TStatementKind::CreateOther ? ClassifyCreate(words, 1) : kind;
        }
    }
    return TStatementKind::Other;
}

} // namespace quorvex::sql
