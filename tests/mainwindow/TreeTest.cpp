// The object tree model: categories, captions, order, state images, roles, drags, the selection
// predicates and the state icons.
#include "ModelBuilder.h"
#include "WindowHarness.h"
#include "mainwindow/NodeCaptions.h"
#include "mainwindow/StateIcons.h"
#include "mainwindow/TreeSelection.h"
#include "model/ObjectState.h"

#include <QAbstractItemModelTester>
#include <QCollator>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// One of everything the tree shows, in an order it has to sort.
void BuildSample(SchemaBuilder& b)
{
    for (const auto& [no, name] : {std::pair{5, "SCOTT"}, {7, "apps"}, {9, "HR"}, {11, "Zed"}})
        b.Owner(no, name);
    for (const char* name : {"B", "b", "A", "a", "zeta", "\xC3\xA4pfel", "apfel"})
        b.Object(ObjectTypes::Table, name);
    // Indexes (1), triggers (12) and unknown types get no node.
    for (int type : {-2, 0, 1, 3, 5, 6, 7, 8, 10, 11, 12, 13})
        b.Object(type, ("K" + std::to_string(type)).c_str());
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP", 0, 5);
    b.Column(*emp, "ZED");
    b.Index(*emp, "EMP_I2");
    b.Column(*emp, "ABC");
    b.Trigger(*emp, "EMP_TRG");
    b.Constraint(*emp, "PK_EMP", 2);
    b.Column(*emp, "MID");
    b.Index(*emp, "EMP_I1");
    b.Object(ObjectTypes::Table, "EMP", ObjectStates::Invalid); // equal captions keep their order
    TObjectItem* dept = b.Object(ObjectTypes::Table, "DEPT");
    for (int type = 0; type <= 8; ++type)
        b.Constraint(*dept, ("C" + std::to_string(type)).c_str(), type);
    TFieldItem* sal = b.Column(*dept, "SAL");
    sal->FieldType = 2;
    sal->Precision = 7;
    sal->Scale = 2;
    sal->Null = 1;
    sal->DefaultVal = "0";
    TObjectItem* view = b.Object(ObjectTypes::View, "V");
    view->ObjectConstraints(); // empty lists give no group
    view->ObjectIndexes();
    b.Column(*view, "A");
    TObjectItem* pkg = b.Object(ObjectTypes::PackageHeader, "PKG");
    for (const char* name : {"T_b", "T_B", "T_a"})
        b.Trigger(*pkg, name);
}

TEST(ObjectTree, ShowsTheSchemaSortedInCategories)
{
    SchemaBuilder b;
    BuildSample(b);
    EXPECT_EQ(TreeDump(*BuildTree(b.Schema())), QString::fromUtf8(R"(Owners
  apps
  HR
  SCOTT
  Zed
Tables [1]
  a
  A
  apfel
  äpfel
  b
  B
  DEPT
    Constraints
      C0 : 
      C1 : User Check
      C2 : Primary Key
      C3 : Unique Key
      C4 : Restriction
      C5 : Validation
      C6 : Access
      C7 : Null Check
      C8 : 
    SAL : NUMBER(7,2) NOT NULL DEFAULT 0
  EMP
    Constraints
      PK_EMP : Primary Key
    Triggers
      EMP_TRG
    Indexes
      EMP_I1
      EMP_I2
    ZED : VARCHAR2(10)
    ABC : VARCHAR2(10)
    MID : VARCHAR2(10)
  EMP [1]
  zeta
Views
  V
    A : VARCHAR2(10)
Functions
  K8
Procedures
  K7
Packages
  PKG
    Triggers
      T_a
      T_b
      T_B
Package Bodies
  K11
Sequences
  K6
Synonyms
  K5
)"));
}

TEST(ObjectTree, PassesTheModelChecksThroughRebuildRemoveAndClear)
{
    SchemaBuilder b;
    BuildSample(b);
    const auto tree = BuildTree(b.Schema());
    QSignalSpy resets(tree.get(), &QAbstractItemModel::modelReset);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg)
                ADD_FAILURE() << text.toStdString();
        });
    {
        QAbstractItemModelTester tester(tree.get(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        tree->BuildObjectTree(b.Schema());
        tree->RemoveNode(Find(*tree, {"Tables", "EMP"}));
        tree->RemoveNode(tree->CategoryIndex(TTreeCategory::Owners)); // categories stay
        EXPECT_EQ(tree->rowCount(), 9);
        tree->Clear();
        EXPECT_EQ(tree->Schema(), nullptr);
        EXPECT_FALSE(tree->CategoryIndex(TTreeCategory::Owners).isValid());
        tree->BuildObjectTree(b.Schema());
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(resets.count(), 3);
    EXPECT_EQ(tree->NodeCount(), std::size_t(TreeDump(*tree).count('\n')));
}

TEST(ObjectTree, CaptionsAreCutAfter250Characters)
{
    for (int length : {0, 1, 249, 250, 251, 252, 1000}) {
        const QString text = QString(250, u'x').left(length) + QString(length - 250, u'y');
        EXPECT_EQ(TruncateNodeCaption(text), length > 250 ? QString(250, u'x') + "..." : text);
    }
    // " : Primary Key" has 14 characters.
    SchemaBuilder b;
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Constraint(*emp, std::string(236, 'A').c_str());
    b.Constraint(*emp, std::string(237, 'B').c_str());
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(TreeDump(*tree, Find(*tree, {"Tables", "EMP", "Constraints"})),
              "Constraints\n  " + QString(236, u'A') + " : Primary Key\n  " + QString(237, u'B') +
                  " : Primary Ke...\n");
}

TEST(ObjectTree, ManyChildrenSortInLocaleOrderToo)
{
    // From 12 children on, a group sorts by precomputed keys.
    SchemaBuilder b;
    for (const char* name : {"b", "B", "a", "A", "c_1", "C_1", "c1", "C1", "d", "D", "e", "E", "f",
                             "F", "\xC3\xA9", "\xC3\x89", "z", "Z"})
        b.Object(ObjectTypes::View, name);
    const auto tree = BuildTree(b.Schema());
    const QStringList names =
        TreeDump(*tree, tree->CategoryIndex(TTreeCategory::Views)).split('\n').mid(1, 18);
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    for (qsizetype i = 1; i < names.size(); ++i)
        EXPECT_LE(collator.compare(names[i - 1], names[i]), 0) << names[i].toStdString();
    EXPECT_EQ(names.first(), "  a");
}

TEST(ObjectTree, RolesDragsAndStateFromChildren)
{
    SchemaBuilder b;
    TObjectItem* view = b.Object(ObjectTypes::View, "V", ObjectStates::Invalid);
    view->ObjectText = "SELECT 1 FROM DUAL";
    TObjectItem* pkg = b.Object(ObjectTypes::PackageHeader, "PKG");
    for (const char* name : {"T1", "T2", "T3"})
        b.Trigger(*pkg, name, name[1] == '3' ? 0 : ObjectStates::Changed);
    const auto tree = BuildTree(b.Schema());
    const QModelIndex node = Find(*tree, {"Views", "V"});
    EXPECT_EQ(tree->data(node).toString(), "V");
    EXPECT_FALSE(tree->data(node, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(tree->data(node, TObjectTreeModel::StateRole).toInt(), 1);
    EXPECT_EQ(tree->data(node, Qt::ToolTipRole).toString(), "Invalid object: it needs recompiling");
    EXPECT_EQ(tree->data(node, Qt::StatusTipRole).toString(),
              QString::fromStdString(view->GetDisplayText()));
    EXPECT_TRUE(tree->flags(node).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_FALSE(tree->flags(node).testFlag(Qt::ItemIsEditable));
    const QModelIndex category = tree->CategoryIndex(TTreeCategory::Views);
    EXPECT_EQ(tree->data(category, Qt::ToolTipRole).toString(),
              "Contains an invalid object, a disabled constraint or a changed column");
    EXPECT_FALSE(tree->data(category, Qt::StatusTipRole).isValid());
    EXPECT_FALSE(tree->flags(category).testFlag(Qt::ItemIsDragEnabled));
    const QModelIndex group = Find(*tree, {"Packages", "PKG", "Triggers"});
    EXPECT_FALSE(tree->data(tree->index(2, 0, group), Qt::DecorationRole).isValid());
    EXPECT_FALSE(tree->data(tree->index(2, 0, group), Qt::ToolTipRole).isValid());

    // A drag carries the node's item and its text until the next build.
    std::unique_ptr<QMimeData> data(tree->mimeData({node}));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), view);
    EXPECT_EQ(data->text(), "SELECT 1 FROM DUAL");
    EXPECT_EQ(tree->mimeData({category}), nullptr);
    EXPECT_EQ(TObjectTreeModel().ItemFromMimeData(data.get()), nullptr);

    // A group's image follows its children.
    QSignalSpy changed(tree.get(), &QAbstractItemModel::dataChanged);
    tree->SetStateImage(tree->index(0, 0, group), 0);
    EXPECT_EQ(changed.count(), 1);
    tree->UpdateStateFromChildren(group);
    EXPECT_EQ(TreeDump(*tree, group), "Triggers [1]\n  T1\n  T2 [5]\n  T3\n");
    tree->RemoveNode(tree->index(1, 0, group));
    tree->UpdateStateFromChildren(group);
    EXPECT_EQ(TreeDump(*tree, group), "Triggers\n  T1\n  T3\n");
    tree->BuildObjectTree(b.Schema());
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), nullptr);
}

// Tables T0, T1, ... from "state items, state items": each item its kind (Constraint, Trigger,
// Index, or else a column) and state. Expected: the images of the Tables category and of every
// node below it, in tree order.
TEST(TreeState, ImagesPassUpAsTheRulesSay)
{
    const struct {
        const char* Objects;
        const char* Images;
    } cases[] = {
        {"0 C0", "0 0 0 0"},
        {"1", "1 1"},
        {"3", "1 3"},
        {"0 C2", "1 1 1 2"},
        {"4 C2", "1 4 4 2"},
        {"1 C2", "1 1 1 2"},
        {"0 T5", "5 5 5 5"},
        {"1 T5", "5 5 5 5"},
        {"3 T5", "5 3 3 5"},
        {"0 T3", "5 5 5 3"},
        {"0 I6", "0 6 6 6"},
        {"1 I6", "1 1 6 6"},
        {"4 I4", "1 4 4 4"},
        {"0 F5", "1 5 5"},
        {"0 F3", "1 5 3"},
        {"3 F5", "1 3 5"},
        {"0 T5 F5", "1 5 5 5 5"},
        {"0 C2 I6", "1 1 1 2 6 6"},
        {"3 C0 T0 I0 F0", "1 3 3 0 3 0 3 0 0"},
        {"4 I0", "1 4 4 0"},
        {"1 T0", "1 1 0 0"},
        // The category depends on the order: a column sets 1, a trigger 5 unless 3 or 4.
        {"0 F5, 0 T5", "5 5 5 5 5 5"},
        {"0 T5, 0 F5", "1 5 5 5 5 5"},
        {"0 T5, 1", "5 5 5 5 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Objects);
        SchemaBuilder b;
        int number = 0;
        for (const QString& spec : QString::fromLatin1(c.Objects).split(", ")) {
            const QStringList items = spec.split(' ');
            const std::string name = "T" + std::to_string(number++);
            TObjectItem& t = *b.Object(ObjectTypes::Table, name.c_str(), items[0].toInt());
            for (const QString& item : items.mid(1)) {
                const int state = item.mid(1).toInt();
                const std::string n = name + item.toStdString();
                if (item[0] == u'C')
                    b.Constraint(t, n.c_str(), 2, state);
                else if (item[0] == u'T')
                    b.Trigger(t, n.c_str(), state);
                else if (item[0] == u'I')
                    b.Index(t, n.c_str(), state);
                else
                    b.Column(t, n.c_str(), state);
            }
        }
        b.Object(ObjectTypes::Index, "IX", ObjectStates::Invalid); // no node, no image
        const auto tree = BuildTree(b.Schema());
        const QModelIndex tables = tree->CategoryIndex(TTreeCategory::Tables);
        QStringList images;
        for (const QString& line : TreeDump(*tree, tables).split('\n', Qt::SkipEmptyParts))
            images << (line.endsWith(']') ? line.section('[', -1).chopped(1) : "0");
        EXPECT_EQ(images.join(' '), c.Images);
        // No other category changes.
        EXPECT_EQ(TreeDump(*tree, {}, true), TreeDump(*tree, tables, true));
    }
}

TEST(TreeSelection, RecompileAndDropByKindAndNode)
{
    QString recompile, drop;
    for (int type = -1; type <= 13; ++type) {
        TObjectItem object;
        object.ObjectType = type;
        recompile += CanRecompileItem(&object) ? 'R' : '-';
        drop += CanDropItem(&object) ? 'D' : '-';
    }
    EXPECT_EQ(recompile, "-----R--RRR-RR-");
    EXPECT_EQ(drop, "--DD-DDDDDD-DD-");
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Trigger(*emp, "TRG");
    b.Index(*emp, "IX");
    b.Constraint(*emp, "PK");
    b.Column(*emp, "A");
    b.Object(ObjectTypes::Procedure, "PROC");
    const auto tree = BuildTree(b.Schema());
    const struct {
        QStringList Path;
        const char* Can;
    } nodes[] = {
        {{"Tables", "EMP"}, "-D"},
        {{"Procedures", "PROC"}, "RD"},
        {{"Tables", "EMP", "Triggers", "TRG"}, "R-"},
        {{"Tables", "EMP", "Indexes", "IX"}, "--"},
        {{"Tables", "EMP", "Constraints", "PK : Primary Key"}, "--"},
        {{"Tables", "EMP", "A : VARCHAR2(10)"}, "--"},
        {{"Tables", "EMP", "Triggers"}, "--"},
        {{"Tables"}, "--"},
        {{"Owners", "SCOTT"}, "--"},
        {{"Owners", "NONE"}, "--"},
    };
    for (const auto& n : nodes) {
        const QModelIndex node = Find(*tree, n.Path);
        EXPECT_EQ(QString(CanRecompileSelection(node) ? "R" : "-") +
                      (CanDropSelection(node) ? "D" : "-"),
                  n.Can)
            << n.Path.join('/').toStdString();
    }
    b.Owner(9, "HR");
    EXPECT_EQ(OwnerPrefix(b.Schema().Owners(), 9), "HR.");
    EXPECT_EQ(OwnerPrefix(b.Schema().Owners(), 6), "");
    EXPECT_EQ(tree->OwnerPrefix(1), "SCOTT.");
    EXPECT_EQ(TObjectTreeModel().OwnerPrefix(1), "");
}

QImage Render(const QIcon& icon, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(0, 0, side, side));
    return image;
}

TEST(StateIcons, SixDistinctPicturesAtAnySizeWithTheirToolTips)
{
    EXPECT_TRUE(StateIcon(0).isNull() && StateIcon(7).isNull() && StateIcon(-1).isNull());
    for (int side : {12, 16, 32, 64}) {
        std::vector<QImage> images;
        for (int state = 1; state <= 6; ++state) {
            const QImage image = Render(StateIcon(state), side);
            int opaque = 0; // each fills a good part of its square
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, side * side / 3) << state << " at " << side;
            for (const QImage& other : images)
                EXPECT_NE(image, other) << state << " at " << side;
            images.push_back(image);
        }
    }
    // A sharp pixmap is drawn at its size, not scaled up.
    const QPixmap normal = StateIcon(3).pixmap(QSize(16, 16), 1.0);
    const QPixmap sharp = StateIcon(3).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_NE(sharp.toImage().convertToFormat(QImage::Format_ARGB32),
              normal.toImage().scaled(32, 32).convertToFormat(QImage::Format_ARGB32));

    QStringList tips;
    for (int state = 0; state <= 6; ++state)
        tips << StateToolTip(state, state == 2 || state == 4);
    EXPECT_EQ(
        tips,
        QStringList({"", "Contains an invalid object, a disabled constraint or a changed column",
                     "Disabled constraint", "Added: only in the compared file",
                     "Removed: only in the current model", "Contains a changed trigger or column",
                     "Contains a changed index"}));
    EXPECT_EQ(StateToolTip(1, true), "Invalid object: it needs recompiling");
}

} // namespace
} // namespace quorvex::test
