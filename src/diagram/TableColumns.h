#pragma once

#include <string>
#include <string_view>

namespace quorvex {

class TFieldItem;
class TGDBTable;
class TObjectItem;
class TQuery;

// Reading a diagram table's rows. Both append rows as they go, so a failure midway leaves the
// rows read before it.

// From the model object: the primary key from its constraint and index, the comments, and the
// rows, each column through the table's display mask. The rows are formatted once here, to be
// measured, and again whenever they are drawn: a table keeps only how many there are.
void LoadModelColumns(TGDBTable& table, const TObjectItem& object);
// A column's row of a table showing a model object: NAME=the mask applied to the column.
std::string ModelRow(const TGDBTable& table, const TFieldItem& field);
// From USER_CONS_COLUMNS, USER_TAB_COLUMNS and USER_COL_COMMENTS of the connected database.
void LoadDatabaseColumns(TGDBTable& table, TQuery& query);
// The comment of the table in USER_TAB_COMMENTS; false when it has no row there.
bool ReadTableComment(TQuery& query, const std::string& tableName, std::string& comment);

// The name as an SQL string literal body: embedded quotes doubled, so no name can change the
// statement it goes into.
std::string QuoteLiteral(std::string_view name);

} // namespace quorvex
