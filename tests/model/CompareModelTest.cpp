// Comparison of whole object lists: marks, report lines, comparison texts and the merged
// current model.

#include "dictionary/DBOraClass.h"
#include "model/ComparisonReport.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using Lines = std::vector<std::string>;

Lines Entries(const TReportLines& report)
{
    Lines entries;
    for (size_t k = 0; k < report.Count(); ++k)
        entries.emplace_back(report[k]);
    return entries;
}

std::string WithBreaks(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

TObjectItem* AddObject(TObjectList& list, int type, const std::string& name,
                       const std::string& text = {})
{
    TObjectItem* object = list.NewItem();
    object->OwnerNo = 1;
    object->ObjectNo = list.Count();
    object->ObjectType = type;
    object->ObjectName = name;
    object->ObjectText = text;
    return object;
}

TFieldItem* AddField(TObjectItem& table, int no, const std::string& name, int type, int length,
                     int precision = -1, int scale = -1, int null = 0)
{
    TFieldItem* field = table.ObjectFields().NewItem();
    field->FieldNo = no;
    field->FieldName = name;
    field->FieldType = type;
    field->Length = length;
    field->Precision = precision;
    field->Scale = scale;
    field->Null = null;
    return field;
}

TConstraintItem* AddConstraint(TObjectItem& table, const std::string& name, int type,
                               const std::string& fields, int state = ObjectStates::Normal)
{
    TConstraintItem* c = table.ObjectConstraints().NewItem();
    c->ObjectName = name;
    c->TableName = table.ObjectName;
    c->ConstType = type;
    if (type == 1)
        c->Condition = fields;
    else
        c->RefFields = fields;
    if (type == 4)
        c->RefObjName = "DEPT";
    c->ObjectState = state;
    return c;
}

TIndexItem* AddIndex(TObjectItem& table, const std::string& name, const std::string& fields)
{
    TIndexItem* index = table.ObjectIndexes().NewItem();
    index->ObjectName = name;
    index->TableName = table.ObjectName;
    index->IndexFields = fields;
    return index;
}

TTriggerItem* AddTrigger(TObjectItem& table, const std::string& name, const std::string& text)
{
    TTriggerItem* trigger = table.ObjectTriggers().NewItem();
    trigger->ObjectName = name;
    trigger->ObjectType = ObjectTypes::Trigger;
    trigger->ObjectText = text;
    return trigger;
}

// The table EMP with three columns, a trigger, two indexes and three constraints, one of them
// disabled; sub-list items are deliberately not in key order.
TObjectItem* AddEmp(TObjectList& list)
{
    TObjectItem* emp = AddObject(list, ObjectTypes::Table, "EMP");
    AddField(*emp, 1, "ID", 2, 22, 5, 0, 1);
    AddField(*emp, 2, "NAME", 1, 10);
    AddField(*emp, 3, "HIRED", 12, 7);
    AddTrigger(*emp, "EMP_BI", "EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\n  NULL;\r\nEND;");
    AddIndex(*emp, "EMP_NAME", "NAME");
    AddIndex(*emp, "EMPHIRED", "HIRED");
    AddConstraint(*emp, "EMP_PK", 2, "ID");
    AddConstraint(*emp, "SYS_C001", 7, "ID");
    AddConstraint(*emp, "EMP_DEPT_FK", 4, "DEPTNO", ObjectStates::Disabled);
    return emp;
}

// A small schema in no particular order; `withEmp` adds the table EMP.
void BuildSample(TObjectList& list, bool withEmp = true)
{
    TObjectItem* view = AddObject(list, ObjectTypes::View, "EMP_V",
                                  "CREATE VIEW EMP_V AS\r\nSELECT ID, NAME\r\nFROM EMP");
    AddConstraint(*view, "SYS_C009", 6, "", ObjectStates::Invalid);
    if (withEmp)
        AddEmp(list);
    AddObject(list, ObjectTypes::PackageBody, "PKG",
              "PACKAGE BODY PKG IS\r\nBEGIN\r\n  NULL;\r\nEND PKG;");
    AddObject(list, ObjectTypes::Synonym, "S");
    AddObject(list, ObjectTypes::Sequence, "SEQ");
}

const Lines kPkgLines = {"PACKAGE BODY PKG IS", "BEGIN", "  NULL;", "END PKG;"};
const Lines kEmpLines = {"CREATE TABLE EMP (", " ID NUMBER(5,0) NOT NULL", ",NAME VARCHAR2(10)",
                         ",HIRED DATE);"};
const Lines kTriggerLines = {"CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP", "BEGIN",
                             "  NULL;", "END;"};
const Lines kViewLines = {"CREATE VIEW EMP_V AS", "SELECT ID, NAME", "FROM EMP"};
const char* const kFkLine =
    "ALTER TABLE EMP ADD CONSTRAINT EMP_DEPT_FK REFERENCES DEPT (DEPTNO) DISABLE;";

Lines Marked(const std::string& mark, const Lines& lines)
{
    Lines marked;
    for (const auto& line : lines)
        marked.push_back(mark + line);
    return marked;
}

// Lines with the mark, as the single entry of an item without counterpart.
std::string MarkedEntry(const std::string& mark, const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\r\n") + mark + line;
    return text;
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The report of EMP's sub-lists, each item with its mark and line, in the order columns,
// triggers, indexes, constraints, the key-ordered lists sorted. A compared trigger reports
// line by line; one without counterpart as a single entry.
Lines EmpSubListLines(const std::string& m)
{
    const Lines trigger =
        m == "[ ] " ? Marked(m, kTriggerLines) : Lines{MarkedEntry(m, kTriggerLines)};
    return Concat(
        {{m + "Field01 : ID", m + "ID NUMBER(5,0) NOT NULL", m + "Field02 : NAME",
          m + "NAME VARCHAR2(10)", m + "Field03 : HIRED", m + "HIRED DATE", m + "Trigger : EMP_BI"},
         trigger,
         {m + "Index : EMPHIRED", m + "CREATE INDEX EMPHIRED ON EMP (HIRED);",
          m + "Index : EMP_NAME", m + "CREATE INDEX EMP_NAME ON EMP (NAME);",
          m + "Constraint : ID IS NOT NULL",
          m + "ALTER TABLE EMP ADD CONSTRAINT SYS_C001 CHECK (\"ID\" IS NOT NULL);",
          m + "Constraint : PRIMARY KEY", m + "ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;",
          m + "Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]", m + kFkLine}});
}

// Calls `visit` for every item of the list and of the sub-lists of its objects.
template <class Visit>
void ForEachItem(const TObjectList& list, Visit visit)
{
    for (int i = 0; i < list.Count(); ++i) {
        const TObjectItem* object = list.Items(i);
        visit(*object, object->GetKey());
        const auto visitList = [&](const TDefaultList* sub) {
            if (sub == nullptr)
                return;
            for (int k = 0; k < sub->Count(); ++k)
                visit(*sub->Items(k), object->GetKey() + " / " + sub->Items(k)->GetKey());
        };
        visitList(object->FieldsIfAny());
        visitList(object->TriggersIfAny());
        visitList(object->IndexesIfAny());
        visitList(object->ConstraintsIfAny());
    }
}

Lines Keys(const TDefaultList& list)
{
    Lines keys;
    for (int i = 0; i < list.Count(); ++i)
        keys.push_back(list.Items(i)->GetKey());
    return keys;
}

TEST(CompareModel, IdenticalModelsGiveOnlyUnchangedLines)
{
    TObjectList current;
    TObjectList loaded;
    BuildSample(current);
    BuildSample(loaded);
    TObjectItem* emp = current.Items(1);
    const TConstraintItem* fk = emp->ObjectConstraints().Items(2);
    const auto live = LiveObjectCount();

    TReportLines report;
    CompareObjectLists(current, loaded, report);

    const Lines expected = Concat({
        {"[ ] Package Body : PKG"},
        Marked("[ ] ", kPkgLines),
        {"[ ] Sequence : SEQ", "[ ] Synonym : S", "[ ] CREATE SYNONYM S;", "[ ] Table : EMP",
         "[ ]  Source"},
        Marked("[ ] ", kEmpLines),
        EmpSubListLines("[ ] "),
        {"[ ] View : EMP_V"},
        Marked("[ ] ", kViewLines),
    });
    EXPECT_EQ(Entries(report), expected);

    // Nothing added; the lists are in key order; every compared item is unchanged.
    EXPECT_EQ(LiveObjectCount(), live);
    EXPECT_EQ(Keys(current), (Lines{"Package Body : PKG", "Sequence : SEQ", "Synonym : S",
                                    "Table : EMP", "View : EMP_V"}));
    EXPECT_EQ(Keys(emp->ObjectIndexes()), (Lines{"Index : EMPHIRED", "Index : EMP_NAME"}));
    ForEachItem(current, [](const TDefaultItem& item, const std::string& where) {
        if (where.starts_with("View : EMP_V /"))
            return; // a view's sub-lists take no part
        EXPECT_EQ(item.ObjectState, ObjectStates::Normal) << where;
    });
    EXPECT_EQ(current.Items(0)->ComparisonText(), WithBreaks(Marked("[ ] ", kPkgLines)));
    EXPECT_EQ(current.Items(1)->ComparisonText(), ""); // empty text, nothing to show
    EXPECT_EQ(current.Items(2)->ComparisonText(), "[ ] CREATE SYNONYM S;\r\n");
    EXPECT_EQ(emp->ComparisonText(), WithBreaks(Marked("[ ] ", kEmpLines)));
    EXPECT_EQ(emp->ObjectFields().Items(0)->ComparisonText(), "[ ] ID NUMBER(5,0) NOT NULL\r\n");
    EXPECT_EQ(emp->ObjectTriggers().Items(0)->ComparisonText(),
              WithBreaks(Marked("[ ] ", kTriggerLines)));

    // The disabled constraint: matched by its key with [DISABLED] and compared with its
    // DISABLE line, both taken before the comparison marked it unchanged.
    ASSERT_EQ(emp->ObjectConstraints().Items(2), fk);
    EXPECT_EQ(fk->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(fk->ComparisonText(), std::string("[ ] ") + kFkLine + "\r\n");

    EXPECT_FALSE(ReportHasChanges([&] {
        TReportLines withHeader;
        AddComparisonHeader(withHeader, "ORCL.SCOTT", "same.OBJ", "now");
        for (size_t k = 0; k < report.Count(); ++k)
            withHeader.Add(report[k]);
        return withHeader;
    }()));
}

TEST(CompareModel, TableOnlyInFileIsCopiedInAtItsKeyPosition)
{
    const auto before = LiveObjectCount();
    auto current = std::make_unique<TDBNewOracle>();
    current->Owners().NewItem()->OwnerName = "SCOTT";
    BuildSample(current->Objects(), false);
    const auto currentOnly = LiveObjectCount();
    auto loaded = std::make_unique<TDBNewOracle>();
    loaded->Owners().NewItem()->OwnerName = "SCOTT";
    loaded->Owners().NewItem()->OwnerName = "HR";
    BuildSample(loaded->Objects(), true);
    const TObjectItem* loadedEmp = loaded->Objects().Items(1);
    ASSERT_EQ(loadedEmp->ObjectName, "EMP");

    TReportLines report;
    CompareObjectLists(current->Objects(), loaded->Objects(), report);

    const Lines expected = Concat({
        {"[ ] Package Body : PKG"},
        Marked("[ ] ", kPkgLines),
        {"[ ] Sequence : SEQ", "[ ] Synonym : S", "[ ] CREATE SYNONYM S;", "[+] Table : EMP",
         "[+]  Source", MarkedEntry("[+] ", kEmpLines)},
        EmpSubListLines("[+] "),
        {"[ ] View : EMP_V"},
        Marked("[ ] ", kViewLines),
    });
    EXPECT_EQ(Entries(report), expected);

    TObjectList& merged = current->Objects();
    ASSERT_EQ(merged.Count(), 5);
    TObjectItem* emp = merged.Items(3);
    ASSERT_EQ(emp->GetKey(), "Table : EMP");
    EXPECT_NE(emp, loadedEmp);
    EXPECT_EQ(emp->ObjectState, ObjectStates::Added);
    EXPECT_EQ(emp->ComparisonText(), MarkedEntry("[+] ", kEmpLines));
    ForEachItem(merged, [](const TDefaultItem& item, const std::string& where) {
        if (where.starts_with("Table : EMP")) {
            EXPECT_EQ(item.ObjectState, ObjectStates::Added) << where;
        } else if (!where.starts_with("View : EMP_V /")) {
            EXPECT_EQ(item.ObjectState, ObjectStates::Normal) << where;
        }
    });
    const TConstraintItem* fk = emp->ObjectConstraints().Items(2);
    EXPECT_EQ(fk->ComparisonText(), std::string("[+] ") + kFkLine);
    EXPECT_EQ(emp->ObjectTriggers().Items(0)->ComparisonText(), MarkedEntry("[+] ", kTriggerLines));

    // The file's model is left as it was; owners take no part.
    EXPECT_EQ(loadedEmp->ObjectState, ObjectStates::Normal);
    ASSERT_NE(loadedEmp->ConstraintsIfAny(), nullptr);
    EXPECT_EQ(loadedEmp->ConstraintsIfAny()->Items(2)->ObjectState, ObjectStates::Disabled);
    EXPECT_EQ(loadedEmp->ComparisonText(), "");
    EXPECT_EQ(current->Owners().Count(), 1);

    // The merged table is a copy: 1 object, 4 sub-lists, 3 columns, 1 trigger, 2 indexes and
    // 3 constraints. It outlives the file's model.
    const auto copies = 14;
    loaded.reset();
    EXPECT_EQ(LiveObjectCount(), currentOnly + copies);
    EXPECT_EQ(emp->GetCreatingText(), MarkedEntry("", kEmpLines));
    EXPECT_EQ(Keys(emp->ObjectConstraints()),
              (Lines{"Constraint : ID IS NOT NULL", "Constraint : PRIMARY KEY",
                     "Constraint : REFERENCES DEPT (DEPTNO)"})); // state 3 now, not disabled
    current.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CompareModel, TableOnlyInCurrentModelIsMarkedRemoved)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* emp = AddEmp(current);
    AddObject(loaded, ObjectTypes::Table, "DEPT");

    TReportLines report;
    CompareObjectLists(current, loaded, report);

    const Lines expected = Concat({
        {"[+] Table : DEPT", "[+]  Source", "[+] CREATE TABLE DEPT ();", "[-] Table : EMP",
         "[-]  Source", MarkedEntry("[-] ", kEmpLines)},
        EmpSubListLines("[-] "),
    });
    EXPECT_EQ(Entries(report), expected);
    ASSERT_EQ(current.Count(), 2);
    EXPECT_EQ(current.Items(0)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(current.Items(1), emp);
    ForEachItem(current, [](const TDefaultItem& item, const std::string& where) {
        if (where.starts_with("Table : EMP")) {
            EXPECT_EQ(item.ObjectState, ObjectStates::Removed) << where;
        }
    });
    EXPECT_EQ(emp->ObjectConstraints().Items(2)->ComparisonText(), std::string("[-] ") + kFkLine);
}

TEST(CompareModel, ObjectWithEmptyTextAndNoCounterpartReportsItsKeyOnly)
{
    TObjectList current;
    TObjectList loaded;
    AddObject(current, ObjectTypes::Sequence, "OLD_SEQ");
    AddObject(loaded, ObjectTypes::Sequence, "NEW_SEQ");
    AddObject(loaded, ObjectTypes::Procedure, "P", "PROCEDURE P IS\r\nBEGIN NULL; END;");
    current.Items(0)->SetComparisonText("stale");

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report),
              (Lines{"[+] Procedure : P", "[+] PROCEDURE P IS\r\n[+] BEGIN NULL; END;",
                     "[+] Sequence : NEW_SEQ", "[-] Sequence : OLD_SEQ"}));
    ASSERT_EQ(current.Count(), 3);
    EXPECT_EQ(current.Items(1)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(current.Items(1)->ComparisonText(), "");
    EXPECT_EQ(current.Items(2)->ObjectState, ObjectStates::Removed);
    EXPECT_EQ(current.Items(2)->ComparisonText(), "");
}

TEST(CompareModel, MergedListIsInKeyOrder)
{
    TObjectList current;
    TObjectList loaded;
    AddObject(current, ObjectTypes::View, "V1");
    AddObject(current, ObjectTypes::Procedure, "P_B");
    AddObject(current, ObjectTypes::Function, "F");
    AddObject(loaded, ObjectTypes::Procedure, "PA");
    AddObject(loaded, ObjectTypes::Table, "T");
    AddObject(loaded, ObjectTypes::Procedure, "p_b");
    AddObject(loaded, ObjectTypes::Function, "F");

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    // Letters are compared in upper case, so "PA" comes before "P_B".
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] Function : F", "[+] Procedure : PA", "[ ] Procedure : P_B",
                     "[+] Table : T", "[+]  Source", "[+] CREATE TABLE T ();", "[-] View : V1"}));
    EXPECT_EQ(Keys(current), (Lines{"Function : F", "Procedure : PA", "Procedure : P_B",
                                    "Table : T", "View : V1"}));
    std::vector<int> states;
    for (int i = 0; i < current.Count(); ++i)
        states.push_back(current.Items(i)->ObjectState);
    EXPECT_EQ(states, (std::vector<int>{0, 3, 0, 3, 4}));
    // The other list keeps its own order.
    EXPECT_EQ(Keys(loaded),
              (Lines{"Procedure : PA", "Table : T", "Procedure : p_b", "Function : F"}));
}

TEST(CompareModel, LetterCaseOnlyDifferencesAreUnchanged)
{
    TObjectList current;
    TObjectList loaded;
    AddObject(current, ObjectTypes::View, "emp_v", "create view emp_v as\r\nselect * from emp");
    AddObject(loaded, ObjectTypes::View, "EMP_V", "CREATE VIEW EMP_V AS\r\nSELECT * FROM EMP");

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] View : emp_v", "[ ] create view emp_v as", "[ ] select * from emp"}));
    ASSERT_EQ(current.Count(), 1);
    EXPECT_EQ(current.Items(0)->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(current.Items(0)->ComparisonText(),
              "[ ] create view emp_v as\r\n[ ] select * from emp\r\n");
}

TEST(CompareModel, ChangedTextsOfAnObject)
{
    struct {
        const char* current;
        const char* other;
        Lines report;
        int state;
    } const cases[] = {
        {"X\r\nY", "X\r\nZ\r\nY", {"[ ] X", "[+] Z", "[ ] Y"}, ObjectStates::Changed},
        {"X\r\nY", "Z\r\nW", {"[-] X", "[+] Z", "[-] Y", "[+] W"}, ObjectStates::Changed},
        {"X\r\n\r\nY", "X\r\nY", {"[ ] X", "[-] ", "[ ] Y"}, ObjectStates::Normal},
    };
    for (const auto& c : cases) {
        TObjectList current;
        TObjectList loaded;
        AddObject(current, ObjectTypes::PackageBody, "PKG", c.current);
        AddObject(loaded, ObjectTypes::PackageBody, "PKG", c.other);
        TReportLines report;
        CompareObjectLists(current, loaded, report);
        EXPECT_EQ(Entries(report), Concat({{"[ ] Package Body : PKG"}, c.report})) << c.other;
        EXPECT_EQ(current.Items(0)->ObjectState, c.state) << c.other;
        EXPECT_EQ(current.Items(0)->ComparisonText(), WithBreaks(c.report)) << c.other;
    }
}

TEST(CompareModel, RenamedColumnIsAddedAtItsPlaceThenRemoved)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddObject(current, ObjectTypes::Table, "T");
    TFieldItem* a = AddField(*mine, 1, "A", 12, 7);
    AddField(*AddObject(loaded, ObjectTypes::Table, "T"), 1, "B", 12, 7);

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report), (Lines{"[ ] Table : T", "[ ]  Source", "[ ] CREATE TABLE T (",
                                      "[-]  A DATE);", "[+]  B DATE);", "[+] Field01 : B",
                                      "[+] B DATE", "[-] Field01 : A", "[-] A DATE"}));
    EXPECT_EQ(mine->ObjectState, ObjectStates::Changed);
    ASSERT_EQ(mine->ObjectFields().Count(), 2);
    EXPECT_EQ(mine->ObjectFields().Items(0)->FieldName, "B");
    EXPECT_EQ(mine->ObjectFields().Items(0)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(mine->ObjectFields().Items(0)->ComparisonText(), "[+] B DATE");
    EXPECT_EQ(mine->ObjectFields().Items(1), a);
    EXPECT_EQ(a->ObjectState, ObjectStates::Removed);
    EXPECT_EQ(a->ComparisonText(), "[-] A DATE");
    // No other sub-list existed on either side, and none was created.
    EXPECT_EQ(mine->ConstraintsIfAny(), nullptr);
    EXPECT_EQ(mine->IndexesIfAny(), nullptr);
    EXPECT_EQ(mine->TriggersIfAny(), nullptr);
}

TEST(CompareModel, ColumnsKeepColumnOrderAndMatchByExactName)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddObject(current, ObjectTypes::Table, "T");
    TObjectItem* theirs = AddObject(loaded, ObjectTypes::Table, "T");
    // Column numbers out of order: a key order would differ from column order.
    AddField(*mine, 3, "C", 12, 7);
    AddField(*mine, 1, "a", 12, 7);
    AddField(*mine, 2, "D", 12, 7);
    AddField(*theirs, 3, "C", 1, 10);
    AddField(*theirs, 5, "E", 12, 7);
    AddField(*theirs, 1, "A", 12, 7);
    AddField(*theirs, 2, "D", 12, 7);

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    // C paired (type changed); "a" against "E": no run starts with either name ("A" is not
    // "a"), so E is added then "a" removed; "A" added against D by the insertion run; D paired.
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] Table : T",   "[ ]  Source",         "[ ] CREATE TABLE T (",
                     "[-]  C DATE",     "[+]  C VARCHAR2(10)", "[-] ,a DATE",
                     "[+] ,E DATE",     "[+] ,A DATE",         "[ ] ,D DATE);",
                     "[ ] Field03 : C", "[-] C DATE",          "[+] C VARCHAR2(10)",
                     "[+] Field05 : E", "[+] E DATE",          "[-] Field01 : a",
                     "[-] a DATE",      "[+] Field01 : A",     "[+] A DATE",
                     "[ ] Field02 : D", "[ ] D DATE"}));
    EXPECT_EQ(Keys(mine->ObjectFields()),
              (Lines{"Field03 : C", "Field05 : E", "Field01 : a", "Field01 : A", "Field02 : D"}));
    std::vector<int> states;
    for (int i = 0; i < mine->ObjectFields().Count(); ++i)
        states.push_back(mine->ObjectFields().Items(i)->ObjectState);
    EXPECT_EQ(states, (std::vector<int>{5, 3, 4, 3, 0}));
}

TEST(CompareModel, SubListOnOneSideOnlyIsComparedWithAnEmptyList)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddObject(current, ObjectTypes::Table, "T");
    AddTrigger(*mine, "T_BI", "T_BI BEFORE INSERT ON T\r\nBEGIN NULL; END;");
    TObjectItem* theirs = AddObject(loaded, ObjectTypes::Table, "T");
    AddIndex(*theirs, "T_IX", "A");

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(
        Entries(report),
        (Lines{"[ ] Table : T", "[ ]  Source", "[ ] CREATE TABLE T ();", "[-] Trigger : T_BI",
               "[-] CREATE OR REPLACE TRIGGER T_BI BEFORE INSERT ON T\r\n[-] BEGIN NULL; END;",
               "[+] Index : T_IX", "[+] CREATE INDEX T_IX ON T (A);"}));
    EXPECT_EQ(mine->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(mine->ObjectTriggers().Items(0)->ObjectState, ObjectStates::Removed);
    ASSERT_NE(mine->IndexesIfAny(), nullptr);
    ASSERT_EQ(mine->ObjectIndexes().Count(), 1);
    EXPECT_EQ(mine->ObjectIndexes().Items(0)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(mine->FieldsIfAny(), nullptr);
}

TEST(CompareModel, ConstraintRenamedOnlyIsReportedButNotMarkedChanged)
{
    struct {
        const char* currentName;
        const char* currentCondition;
        const char* otherName;
        const char* otherCondition;
        Lines report;
        int state;
    } const cases[] = {
        {"SAL_CK",
         "SAL > 0",
         "CK_SAL",
         "SAL > 0",
         {"[ ] Constraint : SAL > 0", "[-] ALTER TABLE EMP ADD CONSTRAINT SAL_CK AS SAL > 0;",
          "[+] ALTER TABLE EMP ADD CONSTRAINT CK_SAL AS SAL > 0;"},
         ObjectStates::Normal},
        // Same key, but the definitions differ in letter case: a real change.
        {"SAL_CK",
         "SAL > 0",
         "CK_SAL",
         "sal > 0",
         {"[ ] Constraint : SAL > 0", "[-] ALTER TABLE EMP ADD CONSTRAINT SAL_CK AS SAL > 0;",
          "[+] ALTER TABLE EMP ADD CONSTRAINT CK_SAL AS sal > 0;"},
         ObjectStates::Changed},
        // Name in another letter case only: nothing to report.
        {"SAL_CK",
         "SAL > 0",
         "sal_ck",
         "SAL > 0",
         {"[ ] Constraint : SAL > 0", "[ ] ALTER TABLE EMP ADD CONSTRAINT SAL_CK AS SAL > 0;"},
         ObjectStates::Normal},
    };
    for (const auto& c : cases) {
        TObjectList current;
        TObjectList loaded;
        TObjectItem* mine = AddObject(current, ObjectTypes::Table, "EMP");
        TConstraintItem* constraint = AddConstraint(*mine, c.currentName, 1, c.currentCondition);
        AddConstraint(*AddObject(loaded, ObjectTypes::Table, "EMP"), c.otherName, 1,
                      c.otherCondition);
        TReportLines report;
        CompareObjectLists(current, loaded, report);
        EXPECT_EQ(
            Entries(report),
            Concat({{"[ ] Table : EMP", "[ ]  Source", "[ ] CREATE TABLE EMP ();"}, c.report}))
            << c.otherName;
        EXPECT_EQ(constraint->ObjectState, c.state) << c.otherName;
        EXPECT_EQ(mine->ObjectState, ObjectStates::Normal);
    }
}

TEST(CompareModel, DisabledConstraintRenamedOnlyIsNotMarkedChanged)
{
    // Both sides disabled: the display texts agree only as they were before the comparison
    // marked the constraint ("... [DISABLED]" on both).
    TObjectList current;
    TObjectList loaded;
    TConstraintItem* constraint = AddConstraint(*AddObject(current, ObjectTypes::Table, "EMP"),
                                                "EMP_FK", 4, "DEPTNO", ObjectStates::Disabled);
    AddConstraint(*AddObject(loaded, ObjectTypes::Table, "EMP"), "FK_EMP", 4, "DEPTNO",
                  ObjectStates::Disabled);
    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(
        Entries(report),
        (Lines{"[ ] Table : EMP", "[ ]  Source", "[ ] CREATE TABLE EMP ();",
               "[ ] Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]",
               "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;",
               "[+] ALTER TABLE EMP ADD CONSTRAINT FK_EMP REFERENCES DEPT (DEPTNO) DISABLE;"}));
    EXPECT_EQ(constraint->ObjectState, ObjectStates::Normal);
    EXPECT_EQ(constraint->ComparisonText(),
              "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;\r\n"
              "[+] ALTER TABLE EMP ADD CONSTRAINT FK_EMP REFERENCES DEPT (DEPTNO) DISABLE;\r\n");
}

TEST(CompareModel, ChangedIndexIsMarkedSix)
{
    TObjectList current;
    TObjectList loaded;
    TIndexItem* index =
        AddIndex(*AddObject(current, ObjectTypes::Table, "EMP"), "EMP_NAME", "NAME");
    AddIndex(*AddObject(loaded, ObjectTypes::Table, "EMP"), "EMP_NAME", "NAME,ID");

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] Table : EMP", "[ ]  Source", "[ ] CREATE TABLE EMP ();",
                     "[ ] Index : EMP_NAME", "[-] CREATE INDEX EMP_NAME ON EMP (NAME);",
                     "[+] CREATE INDEX EMP_NAME ON EMP (NAME,ID);"}));
    EXPECT_EQ(index->ObjectState, ObjectStates::ChangedIndex);
    EXPECT_EQ(index->ComparisonText(), "[-] CREATE INDEX EMP_NAME ON EMP (NAME);\r\n"
                                       "[+] CREATE INDEX EMP_NAME ON EMP (NAME,ID);\r\n");
}

TEST(CompareModel, DisabledConstraints)
{
    // Added while disabled: reported with [DISABLED] and DISABLE, taken from the copy before
    // it was marked added. Disabled on one side only: a different key, so removed and added.
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddObject(current, ObjectTypes::Table, "EMP");
    TObjectItem* theirs = AddObject(loaded, ObjectTypes::Table, "EMP");
    AddConstraint(*mine, "EMP_DEPT_FK", 4, "DEPTNO");
    AddConstraint(*theirs, "EMP_DEPT_FK", 4, "DEPTNO", ObjectStates::Disabled);
    AddConstraint(*theirs, "EMP_UK", 3, "NAME", ObjectStates::Disabled);

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] Table : EMP", "[ ]  Source", "[ ] CREATE TABLE EMP ();",
                     "[-] Constraint : REFERENCES DEPT (DEPTNO)",
                     "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_DEPT_FK REFERENCES DEPT (DEPTNO);",
                     "[+] Constraint : REFERENCES DEPT (DEPTNO) [DISABLED]",
                     std::string("[+] ") + kFkLine, "[+] Constraint : UNIQUE KEY [DISABLED]",
                     "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_UK UNIQUE KEY DISABLE;"}));
    const TConstraintList& merged = mine->ObjectConstraints();
    ASSERT_EQ(merged.Count(), 3);
    EXPECT_EQ(merged.Items(0)->ObjectState, ObjectStates::Removed);
    EXPECT_EQ(merged.Items(1)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(merged.Items(1)->ComparisonText(), std::string("[+] ") + kFkLine);
    EXPECT_EQ(merged.Items(2)->ObjectState, ObjectStates::Added);
    EXPECT_EQ(merged.Items(2)->ComparisonText(),
              "[+] ALTER TABLE EMP ADD CONSTRAINT EMP_UK UNIQUE KEY DISABLE;");
}

TEST(CompareModel, ViewSubListsAreNotCompared)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine =
        AddObject(current, ObjectTypes::View, "V", "CREATE VIEW V AS SELECT 1 A FROM DUAL");
    TConstraintItem* readOnly = AddConstraint(*mine, "SYS_C1", 6, "", ObjectStates::Invalid);
    TFieldItem* column = AddField(*mine, 1, "A", 2, 22);
    column->ObjectState = ObjectStates::Invalid;
    TObjectItem* theirs =
        AddObject(loaded, ObjectTypes::View, "V", "CREATE VIEW V AS SELECT 1 A FROM DUAL");
    AddConstraint(*theirs, "SYS_C2", 5, "");
    AddField(*theirs, 1, "B", 12, 7);
    TObjectItem* other =
        AddObject(loaded, ObjectTypes::View, "W", "CREATE VIEW W AS SELECT 2 B FROM DUAL");
    AddConstraint(*other, "SYS_C3", 5, "", ObjectStates::Invalid);

    TReportLines report;
    CompareObjectLists(current, loaded, report);
    EXPECT_EQ(Entries(report),
              (Lines{"[ ] View : V", "[ ] CREATE VIEW V AS SELECT 1 A FROM DUAL", "[+] View : W",
                     "[+] CREATE VIEW W AS SELECT 2 B FROM DUAL"}));
    ASSERT_EQ(mine->ObjectConstraints().Count(), 1);
    EXPECT_EQ(readOnly->ObjectState, ObjectStates::Invalid);
    EXPECT_EQ(readOnly->ComparisonText(), "");
    ASSERT_EQ(mine->ObjectFields().Count(), 1);
    EXPECT_EQ(column->ObjectState, ObjectStates::Invalid);
    EXPECT_EQ(mine->ObjectState, ObjectStates::Normal);
    // The added view is copied with its sub-lists, which stay unmarked.
    ASSERT_EQ(current.Count(), 2);
    const TObjectItem* copy = current.Items(1);
    EXPECT_EQ(copy->ObjectState, ObjectStates::Added);
    ASSERT_NE(copy->ConstraintsIfAny(), nullptr);
    ASSERT_EQ(copy->ConstraintsIfAny()->Count(), 1);
    EXPECT_EQ(copy->ConstraintsIfAny()->Items(0)->ObjectState, ObjectStates::Invalid);
    EXPECT_EQ(copy->ConstraintsIfAny()->Items(0)->ComparisonText(), "");
}

TEST(CompareModel, ComparingWithNothingUsesTheGivenMark)
{
    TObjectList current;
    AddObject(current, ObjectTypes::View, "V", "CREATE VIEW V\r\nAS SELECT 1 FROM DUAL");
    AddObject(current, ObjectTypes::Sequence, "A_SEQ");
    TReportLines report;
    current.Compare(nullptr, report, "[-] ");
    EXPECT_EQ(Entries(report), (Lines{"[-] Sequence : A_SEQ", "[-] View : V",
                                      "[-] CREATE VIEW V\r\n[-] AS SELECT 1 FROM DUAL"}));
    EXPECT_EQ(current.Items(0)->ObjectState, ObjectStates::Removed);
    EXPECT_EQ(current.Items(1)->ObjectState, ObjectStates::Removed);
}

} // namespace
} // namespace quorvex
