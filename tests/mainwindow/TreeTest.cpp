// The object tree model: categories, captions, order, state images, roles, drags, the selection
// predicates and the state icons.
#include "ModelBuilder.h"
#include "WindowHarness.h"
#include "mainwindow/NodeCaptions.h"
#include "mainwindow/StateIcons.h"
#include "mainwindow/TreeSelection.h"
#include "model/ObjectState.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

std::unique_ptr<TObjectTreeModel> BuildTree(TDBNewOracle& schema)
{
    auto tree = std::make_unique<TObjectTreeModel>();
    tree->SetCollationLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    tree->BuildObjectTree(schema);
    return tree;
}

// One of everything the tree shows, in an order it has to sort: its dump, the model's
// consistency through a removal, a clear and a rebuild, and what its nodes can do.
TEST(ObjectTree, ShowsTheSchemaSortedInCategories)
{
    SchemaBuilder b;
    for (const auto& [no, name] : {std::pair{5, "SCOTT"}, {7, "apps"}, {9, "HR"}})
        b.Owner(no, name);
    for (const char* name : {"b", "\xC3\xA4pfel", "A", "a", "B"})
        b.Object(ObjectTypes::Table, name);
    QString can; // per kind from -2: R can be recompiled, D dropped; Kn below its category or none
    for (int type : {-2, -1, 0, 1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
        TObjectItem* item = b.Object(type, ("K" + std::to_string(type)).c_str());
        can += QString(CanRecompileItem(item) ? "R" : "-") + (CanDropItem(item) ? "D" : "-") + " ";
    }
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP", 0, 5);
    b.Column(*emp, "ZED");
    b.Index(*emp, "EMP_I2");
    b.Column(*emp, "ABC");
    b.Trigger(*emp, "EMP_TRG");
    b.Constraint(*emp, "PK_EMP", 2);
    b.Index(*emp, "EMP_I1");
    b.Object(ObjectTypes::Table, "EMP", ObjectStates::Invalid); // equal captions keep their order
    TFieldItem* sal = b.Column(*b.Object(ObjectTypes::Table, "DEPT"), "SAL");
    std::tie(sal->FieldType, sal->Precision, sal->Scale, sal->Null) = std::tuple(2, 7, 2, 1);
    sal->DefaultVal = "0";
    TObjectItem* view = b.Object(ObjectTypes::View, "V");
    view->ObjectConstraints(); // empty lists give no group
    b.Column(*view, "A");
    const auto tree = BuildTree(b.Schema());
    // Removing nodes keeps the model consistent; categories stay.
    QAbstractItemModelTester tester(tree.get());
    tree->RemoveNode(Find(*tree, {"Tables", "a"}));
    tree->RemoveNode(tree->CategoryIndex(TTreeCategory::Owners));
    tree->BuildObjectTree(b.Schema());
    EXPECT_EQ(TreeDump(*tree), QString::fromUtf8(R"(Owners
  apps
  HR
  SCOTT
Tables [1]
  a
  A
  äpfel
  b
  B
  DEPT
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
  EMP [1]
Views
  V
    A : VARCHAR2(10)
Functions
  K8
Procedures
  K7
Packages
  K9
Package Bodies
  K11
Sequences
  K6
Synonyms
  K5
)"));
    EXPECT_EQ(can, "-- -- -- -D -- -D -D RD RD RD -- RD RD -- ");
    EXPECT_EQ(OwnerPrefix(b.Schema().Owners(), 9) + OwnerPrefix(b.Schema().Owners(), 6) +
                  tree->OwnerPrefix(5) + TObjectTreeModel().OwnerPrefix(5),
              "HR.SCOTT."); // none for an unknown owner or without a model
}

TEST(ObjectTree, CaptionsCutManyChildrenRolesDragsAndTips)
{
    for (int length : {0, 1, 249, 250, 251, 252, 1000}) {
        const QString text = QString(250, u'x').left(length) + QString(length - 250, u'y');
        EXPECT_EQ(TruncateNodeCaption(text), length > 250 ? QString(250, u'x') + "..." : text);
    }
    // " : Primary Key" has 14 characters. From 12 children on, a group sorts by keys.
    SchemaBuilder b;
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Constraint(*emp, std::string(236, 'A').c_str());
    b.Constraint(*emp, std::string(237, 'B').c_str());
    for (int type = 0; type <= 8; ++type)
        b.Constraint(*emp, ("C" + std::to_string(type)).c_str(), type);
    for (const char* name : {"b", "B", "a", "A", "c_1", "C1", "c1", "d", "D", "\xC3\xA9", "E", "e"})
        b.Object(ObjectTypes::View, name);
    TObjectItem* view = b.Object(ObjectTypes::View, "V", ObjectStates::Invalid);
    view->ObjectText = "SELECT 1 FROM DUAL";
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(TreeDump(*tree, Find(*tree, {"Tables", "EMP", "Constraints"})),
              "Constraints\n  " + QString(236, u'A') + " : Primary Key\n  " + QString(237, u'B') +
                  " : Primary Ke...\n  C0 : \n  C1 : User Check\n  C2 : Primary Key\n  C3 : Unique "
                  "Key\n  C4 : Restriction\n  C5 : Validation\n  C6 : Access\n  C7 : Null "
                  "Check\n  C8 : \n");
    EXPECT_EQ(TreeDump(*tree, tree->CategoryIndex(TTreeCategory::Views)).simplified(),
              QString::fromUtf8("Views [1] a A b B c_1 c1 C1 d D e E \xC3\xA9 V [1]"));

    // Roles, drags and the tips.
    const QModelIndex node = Find(*tree, {"Views", "V"});
    const QModelIndex views = tree->CategoryIndex(TTreeCategory::Views);
    EXPECT_EQ(tree->data(node, Qt::ToolTipRole).toString() + "|" +
                  tree->data(views, Qt::ToolTipRole).toString(),
              "Invalid object: it needs recompiling|Contains an invalid object, a disabled "
              "constraint or a changed column");

    // A drag carries the node's item and its text until the next build.
    std::unique_ptr<QMimeData> data(tree->mimeData({node}));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), view);
    EXPECT_EQ(data->text(), "SELECT 1 FROM DUAL");

    tree->BuildObjectTree(b.Schema());
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), nullptr);

    EXPECT_EQ(StateToolTip(2, true) + "|" + StateToolTip(4, true) + "|" + StateToolTip(3, false) +
                  "|" + StateToolTip(6, false) + "|" + StateToolTip(5, false),
              "Disabled constraint|Removed: only in the current model|Added: only in the compared "
              "file|Contains a changed index|Contains a changed trigger or column");
    EXPECT_TRUE(StateIcon(0).isNull() && StateIcon(7).isNull() && !StateIcon(6).isNull());
}

// Tables T0, T1, ... from "state items, state items": each item its kind (Constraint, Trigger,
// Index, or else a column) and state. Expected: the images of the Tables category and of every
// node below it, in tree order.
TEST(TreeState, ImagesPassUpAsTheRulesSay)
{
    // The category depends on the order: a column sets 1, a trigger 5 unless 3 or 4.
    const QString cases = "0 C0:0 0 0 0|1:1 1|3:1 3|0 C2:1 1 1 2|4 C2:1 4 4 2|1 C2:1 1 1 2|"
                          "0 T5:5 5 5 5|1 T5:5 5 5 5|3 T5:5 3 3 5|0 T3:5 5 5 3|0 I6:0 6 6 6|"
                          "1 I6:1 1 6 6|4 I4:1 4 4 4|0 F5:1 5 5|0 F3:1 5 3|3 F5:1 3 5|"
                          "0 T5 F5:1 5 5 5 5|0 C2 I6:1 1 1 2 6 6|3 C0 T0 I0 F0:1 3 3 0 3 0 3 0 0|"
                          "4 I0:1 4 4 0|1 T0:1 1 0 0|0 F5, 0 T5:5 5 5 5 5 5|"
                          "0 T5, 0 F5:1 5 5 5 5 5|0 T5, 1:5 5 5 5 1";
    for (const QString& c : cases.split('|')) {
        SCOPED_TRACE(c.toStdString());
        SchemaBuilder b;
        int number = 0;
        for (const QString& part : c.section(':', 0, 0).split(", ")) {
            const QStringList items = part.split(' ');
            const std::string name = "T" + std::to_string(number++);
            TObjectItem& t = *b.Object(ObjectTypes::Table, name.c_str(), items[0].toInt());
            for (const QString& item : items.mid(1)) {
                const int state = item.mid(1).toInt();
                const std::string n = name + item.toStdString();
                const char kind = item[0].toLatin1();
                kind == 'C'   ? (void)b.Constraint(t, n.c_str(), 2, state)
                : kind == 'T' ? (void)b.Trigger(t, n.c_str(), state)
                : kind == 'I' ? (void)b.Index(t, n.c_str(), state)
                              : (void)b.Column(t, n.c_str(), state);
            }
        }
        b.Object(ObjectTypes::Index, "IX", ObjectStates::Invalid); // no node, no image
        const auto tree = BuildTree(b.Schema());
        const QModelIndex tables = tree->CategoryIndex(TTreeCategory::Tables);
        QStringList images;
        for (const QString& line : TreeDump(*tree, tables).split('\n', Qt::SkipEmptyParts))
            images << (line.endsWith(']') ? line.section('[', -1).chopped(1) : "0");
        EXPECT_EQ(images.join(' '), c.section(':', 1));
        // No other category changes.
        EXPECT_EQ(TreeDump(*tree, {}, true), TreeDump(*tree, tables, true));
    }
}

} // namespace
} // namespace quorvex::test
