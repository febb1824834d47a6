#pragma once

#include <string>
#include <vector>

namespace quorvex {

class TDiagramDocument;

// The parts of a SELECT over the selected tables of a diagram: each table aliased "tab" + its
// component number, its fields ("tab0.*", "tab0.EMPNO", ...), its FROM line, and the join
// condition of every reference line between two selected tables, joined by lines "AND".
struct TAutoSqlParts {
    std::vector<std::string> Fields;
    std::vector<std::string> From;
    std::vector<std::string> Where;
};

TAutoSqlParts BuildAutoSql(const TDiagramDocument& document);

// The statement's lines: "SELECT", the select lines, "FROM", the FROM lines (or "DUAL" when
// there are none), and "WHERE" with the conditions when there are any.
std::vector<std::string> AutoSqlLines(const std::vector<std::string>& select,
                                      const std::vector<std::string>& from,
                                      const std::vector<std::string>& where);

} // namespace quorvex
