#include "model/ConstraintItem.h"

#include "model/DefaultItem.h"
#include "model/ObjectState.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvex {
namespace {

struct ConstraintCase {
    int constType;
    const char* typeName;
    const char* definition; // display text of an enabled constraint
    const char* creating;   // creating text of an enabled constraint, without ";"
};

// Every constraint has the same fields; only its type decides which of them show.
const ConstraintCase kConstraintCases[] = {
    {0, "", "", ""},
    {1, "User Check", "SAL > 0", "ALTER TABLE EMP ADD CONSTRAINT C1 AS SAL > 0"},
    {2, "Primary Key", "PRIMARY KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 PRIMARY KEY"},
    {3, "Unique Key", "UNIQUE KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 UNIQUE KEY"},
    {4, "Restriction", "REFERENCES DEPT (DEPTNO,LOC)",
     "ALTER TABLE EMP ADD CONSTRAINT C1 REFERENCES DEPT (DEPTNO,LOC)"},
    {5, "Validation", "WITH CHECK OPTION", "ALTER VIEW EMP ADD CONSTRAINT C1 WITH CHECK OPTION"},
    {6, "Access", "WITH READ ONLY", "ALTER VIEW EMP ADD CONSTRAINT C1 WITH READ ONLY"},
    {7, "Null Check", "DEPTNO,LOC IS NOT NULL",
     "ALTER TABLE EMP ADD CONSTRAINT C1 CHECK (\"DEPTNO,LOC\" IS NOT NULL)"},
    {8, "", "", ""},
};

void Fill(TConstraintItem& item, int constType, int state)
{
    item.ObjectName = "C1";
    item.TableName = "EMP";
    item.ConstType = constType;
    item.ObjectState = state;
    item.Condition = "SAL > 0";
    item.RefObjName = "DEPT";
    item.RefFields = "DEPTNO,LOC";
    item.RefRules = "rules";
    item.Columns = "COLUMNS"; // carried, never printed
    item.ObjectText = "stored";
}

class ConstraintTexts : public testing::TestWithParam<ConstraintCase> {};

TEST_P(ConstraintTexts, Enabled)
{
    const ConstraintCase& c = GetParam();
    EXPECT_EQ(ConstraintTypeName(c.constType), c.typeName);
    // Any state but 2 prints as enabled, the comparison marks included.
    for (int state : {ObjectStates::Normal, ObjectStates::Invalid, ObjectStates::Added,
                      ObjectStates::Removed, ObjectStates::Changed, ObjectStates::ChangedIndex}) {
        TConstraintItem item;
        Fill(item, c.constType, state);
        EXPECT_EQ(item.GetDisplayText(), c.definition) << state;
        EXPECT_EQ(item.GetKey(), std::string("Constraint : ") + c.definition) << state;
        const bool hasStatement = c.constType >= 1 && c.constType <= 7;
        EXPECT_EQ(item.GetCreatingText(), hasStatement ? std::string(c.creating) + ";" : "")
            << state;
    }
}

TEST_P(ConstraintTexts, Disabled)
{
    const ConstraintCase& c = GetParam();
    TConstraintItem item;
    Fill(item, c.constType, ObjectStates::Disabled);
    EXPECT_EQ(item.GetDisplayText(), std::string(c.definition) + " [DISABLED]");
    EXPECT_EQ(item.GetKey(), std::string("Constraint : ") + c.definition + " [DISABLED]");
    const bool hasStatement = c.constType >= 1 && c.constType <= 7;
    EXPECT_EQ(item.GetCreatingText(), hasStatement ? std::string(c.creating) + " DISABLE;" : "");
}

INSTANTIATE_TEST_SUITE_P(EveryType, ConstraintTexts, testing::ValuesIn(kConstraintCases));

TEST(ConstraintItem, TypeNameOutsideTheKnownTypesIsEmpty)
{
    for (int type : {-1, 0, 8, 9, 100})
        EXPECT_TRUE(ConstraintTypeName(type).empty()) << type;
}

TEST(ConstraintItem, CascadingReference)
{
    TConstraintItem item;
    item.ObjectName = "N";
    item.TableName = "T";
    item.ConstType = 4;
    item.RefObjName = "R";
    item.RefFields = "A,B";
    EXPECT_EQ(item.GetDisplayText(), "REFERENCES R (A,B)");
    EXPECT_EQ(item.GetCreatingText(), "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B);");

    item.RefAct = true;
    EXPECT_EQ(item.GetDisplayText(), "REFERENCES R (A,B) ON DELETE CASCADE");
    EXPECT_EQ(item.GetKey(), "Constraint : REFERENCES R (A,B) ON DELETE CASCADE");
    EXPECT_EQ(item.GetCreatingText(),
              "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE;");

    item.ObjectState = ObjectStates::Disabled;
    EXPECT_EQ(item.GetDisplayText(), "REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]");
    EXPECT_EQ(item.GetCreatingText(),
              "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE DISABLE;");
}

TEST(ConstraintItem, CascadeFlagOnlyChangesReferences)
{
    for (int type : {1, 2, 3, 5, 6, 7}) {
        TConstraintItem plain;
        TConstraintItem cascading;
        Fill(plain, type, ObjectStates::Normal);
        Fill(cascading, type, ObjectStates::Normal);
        cascading.RefAct = true;
        EXPECT_EQ(cascading.GetDisplayText(), plain.GetDisplayText()) << type;
        EXPECT_EQ(cascading.GetCreatingText(), plain.GetCreatingText()) << type;
    }
}

TEST(ConstraintItem, DisabledPrimaryKey)
{
    TConstraintItem item;
    item.ObjectName = "N";
    item.TableName = "T";
    item.ConstType = 2;
    item.ObjectState = ObjectStates::Disabled;
    item.RefFields = "ID"; // key columns are not listed
    EXPECT_EQ(item.GetCreatingText(), "ALTER TABLE T ADD CONSTRAINT N PRIMARY KEY DISABLE;");
    EXPECT_EQ(item.GetDisplayText(), "PRIMARY KEY [DISABLED]");
}

TEST(ConstraintItem, EmptyFieldsStillGiveTheFrame)
{
    TConstraintItem check;
    check.ConstType = 1;
    EXPECT_EQ(check.GetCreatingText(), "ALTER TABLE  ADD CONSTRAINT  AS ;");
    EXPECT_EQ(check.GetKey(), "Constraint : ");

    TConstraintItem notNull;
    notNull.ConstType = 7;
    EXPECT_EQ(notNull.GetCreatingText(), "ALTER TABLE  ADD CONSTRAINT  CHECK (\"\" IS NOT NULL);");
    EXPECT_EQ(notNull.GetDisplayText(), " IS NOT NULL");
}

TEST(ConstraintItem, KeyIgnoresNameAndTable)
{
    TConstraintItem a;
    TConstraintItem b;
    Fill(a, 2, ObjectStates::Normal);
    Fill(b, 2, ObjectStates::Normal);
    b.ObjectName = "SYS_C0012345";
    b.TableName = "OTHER";
    EXPECT_EQ(a.GetKey(), b.GetKey());
    EXPECT_EQ(CompareKeys(&a, &b), 0);

    // A disabled twin does not match.
    b.ObjectState = ObjectStates::Disabled;
    EXPECT_NE(CompareKeys(&a, &b), 0);
}

} // namespace
} // namespace quorvex
