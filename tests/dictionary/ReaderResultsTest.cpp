// What LoadSchema and LoadSource make of a small database with one case of everything: owners,
// object kinds, columns, comments, constraints, triggers, indexes, sequences, views and source,
// read for SCOTT alone and for all owners.
#include "ReaderHarness.h"
#include "model/ObjectState.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// Object names sort in another order than their numbers; rows are inserted out of order.
const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (50027, 59, 'D', 2, 0),
    (50010, 59, 'T', 2, 1),
    (50011, 59, 'I', 1, 1),
    (50012, 59, 'TRG_T', 12, 1),
    (50013, 59, 'V', 4, 1),
    (50014, 59, 'S', 6, 1),
    (50015, 59, 'S_ORDERED', 6, 1),
    (50016, 59, 'P', 7, 1),
    (50017, 59, 'F', 8, 5),
    (50018, 59, 'PK', 9, 1),
    (50019, 59, 'PK', 11, 1),
    (50020, 59, 'SYN', 5, 1),
    (50021, 59, 'TRG_HR', 12, 1),
    (50022, 59, 'TRG_DB', 12, 1),
    (50023, 59, 'I_HR', 1, 1),
    (50024, 59, 'CL', 3, 1),
    (50025, 59, 'TYP', 13, 1),
    (50026, 59, 'X10', 10, 1),
    (50100, 46, 'EMP', 2, 1),
    (50101, 46, 'EMP_IX', 1, 1),
    (50102, 46, 'HR_SEQ', 6, 1);

-- B is the descending key of index I.
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH",
                    "PRECISION#", "SCALE", "NULL$", "DEFAULT$", "PROPERTY") VALUES
    (50010, 3, 3, 3, 'C', 2, 22, NULL, NULL, 0, '0', 0),
    (50100, 2, 2, 2, 'ENAME', 1, 10, NULL, NULL, 0, NULL, 0),
    (50010, 1, 1, 1, 'A', 2, 22, 4, 0, 1, NULL, 0),
    (50027, 1, 1, 1, 'ID', 2, 22, 2, 0, 1, NULL, 0),
    (50010, 2, 2, 2, 'B', 1, 10, NULL, NULL, 0, NULL, 131072),
    (50013, 1, 1, 1, 'A', 2, 22, 4, 0, 0, NULL, 0),
    (50100, 1, 1, 1, 'EMPNO', 2, 22, 4, 0, 1, NULL, 0);

INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (50010, 2, 'Column B'),
    (50010, NULL, 'Table T'),
    (50013, NULL, 'View V'),
    (50100, NULL, 'HR table');

INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES
    (59, 'U_ABC', 7001), (59, 'CK_C', 7002), (59, 'FK_D', 7003), (59, 'PK_D', 7004),
    (59, 'V_CHECK', 7005), (59, 'V_RO', 7006), (59, 'NN_A', 7007), (59, 'SCOTT_ON_HR', 7008),
    (46, 'PK_EMP', 7100);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ROBJ#", "RCON#", "REFACT", "ENABLED",
                     "CONDITION", "RRULES", "MATCH#") VALUES
    (7001, 50010, 3, NULL, NULL, NULL, 1, NULL, NULL, NULL),
    (7002, 50010, 1, NULL, NULL, NULL, NULL, 'C > 0', NULL, NULL),
    (7003, 50010, 4, 50027, 7004, 1, 1, NULL, 'RULES', 2),
    (7004, 50027, 2, NULL, NULL, NULL, 1, NULL, NULL, NULL),
    (7005, 50013, 5, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
    (7006, 50013, 6, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
    (7007, 50010, 7, NULL, NULL, NULL, 1, NULL, NULL, NULL),
    (7008, 50100, 1, NULL, NULL, NULL, 1, 'ENAME <> ''X''', NULL, NULL),
    (7100, 50100, 2, NULL, NULL, NULL, 1, NULL, NULL, NULL);
-- The unique key's columns are stored out of position order.
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#") VALUES
    (7001, 50010, 3, 3, 3),
    (7001, 50010, 1, 1, 1),
    (7001, 50010, 2, 2, 2),
    (7002, 50010, 3, NULL, 3),
    (7003, 50010, 1, 1, 1),
    (7004, 50027, 1, 1, 1),
    (7007, 50010, 1, NULL, 1),
    (7008, 50100, 2, NULL, 2),
    (7100, 50100, 1, 1, 1);

INSERT INTO "TRIGGER$" ("OBJ#", "BASEOBJECT", "DEFINITION", "ACTION#") VALUES
    (50012, 50010, 'SCOTT.TRG_T BEFORE INSERT ON SCOTT.T
', 'BEGIN NULL; END;
'),
    (50021, 50100, 'SCOTT.TRG_HR BEFORE DELETE ON HR.EMP
', 'BEGIN RAISE_APPLICATION_ERROR(-20000, ''no''); END;
'),
    (50022, 0, 'SCOTT.TRG_DB AFTER LOGON ON DATABASE
', 'BEGIN NULL; END;
');

INSERT INTO "VIEW$" ("OBJ#", "TEXT") VALUES (50013, 'SELECT A FROM T');

INSERT INTO "SEQ$" ("OBJ#", "HIGHWATER", "INCREMENT$", "MINVALUE", "MAXVALUE", "CYCLE#",
                    "CACHE", "ORDER$") VALUES
    (50014, 1, 1, NULL, 999999999999999999999999999, NULL, 20, NULL),
    (50015, 100, 5, 1, NULL, 1, NULL, 1),
    (50102, 1, 1, 1, 1000, NULL, NULL, NULL);

-- I on T (A, B DESC), with its positions stored in reverse; SCOTT's I_HR and HR's EMP_IX on
-- HR's table.
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES
    (50011, 50010, 2, 2, 2),
    (50011, 50010, 1, 1, 1),
    (50023, 50100, 1, 1, 1),
    (50101, 50100, 2, 1, 2);

INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (50016, 2, 'BEGIN
'), (50016, 1, 'PROCEDURE P IS
'), (50016, 3, '  NULL;
'), (50016, 4, 'END;
'),
    (50017, 1, 'FUNCTION F RETURN NUMBER IS
'), (50017, 2, 'BEGIN RETURN 1; END;
'),
    (50018, 1, 'PACKAGE PK IS
'), (50018, 2, 'END;
'),
    (50019, 1, 'PACKAGE BODY PK IS
'), (50019, 2, 'END;
'),
    (50020, 1, '-- not code
');
)";

TObjectItem* ObjectNo(const TDBNewOracle& root, std::int32_t number)
{
    return root.Objects().FindByOID(number);
}

class ReaderResultsTest : public ::testing::Test {
protected:
    TReaderHarness m_harness{kSchema};
};

TEST_F(ReaderResultsTest, OwnersOfOneUserOrOfAll)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    ASSERT_EQ(root.Owners().Count(), 1);
    EXPECT_EQ(root.Owners().Items(0)->OwnerName, "SCOTT");
    EXPECT_EQ(root.Owners().Items(0)->OwnerNo, 59);
    EXPECT_EQ(root.Owners().Items(0)->OID, 59);

    root.IncludeSys = true;
    m_harness.LoadSchema();
    // Users only (no roles), sorted by number.
    ASSERT_EQ(root.Owners().Count(), 3);
    EXPECT_EQ(root.Owners().Items(0)->OwnerName, "SYS");
    EXPECT_EQ(root.Owners().Items(1)->OwnerName, "HR");
    EXPECT_EQ(root.Owners().Items(2)->OwnerName, "SCOTT");
    EXPECT_EQ(root.Owners().Items(1)->OID, 46);
}

TEST_F(ReaderResultsTest, ObjectsOfTheReadKindsSortedByNumber)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    // I and TRG_T moved under T; the cluster, the type and kind 10 are never read. TRG_HR and
    // I_HR stay: their table belongs to HR, which was not read. TRG_DB is a database trigger.
    EXPECT_EQ(ObjectNames(root.Objects()),
              (std::vector<std::string>{"T", "V", "S", "S_ORDERED", "P", "F", "PK", "PK", "SYN",
                                        "TRG_HR", "TRG_DB", "I_HR", "D"}));
    for (int i = 1; i < root.Objects().Count(); ++i)
        EXPECT_LT(root.Objects().Items(i - 1)->OID, root.Objects().Items(i)->OID);
    TObjectItem* f = ObjectNo(root, 50017);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->ObjectType, 8);
    EXPECT_EQ(f->ObjectState, ObjectStates::Invalid); // STATUS 5
    EXPECT_EQ(f->OwnerNo, 59);
    EXPECT_EQ(f->ObjectNo, 50017);
    EXPECT_EQ(ObjectNo(root, 50027)->ObjectState, ObjectStates::Normal); // STATUS 0
    EXPECT_EQ(ObjectNo(root, 50010)->ObjectState, ObjectStates::Normal); // STATUS 1
    EXPECT_EQ(ObjectNo(root, 50019)->ObjectType, 11);

    root.IncludeSys = true;
    m_harness.LoadSchema();
    // HR's trigger and both indexes on EMP now have their table; SYS's DUAL and PUBLIC's
    // synonym DUAL come with the database.
    EXPECT_EQ(ObjectNames(root.Objects()),
              (std::vector<std::string>{"DUAL", "DUAL", "T", "V", "S", "S_ORDERED", "P", "F", "PK",
                                        "PK", "SYN", "TRG_DB", "D", "EMP", "HR_SEQ"}));
}

TEST_F(ReaderResultsTest, ColumnsInColumnOrderWithTheirComments)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    TObjectItem* t = ObjectNo(root, 50010);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->CommentText, "Table T");
    ASSERT_EQ(t->ObjectFields().Count(), 3);
    struct {
        const char* Name;
        int No, Type, Length, Precision, Scale, Null;
        const char* Default;
        const char* Comment;
    } const expected[] = {{"A", 1, 2, 22, 4, 0, 1, "", ""},
                          {"B", 2, 1, 10, -1, -1, 0, "", "Column B"},
                          {"C", 3, 2, 22, -1, -1, 0, "0", ""}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TFieldItem* field = t->ObjectFields().Items(i);
        EXPECT_EQ(field->FieldName, expected[i].Name);
        EXPECT_EQ(field->FieldNo, expected[i].No);
        EXPECT_EQ(field->ObjectNo, 50010);
        EXPECT_EQ(field->OID, 50010 * 256 + expected[i].No);
        EXPECT_EQ(field->FieldType, expected[i].Type);
        EXPECT_EQ(field->Length, expected[i].Length);
        EXPECT_EQ(field->Precision, expected[i].Precision);
        EXPECT_EQ(field->Scale, expected[i].Scale);
        EXPECT_EQ(field->Null, expected[i].Null);
        EXPECT_EQ(field->DefaultVal, expected[i].Default);
        EXPECT_EQ(field->CommentText, expected[i].Comment);
    }
    // Only tables have their columns read; the view keeps its comment.
    TObjectItem* v = ObjectNo(root, 50013);
    EXPECT_EQ(v->FieldsIfAny() == nullptr ? 0 : v->FieldsIfAny()->Count(), 0);
    EXPECT_EQ(v->CommentText, "View V");
    ASSERT_EQ(ObjectNo(root, 50027)->ObjectFields().Count(), 1);

    root.IncludeSys = true;
    m_harness.LoadSchema();
    TObjectItem* emp = ObjectNo(root, 50100);
    ASSERT_NE(emp, nullptr);
    EXPECT_EQ(emp->CommentText, "HR table");
    ASSERT_EQ(emp->ObjectFields().Count(), 2);
    EXPECT_EQ(emp->ObjectFields().Items(0)->FieldName, "EMPNO");
    EXPECT_EQ(emp->ObjectFields().Items(1)->FieldName, "ENAME");
    EXPECT_EQ(ObjectNo(root, 50010)->ObjectFields().Count(), 3);
}

TEST_F(ReaderResultsTest, ConstraintsFoldedAttachedAndDisabled)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    TObjectItem* t = ObjectNo(root, 50010);
    ASSERT_NE(t, nullptr);
    const TConstraintList& constraints = t->ObjectConstraints();
    // Row order: constraint name, then column position.
    ASSERT_EQ(constraints.Count(), 4);
    struct {
        const char* Name;
        int No, Type, State;
        const char* RefFields;
        const char* Text;
    } const expected[] = {
        {"CK_C", 7002, 1, ObjectStates::Disabled, "C", "C > 0 [DISABLED]"},
        {"FK_D", 7003, 4, ObjectStates::Normal, "A", "REFERENCES D (A) ON DELETE CASCADE"},
        {"NN_A", 7007, 7, ObjectStates::Normal, "A", "A IS NOT NULL"},
        {"U_ABC", 7001, 3, ObjectStates::Normal, "A,B,C", "UNIQUE KEY"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(expected[i].Name);
        const TConstraintItem* c = constraints.Items(i);
        EXPECT_EQ(c->ObjectName, expected[i].Name);
        EXPECT_EQ(c->ConstNo, expected[i].No);
        EXPECT_EQ(c->OID, expected[i].No);
        EXPECT_EQ(c->ConstType, expected[i].Type);
        EXPECT_EQ(c->ObjectState, expected[i].State);
        EXPECT_EQ(c->RefFields, expected[i].RefFields);
        EXPECT_EQ(c->ObjectText, expected[i].Text);
        EXPECT_EQ(c->TableName, "T");
        EXPECT_EQ(c->ObjectNo, 50010);
        EXPECT_EQ(c->OwnerNo, 59);
        EXPECT_EQ(c->Columns, "");
    }
    const TConstraintItem* fk = constraints.Items(1);
    EXPECT_EQ(fk->RefObjName, "D");
    EXPECT_EQ(fk->RefObjectNo, 50027);
    EXPECT_EQ(fk->RefConstNo, 7004);
    EXPECT_TRUE(fk->RefAct);
    EXPECT_EQ(fk->RefRules, "RULES");
    EXPECT_EQ(fk->Match, 2);
    EXPECT_EQ(constraints.Items(0)->Condition, "C > 0");
    EXPECT_FALSE(constraints.Items(0)->RefAct);

    // View constraints (types 5 and 6) are never disabled, whatever ENABLED holds.
    const TConstraintList& viewConstraints = ObjectNo(root, 50013)->ObjectConstraints();
    ASSERT_EQ(viewConstraints.Count(), 2);
    EXPECT_EQ(viewConstraints.Items(0)->ObjectName, "V_CHECK");
    EXPECT_EQ(viewConstraints.Items(0)->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(viewConstraints.Items(0)->ObjectText, "WITH CHECK OPTION");
    EXPECT_EQ(viewConstraints.Items(0)->TableName, "V");
    EXPECT_EQ(viewConstraints.Items(1)->ObjectName, "V_RO");
    EXPECT_EQ(viewConstraints.Items(1)->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(viewConstraints.Items(1)->ObjectText, "WITH READ ONLY");
    ASSERT_EQ(ObjectNo(root, 50027)->ObjectConstraints().Count(), 1);
    EXPECT_EQ(ObjectNo(root, 50027)->ObjectConstraints().Items(0)->ObjectText, "PRIMARY KEY");

    // SCOTT's constraint on HR's table has no table to go to when SCOTT alone is read.
    root.IncludeSys = true;
    m_harness.LoadSchema();
    const TConstraintList& hr = ObjectNo(root, 50100)->ObjectConstraints();
    ASSERT_EQ(hr.Count(), 2);
    EXPECT_EQ(hr.Items(0)->ObjectName, "PK_EMP");
    EXPECT_EQ(hr.Items(0)->RefFields, "EMPNO");
    EXPECT_EQ(hr.Items(1)->ObjectName, "SCOTT_ON_HR");
    EXPECT_EQ(hr.Items(1)->ObjectText, "ENAME <> 'X'");
    EXPECT_EQ(hr.Items(1)->TableName, "EMP");
}

TEST_F(ReaderResultsTest, TriggersMoveUnderTheirTables)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    TObjectItem* t = ObjectNo(root, 50010);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->ObjectTriggers().Count(), 1);
    const TTriggerItem* trigger = t->ObjectTriggers().Items(0);
    EXPECT_EQ(trigger->ObjectName, "TRG_T");
    EXPECT_EQ(trigger->ObjectType, 12);
    EXPECT_EQ(trigger->ObjectNo, 50012);
    EXPECT_EQ(trigger->OID, 50012);
    EXPECT_EQ(trigger->OwnerNo, 59);
    EXPECT_EQ(trigger->ObjectText, "SCOTT.TRG_T BEFORE INSERT ON SCOTT.T\nBEGIN NULL; END;\n");
    EXPECT_EQ(ObjectNo(root, 50012), nullptr);

    // On another owner's table read without it: stays with its text.
    TObjectItem* onHr = ObjectNo(root, 50021);
    ASSERT_NE(onHr, nullptr);
    EXPECT_EQ(onHr->ObjectText, "SCOTT.TRG_HR BEFORE DELETE ON HR.EMP\n"
                                "BEGIN RAISE_APPLICATION_ERROR(-20000, 'no'); END;\n");
    TObjectItem* database = ObjectNo(root, 50022);
    ASSERT_NE(database, nullptr);
    EXPECT_EQ(database->ObjectText, "SCOTT.TRG_DB AFTER LOGON ON DATABASE\nBEGIN NULL; END;\n");
    EXPECT_EQ(database->GetCreatingText(), database->ObjectText);

    root.IncludeSys = true;
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNo(root, 50021), nullptr);
    TObjectItem* emp = ObjectNo(root, 50100);
    ASSERT_EQ(emp->ObjectTriggers().Count(), 1);
    EXPECT_EQ(emp->ObjectTriggers().Items(0)->ObjectName, "TRG_HR");
    EXPECT_NE(ObjectNo(root, 50022), nullptr);
}

TEST_F(ReaderResultsTest, IndexesMoveUnderTheirTables)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    TObjectItem* t = ObjectNo(root, 50010);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->ObjectIndexes().Count(), 1);
    const TIndexItem* index = t->ObjectIndexes().Items(0);
    EXPECT_EQ(index->ObjectName, "I");
    EXPECT_EQ(index->ObjectNo, 50011);
    EXPECT_EQ(index->ObjectType, 1);
    EXPECT_EQ(index->TableName, "T");
    EXPECT_EQ(index->IndexFields, "A,B DESC");
    EXPECT_EQ(index->ObjectText, "CREATE INDEX I ON T (A,B DESC)");
    EXPECT_EQ(ObjectNo(root, 50011), nullptr);
    // SCOTT's index on HR's table stays, without text.
    TObjectItem* onHr = ObjectNo(root, 50023);
    ASSERT_NE(onHr, nullptr);
    EXPECT_EQ(onHr->ObjectText, "");

    root.IncludeSys = true;
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNo(root, 50023), nullptr);
    EXPECT_EQ(ObjectNo(root, 50101), nullptr);
    const TIndexList& indexes = ObjectNo(root, 50100)->ObjectIndexes();
    ASSERT_EQ(indexes.Count(), 2);
    EXPECT_EQ(indexes.Items(0)->ObjectText, "CREATE INDEX I_HR ON EMP (EMPNO)");
    EXPECT_EQ(indexes.Items(1)->ObjectText, "CREATE INDEX EMP_IX ON EMP (ENAME)");
    EXPECT_EQ(ObjectNo(root, 50010)->ObjectIndexes().Count(), 1);
}

TEST_F(ReaderResultsTest, SequenceAndViewTexts)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNo(root, 50014)->ObjectText, "CREATE SEQUENCE \"S\"\r\n"
                                                 " START WITH 1\r\n"
                                                 " INCREMENT BY 1\r\n"
                                                 " NOMINVALUE\r\n"
                                                 " MAXVALUE 1E27\r\n"
                                                 " NOCYCLE\r\n"
                                                 " CACHE 20\r\n"
                                                 " NOORDER;");
    EXPECT_EQ(ObjectNo(root, 50015)->ObjectText, "CREATE SEQUENCE \"S_ORDERED\"\r\n"
                                                 " START WITH 100\r\n"
                                                 " INCREMENT BY 5\r\n"
                                                 " MINVALUE 1\r\n"
                                                 " NOMAXVALUE\r\n"
                                                 " CYCLE\r\n"
                                                 " NOCACHE\r\n"
                                                 " ORDER;");
    EXPECT_EQ(ObjectNo(root, 50013)->ObjectText, "CREATE OR REPLACE VIEW V AS SELECT A FROM T");
    EXPECT_EQ(ObjectNo(root, 50013)->GetCreatingText(), ObjectNo(root, 50013)->ObjectText);
    // HR's sequence row is read too but has no object to go to.
    EXPECT_EQ(root.Objects().Count(), 13);

    root.IncludeSys = true;
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNo(root, 50102)->ObjectText,
              "CREATE SEQUENCE \"HR_SEQ\"\r\n START WITH 1\r\n INCREMENT BY 1\r\n MINVALUE 1\r\n"
              " MAXVALUE 1000\r\n NOCYCLE\r\n NOCACHE\r\n NOORDER;");
}

TEST_F(ReaderResultsTest, SourceOfStoredCode)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    EXPECT_EQ(root.SourceLoaded, 0);
    m_harness.LoadSource();
    EXPECT_GT(root.SourceLoaded, 0);
    const std::pair<std::int32_t, const char*> expected[] = {
        {50016, "CREATE OR REPLACE PROCEDURE P IS\nBEGIN\n  NULL;\nEND;\n"},
        {50017, "CREATE OR REPLACE FUNCTION F RETURN NUMBER IS\nBEGIN RETURN 1; END;\n"},
        {50018, "CREATE OR REPLACE PACKAGE PK IS\nEND;\n"},
        {50019, "CREATE OR REPLACE PACKAGE BODY PK IS\nEND;\n"},
        // The synonym's row is not read for SCOTT alone (only stored code is).
        {50020, ""},
        // Objects without source rows keep their texts.
        {50013, "CREATE OR REPLACE VIEW V AS SELECT A FROM T"},
    };
    for (const auto& [number, text] : expected)
        EXPECT_EQ(ObjectNo(root, number)->ObjectText, text) << number;

    // A second read replaces the texts rather than adding to them.
    m_harness.LoadSource();
    for (const auto& [number, text] : expected)
        EXPECT_EQ(ObjectNo(root, number)->ObjectText, text) << number;

    // Read for all owners, an object of another kind gets its lines without the prefix.
    root.IncludeSys = true;
    m_harness.LoadSource();
    EXPECT_EQ(ObjectNo(root, 50020)->ObjectText, "-- not code\n");
    EXPECT_EQ(ObjectNo(root, 50016)->ObjectText,
              "CREATE OR REPLACE PROCEDURE P IS\nBEGIN\n  NULL;\nEND;\n");
}

TEST_F(ReaderResultsTest, LoadSchemaStartsFromEmpty)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    m_harness.LoadSource();
    const double source = root.SourceLoaded;
    EXPECT_GT(source, 0);
    m_harness.LoadSchema();
    EXPECT_EQ(root.SourceLoaded, 0);
    EXPECT_EQ(ObjectNo(root, 50016)->ObjectText, "");
    EXPECT_EQ(root.Objects().Count(), 13);
    EXPECT_EQ(ObjectNo(root, 50010)->ObjectFields().Count(), 3);
    EXPECT_EQ(ObjectNo(root, 50010)->ObjectConstraints().Count(), 4);
}

} // namespace
} // namespace quorvex::test
