// Comparison of whole object lists: the report, the marks and the merged current model.

#include "DumpModel.h"
#include "ModelBuilder.h"
#include "dictionary/DBOraClass.h"
#include "model/ComparisonReport.h"
#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::AddItem;

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
    std::string text;
    for (size_t k = 0; k < report.Count(); ++k)
        text += std::string(report[k]) + "\n";
    return text + "--\n" + States(current);
}

// The table EMP: two columns, a trigger, two indexes and two constraints, one disabled; the
// keyed sub-lists deliberately not in key order.
void AddEmp(TObjectList& list)
{
    TObjectItem* emp = AddItem(list, "ObjectType=2|ObjectName=EMP");
    AddItem(emp->ObjectFields(),
            "FieldNo=1|FieldName=ID|FieldType=2|Length=22|Precision=5|Scale=0|Null=1");
    AddItem(emp->ObjectFields(), "FieldNo=2|FieldName=NAME|FieldType=1|Length=10");
    AddItem(emp->ObjectTriggers(),
            "ObjectName=EMP_BI|ObjectText=EMP_BI BEFORE INSERT ON EMP\nEND;");
    AddItem(emp->ObjectIndexes(), "ObjectName=EMP_NAME|TableName=EMP|IndexFields=NAME");
    AddItem(emp->ObjectIndexes(), "ObjectName=EMPHIRED|TableName=EMP|IndexFields=HIRED");
    AddItem(emp->ObjectConstraints(), "ObjectName=EMP_FK|TableName=EMP|ConstType=4|"
                                      "RefObjName=DEPT|RefFields=DEPTNO|ObjectState=2");
    AddItem(emp->ObjectConstraints(), "ObjectName=EMP_PK|TableName=EMP|ConstType=2");
}

// A small schema in no particular order, with or without EMP.
void AddSample(TObjectList& list, bool withEmp)
{
    TObjectItem* view =
        AddItem(list, "ObjectType=4|ObjectName=EMP_V|ObjectText=CREATE VIEW EMP_V AS\r\nSELECT 1");
    AddItem(view->ObjectConstraints(), "ConstType=6|ObjectState=1");
    if (withEmp)
        AddEmp(list);
    AddItem(list, "ObjectType=11|ObjectName=PKG|ObjectText=PACKAGE BODY PKG IS\r\nEND PKG;");
    AddItem(list, "ObjectType=5|ObjectName=S");
    AddItem(list, "ObjectType=6|ObjectName=SEQ");
}

// EMP's report, `%` standing for the mark. Without counterpart a text is one entry of CR LF
// joined lines; compared, each line is an entry of its own.
std::string EmpReport(const std::string& mark, bool compared)
{
    std::string text =
        "%Table : EMP\n% Source\n%CREATE TABLE EMP (\r\n% ID NUMBER(5,0) NOT NULL\r\n"
        "%,NAME VARCHAR2(10));\n%Field01 : ID\n%ID NUMBER(5,0) NOT NULL\n%Field02 : NAME\n"
        "%NAME VARCHAR2(10)\n%Trigger : EMP_BI\n"
        "%CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\n%END;\n"
        "%Index : EMPHIRED\n%CREATE INDEX EMPHIRED ON EMP (HIRED);\n%Index : EMP_NAME\n"
        "%CREATE INDEX EMP_NAME ON EMP (NAME);\n%Constraint : PRIMARY KEY\n"
        "%ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;\n"
        "%Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]\n"
        "%ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;\n";
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at))
        text.replace(at, 1, mark);
    for (size_t at = text.find("\r\n"); compared && at != std::string::npos; at = text.find("\r\n"))
        text.replace(at, 2, "\n");
    return text;
}

const char* const kSampleHead = "[ ] Package Body : PKG\n[ ] PACKAGE BODY PKG IS\n[ ] END PKG;\n"
                                "[ ] Sequence : SEQ\n[ ] Synonym : S\n[ ] CREATE SYNONYM S;\n";
const char* const kSampleTail = "[ ] View : EMP_V\n[ ] CREATE VIEW EMP_V AS\n[ ] SELECT 1\n--\n"
                                "Package Body : PKG 0:\nSequence : SEQ 0:\nSynonym : S 0:\n";

TEST(CompareModel, IdenticalModelsGiveOnlyUnchangedLinesInKeyOrder)
{
    TObjectList current;
    TObjectList loaded;
    AddSample(current, true);
    AddSample(loaded, true);
    const auto live = LiveObjectCount();
    // The disabled constraint is matched by its key with [DISABLED] and compared with its
    // DISABLE line, both taken before the comparison marked it unchanged. A view's sub-lists
    // take no part.
    EXPECT_EQ(Compare(current, loaded), kSampleHead + EmpReport("[ ] ", true) + kSampleTail +
                                            "Table : EMP 0: 0 0 0 0 0 0 0\nView : EMP_V 0: 1\n");
    EXPECT_EQ(LiveObjectCount(), live);
    TObjectItem& emp = *current.Items(3);
    EXPECT_EQ(emp.ObjectConstraints().Items(1)->ComparisonText(),
              "[ ] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;\r\n");
    EXPECT_EQ(emp.ObjectTriggers().Items(0)->ComparisonText(),
              "[ ] CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\n[ ] END;\r\n");
    EXPECT_EQ(current.Items(1)->ComparisonText(), ""); // SEQ: an empty text, nothing to show
}

TEST(CompareModel, TableOnlyInFileIsCopiedInAtItsKeyPosition)
{
    const auto before = LiveObjectCount();
    auto current = std::make_unique<TDBNewOracle>();
    AddItem(current->Owners(), "OwnerName=SCOTT");
    AddSample(current->Objects(), false);
    const auto currentOnly = LiveObjectCount();
    auto loaded = std::make_unique<TDBNewOracle>();
    AddItem(loaded->Owners(), "OwnerName=HR");
    AddSample(loaded->Objects(), true);
    const std::string loadedBefore = test::DumpModel(*loaded);

    EXPECT_EQ(Compare(current->Objects(), loaded->Objects()),
              kSampleHead + EmpReport("[+] ", false) + kSampleTail +
                  "Table : EMP 3: 3 3 3 3 3 3 3\nView : EMP_V 0: 1\n");
    // The added constraint's texts were taken before it was marked added.
    TObjectItem& emp = *current->Objects().Items(3);
    EXPECT_EQ(emp.ObjectConstraints().Items(1)->ComparisonText(),
              "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;");
    // The file's model is left as it was; owners take no part.
    EXPECT_EQ(test::DumpModel(*loaded), loadedBefore);
    EXPECT_EQ(current->Owners().Count(), 1);

    // The merged table is a copy that outlives the file's model: 1 object, 4 sub-lists,
    // 2 columns, 1 trigger, 2 indexes and 2 constraints.
    loaded.reset();
    EXPECT_EQ(LiveObjectCount(), currentOnly + 12);
    EXPECT_EQ(emp.GetCreatingText(),
              "CREATE TABLE EMP (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));");
    current.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CompareModel, TableOnlyInCurrentModelIsMarkedRemoved)
{
    TObjectList current;
    TObjectList loaded;
    AddEmp(current);
    AddItem(loaded, "ObjectType=2|ObjectName=DEPT");
    EXPECT_EQ(Compare(current, loaded),
              "[+] Table : DEPT\n[+]  Source\n[+] CREATE TABLE DEPT ();\n" +
                  EmpReport("[-] ", false) + "--\nTable : DEPT 3:\nTable : EMP 4: 4 4 4 4 4 4 4\n");
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
    AddItem(alone, "ObjectType=4|ObjectName=V|ObjectText=CREATE VIEW V\r\nAS SELECT 1");
    AddItem(alone, "ObjectType=6|ObjectName=A_SEQ");
    alone.Compare(nullptr, report, "[-] ");
    EXPECT_EQ(report.Text(), "[-] Sequence : A_SEQ\r\n[-] View : V\r\n"
                             "[-] CREATE VIEW V\r\n[-] AS SELECT 1\r\n");
    EXPECT_EQ(States(alone), "Sequence : A_SEQ 4:\nView : V 4:\n");
}

TEST(CompareModel, ColumnsKeepColumnOrderAndMatchByExactName)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddItem(current, "ObjectType=2|ObjectName=T");
    TObjectItem* theirs = AddItem(loaded, "ObjectType=2|ObjectName=T");
    // Column numbers out of order: a key order would differ from column order.
    AddItem(mine->ObjectFields(), "FieldNo=3|FieldName=C|FieldType=12");
    AddItem(mine->ObjectFields(), "FieldNo=1|FieldName=a|FieldType=12");
    AddItem(mine->ObjectFields(), "FieldNo=2|FieldName=D|FieldType=12");
    AddItem(theirs->ObjectFields(), "FieldNo=3|FieldName=C|FieldType=1|Length=10");
    AddItem(theirs->ObjectFields(), "FieldNo=5|FieldName=E|FieldType=12");
    AddItem(theirs->ObjectFields(), "FieldNo=1|FieldName=A|FieldType=12");
    AddItem(theirs->ObjectFields(), "FieldNo=2|FieldName=D|FieldType=12");
    // C paired (type changed); "a" against "E": no run starts with either name ("A" is not
    // "a"), so E is added then "a" removed; "A" added against D by the insertion run; D paired.
    EXPECT_EQ(Compare(current, loaded),
              "[ ] Table : T\n[ ]  Source\n[ ] CREATE TABLE T (\n[-]  C DATE\n"
              "[+]  C VARCHAR2(10)\n[-] ,a DATE\n[+] ,E DATE\n[+] ,A DATE\n[ ] ,D DATE);\n"
              "[ ] Field03 : C\n[-] C DATE\n[+] C VARCHAR2(10)\n[+] Field05 : E\n[+] E DATE\n"
              "[-] Field01 : a\n[-] a DATE\n[+] Field01 : A\n[+] A DATE\n[ ] Field02 : D\n"
              "[ ] D DATE\n--\nTable : T 5: 5 3 4 3 0\n");
    EXPECT_EQ(mine->ObjectFields().Items(2)->GetKey(), "Field01 : a");
}

TEST(CompareModel, SubListOnOneSideOnlyIsComparedWithAnEmptyOne)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddItem(current, "ObjectType=2|ObjectName=T");
    AddItem(mine->ObjectFields(), "FieldNo=1|FieldName=A|FieldType=12");
    AddItem(mine->ObjectTriggers(), "ObjectName=T_BI|ObjectText=T_BI BEFORE INSERT ON T\r\nEND;");
    TObjectItem* theirs = AddItem(loaded, "ObjectType=2|ObjectName=T");
    AddItem(theirs->ObjectFields(), "FieldNo=1|FieldName=B|FieldType=12");
    AddItem(theirs->ObjectIndexes(), "ObjectName=T_IX|TableName=T|IndexFields=A");
    // A renamed column is added at its place, then the old one removed.
    EXPECT_EQ(Compare(current, loaded),
              "[ ] Table : T\n[ ]  Source\n[ ] CREATE TABLE T (\n[-]  A DATE);\n[+]  B DATE);\n"
              "[+] Field01 : B\n[+] B DATE\n[-] Field01 : A\n[-] A DATE\n[-] Trigger : T_BI\n"
              "[-] CREATE OR REPLACE TRIGGER T_BI BEFORE INSERT ON T\r\n[-] END;\n"
              "[+] Index : T_IX\n[+] CREATE INDEX T_IX ON T (A);\n--\nTable : T 5: 3 4 4 3\n");
    EXPECT_EQ(mine->ObjectFields().Items(0)->ComparisonText(), "[+] B DATE");
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
