#include "engine/sql/StatementClassifier.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace quorvex::sql {
namespace {

struct TClassifyCase {
    std::string Sql;
    TStatementKind Kind;
};

void PrintTo(const TClassifyCase& value, std::ostream* out)
{
    *out << value.Sql;
}

class ClassifyCases : public ::testing::TestWithParam<TClassifyCase> {};

TEST_P(ClassifyCases, GivesTheKind)
{
    EXPECT_EQ(ClassifyStatement(GetParam().Sql), GetParam().Kind) << GetParam().Sql;
}

using K = TStatementKind;

INSTANTIATE_TEST_SUITE_P(
    Classifier, ClassifyCases,
    ::testing::Values(
        TClassifyCase{"SELECT * FROM DUAL", K::Select},
        TClassifyCase{"  select 1 from dual", K::Select},
        TClassifyCase{"WITH q AS (SELECT 1 FROM DUAL) SELECT * FROM q", K::Select},
        TClassifyCase{"(SELECT 1 FROM DUAL) UNION (SELECT 2 FROM DUAL)", K::Select},
        TClassifyCase{"/*+RULE*/ SELECT 1 FROM DUAL", K::Select},
        TClassifyCase{"-- header\n/* block\n */\r\n\tSelect 1 FROM DUAL", K::Select},
        TClassifyCase{"INSERT INTO t VALUES (1)", K::Insert},
        TClassifyCase{"update t set x = 1", K::Update}, TClassifyCase{"DELETE t", K::Delete},
        TClassifyCase{"MERGE INTO t USING s ON (1=1)", K::Merge},
        TClassifyCase{"CREATE TABLE t (x NUMBER)", K::CreateTable},
        TClassifyCase{"create global temporary table t (x number)", K::CreateTable},
        TClassifyCase{"CREATE VIEW v AS SELECT 1 FROM DUAL", K::CreateView},
        TClassifyCase{"CREATE OR REPLACE VIEW v AS SELECT 1 FROM DUAL", K::CreateView},
        TClassifyCase{"CREATE OR REPLACE FORCE VIEW v AS SELECT 1 FROM DUAL", K::CreateView},
        TClassifyCase{"CREATE NO FORCE VIEW v AS SELECT 1 FROM DUAL", K::CreateView},
        TClassifyCase{"CREATE OR REPLACE NOFORCE EDITIONABLE VIEW v AS SELECT 1 FROM DUAL",
                      K::CreateView},
        TClassifyCase{"CREATE INDEX i ON t (x)", K::CreateIndex},
        TClassifyCase{"CREATE UNIQUE INDEX i ON t (x)", K::CreateIndex},
        TClassifyCase{"CREATE BITMAP INDEX i ON t (x)", K::CreateIndex},
        TClassifyCase{"CREATE SEQUENCE s", K::CreateOther},
        TClassifyCase{"CREATE OR REPLACE PROCEDURE p IS BEGIN NULL; END;", K::CreateOther},
        TClassifyCase{"CREATE OR REPLACE TRIGGER tr BEFORE INSERT ON t BEGIN NULL; END;",
                      K::CreateOther},
        TClassifyCase{"CREATE MATERIALIZED VIEW mv AS SELECT 1 FROM DUAL", K::CreateOther},
        TClassifyCase{"CREATE PUBLIC SYNONYM s FOR t", K::CreateOther},
        TClassifyCase{"CREATE", K::CreateOther},
        TClassifyCase{"CREATE \"TABLE\" x", K::CreateOther},
        TClassifyCase{"ALTER PROCEDURE p COMPILE", K::Alter},
        TClassifyCase{"DROP TABLE t", K::Drop},
        TClassifyCase{"EXPLAIN PLAN FOR SELECT 1 FROM DUAL", K::Explain},
        TClassifyCase{"BEGIN p; END;", K::Call},
        TClassifyCase{"DECLARE x NUMBER; BEGIN NULL; END;", K::Call},
        TClassifyCase{"CALL p()", K::Call}, TClassifyCase{"EXEC p", K::Call},
        TClassifyCase{"execute p", K::Call}, TClassifyCase{"COMMIT", K::Commit},
        TClassifyCase{"commit work", K::Commit}, TClassifyCase{"ROLLBACK", K::Rollback},
        TClassifyCase{"TRUNCATE TABLE t", K::Other},
        TClassifyCase{"GRANT SELECT ON t TO u", K::Other},
        TClassifyCase{"COMMENT ON TABLE t IS 'x'", K::Other}, TClassifyCase{"", K::Other},
        TClassifyCase{"   -- only a comment", K::Other},
        TClassifyCase{"/* unterminated SELECT", K::Other}, TClassifyCase{"\"SELECT\" 1", K::Other},
        TClassifyCase{"'SELECT'", K::Other}, TClassifyCase{"SELECTED", K::Other},
        TClassifyCase{"((", K::Other}));

} // namespace
} // namespace quorvex::sql
