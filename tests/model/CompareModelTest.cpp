// The line-by-line comparison of two creating texts, the report and its header, and the
// comparison of whole object lists: the report, the marks and the merged current model.

#include "DumpModel.h"
#include "ModelBuilder.h"
#include "dictionary/DBOraClass.h"
#include "model/ComparisonReport.h"
#include "model/LineComparison.h"
#include "model/ObjectState.h"
#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::AddItem;

// The report entries, each followed by "\n".
std::string Entries(const TReportLines& report, size_t from = 0)
{
    std::string text;
    for (size_t k = from; k < report.Count(); ++k)
        text += std::string(report[k]) + "\n";
    return text;
}

std::string WithCrLf(std::string text)
{
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.replace(at, 1, "\r\n");
    return text;
}

TEST(CompareLines, ReportTextAndState)
{
    struct {
        const char* current;
        const char* other;
        const char* report; // one entry a line; the comparison text has CR LF instead
        bool changed;
    } const cases[] = {
        {"X\r\nY", "X\r\nY", "[ ] X\n[ ] Y\n", false},
        // Letter case only: reported as in the current text.
        {"select X\r\nfrom dual", "SELECT x\r\nFROM DUAL", "[ ] select X\n[ ] from dual\n", false},
        {"X\r\nY", "X\r\nZ\r\nY", "[ ] X\n[+] Z\n[ ] Y\n", true},
        {"X\r\nZ\r\nY", "X\r\nY", "[ ] X\n[-] Z\n[ ] Y\n", true},
        {"X\r\nY", "Z\r\nW", "[-] X\n[+] Z\n[-] Y\n[+] W\n", true},
        {"", "X\r\nY", "[+] X\n[+] Y\n", true},
        {"X\r\nY\r\n", "", "[-] X\n[-] Y\n", true},
        {"", "", "", false},
        // Empty lines alone are no change.
        {"X\r\n\r\nY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false},
        {"X\r\nY", "X\r\n\r\nY", "[ ] X\n[+] \n[ ] Y\n", false},
        {"X", "X\r\n\r\n", "[ ] X\n[+] \n", false},
        // A removal run wins over an insertion run of the same length; a nearer insertion run
        // over a farther removal run.
        {"P\r\nQ\r\nR", "Q\r\nP\r\nR", "[-] P\n[ ] Q\n[+] P\n[ ] R\n", true},
        {"P\r\nX\r\nY\r\nQ", "Q\r\nZ\r\nP", "[+] Q\n[+] Z\n[ ] P\n[-] X\n[-] Y\n[-] Q\n", true},
        {"A\r\nB\r\nC\r\nD", "D", "[-] A\n[-] B\n[-] C\n[ ] D\n", true},
        // The look-ahead matches letter case exactly.
        {"P\r\nx", "X", "[-] P\n[+] X\n[-] x\n", true},
        {"\r\nQ", "Z", "[-] \n[+] Z\n[-] Q\n", true},
        {"X ", "X", "[-] X \n[+] X\n", true},
        // Any line break style; lone breaks give empty lines.
        {"X\rY\nZ\r\n", "X\nY\r\nZ\r", "[ ] X\n[ ] Y\n[ ] Z\n", false},
        {"X\n\rY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.current) + " / " + testing::PrintToString(c.other));
        TReportLines report;
        report.Add("earlier entry");
        const TLineComparison result = CompareLines(c.current, c.other, report);
        EXPECT_EQ(Entries(report), std::string("earlier entry\n") + c.report);
        EXPECT_EQ(result.ComparisonText, WithCrLf(c.report));
        EXPECT_EQ(result.Changed, c.changed);

        // Through items: the state becomes 5 only when changed, and is otherwise left alone.
        TDefaultItem mine;
        TDefaultItem theirs;
        mine.ObjectText = c.current;
        theirs.ObjectText = c.other;
        mine.ObjectState = ObjectStates::Invalid;
        mine.SetComparisonText("left from an earlier comparison");
        TReportLines itemReport;
        mine.Compare(&theirs, itemReport, Marks::Unchanged);
        EXPECT_EQ(Entries(itemReport), c.report);
        EXPECT_EQ(mine.ComparisonText(), WithCrLf(c.report));
        EXPECT_EQ(mine.ObjectState, c.changed ? ObjectStates::Changed : ObjectStates::Invalid);
        EXPECT_EQ(theirs.ObjectText, c.other);
    }
}

TEST(ComparisonReport, HeaderEntriesTextAndChanges)
{
    TReportLines report;
    EXPECT_FALSE(ReportHasChanges(report));
    AddComparisonHeader(report, "ORCL.SCOTT", "/tmp/prod.OBJ", "12/03/2024 14:05:09");
    report.Add("[ ] ", "Table : EMP");
    report.Add("");
    report.Add("[ ] -- [-] inside a line\r\n[ ] b");
    report.Add("[+]");
    EXPECT_EQ(report.Text(), "To convert \"ORCL.SCOTT\" into \"/tmp/prod.OBJ\" on 12/03/2024 "
                             "14:05:09 apply the following changes.\r\n[-] Remove this line.\r\n"
                             "[+] Add this line.\r\n" +
                                 std::string(80, '-') +
                                 "\r\n[ ] Table : EMP\r\n\r\n[ ] -- [-] inside a line\r\n[ ] "
                                 "b\r\n[+]\r\n");
    ASSERT_EQ(report.Count(), 8u);
    EXPECT_EQ(report[6], "[ ] -- [-] inside a line\r\n[ ] b");
    // The header's own marks, marks inside a line and a bare mark are no change.
    EXPECT_FALSE(ReportHasChanges(report));
    for (const char* change : {"[-] X", "[+] X\r\n[+] Y"}) {
        TReportLines changed = report;
        changed.Add(change);
        EXPECT_TRUE(ReportHasChanges(changed)) << change;
    }
}

// Every object's key and state, then the states of its columns, triggers, indexes and
// constraints, in list order: one object a line.
std::string States(const TObjectList& list)
{
    std::string text;
    for (int i = 0; i < list.Count(); ++i) {
        const TObjectItem& object = *list.Items(i);
        text += object.GetKey() + " " + std::to_string(object.ObjectState) + ":";
        const TDefaultList* subLists[] = {object.FieldsIfAny(), object.TriggersIfAny(),
                                          object.IndexesIfAny(), object.ConstraintsIfAny()};
        for (const TDefaultList* sub : subLists) {
            for (int k = 0; sub != nullptr && k < sub->Count(); ++k)
                text += " " + std::to_string(sub->Items(k)->ObjectState);
        }
        text += "\n";
    }
    return text;
}

// Compares `current` with `loaded`: the report entries, one a line (an entry of several lines
// keeps its CR LF), then "--" and the states of the merged list.
std::string Compare(TObjectList& current, TObjectList& loaded)
{
    TReportLines report;
    CompareObjectLists(current, loaded, report);
    return Entries(report) + "--\n" + States(current);
}

// A table with two columns, a trigger, two indexes and two constraints, one disabled; the
// keyed sub-lists deliberately not in key order.
void AddTable(TObjectList& list, const std::string& t)
{
    TObjectItem* table = AddItem(list, "ObjectType=2|ObjectName=" + t);
    AddItem(table->ObjectFields(),
            "FieldNo=1|FieldName=ID|FieldType=2|Length=22|Precision=5|Scale=0|Null=1");
    AddItem(table->ObjectFields(), "FieldNo=2|FieldName=NAME|FieldType=1|Length=10");
    AddItem(table->ObjectTriggers(),
            "ObjectName=" + t + "_BI|ObjectText=" + t + "_BI BEFORE INSERT ON " + t + "\nEND;");
    AddItem(table->ObjectIndexes(), "ObjectName=" + t + "_NAME|IndexFields=NAME|TableName=" + t);
    AddItem(table->ObjectIndexes(), "ObjectName=" + t + "HIRED|IndexFields=HIRED|TableName=" + t);
    AddItem(table->ObjectConstraints(), "ObjectName=" + t + "_FK|ConstType=4|RefObjName=DEPT|" +
                                            "RefFields=DEPTNO|ObjectState=2|TableName=" + t);
    AddItem(table->ObjectConstraints(), "ObjectName=" + t + "_PK|ConstType=2|TableName=" + t);
}

// The report of such a table, `%` standing for the mark and `#` for the table's name. Without
// counterpart a text is one entry of CR LF joined lines; compared, each line is an entry.
std::string TableReport(const std::string& t, const std::string& mark, bool compared)
{
    std::string text =
        "%Table : #\n% Source\n%CREATE TABLE # (\r\n% ID NUMBER(5,0) NOT NULL\r\n"
        "%,NAME VARCHAR2(10));\n%Field01 : ID\n%ID NUMBER(5,0) NOT NULL\n%Field02 : NAME\n"
        "%NAME VARCHAR2(10)\n%Trigger : #_BI\n%CREATE OR REPLACE TRIGGER #_BI BEFORE INSERT ON #"
        "\r\n%END;\n%Index : #HIRED\n%CREATE INDEX #HIRED ON # (HIRED);\n%Index : #_NAME\n"
        "%CREATE INDEX #_NAME ON # (NAME);\n%Constraint : PRIMARY KEY\n"
        "%ALTER TABLE # ADD CONSTRAINT #_PK PRIMARY KEY;\n"
        "%Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]\n"
        "%ALTER TABLE # ADD CONSTRAINT #_FK REFERENCES DEPT (DEPTNO) DISABLE;\n";
    std::string out;
    for (const char ch : text)
        out += ch == '%' ? mark : ch == '#' ? t : std::string(1, ch);
    for (size_t at = out.find("\r\n"); compared && at != std::string::npos; at = out.find("\r\n"))
        out.replace(at, 2, "\n");
    return out;
}

TEST(CompareModel, TablesIdenticalOnlyInFileAndOnlyInCurrentModel)
{
    const auto before = LiveObjectCount();
    auto current = std::make_unique<TDBNewOracle>();
    auto loaded = std::make_unique<TDBNewOracle>();
    for (TDBNewOracle* model : {current.get(), loaded.get()}) {
        AddItem(model->Owners(), "OwnerName=SCOTT");
        TObjectItem* view =
            AddItem(model->Objects(), "ObjectType=4|ObjectName=EMP_V|"
                                      "ObjectText=CREATE VIEW EMP_V AS\r\nSELECT 1");
        AddItem(view->ObjectConstraints(), "ConstType=6|ObjectState=1");
        AddTable(model->Objects(), model == loaded.get() ? "NEW" : "OLD");
        AddTable(model->Objects(), "EMP");
        AddItem(model->Objects(), "ObjectType=6|ObjectName=SEQ");
        AddItem(model->Objects(), "ObjectType=5|ObjectName=S");
    }
    AddItem(loaded->Owners(), "OwnerName=HR");
    const auto live = LiveObjectCount();
    const std::string loadedBefore = test::DumpModel(*loaded);

    // A disabled constraint is matched by its key with [DISABLED] and compared with its
    // DISABLE line, both taken before the comparison marked it. A view's sub-lists take no
    // part; owners neither.
    EXPECT_EQ(
        Compare(current->Objects(), loaded->Objects()),
        "[ ] Sequence : SEQ\n[ ] Synonym : S\n[ ] CREATE SYNONYM S;\n" +
            TableReport("EMP", "[ ] ", true) + TableReport("NEW", "[+] ", false) +
            TableReport("OLD", "[-] ", false) +
            "[ ] View : EMP_V\n[ ] CREATE VIEW EMP_V AS\n[ ] SELECT 1\n--\n"
            "Sequence : SEQ 0:\nSynonym : S 0:\nTable : EMP 0: 0 0 0 0 0 0 0\n"
            "Table : NEW 3: 3 3 3 3 3 3 3\nTable : OLD 4: 4 4 4 4 4 4 4\nView : EMP_V 0: 1\n");
    const TObjectList& merged = current->Objects();
    EXPECT_EQ(merged.Items(2)->ObjectConstraints().Items(1)->ComparisonText(),
              "[ ] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;\r\n");
    EXPECT_EQ(merged.Items(2)->ObjectTriggers().Items(0)->ComparisonText(),
              "[ ] CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\n[ ] END;\r\n");
    EXPECT_EQ(merged.Items(3)->ObjectConstraints().Items(1)->ComparisonText(),
              "[+] ALTER TABLE NEW ADD CONSTRAINT NEW_FK REFERENCES DEPT (DEPTNO) DISABLE;");
    EXPECT_EQ(merged.Items(4)->ObjectConstraints().Items(1)->ComparisonText(),
              "[-] ALTER TABLE OLD ADD CONSTRAINT OLD_FK REFERENCES DEPT (DEPTNO) DISABLE;");
    EXPECT_EQ(merged.Items(0)->ComparisonText(), ""); // SEQ: an empty text, nothing to show
    EXPECT_EQ(test::DumpModel(*loaded), loadedBefore);
    EXPECT_EQ(current->Owners().Count(), 1);

    // The added table is a copy that outlives the file's model: 1 object, 4 sub-lists,
    // 2 columns, 1 trigger, 2 indexes and 2 constraints.
    EXPECT_EQ(LiveObjectCount(), live + 12);
    loaded.reset();
    EXPECT_EQ(merged.Items(3)->GetCreatingText(),
              "CREATE TABLE NEW (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));");
    current.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CompareModel, ObjectsMatchByCaseFoldedKeyAndViewSubListsTakeNoPart)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* v1 =
        AddItem(current, "ObjectType=4|ObjectName=V1|ObjectText=CREATE VIEW V1 AS SELECT 1");
    AddItem(v1->ObjectFields(), "FieldNo=1|FieldName=A|FieldType=2|ObjectState=1");
    AddItem(v1->ObjectConstraints(), "ObjectName=SYS_C1|ConstType=6|ObjectState=1");
    AddItem(current, "ObjectType=7|ObjectName=P_B|ObjectText=procedure p_b\r\nis begin null; end;");
    AddItem(current, "ObjectType=8|ObjectName=F");
    AddItem(current, "ObjectType=6|ObjectName=OLD_SEQ")->SetComparisonText("stale");

    AddItem(loaded, "ObjectType=7|ObjectName=PA|ObjectText=PROCEDURE PA IS\r\nBEGIN NULL; END;");
    AddItem(loaded, "ObjectType=2|ObjectName=T");
    AddItem(loaded, "ObjectType=7|ObjectName=p_b|ObjectText=PROCEDURE P_B\r\nIS BEGIN NULL; END;");
    AddItem(loaded, "ObjectType=8|ObjectName=F");
    AddItem(loaded, "ObjectType=6|ObjectName=NEW_SEQ");
    TObjectItem* v1Loaded =
        AddItem(loaded, "ObjectType=4|ObjectName=V1|ObjectText=CREATE VIEW V1 AS SELECT 1");
    AddItem(v1Loaded->ObjectFields(), "FieldNo=1|FieldName=B|FieldType=12");
    AddItem(v1Loaded->ObjectConstraints(), "ObjectName=SYS_C2|ConstType=5");
    TObjectItem* w =
        AddItem(loaded, "ObjectType=4|ObjectName=W|ObjectText=CREATE VIEW W AS SELECT 2");
    AddItem(w->ObjectConstraints(), "ObjectName=SYS_C3|ConstType=5|ObjectState=1");
    const std::string loadedBefore = test::DumpModel(loaded);

    // Letters are compared in upper case, so "PA" comes before "P_B", and texts differing in
    // letter case only are unchanged. An added view is copied with its sub-lists unmarked.
    EXPECT_EQ(Compare(current, loaded),
              "[ ] Function : F\n"
              "[+] Procedure : PA\n"
              "[+] PROCEDURE PA IS\r\n[+] BEGIN NULL; END;\n"
              "[ ] Procedure : P_B\n"
              "[ ] procedure p_b\n"
              "[ ] is begin null; end;\n"
              "[+] Sequence : NEW_SEQ\n"
              "[-] Sequence : OLD_SEQ\n"
              "[+] Table : T\n[+]  Source\n[+] CREATE TABLE T ();\n"
              "[ ] View : V1\n[ ] CREATE VIEW V1 AS SELECT 1\n"
              "[+] View : W\n[+] CREATE VIEW W AS SELECT 2\n"
              "--\n"
              "Function : F 0:\nProcedure : PA 3:\nProcedure : P_B 0:\nSequence : NEW_SEQ 3:\n"
              "Sequence : OLD_SEQ 4:\nTable : T 3:\nView : V1 0: 1 1\nView : W 3: 1\n");
    EXPECT_EQ(current.Items(4)->ComparisonText(), ""); // OLD_SEQ: no text, the stale one gone
    EXPECT_EQ(current.Items(0)->ComparisonText(), ""); // F
    EXPECT_EQ(current.Items(7)->ObjectConstraints().Items(0)->ComparisonText(), "");
    EXPECT_EQ(test::DumpModel(loaded), loadedBefore); // the other list keeps its order

    // Compared with nothing, every item gets the given mark.
    TReportLines report;
    TObjectList alone;
    AddTable(alone, "T");
    AddItem(alone, "ObjectType=6|ObjectName=A_SEQ");
    alone.Compare(nullptr, report, "[-] ");
    EXPECT_EQ(Entries(report) + States(alone),
              "[-] Sequence : A_SEQ\n" + TableReport("T", "[-] ", false) +
                  "Sequence : A_SEQ 4:\nTable : T 4: 4 4 4 4 4 4 4\n");
}

TEST(CompareModel, ColumnsKeepColumnOrderAndSubListsOnOneSideMeetAnEmptyOne)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddItem(current, "ObjectType=2|ObjectName=T");
    TObjectItem* theirs = AddItem(loaded, "ObjectType=2|ObjectName=T");
    // Column numbers out of order: a key order would differ from column order.
    AddItem(mine->ObjectFields(), "FieldNo=3|FieldName=C|FieldType=12");
    AddItem(mine->ObjectFields(), "FieldNo=1|FieldName=a|FieldType=12");
    AddItem(mine->ObjectFields(), "FieldNo=2|FieldName=D|FieldType=12");
    AddItem(mine->ObjectTriggers(), "ObjectName=T_BI|ObjectText=T_BI BEFORE INSERT ON T\r\nEND;");
    AddItem(theirs->ObjectFields(), "FieldNo=3|FieldName=C|FieldType=1|Length=10");
    AddItem(theirs->ObjectFields(), "FieldNo=5|FieldName=E|FieldType=12");
    AddItem(theirs->ObjectFields(), "FieldNo=1|FieldName=A|FieldType=12");
    AddItem(theirs->ObjectFields(), "FieldNo=2|FieldName=D|FieldType=12");
    AddItem(theirs->ObjectIndexes(), "ObjectName=T_IX|TableName=T|IndexFields=A");
    // C paired (type changed); "a" against "E": no run starts with either name ("A" is not
    // "a"), so E is added then "a" removed; "A" added against D by the insertion run; D paired.
    EXPECT_EQ(
        Compare(current, loaded),
        "[ ] Table : T\n[ ]  Source\n[ ] CREATE TABLE T (\n[-]  C DATE\n"
        "[+]  C VARCHAR2(10)\n[-] ,a DATE\n[+] ,E DATE\n[+] ,A DATE\n[ ] ,D DATE);\n"
        "[ ] Field03 : C\n[-] C DATE\n[+] C VARCHAR2(10)\n[+] Field05 : E\n[+] E DATE\n"
        "[-] Field01 : a\n[-] a DATE\n[+] Field01 : A\n[+] A DATE\n[ ] Field02 : D\n"
        "[ ] D DATE\n[-] Trigger : T_BI\n"
        "[-] CREATE OR REPLACE TRIGGER T_BI BEFORE INSERT ON T\r\n[-] END;\n"
        "[+] Index : T_IX\n[+] CREATE INDEX T_IX ON T (A);\n--\nTable : T 5: 5 3 4 3 0 4 3\n");
    EXPECT_EQ(mine->ObjectFields().Items(2)->GetKey(), "Field01 : a");
    EXPECT_EQ(mine->ObjectFields().Items(1)->ComparisonText(), "[+] E DATE");
    EXPECT_EQ(mine->ConstraintsIfAny(), nullptr); // on neither side: not created
}

TEST(CompareModel, RenamedAndDisabledConstraintsAndChangedIndexes)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddItem(current, "ObjectType=2|ObjectName=EMP");
    TObjectItem* theirs = AddItem(loaded, "ObjectType=2|ObjectName=EMP");
    const auto add = [](TObjectItem* table, const std::string& props) {
        AddItem(table->ObjectConstraints(), "TableName=EMP|RefObjName=DEPT|" + props);
    };
    add(mine, "ObjectName=SAL_CK|ConstType=1|Condition=SAL > 0");
    add(theirs, "ObjectName=CK_SAL|ConstType=1|Condition=SAL > 0");
    add(mine, "ObjectName=BONUS_CK|ConstType=1|Condition=BONUS > 0");
    add(theirs, "ObjectName=CK_BONUS|ConstType=1|Condition=bonus > 0");
    add(mine, "ObjectName=COMM_CK|ConstType=1|Condition=COMM > 0");
    add(theirs, "ObjectName=comm_ck|ConstType=1|Condition=COMM > 0");
    add(mine, "ObjectName=EMP_FK|ConstType=4|RefFields=LOC|ObjectState=2");
    add(theirs, "ObjectName=FK_EMP|ConstType=4|RefFields=LOC|ObjectState=2");
    add(mine, "ObjectName=EMP_DEPT_FK|ConstType=4|RefFields=DEPTNO");
    add(theirs, "ObjectName=EMP_DEPT_FK|ConstType=4|RefFields=DEPTNO|ObjectState=2");
    add(theirs, "ObjectName=EMP_UK|ConstType=3|ObjectState=2");
    AddItem(mine->ObjectIndexes(), "ObjectName=EMP_NAME|TableName=EMP|IndexFields=NAME");
    AddItem(theirs->ObjectIndexes(), "ObjectName=EMP_NAME|TableName=EMP|IndexFields=NAME,ID");
    AddItem(mine->ObjectIndexes(), "ObjectName=EMP_ID|TableName=EMP|IndexFields=ID");
    AddItem(theirs->ObjectIndexes(), "ObjectName=EMP_ID|TableName=EMP|IndexFields=id");

    // A constraint whose only change is its name is reported but not marked changed; the
    // display texts of disabled ones agree only as they were before the comparison marked
    // them. Disabled on one side only is another key: removed and added. A changed index is
    // marked 6; letter case alone is no change.
    EXPECT_EQ(
        Compare(current, loaded),
        "[ ] Table : EMP\n[ ]  Source\n[ ] CREATE TABLE EMP ();\n"
        "[ ] Index : EMP_ID\n[ ] CREATE INDEX EMP_ID ON EMP (ID);\n"
        "[ ] Index : EMP_NAME\n[-] CREATE INDEX EMP_NAME ON EMP (NAME);\n"
        "[+] CREATE INDEX EMP_NAME ON EMP (NAME,ID);\n"
        "[ ] Constraint : BONUS > 0\n[-] ALTER TABLE EMP ADD CONSTRAINT BONUS_CK AS BONUS > 0;\n"
        "[+] ALTER TABLE EMP ADD CONSTRAINT CK_BONUS AS bonus > 0;\n"
        "[ ] Constraint : COMM > 0\n[ ] ALTER TABLE EMP ADD CONSTRAINT COMM_CK AS COMM > 0;\n"
        "[-] Constraint : REFERENCES DEPT (DEPTNO)\n"
        "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_DEPT_FK REFERENCES DEPT (DEPTNO);\n"
        "[+] Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]\n"
        "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_DEPT_FK REFERENCES DEPT (DEPTNO) DISABLE;\n"
        "[ ] Constraint : REFERENCES DEPT (LOC) [DISABLED]\n"
        "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (LOC) DISABLE;\n"
        "[+] ALTER TABLE EMP ADD CONSTRAINT FK_EMP REFERENCES DEPT (LOC) DISABLE;\n"
        "[ ] Constraint : SAL > 0\n[-] ALTER TABLE EMP ADD CONSTRAINT SAL_CK AS SAL > 0;\n"
        "[+] ALTER TABLE EMP ADD CONSTRAINT CK_SAL AS SAL > 0;\n"
        "[+] Constraint : UNIQUE KEY [DISABLED]\n"
        "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_UK UNIQUE KEY DISABLE;\n"
        "--\nTable : EMP 0: 0 6 5 0 4 3 0 0 3\n");
    EXPECT_EQ(mine->ObjectConstraints().Items(4)->ComparisonText(),
              "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (LOC) DISABLE;\r\n"
              "[+] ALTER TABLE EMP ADD CONSTRAINT FK_EMP REFERENCES DEPT (LOC) DISABLE;\r\n");
    EXPECT_EQ(mine->ObjectConstraints().Items(3)->ComparisonText(),
              "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_DEPT_FK REFERENCES DEPT (DEPTNO) DISABLE;");
}

} // namespace
} // namespace quorvex
