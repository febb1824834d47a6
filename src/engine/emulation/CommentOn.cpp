#include "engine/emulation/CommentOn.h"

#include "engine/emulation/TableColumns.h"
#include "persistence/Exceptions.h"

#include <vector>

namespace quorvex::emulation {

namespace {

// The text of a quoted literal: '' inside stands for one quote.
std::string LiteralText(std::string_view quoted)
{
    std::string text;
    for (size_t k = 1; k + 1 < quoted.size(); ++k) {
        text += quoted[k];
        if (quoted[k] == '\'' && quoted[k + 1] == '\'')
            ++k;
    }
    return text;
}

} // namespace

void EmulateComment(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    const bool onColumn = t.IsKeyword(2, "COLUMN");
    if (!onColumn && !t.IsKeyword(2, "TABLE"))
        return;
    // The dotted name: [schema.]table or [schema.]table.column.
    std::vector<std::string> parts;
    size_t k = 3;
    while (t.IsName(k)) {
        parts.push_back(sql::NameOf(t[k++]));
        if (!t.IsSymbol(k, "."))
            break;
        ++k;
    }
    const size_t tableParts = parts.size() - (onColumn ? 1 : 0);
    if (parts.empty() || tableParts < 1 || tableParts > 2)
        throw Exception("ORA-00904: : invalid identifier");
    if (!t.IsKeyword(k, "IS") || k + 1 >= t.Size() || t[k + 1].Kind != sql::TTokenKind::String)
        throw Exception("ORA-01780: string literal required");
    const std::string text = LiteralText(t[k + 1].Text);

    TDictionary& dictionary = context.Dictionary;
    const TObjectName name{tableParts == 2 ? parts[0] : std::string(), parts[tableParts - 1]};
    const std::int64_t ownerNo = dictionary.UserNo(dictionary.OwnerOf(name));
    const auto object =
        dictionary.Find(ownerNo, name.Name, {object_types::kTable, object_types::kView});
    if (!object)
        throw Exception("ORA-00942: table or view does not exist");
    TParamValue colNo;
    if (onColumn)
        colNo = ColumnNo(context.Db(), object->ObjNo, parts.back());

    TSavepoint savepoint(context.Db());
    RunStatement(context.Db(), R"(DELETE FROM SYS."COM$" WHERE "OBJ#" = ? AND "COL#" IS ?)",
                 {object->ObjNo, colNo});
    if (!text.empty())
        RunStatement(context.Db(),
                     R"(INSERT INTO SYS."COM$" ("OBJ#", "COL#", "COMMENT$") VALUES (?, ?, ?))",
                     {object->ObjNo, colNo, text});
    savepoint.Release();
}

} // namespace quorvex::emulation
