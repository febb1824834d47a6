#include "SqliteStatementPreparer.h"

#include "engine/emulation/ConcatRewriter.h"
#include "engine/emulation/HierarchicalQuery.h"
#include "engine/sql/SqlTokenizer.h"
#include "engine/sql/SqliteTranslator.h"

namespace quorvex {

namespace {

// Cheap tests that spare the common statement two more passes of the tokenizer.
bool MayConcatenate(std::string_view sql)
{
    return sql.find("||") != std::string_view::npos;
}

bool MayConnect(std::string_view sql)
{
    for (size_t at = sql.find_first_of("Cc"); at != std::string_view::npos;
         at = sql.find_first_of("Cc", at + 1))
        if (sql::ToUpper(sql.substr(at, 7)) == "CONNECT")
            return true;
    return false;
}

} // namespace

std::string TSqliteStatementPreparer::Prepare(std::string_view oracleSql) const
{
    std::string sql = sql::TranslateForSqlite(oracleSql);
    if (MayConcatenate(sql))
        sql = emulation::RewriteConcatenation(sql);
    if (MayConnect(sql))
        sql = emulation::RewriteHierarchicalQuery(sql);
    return sql;
}

} // namespace quorvex
