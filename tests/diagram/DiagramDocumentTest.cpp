// The diagram document: groups, the popup menu, freeing, References and Referenced By, zoom.
#include "DiagramTestSupport.h"
#include "ModelBuilder.h"
#include "diagram/DiagramPopup.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quorvex::test {
namespace {

std::vector<int> Tags(const std::vector<TGDBTable*>& tables)
{
    std::vector<int> tags;
    for (const TGDBTable* table : tables)
        tags.push_back(table->Tag);
    return tags;
}

std::vector<bool> Selection(const std::vector<TGDBTable*>& tables)
{
    std::vector<bool> selected;
    for (const TGDBTable* table : tables)
        selected.push_back(table->Selected());
    return selected;
}

size_t LineCount(const TDiagramDocument& document)
{
    return document.Components().size() - document.Tables().size();
}

TEST(DiagramGroups, GroupNumbersStayDenseWhenAGroupIsDissolved)
{
    TDiagramDocument document;
    std::vector<TGDBTable*> t;
    for (const char* name : {"A", "B", "C", "D", "E"})
        t.push_back(&Box(document, name));
    for (int i : {0, 1, 2})
        t[i]->SetSelected(true);
    document.Group();
    document.SelectOnlyGroup(0);
    t[3]->SetSelected(true);
    t[4]->SetSelected(true);
    document.Group();
    EXPECT_EQ(Tags(t), (std::vector<int>{1, 1, 1, 2, 2}));
    EXPECT_EQ(document.GroupCounter, 2);

    // The popup on one member selects its group; Ungroup Selected dissolves that group only.
    PreparePopup(document, t[1]);
    EXPECT_EQ(Selection(t), (std::vector<bool>{true, true, true, false, false}));
    document.UngroupSelectedCommand();
    EXPECT_EQ(Tags(t), (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(document.GroupCounter, 1);
    EXPECT_EQ(Selection(t), std::vector<bool>(5, false));
    // Selecting one member selects the whole group.
    t[4]->SetSelected(true);
    EXPECT_EQ(Selection(t), (std::vector<bool>{false, false, false, true, true}));
}

TEST(DiagramGroups, GroupConnectedTakesTheTableAndItsNeighboursOnly)
{
    TDiagramDocument document;
    TGDBTable& emp = Box(document, "EMP");
    TGDBTable& dept = Box(document, "DEPT");
    TGDBTable& job = Box(document, "JOB");
    TGDBTable& bonus = Box(document, "BONUS");
    TGDBTable& other = Box(document, "OTHER");
    document.AddManualReference(emp, dept);
    document.AddManualReference(emp, job);
    document.AddManualReference(bonus, emp);
    other.SetSelected(true);
    document.GroupConnected(&emp);
    const std::vector<TGDBTable*> all = {&emp, &dept, &job, &bonus, &other};
    EXPECT_EQ(Tags(all), (std::vector<int>{1, 1, 1, 1, 0}));
    EXPECT_EQ(Selection(all), (std::vector<bool>{true, true, true, true, false}));
}

std::set<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

TEST(DiagramPopup, EnabledItemsDependOnWhatIsUnderTheMouse)
{
    const std::string always = "ScrollBoxOptions1 ShowHints1 DefaultFieldMask1 DragAllWithMouse1 "
                               "Selected1 Layout1 LoadLayout1 ";
    const std::string filled = "Ungroup1 SaveLayout1 SaveToBitmap1 Print1 ClearScrollBox1 "
                               "AutomaticSQL1 Remove1 Magnify1 Reduce1 ";
    const std::string table = "Group1 GroupConnected1 Table1 AddRefTo1 RefreshScrollBox1 "
                              "ShowHideFields1 FieldDisplayMask1 Sort1 ";
    TDiagramDocument empty;
    EXPECT_EQ(PreparePopup(empty, nullptr).Enabled, Words(always));

    SchemaBuilder model;
    TDiagramDocument document;
    TGDBTable& fromModel = document.AddTableForObject(*model.Object(ObjectTypes::Table, "EMP"));
    TGDBTable& fromDatabase = Box(document, "DEPT", 100, 0);
    TGDBLine* line = document.AddManualReference(fromModel, fromDatabase);
    line->SetStraight(false);
    EXPECT_EQ(PreparePopup(document, nullptr).Enabled, Words(always + filled));
    EXPECT_EQ(PreparePopup(document, &fromModel).Enabled,
              Words(always + filled + table + "ReferencedBy1 References1"));
    EXPECT_EQ(PreparePopup(document, &fromDatabase).Enabled, Words(always + filled + table));
    const TPopupState overLine = PreparePopup(document, line);
    EXPECT_EQ(overLine.Enabled, Words(always + filled + "SendToBack1 StraightLines1"));
    EXPECT_EQ(overLine.PopupObject, line);
    EXPECT_FALSE(overLine.StraightChecked);
}

TEST(DiagramPopup, AddRefEntriesAreTheSelectedTablesInDrawingOrder)
{
    TDiagramDocument document;
    TGDBTable& a1 = Box(document, "A");
    TGDBTable& b = Box(document, "B");
    TGDBTable& a2 = Box(document, "A");
    TGDBTable& c = Box(document, "C");
    Box(document, "D").Tag = 3;
    document.SendToBack(&c);
    document.BringToFront(&a1);
    for (TGDBTable* table : {&a1, &a2, &c})
        table->SetSelected(true);
    EXPECT_EQ(PreparePopup(document, &a1).AddRefEntries, (std::vector<std::string>{"C", "A"}));
    // An unselected table: the selection becomes that table alone.
    EXPECT_EQ(PreparePopup(document, &b).AddRefEntries, std::vector<std::string>{"B"});
    EXPECT_FALSE(a1.Selected());
}

TEST(DiagramDocument, FreeingATableFreesEveryLineEndingOnIt)
{
    TDiagramDocument document;
    TGDBTable& emp = Box(document, "EMP");
    TGDBTable& dept = Box(document, "DEPT", 100, 0);
    TGDBTable& bonus = Box(document, "BONUS", 0, 100);
    document.AddManualReference(emp, dept);
    // As a layout file draws it: the tables do not list this line.
    TGDBLine& unlisted = document.NewLine();
    unlisted.SetFromTable(&bonus);
    unlisted.SetToTable(&emp);
    ASSERT_TRUE(emp.IncomingReferences.empty());
    document.Free(&emp);
    EXPECT_EQ(document.Components().size(), 2u);
    EXPECT_TRUE(dept.IncomingReferences.empty());
    EXPECT_EQ(document.FindDiagramTable("EMP"), nullptr);

    // Close Selected on a line frees that line only, and both ends forget it.
    TGDBLine* line = document.AddManualReference(bonus, dept);
    document.RemoveSelected(line);
    EXPECT_EQ(LineCount(document), 0u);
    EXPECT_TRUE(bonus.OutgoingReferences.empty());
    EXPECT_TRUE(dept.IncomingReferences.empty());
    // Close Selected elsewhere frees the selected tables with their lines.
    document.AddManualReference(bonus, dept);
    dept.SetSelected(true);
    document.RemoveSelected(nullptr);
    ASSERT_EQ(document.Components().size(), 1u);
    EXPECT_EQ(document.Components()[0].get(), &bonus);
    EXPECT_TRUE(bonus.OutgoingReferences.empty());
}

class DiagramReferences : public ::testing::Test {
protected:
    DiagramReferences()
    {
        model.Owner(1, "SCOTT");
        model.Owner(2, "OTHER");
        otherDept = Table("DEPT", "DEPTNO", 2);
        dept = Table("DEPT", "DEPTNO");
        emp = Table("EMP", "EMPNO");
        ForeignKey(*emp, "FK_DEPTNO", "DEPT", "DEPTNO");
        ForeignKey(*emp, "FK_LOC_DEPT", "DEPT", "LOC_DEPTNO");
        ForeignKey(*emp, "FK_MGR", "EMP", "MGR");
        document.ModelChanged(&model.Schema().Objects());
    }

    TObjectItem* Table(const char* name, const char* key, int ownerNo = 1)
    {
        TObjectItem* table = model.Object(ObjectTypes::Table, name, 0, ownerNo);
        model.Column(*table, key);
        model.Constraint(*table, (std::string("PK_") + name).c_str(), 2);
        model.Index(*table, (std::string("PK_") + name).c_str())->IndexFields = key;
        return table;
    }

    void ForeignKey(TObjectItem& table, const char* name, const char* parent, const char* columns)
    {
        TConstraintItem* fk = model.Constraint(table, name, 4);
        fk->RefObjName = parent;
        fk->RefFields = columns;
    }

    SchemaBuilder model;
    TObjectItem* otherDept = nullptr;
    TObjectItem* dept = nullptr;
    TObjectItem* emp = nullptr;
    TDiagramDocument document;
};

TEST_F(DiagramReferences, OneLinePerParentToTheFirstBoxOfItsName)
{
    TGDBTable& first = document.AddTableForObject(*otherDept);
    document.AddTableForObject(*dept);
    TGDBTable& employees = document.AddTableForObject(*emp);
    TGDBTable& manager = document.AddTableForObject(*emp);
    document.OpenReferences(*emp, false);
    EXPECT_EQ(document.Tables().size(), 4u);
    EXPECT_EQ(Texts(employees.OutgoingReferences),
              (std::vector<std::string>{"DEPT=DEPTNO", "EMP=MGR"}));
    ASSERT_EQ(LineCount(document), 2u);
    const TGDBLine* toDept = employees.OutgoingReferences[0].Line;
    EXPECT_EQ(toDept->ToTable(), &first);
    EXPECT_EQ(toDept->Hint, "(EMP.DEPTNO=DEPT.DEPTNO)");
    EXPECT_EQ(Texts(first.IncomingReferences), std::vector<std::string>{"EMP=DEPTNO"});
    // A self reference goes to another box of the same name.
    EXPECT_EQ(employees.OutgoingReferences[1].Line->ToTable(), &manager);
    EXPECT_EQ(Texts(manager.IncomingReferences), std::vector<std::string>{"EMP=MGR"});
}

TEST_F(DiagramReferences, MissingParentOpensFromTheFirstModelTableOfItsName)
{
    document.OpenReferences(*emp, false);
    const TGDBTable* parent = document.FindDiagramTable("DEPT");
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->SchemaObject, otherDept);
    EXPECT_EQ(document.Tables().size(), 3u); // EMP, DEPT and a second EMP for the self reference
}

TEST_F(DiagramReferences, ReferencedByOpensTheChildrenAndPlacesTheParentBesideThem)
{
    document.OpenReferences(*dept, true);
    const std::vector<TGDBTable*> tables = document.Tables();
    ASSERT_EQ(tables.size(), 2u);
    TGDBTable& child = *tables[0];
    TGDBTable& parent = *tables[1];
    EXPECT_EQ(child.TableName(), "EMP");
    EXPECT_EQ(parent.SchemaObject, dept);
    EXPECT_FALSE(child.ShowFields());
    EXPECT_FALSE(parent.ShowFields());
    EXPECT_EQ(child.Bounds().topLeft(), QPoint(8, 8));
    EXPECT_EQ(parent.Bounds().topLeft(), QPoint(((8 + child.Width()) / 8 + 1) * 8, 8));
    EXPECT_EQ(Texts(child.OutgoingReferences), std::vector<std::string>{"DEPT=DEPTNO"});
    ASSERT_EQ(LineCount(document), 1u);
    EXPECT_EQ(child.OutgoingReferences[0].Line->ToTable(), &parent);
}

TEST(DiagramZoom, PositionsTruncateToTheScaleAndComeBackInFullScaleUnits)
{
    TDiagramDocument document;
    TGDBTable& a = Box(document, "A", 400, 200);
    TGDBTable& b = Box(document, "B", 401, 203);
    TGDBLine* line = document.AddManualReference(a, Box(document, "C", 0, 0));
    document.SetDiagramScale(4);
    EXPECT_EQ(a.Bounds().topLeft(), QPoint(100, 50));
    EXPECT_EQ(b.Bounds().topLeft(), QPoint(100, 50));
    const QRect zoomed = line->Bounds();
    line->UpdatePosition();
    EXPECT_EQ(line->Bounds(), zoomed); // re-routed for the new sizes
    document.SetDiagramScale(1);
    EXPECT_EQ(a.Bounds().topLeft(), QPoint(400, 200));
    EXPECT_EQ(b.Bounds().topLeft(), QPoint(400, 200));

    // Four steps each way; the fifth does nothing.
    std::vector<int> scales;
    for (int i = 0; i < 5; ++i)
        scales.push_back(document.ZoomOut() ? b.Scale() : 0);
    for (int i = 0; i < 5; ++i)
        scales.push_back(document.ZoomIn() ? b.Scale() : 0);
    EXPECT_EQ(scales, (std::vector<int>{2, 4, 8, 16, 0, 8, 4, 2, 1, 0}));
}

} // namespace
} // namespace quorvex::test
