#include "engine/sql/SqliteTranslator.h"

#include "persistence/Exceptions.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace quorvex::sql {
namespace {

struct TTranslateCase {
    std::string Sql;
    std::string Expected;
};

void PrintTo(const TTranslateCase& value, std::ostream* out)
{
    *out << value.Sql;
}

class TranslateCases : public ::testing::TestWithParam<TTranslateCase> {};

TEST_P(TranslateCases, GivesSqliteText)
{
    EXPECT_EQ(TranslateForSqlite(GetParam().Sql), GetParam().Expected);
}

const std::string kNow = "datetime('now','localtime')";

INSTANTIATE_TEST_SUITE_P(
    Translator, TranslateCases,
    ::testing::Values(
        TTranslateCase{"SELECT * FROM SYS.OBJ$", "SELECT * FROM SYS.\"OBJ$\""},
        TTranslateCase{"SELECT * FROM sys.obj$ o", "SELECT * FROM sys.\"OBJ$\" o"},
        TTranslateCase{
            "SELECT \"USER#\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1\n AND USER# = 5",
            "SELECT \"USER#\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1\n AND \"USER#\" = 5"},
        TTranslateCase{"SELECT o.obj#, o.Name FROM OBJ$ o",
                       "SELECT o.\"OBJ#\", o.Name FROM \"OBJ$\" o"},
        TTranslateCase{"SELECT \"obj$\", 'OBJ$', x -- OBJ$\n/* USER# */ FROM t",
                       "SELECT \"obj$\", 'OBJ$', x -- OBJ$\n/* USER# */ FROM t"},
        TTranslateCase{"SELECT SYSDATE FROM DUAL", "SELECT " + kNow + " FROM DUAL"},
        TTranslateCase{"select sysdate,SysDate from dual",
                       "select " + kNow + "," + kNow + " from dual"},
        TTranslateCase{"SELECT \"SYSDATE\", 'SYSDATE', SYSDATE_X, t.SYSDATE, SYSDATE$ FROM t",
                       "SELECT \"SYSDATE\", 'SYSDATE', SYSDATE_X, t.SYSDATE, \"SYSDATE$\" FROM t"},
        TTranslateCase{"SELECT /*+RULE*/ x FROM t WHERE a = :USER_NO AND b = :0 AND c = :OBJ$",
                       "SELECT /*+RULE*/ x FROM t WHERE a = :USER_NO AND b = :0 AND c = :OBJ$"},
        TTranslateCase{"SELECT o.NAME, c.COMMENT$ FROM SYS.OBJ$ o, SYS.COM$ c WHERE o.OBJ# = "
                       "c.OBJ#(+) AND c.COL#(+) = 0",
                       "SELECT o.NAME, c.\"COMMENT$\" FROM SYS.\"OBJ$\" o LEFT JOIN SYS.\"COM$\" c "
                       "ON o.\"OBJ#\" = c.\"OBJ#\" AND c.\"COL#\" = 0"},
        TTranslateCase{"", ""},
        TTranslateCase{"UPDATE t SET x = 'open", "UPDATE t SET x = 'open"}));

TEST(Translator, PassesOuterJoinErrorsOn)
{
    EXPECT_THROW(TranslateForSqlite("SELECT * FROM a, b WHERE a.id = b.id(+) OR a.id IS NULL"),
                 Exception);
}

} // namespace
} // namespace quorvex::sql
