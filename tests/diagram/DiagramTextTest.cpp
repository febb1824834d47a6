// The texts of a diagram: join conditions, rows through display masks, hints, sorting.
#include "DiagramTestSupport.h"
#include "ModelBuilder.h"
#include "diagram/FieldMask.h"
#include "diagram/JoinCondition.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(JoinCondition, PairsForeignKeyColumnsWithKeyColumnsInOrder)
{
    const struct {
        const char* Fk;
        const char* Key;
        const char* Expected;
    } cases[] = {
        {"DEPTNO", "DEPTNO", "(EMP.DEPTNO=DEPT.DEPTNO)"},
        {"A,B", "X,Y", "((EMP.A=DEPT.X) AND (EMP.B=DEPT.Y))"},
        {"A,B", "X", "((EMP.A=DEPT.X) OR (EMP.B=DEPT.X))"},
        {"A,B,C,D", "X,Y",
         "(((EMP.A=DEPT.X) AND (EMP.B=DEPT.Y)) OR ((EMP.C=DEPT.X) AND (EMP.D=DEPT.Y)))"},
        {"A", "X,Y", "((EMP.A=DEPT.X))"},
        {"A,B,C", "X,Y", "(((EMP.A=DEPT.X) AND (EMP.B=DEPT.Y)) OR ((EMP.C=DEPT.X)))"},
        // Blanks separate too, except inside quotes.
        {"\"MY COL\", B", "\"KEY, A\" X", "((EMP.\"MY COL\"=DEPT.\"KEY, A\") AND (EMP.B=DEPT.X))"},
        // Nothing to pair.
        {"", "X", ""},
        {"A", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinCondition("EMP", "DEPT", c.Key, c.Fk), c.Expected) << c.Fk << " / " << c.Key;
}

class TableRows : public ::testing::Test {
protected:
    TableRows()
    {
        TObjectItem* emp = model.Object(ObjectTypes::Table, "EMP");
        emp->CommentText = "Employees";
        TFieldItem* empno = model.Column(*emp, "EMPNO");
        empno->FieldType = 2; // NUMBER(4,0) NOT NULL
        empno->Precision = 4;
        empno->Null = 1;
        TFieldItem* ename = model.Column(*emp, "ENAME");
        ename->DefaultVal = "'X'";
        ename->CommentText = "Name";
        model.Column(*emp, "DEPTNO");
        model.Column(*emp, "DEPT"); // its name is part of a key column's name, but no key
        // The key comes from the index named like the primary-key constraint.
        model.Constraint(*emp, "SYS_C001", 3);
        model.Constraint(*emp, "PK_EMP", 2);
        model.Index(*emp, "EMP_IX")->IndexFields = "ENAME";
        model.Index(*emp, "PK_EMP")->IndexFields = "EMPNO,DEPTNO";
        table = &document.AddTableForObject(*emp);
    }

    std::string Rows() const { return RowsText(*table); }

    SchemaBuilder model;
    TDiagramDocument document;
    TGDBTable* table = nullptr;
};

TEST_F(TableRows, MaskFormatsEachColumn)
{
    const struct {
        const char* Mask;
        const char* Rows;
    } cases[] = {
        {TGDBTable::kDefaultMask, "EMPNO=EMPNO=NUMBER(4,0) NOT NULL[Key]\n"
                                  "ENAME=ENAME=VARCHAR2(10) DEFAULT 'X'\n"
                                  "DEPTNO=DEPTNO=VARCHAR2(10)[Key]\n"
                                  "DEPT=DEPT=VARCHAR2(10)\n"},
        {"%0:d %1:s", "EMPNO=1 EMPNO\nENAME=2 ENAME\nDEPTNO=3 DEPTNO\nDEPT=4 DEPT\n"},
        {"%1:s", "EMPNO=EMPNO\nENAME=ENAME\nDEPTNO=DEPTNO\nDEPT=DEPT\n"},
        // Width and precision; a directive without an index takes the next argument.
        {"%4:-4.2s|%5:s|%2:s|%s|%%", "EMPNO=[K  |||NUMBER(4,0) NOT NULL|%\n"
                                     "ENAME=    |Name|'X'|VARCHAR2(10) DEFAULT 'X'|%\n"
                                     "DEPTNO=[K  |||VARCHAR2(10)|%\n"
                                     "DEPT=    |||VARCHAR2(10)|%\n"},
    };
    for (const auto& c : cases) {
        table->SetShowMask(c.Mask);
        EXPECT_EQ(Rows(), c.Rows) << c.Mask;
    }
    EXPECT_EQ(table->PrimaryKeyText, "EMPNO,DEPTNO");
    EXPECT_EQ(table->ColumnComments, std::vector<std::string>{"ENAME=Name"});
    EXPECT_EQ(table->TitleHint(), "EMP (Primary Key = EMPNO,DEPTNO)\r\nEmployees");
}

TEST_F(TableRows, MaskNotFittingTheArgumentsRaisesAFormatError)
{
    for (const char* mask : {"%0:s", "%1:d", "%6:s", "%1:s%5:s%s", "%1:"}) {
        try {
            table->SetShowMask(mask);
            ADD_FAILURE() << mask << " was accepted";
        } catch (const EFormatError& error) {
            EXPECT_EQ(error.what(),
                      "Format '" + std::string(mask) + "' invalid or incompatible with argument");
        }
        // The rows read before the error (none), and the box sized for them.
        EXPECT_EQ(table->RowCount(), 0u) << mask;
        EXPECT_EQ(table->Height(), 18) << mask;
    }
}

TEST_F(TableRows, HintIsTheCommentOfTheRowUnderTheMouse)
{
    const int width = table->Width();
    EXPECT_EQ(table->GetHintInfo({5, 3}).Text, table->TitleHint());
    EXPECT_EQ(table->GetHintInfo({5, 3}).Area, QRect(0, 0, width, 15));
    const TGDBTable::THintInfo ename = table->GetHintInfo({5, 14 + 11 + 1});
    EXPECT_EQ(ename.Text, "Name");
    EXPECT_EQ(ename.Area, QRect(0, 25, width, 12));
    EXPECT_EQ(table->GetHintInfo({5, 14 + 22}).Text, "");
    table->SetScale(2);
    EXPECT_EQ(table->GetHintInfo({5, 14 + 11 + 1}).Text, "EMP (Primary Key = EMPNO,DEPTNO)");
}

TEST_F(TableRows, SortIgnoresCaseUntilTheRowsAreReadAgain)
{
    table->SetShowMask("%1:s");
    table->SortColumns();
    EXPECT_EQ(Rows(), "DEPT=DEPT\nDEPTNO=DEPTNO\nEMPNO=EMPNO\nENAME=ENAME\n");
    table->SetTableName("EMP");
    EXPECT_EQ(Rows(), "EMPNO=EMPNO\nENAME=ENAME\nDEPTNO=DEPTNO\nDEPT=DEPT\n");
    TGDBTable& rows = Box(document, "T");
    rows.ColumnLines = {"b=1", "C=0", "a=3", "A=2"};
    rows.SortColumns();
    EXPECT_EQ(RowsText(rows), "A=2\na=3\nb=1\nC=0\n");
}

} // namespace
} // namespace quorvex::test
