// The line-by-line comparison of two creating texts, the report and its header, the
// comparison of whole object lists (the report, the marks and the merged current model), and
// the text report of a model.

#include "DumpModel.h"
#include "ModelBuilder.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "model/ComparisonReport.h"
#include "model/LineComparison.h"
#include "model/ObjectState.h"
#include "model/TextReport.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>

namespace quorvex {
namespace {

using test::AddItem;

// The report entries, each followed by "\n".
std::string Entries(const TReportLines& report)
{
    std::string text;
    for (size_t k = 0; k < report.Count(); ++k)
        text += std::string(report[k]) + "\n";
    return text;
}

TEST(CompareLines, ReportTextAndState)
{
    // Current text, other text, the report (one entry a line; the comparison text is the same
    // with CR LF) and whether a non-empty line changed.
    const std::tuple<const char*, const char*, const char*, bool> cases[] = {
        // clang-format off
        {"select X\r\nfrom dual", "SELECT x\r\nFROM DUAL", "[ ] select X\n[ ] from dual\n", false},
        {"X\r\nY", "X\r\nZ\r\nY", "[ ] X\n[+] Z\n[ ] Y\n", true},
        {"X\r\nZ\r\nY", "X\r\nY", "[ ] X\n[-] Z\n[ ] Y\n", true},
        {"X\r\nY", "Z\r\nW", "[-] X\n[+] Z\n[-] Y\n[+] W\n", true},
        {"", "X\r\nY", "[+] X\n[+] Y\n", true},
        {"X\r\nY\r\n", "", "[-] X\n[-] Y\n", true},
        {"", "", "", false},
        {"X\r\n\r\nY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false}, // empty lines alone are no change
        {"X\r\nY", "X\r\n\r\nY", "[ ] X\n[+] \n[ ] Y\n", false},
        {"X", "X\r\n\r\n", "[ ] X\n[+] \n", false},
        // A removal run wins a tie; a nearer insertion run wins over a farther removal run.
        {"P\r\nQ\r\nR", "Q\r\nP\r\nR", "[-] P\n[ ] Q\n[+] P\n[ ] R\n", true},
        {"P\r\nX\r\nY\r\nQ", "Q\r\nZ\r\nP", "[+] Q\n[+] Z\n[ ] P\n[-] X\n[-] Y\n[-] Q\n", true},
        {"A\r\nB\r\nC\r\nD", "D", "[-] A\n[-] B\n[-] C\n[ ] D\n", true},
        {"P\r\nx", "X", "[-] P\n[+] X\n[-] x\n", true}, // the look-ahead matches case exactly
        {"\r\nQ", "Z", "[-] \n[+] Z\n[-] Q\n", true},
        {"X ", "X", "[-] X \n[+] X\n", true},
        {"X\rY\nZ\r\n", "X\nY\r\nZ\r", "[ ] X\n[ ] Y\n[ ] Z\n", false}, // any line break style
        {"X\n\rY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false}, // lone breaks give empty lines
        // clang-format on
    };
    for (const auto& [current, other, expected, changed] : cases) {
        SCOPED_TRACE(testing::PrintToString(current) + " / " + testing::PrintToString(other));
        TReportLines report;
        report.Add("earlier entry");
        const TLineComparison result = CompareLines(current, other, report);
        EXPECT_EQ(Entries(report), std::string("earlier entry\n") + expected);
        EXPECT_EQ(report.Text(), "earlier entry\r\n" + result.ComparisonText);
        EXPECT_EQ(result.Changed, changed);
        // Through an item: the state becomes 5 when changed, and is otherwise left alone.
        TDefaultItem mine;
        TDefaultItem theirs;
        test::SetProps(mine, "ObjectState=1|ObjectText=" + std::string(current));
        theirs.ObjectText = other;
        mine.Compare(&theirs, report, Marks::Unchanged);
        EXPECT_EQ(mine.ObjectState, changed ? ObjectStates::Changed : ObjectStates::Invalid);
    }
}

TEST(ComparisonReport, HeaderEntriesTextAndChanges)
{
    TReportLines report;
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
    // The header's own marks, marks inside a line and a bare mark are no change.
    EXPECT_FALSE(ReportHasChanges(report));
    TReportLines added = report;
    added.Add("[+] X\r\n[+] Y");
    report.Add("[-] X");
    EXPECT_TRUE(ReportHasChanges(added) && ReportHasChanges(report));
}

// Compares `current` with `loaded`: the report entries, one a line (an entry of several lines
// keeps its CR LF), then "--" and every merged object's key and state followed by the states
// of its columns, triggers, indexes and constraints, one object a line.
std::string Compare(TObjectList& current, TObjectList& loaded)
{
    TReportLines report;
    CompareObjectLists(current, loaded, report);
    std::string text = Entries(report) + "--\n";
    for (int i = 0; i < current.Count(); ++i) {
        const TObjectItem& object = *current.Items(i);
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

// A table with two columns, a trigger, two indexes and two constraints, one disabled; the
// keyed sub-lists deliberately not in key order. The column comment is a display text only.
TObjectItem* AddTable(TObjectList& list, const std::string& t)
{
    TObjectItem* table = AddItem(list, "ObjectType=2|ObjectName=" + t);
    AddItem(table->ObjectFields(),
            "FieldNo=1|FieldName=ID|FieldType=2|Length=22|Precision=5|Scale=0|Null=1");
    AddItem(table->ObjectFields(), "FieldNo=2|FieldName=NAME|FieldType=1|Length=10|CommentText=c");
    AddItem(table->ObjectTriggers(),
            "ObjectName=" + t + "_BI|ObjectText=" + t + "_BI BEFORE INSERT ON " + t + "\nEND;");
    AddItem(table->ObjectIndexes(), "ObjectName=" + t + "_NAME|IndexFields=NAME|TableName=" + t);
    AddItem(table->ObjectIndexes(), "ObjectName=" + t + "HIRED|IndexFields=HIRED|TableName=" + t);
    AddItem(table->ObjectConstraints(), "ObjectName=" + t + "_FK|ConstType=4|RefObjName=DEPT|" +
                                            "RefFields=DEPTNO|ObjectState=2|TableName=" + t);
    AddItem(table->ObjectConstraints(), "ObjectName=" + t + "_PK|ConstType=2|TableName=" + t);
    return table;
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

TEST(CompareModel, ObjectsIdenticalOnlyInFileAndOnlyInCurrentModel)
{
    const auto before = LiveObjectCount();
    auto current = std::make_unique<TDBNewOracle>();
    auto loaded = std::make_unique<TDBNewOracle>();
    for (TDBNewOracle* model : {current.get(), loaded.get()}) {
        const bool file = model == loaded.get();
        AddItem(model->Owners(), file ? "OwnerName=HR" : "OwnerName=SCOTT");
        TObjectItem* view =
            AddItem(model->Objects(), "ObjectType=4|ObjectName=EMP_V|"
                                      "ObjectText=CREATE VIEW EMP_V AS\r\nSELECT 1");
        AddItem(view->ObjectConstraints(), file ? "ConstType=5" : "ConstType=6|ObjectState=1");
        AddItem(view->ObjectFields(), file ? "FieldName=B" : "FieldName=A|ObjectState=1");
        AddTable(model->Objects(), file ? "NEW" : "OLD");
        AddTable(model->Objects(), "EMP");
        AddItem(model->Objects(), "ObjectType=2|ObjectName=T");
        AddItem(model->Objects(), "ObjectType=6|ObjectName=SEQ");
        AddItem(model->Objects(), "ObjectType=5|ObjectName=S");
        AddItem(model->Objects(),
                file ? "ObjectType=7|ObjectName=p_b|ObjectText=PROCEDURE P_B\r\nIS"
                     : "ObjectType=7|ObjectName=P_B|ObjectText=procedure p_b\r\nis");
    }
    AddItem(current->Objects(), "ObjectType=6|ObjectName=OLD_SEQ")->SetComparisonText("stale");
    AddItem(loaded->Objects(), "ObjectType=7|ObjectName=PA|ObjectText=PROCEDURE PA IS\r\nEND;");
    TObjectItem* w = AddItem(loaded->Objects(), "ObjectType=4|ObjectName=W|ObjectText=VIEW W");
    AddItem(w->ObjectConstraints(), "ObjectName=SYS_C3|ConstType=5|ObjectState=1");
    const auto live = LiveObjectCount();
    const std::string loadedBefore = test::DumpModel(*loaded);

    // Keys compare with letters in upper case: "PA" before "P_B", "p_b" matches "P_B", and
    // texts differing in letter case only are unchanged. A disabled constraint is matched by
    // its key with [DISABLED] and compared with its DISABLE line, both taken before the
    // comparison marked it. A view's sub-lists take no part, nor do owners; an added view is
    // copied with its sub-lists unmarked.
    EXPECT_EQ(
        Compare(current->Objects(), loaded->Objects()),
        "[+] Procedure : PA\n[+] PROCEDURE PA IS\r\n[+] END;\n[ ] Procedure : P_B\n"
        "[ ] procedure p_b\n[ ] is\n[-] Sequence : OLD_SEQ\n[ ] Sequence : SEQ\n"
        "[ ] Synonym : S\n[ ] CREATE SYNONYM S;\n" +
            TableReport("EMP", "[ ] ", true) + TableReport("NEW", "[+] ", false) +
            TableReport("OLD", "[-] ", false) +
            "[ ] Table : T\n[ ]  Source\n[ ] CREATE TABLE T ();\n"
            "[ ] View : EMP_V\n[ ] CREATE VIEW EMP_V AS\n[ ] SELECT 1\n"
            "[+] View : W\n[+] VIEW W\n--\n"
            "Procedure : PA 3:\nProcedure : P_B 0:\nSequence : OLD_SEQ 4:\nSequence : SEQ 0:\n"
            "Synonym : S 0:\nTable : EMP 0: 0 0 0 0 0 0 0\nTable : NEW 3: 3 3 3 3 3 3 3\n"
            "Table : OLD 4: 4 4 4 4 4 4 4\nTable : T 0:\nView : EMP_V 0: 1 1\nView : W 3: 1\n");
    const TObjectList& merged = current->Objects();
    EXPECT_EQ(merged.Items(7)->ObjectConstraints().Items(1)->ComparisonText(),
              "[-] ALTER TABLE OLD ADD CONSTRAINT OLD_FK REFERENCES DEPT (DEPTNO) DISABLE;");
    // No text, nothing to show (the stale text gone); sub-lists on neither side not created.
    EXPECT_EQ(merged.Items(2)->ComparisonText() + merged.Items(3)->ComparisonText(), "");
    EXPECT_EQ(merged.Items(10)->ObjectConstraints().Items(0)->ComparisonText(), "");
    EXPECT_EQ(merged.Items(8)->FieldsIfAny(), nullptr);
    EXPECT_EQ(test::DumpModel(*loaded), loadedBefore);
    EXPECT_EQ(current->Owners().Count(), 1);

    // The added objects are copies that outlive the file's model: the table with 4 sub-lists,
    // 2 columns, 1 trigger, 2 indexes and 2 constraints; the procedure; the view with 1 list
    // and 1 constraint.
    EXPECT_EQ(LiveObjectCount(), live + 12 + 1 + 3);
    loaded.reset();
    EXPECT_EQ(merged.Items(6)->GetCreatingText(),
              "CREATE TABLE NEW (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));");
    current.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CompareModel, ColumnsConstraintsAndIndexesOfATable)
{
    TObjectList current;
    TObjectList loaded;
    TObjectItem* mine = AddItem(current, "ObjectType=2|ObjectName=EMP");
    TObjectItem* theirs = AddItem(loaded, "ObjectType=2|ObjectName=EMP");
    // Column numbers out of order: a key order would differ from column order.
    for (const char* props :
         {"FieldNo=3|FieldName=C|FieldType=12", "FieldNo=1|FieldName=a|FieldType=12",
          "FieldNo=2|FieldName=D|FieldType=12"})
        AddItem(mine->ObjectFields(), props);
    for (const char* props :
         {"FieldNo=3|FieldName=C|FieldType=1|Length=10", "FieldNo=5|FieldName=E|FieldType=12",
          "FieldNo=1|FieldName=A|FieldType=12", "FieldNo=2|FieldName=D|FieldType=12"})
        AddItem(theirs->ObjectFields(), props);
    AddItem(mine->ObjectTriggers(), "ObjectName=T_BI|ObjectText=T_BI BEFORE INSERT\r\nEND;");
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
    AddItem(theirs->ObjectIndexes(), "ObjectName=T_IX|TableName=EMP|IndexFields=A");

    // Columns: C paired (type changed); "a" against "E": no run starts with either name ("A"
    // is not "a"), so E is added then "a" removed; "A" added against D by the insertion run;
    // D paired. A trigger list on one side only meets an empty one. A changed index is marked
    // 6; letter case alone is no change. A constraint whose only change is its name is
    // reported but not marked changed; the display texts of disabled ones agree only as they
    // were before the comparison marked them. Disabled on one side only is another key.
    EXPECT_EQ(
        Compare(current, loaded),
        "[ ] Table : EMP\n[ ]  Source\n[ ] CREATE TABLE EMP (\n[-]  C DATE\n"
        "[+]  C VARCHAR2(10)\n[-] ,a DATE\n[+] ,E DATE\n[+] ,A DATE\n[ ] ,D DATE);\n"
        "[ ] Field03 : C\n[-] C DATE\n[+] C VARCHAR2(10)\n[+] Field05 : E\n[+] E DATE\n"
        "[-] Field01 : a\n[-] a DATE\n[+] Field01 : A\n[+] A DATE\n[ ] Field02 : D\n"
        "[ ] D DATE\n[-] Trigger : T_BI\n"
        "[-] CREATE OR REPLACE TRIGGER T_BI BEFORE INSERT\r\n[-] END;\n"
        "[ ] Index : EMP_ID\n[ ] CREATE INDEX EMP_ID ON EMP (ID);\n"
        "[ ] Index : EMP_NAME\n[-] CREATE INDEX EMP_NAME ON EMP (NAME);\n"
        "[+] CREATE INDEX EMP_NAME ON EMP (NAME,ID);\n"
        "[+] Index : T_IX\n[+] CREATE INDEX T_IX ON EMP (A);\n"
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
        "--\nTable : EMP 5: 5 3 4 3 0 4 0 6 3 5 0 4 3 0 0 3\n");
    EXPECT_EQ(mine->ObjectFields().Items(1)->ComparisonText(), "[+] E DATE");
    EXPECT_EQ(mine->ObjectConstraints().Items(4)->ComparisonText(),
              "[-] ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (LOC) DISABLE;\r\n"
              "[+] ALTER TABLE EMP ADD CONSTRAINT FK_EMP REFERENCES DEPT (LOC) DISABLE;\r\n");
}

// ---- The text report: every creating text of a model in list and property order, lines
// ending in CR LF, saved whole or not at all ----

// A small model whose lists are deliberately not in key order, with every kind of line break.
void AddSample(TDBNewOracle& model)
{
    AddItem(model.Owners(), "OwnerName=SCOTT"); // owners have no text
    TObjectList& objects = model.Objects();
    AddItem(AddItem(objects, "ObjectType=4|ObjectName=V|ObjectText=CREATE VIEW V AS\nSELECT 1 "
                             "A\rFROM DUAL\n\rX\r\r\nY\n\nZ")
                ->ObjectConstraints(),
            "ObjectName=SYS_C9|TableName=V|ConstType=6");
    AddTable(objects, "EMP")->CommentText = "Employees"; // a display text only
    AddItem(objects, "ObjectType=6|ObjectName=SEQ");     // no text: writes nothing
    AddItem(objects, "ObjectType=9|ObjectName=PKG|ObjectText=PACKAGE PKG IS\r\nEND;\r\n");
    AddItem(objects, "ObjectType=5|ObjectName=S");
}

const char* const kSampleReport =
    "CREATE VIEW V AS\r\nSELECT 1 A\r\nFROM DUAL\r\n\r\nX\r\n\r\nY\r\n\r\nZ\r\n"
    "ALTER VIEW V ADD CONSTRAINT SYS_C9 WITH READ ONLY;\r\n"
    "CREATE TABLE EMP (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT EMP_FK REFERENCES DEPT (DEPTNO) DISABLE;\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;\r\n"
    "ID NUMBER(5,0) NOT NULL\r\nNAME VARCHAR2(10)\r\n"
    "CREATE INDEX EMP_NAME ON EMP (NAME);\r\nCREATE INDEX EMPHIRED ON EMP (HIRED);\r\n"
    "CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\nEND;\r\n"
    "PACKAGE PKG IS\r\nEND;\r\n\r\n"
    "CREATE SYNONYM S;\r\n";

// An object whose text cannot be produced: a save fails after part of the report.
class TUnreadableObject : public TObjectItem {
public:
    std::string GetCreatingText() const override { throw EReadError("text unavailable"); }
};

TEST(TextReport, ExactBytesSavedWholeOrNotAtAll)
{
    const auto report = [](const TStreamed& root) {
        TStringSink sink;
        WriteTextReport(root, sink);
        return sink.Bytes();
    };
    TDBNewOracle model;
    AddSample(model);
    EXPECT_EQ(report(model), kSampleReport) << test::Hex(report(model));

    test::TempDir dir;
    const std::string file = dir.File("SCHEMA.TXT");
    test::WriteFileBytes(file, std::string(5000, 'x')); // replaced entirely
    SaveAsText(model, file);
    EXPECT_EQ(test::ReadFileBytes(file), kSampleReport);
    SaveAsText(TDBNewOracle(), dir.File("EMPTY.TXT"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("EMPTY.TXT")), "");

    // Into a missing folder, or over a folder: cannot be created, nothing made.
    std::filesystem::create_directory(dir.File("FOLDER.TXT"));
    for (const std::string& bad : {dir.File("missing/SCHEMA.TXT"), dir.File("FOLDER.TXT")}) {
        try {
            SaveAsText(model, bad);
            ADD_FAILURE() << "saved " << bad;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + bad);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("FOLDER.TXT")));
    // A failure midway leaves the existing file as it was.
    AddItem(model.Objects(), "ObjectType=7|ObjectName=P|ObjectText=" + std::string(100000, 'p'));
    model.Objects().Add(std::make_unique<TUnreadableObject>());
    EXPECT_THROW(SaveAsText(model, file), EReadError);
    EXPECT_EQ(test::ReadFileBytes(file), kSampleReport);
    const std::filesystem::directory_iterator files(dir.Path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 3); // two files, the folder: no temporary
}

} // namespace
} // namespace quorvex
