// How item states become state images on the nodes above them.
#include "SchemaBuilder.h"
#include "model/ObjectState.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::BuildTree;
using test::SchemaBuilder;
using test::StateAt;

const QStringList kTable{"Tables", "EMP"};
const QStringList kCategory{"Tables"};

QStringList Path(std::initializer_list<const char*> tail)
{
    QStringList path = kTable;
    for (const char* caption : tail)
        path << caption;
    return path;
}

// One table EMP; `fill` adds what the case needs. The expected images are for the category,
// the object, the group (if any) and the item node.
struct StateCase {
    const char* name;
    int objectState;
    void (*fill)(SchemaBuilder&, TObjectItem&);
    const char* group;    // group caption, or nullptr
    const char* itemNode; // caption below the group (or the object), or nullptr
    int category, object, groupState, item;
};

const StateCase kCases[] = {
    {"nothing flagged", 0, [](SchemaBuilder& b, TObjectItem& t) { b.Constraint(t, "PK", 2); },
     "Constraints", "PK : Primary Key", 0, 0, 0, 0},
    {"invalid object flags its category", 1, nullptr, nullptr, nullptr, 1, 1, 0, 0},
    {"added object flags its category with 1", 3, nullptr, nullptr, nullptr, 1, 3, 0, 0},
    {"disabled constraint", 0,
     [](SchemaBuilder& b, TObjectItem& t) { b.Constraint(t, "PK", 2, 2); }, "Constraints",
     "PK : Primary Key", 1, 1, 1, 2},
    {"disabled constraint keeps the object's mark", 4,
     [](SchemaBuilder& b, TObjectItem& t) { b.Constraint(t, "PK", 2, 2); }, "Constraints",
     "PK : Primary Key", 1, 4, 4, 2},
    {"disabled constraint keeps an invalid object's 1", 1,
     [](SchemaBuilder& b, TObjectItem& t) { b.Constraint(t, "PK", 2, 2); }, "Constraints",
     "PK : Primary Key", 1, 1, 1, 2},
    {"changed trigger", 0, [](SchemaBuilder& b, TObjectItem& t) { b.Trigger(t, "TRG", 5); },
     "Triggers", "TRG", 5, 5, 5, 5},
    {"changed trigger replaces an invalid object's 1", 1,
     [](SchemaBuilder& b, TObjectItem& t) { b.Trigger(t, "TRG", 5); }, "Triggers", "TRG", 5, 5, 5,
     5},
    {"changed trigger under an added object", 3,
     [](SchemaBuilder& b, TObjectItem& t) { b.Trigger(t, "TRG", 5); }, "Triggers", "TRG", 5, 3, 3,
     5},
    {"added trigger", 0, [](SchemaBuilder& b, TObjectItem& t) { b.Trigger(t, "TRG", 3); },
     "Triggers", "TRG", 5, 5, 5, 3},
    {"changed index stops below the category", 0,
     [](SchemaBuilder& b, TObjectItem& t) { b.Index(t, "IX", 6); }, "Indexes", "IX", 0, 6, 6, 6},
    {"changed index keeps an invalid object's 1", 1,
     [](SchemaBuilder& b, TObjectItem& t) { b.Index(t, "IX", 6); }, "Indexes", "IX", 1, 1, 6, 6},
    {"removed index under a removed object", 4,
     [](SchemaBuilder& b, TObjectItem& t) { b.Index(t, "IX", 4); }, "Indexes", "IX", 1, 4, 4, 4},
    {"changed column", 0, [](SchemaBuilder& b, TObjectItem& t) { b.Column(t, "A", 5); }, nullptr,
     "A : VARCHAR2(10)", 1, 5, 0, 5},
    {"added column", 0, [](SchemaBuilder& b, TObjectItem& t) { b.Column(t, "A", 3); }, nullptr,
     "A : VARCHAR2(10)", 1, 5, 0, 3},
    {"changed column under an added object", 3,
     [](SchemaBuilder& b, TObjectItem& t) { b.Column(t, "A", 5); }, nullptr, "A : VARCHAR2(10)", 1,
     3, 0, 5},
    {"changed column after a changed trigger sets the category to 1", 0,
     [](SchemaBuilder& b, TObjectItem& t) {
         b.Trigger(t, "TRG", 5);
         b.Column(t, "A", 5);
     },
     "Triggers", "TRG", 1, 5, 5, 5},
    {"changed index after a disabled constraint", 0,
     [](SchemaBuilder& b, TObjectItem& t) {
         b.Constraint(t, "PK", 2, 2);
         b.Index(t, "IX", 6);
     },
     "Indexes", "IX", 1, 1, 6, 6},
    {"groups of an added object copy its mark", 3,
     [](SchemaBuilder& b, TObjectItem& t) { b.Constraint(t, "PK", 2); }, "Constraints",
     "PK : Primary Key", 1, 3, 3, 0},
    {"groups of a removed object copy its mark", 4,
     [](SchemaBuilder& b, TObjectItem& t) { b.Index(t, "IX"); }, "Indexes", "IX", 1, 4, 4, 0},
    {"groups of an invalid object copy nothing", 1,
     [](SchemaBuilder& b, TObjectItem& t) { b.Trigger(t, "TRG"); }, "Triggers", "TRG", 1, 1, 0, 0},
};

TEST(TreeState, ImagesPassUpAsTheRulesSay)
{
    for (const auto& c : kCases) {
        SchemaBuilder b;
        TObjectItem* table = b.Object(ObjectTypes::Table, "EMP", c.objectState);
        if (c.fill != nullptr)
            c.fill(b, *table);
        const auto tree = BuildTree(b.Schema());
        EXPECT_EQ(StateAt(*tree, kCategory), c.category) << c.name;
        EXPECT_EQ(StateAt(*tree, kTable), c.object) << c.name;
        if (c.group != nullptr) {
            EXPECT_EQ(StateAt(*tree, Path({c.group})), c.groupState) << c.name;
        }
        if (c.itemNode != nullptr) {
            const QStringList path =
                c.group != nullptr ? Path({c.group, c.itemNode}) : Path({c.itemNode});
            EXPECT_EQ(StateAt(*tree, path), c.item) << c.name;
        }
        EXPECT_EQ(StateAt(*tree, {"Owners"}), 0) << c.name;
    }
}

TEST(TreeState, EveryGroupOfAnAddedObjectTakesItsMark)
{
    SchemaBuilder b;
    TObjectItem* table = b.Object(ObjectTypes::Table, "EMP", ObjectStates::Added);
    b.Constraint(*table, "PK", 2);
    b.Trigger(*table, "TRG");
    b.Index(*table, "IX");
    b.Column(*table, "A");
    const auto tree = BuildTree(b.Schema());
    for (const char* group : {"Constraints", "Triggers", "Indexes"})
        EXPECT_EQ(StateAt(*tree, Path({group})), 3) << group;
    EXPECT_EQ(StateAt(*tree, Path({"A : VARCHAR2(10)"})), 0);
}

TEST(TreeState, CategoryImagesDependOnObjectOrder)
{
    // A trigger changes the category to 5 unless it is 3 or 4; a column sets it to 1.
    SchemaBuilder columnFirst;
    columnFirst.Column(*columnFirst.Object(ObjectTypes::Table, "A"), "C", 5);
    columnFirst.Trigger(*columnFirst.Object(ObjectTypes::Table, "B"), "T", 5);
    EXPECT_EQ(StateAt(*BuildTree(columnFirst.Schema()), kCategory), 5);

    SchemaBuilder triggerFirst;
    triggerFirst.Trigger(*triggerFirst.Object(ObjectTypes::Table, "B"), "T", 5);
    triggerFirst.Column(*triggerFirst.Object(ObjectTypes::Table, "A"), "C", 5);
    EXPECT_EQ(StateAt(*BuildTree(triggerFirst.Schema()), kCategory), 1);

    // An invalid object leaves a category's 5 as it is.
    SchemaBuilder invalidLater;
    invalidLater.Trigger(*invalidLater.Object(ObjectTypes::Table, "B"), "T", 5);
    invalidLater.Object(ObjectTypes::Table, "C", ObjectStates::Invalid);
    EXPECT_EQ(StateAt(*BuildTree(invalidLater.Schema()), kCategory), 5);
}

TEST(TreeState, OnlyTheCategoryOfTheFlaggedObjectChanges)
{
    SchemaBuilder b;
    b.Object(ObjectTypes::View, "V", ObjectStates::Invalid);
    b.Object(ObjectTypes::Table, "EMP");
    b.Object(ObjectTypes::Index, "IX", ObjectStates::Invalid); // no node, no image
    const auto tree = BuildTree(b.Schema());
    EXPECT_EQ(StateAt(*tree, {"Views"}), 1);
    EXPECT_EQ(StateAt(*tree, {"Tables"}), 0);
    for (const char* category : {"Owners", "Functions", "Procedures", "Packages", "Package Bodies",
                                 "Sequences", "Synonyms"})
        EXPECT_EQ(StateAt(*tree, {category}), 0) << category;
}

} // namespace
} // namespace quorvex
