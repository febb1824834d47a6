#include "mainwindow/TreeSelection.h"

#include "SchemaBuilder.h"
#include "model/OwnerList.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::BuildTree;
using test::Find;
using test::SchemaBuilder;

TEST(TreeSelection, RecompileAndDropByObjectKind)
{
    struct {
        int type;
        bool recompile;
        bool drop;
    } const cases[] = {
        {0, false, false}, {1, false, true},   {2, false, true},   {3, false, false},
        {4, true, true},   {5, false, true},   {6, false, true},   {7, true, true},
        {8, true, true},   {9, true, true},    {10, false, false}, {11, true, true},
        {12, true, true},  {13, false, false}, {-1, false, false},
    };
    for (const auto& c : cases) {
        TObjectItem object;
        object.ObjectType = c.type;
        EXPECT_EQ(CanRecompileItem(&object), c.recompile) << c.type;
        EXPECT_EQ(CanDropItem(&object), c.drop) << c.type;
    }
}

TEST(TreeSelection, OnlyObjectsAndTriggersQualify)
{
    TTriggerItem trigger;
    TConstraintItem constraint;
    TIndexItem index;
    index.ObjectType = ObjectTypes::Index;
    TFieldItem column;
    EXPECT_TRUE(CanRecompileItem(&trigger));
    EXPECT_FALSE(CanDropItem(&trigger));
    const TDefaultItem* const others[] = {&constraint, &index, &column, nullptr};
    for (const TDefaultItem* item : others) {
        EXPECT_FALSE(CanRecompileItem(item));
        EXPECT_FALSE(CanDropItem(item));
    }
}

TEST(TreeSelection, PredicatesOnTreeNodes)
{
    SchemaBuilder b;
    b.Owner(1, "SCOTT");
    TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
    b.Trigger(*emp, "EMP_TRG");
    b.Index(*emp, "EMP_IX");
    b.Object(ObjectTypes::Procedure, "PROC");
    const auto tree = BuildTree(b.Schema());
    struct {
        QStringList path;
        bool recompile;
        bool drop;
    } const cases[] = {
        {{"Tables", "EMP"}, false, true},
        {{"Procedures", "PROC"}, true, true},
        {{"Tables", "EMP", "Triggers", "EMP_TRG"}, true, false},
        {{"Tables", "EMP", "Indexes", "EMP_IX"}, false, false},
        {{"Tables", "EMP", "Triggers"}, false, false},
        {{"Tables"}, false, false},
        {{"Owners", "SCOTT"}, false, false},
    };
    for (const auto& c : cases) {
        const QModelIndex node = Find(*tree, c.path);
        ASSERT_TRUE(node.isValid()) << c.path.join('/').toStdString();
        EXPECT_EQ(CanRecompileSelection(node), c.recompile) << c.path.join('/').toStdString();
        EXPECT_EQ(CanDropSelection(node), c.drop) << c.path.join('/').toStdString();
    }
    EXPECT_FALSE(CanRecompileSelection({}));
    EXPECT_FALSE(CanDropSelection({}));
}

TEST(TreeSelection, OwnerPrefixLooksTheOwnerUpByNumber)
{
    SchemaBuilder b;
    b.Owner(5, "SCOTT");
    b.Owner(9, "HR");
    b.Owner(30, "SYS");
    const TOwnerList& owners = b.Schema().Owners();
    EXPECT_EQ(OwnerPrefix(owners, 5), "SCOTT.");
    EXPECT_EQ(OwnerPrefix(owners, 9), "HR.");
    EXPECT_EQ(OwnerPrefix(owners, 30), "SYS.");
    EXPECT_EQ(OwnerPrefix(owners, 6), "");
    EXPECT_EQ(OwnerPrefix(owners, 0), "");
    EXPECT_EQ(OwnerPrefix(TOwnerList(), 5), "");
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(tree->OwnerPrefix(9), "HR.");
    EXPECT_EQ(TObjectTreeModel().OwnerPrefix(9), "");
}

} // namespace
} // namespace quorvex
