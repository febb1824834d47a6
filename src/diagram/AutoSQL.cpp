#include "AutoSQL.h"

#include "DiagramDocument.h"
#include "JoinCondition.h"

#include <unordered_map>

namespace quorvex {

TAutoSqlParts BuildAutoSql(const TDiagramDocument& document)
{
    std::unordered_map<const TGDBComponent*, size_t> numbers;
    const auto& components = document.Components();
    for (size_t i = 0; i < components.size(); ++i)
        numbers.emplace(components[i].get(), i);

    TAutoSqlParts parts;
    for (size_t i = 0; i < components.size(); ++i) {
        if (!components[i]->IsTable())
            continue;
        const auto& table = static_cast<const TGDBTable&>(*components[i]);
        if (!table.Selected())
            continue;
        const std::string alias = "tab" + std::to_string(i);
        parts.Fields.push_back(alias + ".*");
        for (size_t row = 0; row < table.RowCount(); ++row) {
            const std::string line = table.Row(row);
            parts.Fields.push_back(alias + "." + line.substr(0, line.find('=')));
        }
        parts.From.push_back((parts.From.empty() ? "" : ",") + table.TableName() + " " + alias);
        // Only lines the tables list join: lines of layout files are drawn, not known.
        for (const TTableReference& reference : table.OutgoingReferences) {
            const TGDBTable* to = reference.Line->ToTable();
            if (to == nullptr || !to->Selected())
                continue;
            // The columns of the first entry named after that table.
            std::string fk;
            for (const TTableReference& entry : table.OutgoingReferences) {
                if (entry.Other()->TableName() == to->TableName()) {
                    fk = entry.Line->FkColumns;
                    break;
                }
            }
            if (!parts.Where.empty())
                parts.Where.push_back("AND");
            parts.Where.push_back(JoinCondition(alias, "tab" + std::to_string(numbers.at(to)),
                                                to->PrimaryKeyText, fk));
        }
    }
    return parts;
}

std::vector<std::string> AutoSqlLines(const std::vector<std::string>& select,
                                      const std::vector<std::string>& from,
                                      const std::vector<std::string>& where)
{
    std::vector<std::string> lines{"SELECT"};
    lines.insert(lines.end(), select.begin(), select.end());
    lines.push_back("FROM");
    if (from.empty())
        lines.push_back("DUAL");
    else
        lines.insert(lines.end(), from.begin(), from.end());
    if (!where.empty()) {
        lines.push_back("WHERE");
        lines.insert(lines.end(), where.begin(), where.end());
    }
    return lines;
}

} // namespace quorvex
