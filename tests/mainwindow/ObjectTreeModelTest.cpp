#include "SchemaBuilder.h"
#include "mainwindow/NodeCaptions.h"
#include "model/ObjectState.h"

#include <QAbstractItemModelTester>
#include <QCollator>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::BuildTree;
using test::ChildCaptions;
using test::Find;
using test::SchemaBuilder;

const QStringList kCategories{"Owners",   "Tables",         "Views",     "Functions", "Procedures",
                              "Packages", "Package Bodies", "Sequences", "Synonyms"};

TEST(ObjectTree, AnEmptyModelShowsTheNineCategories)
{
    SchemaBuilder b;
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(ChildCaptions(*tree, {}), kCategories);
    for (int row = 0; row < tree->rowCount(); ++row) {
        const QModelIndex category = tree->index(row, 0);
        EXPECT_EQ(tree->rowCount(category), 0);
        EXPECT_EQ(tree->Item(category), nullptr);
        EXPECT_EQ(tree->StateImage(category), 0);
        EXPECT_EQ(tree->CategoryIndex(static_cast<TTreeCategory>(row)), category);
    }
}

TEST(ObjectTree, OwnersAreListedAlphabeticallyWithoutItems)
{
    SchemaBuilder b;
    b.Owner(5, "SCOTT");
    b.Owner(7, "apps");
    b.Owner(9, "HR");
    b.Owner(11, "Zed");
    const auto tree = BuildTree(b.Schema());
    const QModelIndex owners = tree->CategoryIndex(TTreeCategory::Owners);
    EXPECT_EQ(ChildCaptions(*tree, owners), QStringList({"apps", "HR", "SCOTT", "Zed"}));
    EXPECT_EQ(tree->Item(tree->index(0, 0, owners)), nullptr);
    EXPECT_EQ(tree->Kind(tree->index(0, 0, owners)), TObjectTreeModel::TNodeKind::Owner);
    EXPECT_FALSE(tree->flags(tree->index(0, 0, owners)).testFlag(Qt::ItemIsDragEnabled));
}

TEST(ObjectTree, EachKindGoesUnderItsCategoryOthersGetNoNode)
{
    struct {
        int type;
        const char* category; // nullptr: no node
    } const cases[] = {
        {2, "Tables"},     {4, "Views"},     {5, "Synonyms"}, {6, "Sequences"},
        {7, "Procedures"}, {8, "Functions"}, {9, "Packages"}, {11, "Package Bodies"},
        {1, nullptr},      {3, nullptr},     {10, nullptr},   {12, nullptr},
        {0, nullptr},      {13, nullptr},    {-2, nullptr},
    };
    for (const auto& c : cases) {
        SchemaBuilder b;
        TObjectItem* object = b.Object(c.type, "THING");
        const auto tree = BuildTree(b.Schema());
        int nodes = 0;
        for (int row = 0; row < tree->rowCount(); ++row)
            nodes += tree->rowCount(tree->index(row, 0));
        if (c.category == nullptr) {
            EXPECT_EQ(nodes, 0) << c.type;
            continue;
        }
        EXPECT_EQ(nodes, 1) << c.type;
        const QModelIndex node = Find(*tree, {c.category, "THING"});
        ASSERT_TRUE(node.isValid()) << c.type;
        EXPECT_EQ(tree->Item(node), object);
        EXPECT_EQ(tree->Kind(node), TObjectTreeModel::TNodeKind::Object);
        EXPECT_FALSE(tree->hasChildren(node)) << "an object without lists is a leaf";
    }
}

TEST(ObjectTree, ObjectCaptionsCarryNoOwner)
{
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    b.Object(ObjectTypes::Table, "EMP", 0, 1);
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(ChildCaptions(*tree, tree->CategoryIndex(TTreeCategory::Tables)),
              QStringList({"EMP"}));
}

TEST(ObjectTree, AnObjectsChildrenAreGroupsThenColumnsInListOrder)
{
    SchemaBuilder b;
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Column(*emp, "ZED");
    b.Index(*emp, "EMP_I2");
    b.Column(*emp, "ABC");
    b.Trigger(*emp, "EMP_TRG");
    b.Constraint(*emp, "PK_EMP", 2);
    b.Column(*emp, "MID");
    b.Index(*emp, "EMP_I1");
    const auto tree = BuildTree(b.Schema());
    const QModelIndex node = Find(*tree, {"Tables", "EMP"});
    EXPECT_EQ(ChildCaptions(*tree, node),
              QStringList({"Constraints", "Triggers", "Indexes", "ZED : VARCHAR2(10)",
                           "ABC : VARCHAR2(10)", "MID : VARCHAR2(10)"}));
    EXPECT_EQ(ChildCaptions(*tree, Find(*tree, {"Tables", "EMP", "Indexes"})),
              QStringList({"EMP_I1", "EMP_I2"}));
    const QModelIndex group = Find(*tree, {"Tables", "EMP", "Triggers"});
    EXPECT_EQ(tree->Item(group), nullptr);
    EXPECT_EQ(tree->Kind(group), TObjectTreeModel::TNodeKind::Group);
    EXPECT_EQ(tree->Item(tree->index(0, 0, group)), emp->ObjectTriggers().Items(0));
    EXPECT_EQ(tree->Item(tree->index(3, 0, node)), emp->ObjectFields().Items(0));
}

TEST(ObjectTree, EmptyListsGiveNoGroupNodes)
{
    SchemaBuilder b;
    TObjectItem* view = b.Object(ObjectTypes::View, "V");
    view->ObjectConstraints();
    view->ObjectTriggers();
    view->ObjectIndexes();
    b.Column(*view, "A");
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(ChildCaptions(*tree, Find(*tree, {"Views", "V"})), QStringList({"A : VARCHAR2(10)"}));
}

TEST(ObjectTree, ConstraintAndColumnCaptions)
{
    SchemaBuilder b;
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    const char* const types[] = {"",           "User Check",  "Primary Key",
                                 "Unique Key", "Restriction", "Validation",
                                 "Access",     "Null Check",  ""};
    for (int type = 0; type <= 8; ++type)
        b.Constraint(*emp, QStringLiteral("C%1").arg(type).toLatin1().constData(), type);
    TFieldItem* column = b.Column(*emp, "SAL");
    column->FieldType = 2;
    column->Precision = 7;
    column->Scale = 2;
    column->Null = 1;
    column->DefaultVal = "0";
    const auto tree = BuildTree(b.Schema());
    const QStringList captions =
        ChildCaptions(*tree, Find(*tree, {"Tables", "EMP", "Constraints"}));
    ASSERT_EQ(captions.size(), 9);
    for (int type = 0; type <= 8; ++type)
        EXPECT_EQ(captions[type], QStringLiteral("C%1 : %2").arg(type).arg(types[type]));
    EXPECT_TRUE(Find(*tree, {"Tables", "EMP", "SAL : NUMBER(7,2) NOT NULL DEFAULT 0"}).isValid());
}

TEST(ObjectTree, LongConstraintCaptionsAreCutAfter250Characters)
{
    // " : Primary Key" has 14 characters.
    const std::string fits(250 - 14, 'A');
    const std::string tooLong(251 - 14, 'B');
    SchemaBuilder b;
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Constraint(*emp, fits.c_str(), 2);
    b.Constraint(*emp, tooLong.c_str(), 2);
    const auto tree = BuildTree(b.Schema());
    const QStringList captions =
        ChildCaptions(*tree, Find(*tree, {"Tables", "EMP", "Constraints"}));
    ASSERT_EQ(captions.size(), 2);
    EXPECT_EQ(captions[0], QString::fromStdString(fits) + " : Primary Key");
    EXPECT_EQ(captions[0].size(), 250);
    EXPECT_EQ(captions[1], QString::fromStdString(tooLong) + " : Primary Ke...");
    EXPECT_EQ(captions[1].size(), 253);
}

TEST(ObjectTree, TruncateNodeCaption)
{
    for (int length : {0, 1, 249, 250}) {
        const QString caption(length, u'x');
        EXPECT_EQ(TruncateNodeCaption(caption), caption) << length;
    }
    for (int length : {251, 252, 1000}) {
        const QString caption = QString(250, u'x') + QString(length - 250, u'y');
        EXPECT_EQ(TruncateNodeCaption(caption), QString(250, u'x') + "...") << length;
    }
}

TEST(ObjectTree, ChildrenSortInCaseSensitiveLocaleOrder)
{
    SchemaBuilder b;
    // Case-insensitive sorting would keep A before a; code-point order would put every
    // capital first and the umlaut last.
    for (const char* name : {"B", "b", "A", "a", "zeta", "\xC3\xA4pfel", "apfel"})
        b.Object(ObjectTypes::Table, name);
    TObjectItem* pkg = b.Object(ObjectTypes::PackageHeader, "PKG");
    for (const char* name : {"T_b", "T_B", "T_a"})
        b.Trigger(*pkg, name);
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(
        ChildCaptions(*tree, tree->CategoryIndex(TTreeCategory::Tables)),
        QStringList({"a", "A", "apfel", QString::fromUtf8("\xC3\xA4pfel"), "b", "B", "zeta"}));
    EXPECT_EQ(ChildCaptions(*tree, Find(*tree, {"Packages", "PKG", "Triggers"})),
              QStringList({"T_a", "T_b", "T_B"}));
}

TEST(ObjectTree, ManyChildrenSortLikeFew)
{
    // Large groups sort by precomputed keys, small ones by direct comparison: same order.
    const char* const names[] = {"b", "B", "a", "A", "c_1", "C_1",      "c1",       "C1", "d",
                                 "D", "e", "E", "f", "F",   "\xC3\xA9", "\xC3\x89", "z",  "Z"};
    SchemaBuilder b;
    TObjectItem* table = b.Object(ObjectTypes::Table, "T");
    for (const char* name : names) {
        b.Object(ObjectTypes::View, name);
        b.Index(*table, name);
    }
    SchemaBuilder few;
    for (std::size_t start = 0; start < std::size(names); start += 2) {
        TObjectItem* t = few.Object(ObjectTypes::Table, "T");
        few.Index(*t, names[start]);
        few.Index(*t, names[start + 1]);
    }
    const auto tree = BuildTree(b.Schema());
    const QStringList views = ChildCaptions(*tree, tree->CategoryIndex(TTreeCategory::Views));
    EXPECT_EQ(ChildCaptions(*tree, Find(*tree, {"Tables", "T", "Indexes"})), views);
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    for (qsizetype i = 1; i < views.size(); ++i)
        EXPECT_LE(collator.compare(views[i - 1], views[i]), 0) << views[i].toStdString();
    const auto fewTree = BuildTree(few.Schema());
    const QModelIndex tables = fewTree->CategoryIndex(TTreeCategory::Tables);
    for (int row = 0; row < fewTree->rowCount(tables); ++row) {
        const QStringList pair =
            ChildCaptions(*fewTree, fewTree->index(0, 0, fewTree->index(row, 0, tables)));
        ASSERT_EQ(pair.size(), 2);
        EXPECT_LT(views.indexOf(pair[0]), views.indexOf(pair[1]));
    }
}

TEST(ObjectTree, EqualCaptionsKeepModelOrder)
{
    SchemaBuilder b;
    TObjectItem* first = b.Object(ObjectTypes::Table, "EMP", 0, 1);
    TObjectItem* second = b.Object(ObjectTypes::Table, "EMP", 0, 2);
    b.Object(ObjectTypes::Table, "DEPT");
    const auto tree = BuildTree(b.Schema());
    const QModelIndex tables = tree->CategoryIndex(TTreeCategory::Tables);
    EXPECT_EQ(tree->Item(tree->index(1, 0, tables)), first);
    EXPECT_EQ(tree->Item(tree->index(2, 0, tables)), second);
}

TEST(ObjectTree, RolesGiveCaptionIconStateTipAndHint)
{
    SchemaBuilder b;
    TObjectItem* view = b.Object(ObjectTypes::View, "V", ObjectStates::Invalid);
    view->ObjectText = "SELECT 1 FROM DUAL";
    TObjectItem* plain = b.Object(ObjectTypes::Sequence, "S");
    plain->ObjectText = "CREATE SEQUENCE S";
    const auto tree = BuildTree(b.Schema());
    const QModelIndex node = Find(*tree, {"Views", "V"});
    EXPECT_EQ(tree->data(node).toString(), "V");
    EXPECT_FALSE(tree->data(node, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(tree->data(node, TObjectTreeModel::StateRole).toInt(), 1);
    EXPECT_EQ(tree->data(node, Qt::ToolTipRole).toString(), "Invalid object: it needs recompiling");
    EXPECT_EQ(tree->data(node, Qt::StatusTipRole).toString(),
              QString::fromStdString(view->GetDisplayText()));
    const QModelIndex category = tree->CategoryIndex(TTreeCategory::Views);
    EXPECT_EQ(tree->data(category, Qt::ToolTipRole).toString(),
              "Contains an invalid object, a disabled constraint or a changed column");
    EXPECT_FALSE(tree->data(category, Qt::StatusTipRole).isValid());

    const QModelIndex sequence = Find(*tree, {"Sequences", "S"});
    EXPECT_FALSE(tree->data(sequence, Qt::DecorationRole).isValid());
    EXPECT_FALSE(tree->data(sequence, Qt::ToolTipRole).isValid());
    EXPECT_EQ(tree->data(sequence, Qt::StatusTipRole).toString(),
              QString::fromStdString(plain->GetDisplayText()));
    EXPECT_TRUE(tree->flags(sequence).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_FALSE(tree->flags(sequence).testFlag(Qt::ItemIsEditable));
}

TEST(ObjectTree, PassesTheModelConsistencyChecks)
{
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    b.Owner(2, "HR");
    for (int i = 0; i < 30; ++i) {
        TObjectItem* table =
            b.Object(i % 3 == 0 ? ObjectTypes::View : ObjectTypes::Table,
                     QStringLiteral("T%1").arg((i * 7) % 30).toLatin1().constData(), i % 7 == 0);
        for (int k = 0; k < i % 4; ++k) {
            b.Constraint(*table, QStringLiteral("C%1").arg(3 - k).toLatin1().constData(), k + 1,
                         k == 2 ? ObjectStates::Disabled : 0);
            b.Index(*table, QStringLiteral("I%1").arg(k).toLatin1().constData());
            b.Column(*table, QStringLiteral("COL%1").arg(k).toLatin1().constData());
        }
        if (i % 5 == 0)
            b.Trigger(*table, "TRG", ObjectStates::Changed);
    }
    QStringList problems;
    const auto tree = BuildTree(b.Schema());
    {
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& message) {
                if (type != QtDebugMsg)
                    ADD_FAILURE() << message.toStdString();
            });
        QAbstractItemModelTester tester(tree.get(),
                                        QAbstractItemModelTester::FailureReportingMode::Warning);
        tree->BuildObjectTree(b.Schema());
        tree->RemoveNode(Find(*tree, {"Tables", "T1"}));
        tree->Clear();
        tree->BuildObjectTree(b.Schema());
        qInstallMessageHandler(previous);
    }
    // Every node's parent lists it at its row.
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < tree->rowCount(parent); ++row) {
            const QModelIndex child = tree->index(row, 0, parent);
            ASSERT_EQ(tree->parent(child), parent);
            ASSERT_EQ(child.row(), row);
            walk(child);
        }
    };
    walk({});
}

TEST(ObjectTree, RebuildingResetsTheModel)
{
    SchemaBuilder first;
    first.Object(ObjectTypes::Table, "EMP");
    SchemaBuilder second;
    second.Object(ObjectTypes::View, "V1");
    second.Object(ObjectTypes::View, "V2");
    const auto tree = BuildTree(first.Schema());
    QSignalSpy resets(tree.get(), &QAbstractItemModel::modelReset);
    tree->BuildObjectTree(second.Schema());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(tree->Schema(), &second.Schema());
    EXPECT_EQ(tree->rowCount(tree->CategoryIndex(TTreeCategory::Tables)), 0);
    EXPECT_EQ(tree->rowCount(tree->CategoryIndex(TTreeCategory::Views)), 2);
    EXPECT_EQ(tree->NodeCount(), 11u);
    tree->Clear();
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(tree->rowCount(), 0);
    EXPECT_EQ(tree->Schema(), nullptr);
    EXPECT_FALSE(tree->CategoryIndex(TTreeCategory::Owners).isValid());
}

TEST(ObjectTree, ADragCarriesTheNodesItemUntilTheNextBuild)
{
    SchemaBuilder b;
    TObjectItem* table = b.Object(ObjectTypes::Table, "EMP");
    table->ObjectText = "stored text";
    const auto tree = BuildTree(b.Schema());
    const QModelIndex node = Find(*tree, {"Tables", "EMP"});
    std::unique_ptr<QMimeData> data(tree->mimeData({node}));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), table);
    EXPECT_EQ(data->text(), "stored text");
    EXPECT_EQ(tree->mimeData({tree->CategoryIndex(TTreeCategory::Tables)}), nullptr);
    TObjectTreeModel other;
    EXPECT_EQ(other.ItemFromMimeData(data.get()), nullptr);
    tree->BuildObjectTree(b.Schema());
    EXPECT_EQ(tree->ItemFromMimeData(data.get()), nullptr);
}

TEST(ObjectTree, RemovingANodeAndRecomputingItsParentsState)
{
    SchemaBuilder b;
    TObjectItem* pkg = b.Object(ObjectTypes::PackageHeader, "PKG");
    b.Trigger(*pkg, "T1", ObjectStates::Changed);
    b.Trigger(*pkg, "T2", ObjectStates::Changed);
    b.Trigger(*pkg, "T3");
    const auto tree = BuildTree(b.Schema());
    const QModelIndex group = Find(*tree, {"Packages", "PKG", "Triggers"});
    QSignalSpy changed(tree.get(), &QAbstractItemModel::dataChanged);
    tree->SetStateImage(tree->index(0, 0, group), 0);
    EXPECT_EQ(changed.count(), 1);
    tree->UpdateStateFromChildren(group);
    EXPECT_EQ(tree->StateImage(group), 1);
    tree->RemoveNode(tree->index(1, 0, group));
    EXPECT_EQ(ChildCaptions(*tree, group), QStringList({"T1", "T3"}));
    tree->UpdateStateFromChildren(group);
    EXPECT_EQ(tree->StateImage(group), 0);
    tree->RemoveNode(tree->CategoryIndex(TTreeCategory::Owners)); // categories stay
    EXPECT_EQ(tree->rowCount(), 9);
}

} // namespace
} // namespace quorvex
