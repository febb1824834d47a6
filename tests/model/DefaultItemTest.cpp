#include "model/CommentList.h"
#include "model/ConstraintList.h"
#include "model/DefaultList.h"
#include "model/FieldList.h"
#include "model/IndexList.h"
#include "model/NameStateItem.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "model/OwnerList.h"
#include "model/TriggerList.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace quorvex {
namespace {

TEST(DefaultItem, KeyIsObjectNumberInDecimal)
{
    for (auto [number, key] : std::vector<std::pair<std::int32_t, std::string>>{
             {12, "12"}, {0, "0"}, {-5, "-5"}, {2147483647, "2147483647"}}) {
        TDefaultItem item;
        item.ObjectNo = number;
        item.OID = 99;
        item.OwnerNo = 98;
        EXPECT_EQ(item.GetKey(), key);
    }
}

TEST(DefaultItem, CreatingAndDisplayTextAreTheStoredText)
{
    TDefaultItem item;
    item.ObjectText = "line 1\r\nline 2 ";
    EXPECT_EQ(item.GetDisplayText(), "line 1\r\nline 2 ");
    EXPECT_EQ(item.GetCreatingText(), "line 1\r\nline 2 ");

    // The comparison text is shown elsewhere, never as the item's own text.
    item.SetComparisonText("[+] line 1");
    EXPECT_EQ(item.GetCreatingText(), "line 1\r\nline 2 ");
}

TEST(NameStateItem, KeyIsTheName)
{
    TNameStateItem item;
    item.ObjectName = "Emp";
    item.ObjectNo = 12;
    item.ObjectType = 2;
    EXPECT_EQ(item.GetKey(), "Emp");
    EXPECT_EQ(item.GetCreatingText(), "");
}

std::unique_ptr<TDefaultItem> WithObjectNo(std::int32_t number)
{
    auto item = std::make_unique<TDefaultItem>();
    item->ObjectNo = number;
    return item;
}

std::unique_ptr<TNameStateItem> Named(const char* name)
{
    auto item = std::make_unique<TNameStateItem>();
    item->ObjectName = name;
    return item;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(CompareKeys, ComparesKeysAsText)
{
    // Numbers compare as text, not by value.
    EXPECT_LT(CompareKeys(WithObjectNo(12).get(), WithObjectNo(9).get()), 0);
    EXPECT_GT(CompareKeys(WithObjectNo(9).get(), WithObjectNo(100).get()), 0);
    EXPECT_EQ(CompareKeys(WithObjectNo(7).get(), WithObjectNo(7).get()), 0);

    struct {
        const char* a;
        const char* b;
        int sign;
    } const cases[] = {
        {"EMP", "emp", 0},
        {"Emp", "eMP", 0},
        {"DEPT", "EMP", -1},
        {"emp", "DEPT", 1},
        {"EMP", "EMP2", -1},
        {"EMP_", "EMP", 1},
        {"", "A", -1},
        {"", "", 0},
        // Letters fold to upper case, so "_" sorts after every letter, lower case ones too.
        {"A_B", "ABC", 1},
        {"A_", "az", 1},
        {"a_", "AZ", 1},
        {"A1", "A_", -1},
        {"A z", "A_", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sign(CompareKeys(Named(c.a).get(), Named(c.b).get())), c.sign)
            << c.a << " / " << c.b;
}

TEST(CompareKeys, AbsentItemsComeFirst)
{
    auto item = Named("A");
    EXPECT_EQ(CompareKeys(nullptr, nullptr), 0);
    EXPECT_LT(CompareKeys(nullptr, item.get()), 0);
    EXPECT_GT(CompareKeys(item.get(), nullptr), 0);
}

TEST(CompareKeys, SortsAListByKey)
{
    TDefaultList list;
    for (std::int32_t number : {9, 12, 100, 1, 10})
        list.NewItem()->ObjectNo = number;
    list.Sort(&CompareKeys);
    std::string keys;
    for (int i = 0; i < list.Count(); ++i)
        keys += list.Items(i)->GetKey() + " ";
    EXPECT_EQ(keys, "1 10 100 12 9 ");
}

TEST(MarkState, OnlyExactMarksGiveAState)
{
    struct {
        const char* mark;
        int state;
    } const cases[] = {
        {"[-] ", ObjectStates::Removed}, {"[+] ", ObjectStates::Added},
        {"[ ] ", ObjectStates::Normal},  {"[+]", ObjectStates::Normal},
        {"[-]", ObjectStates::Normal},   {"[+]  ", ObjectStates::Normal},
        {" [+] ", ObjectStates::Normal}, {"[*] ", ObjectStates::Normal},
        {"", ObjectStates::Normal},      {"[+] EMP", ObjectStates::Normal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkState(c.mark), c.state) << "'" << c.mark << "'";
    EXPECT_EQ(MarkState("[-] "), 4);
    EXPECT_EQ(MarkState("[+] "), 3);
}

template <class List>
std::string NewItemClassName()
{
    List list;
    return list.NewItem()->ClassName();
}

TEST(ModelLists, NewItemCreatesTheListsItemClass)
{
    EXPECT_EQ(NewItemClassName<TDefaultList>(), "TDefaultItem");
    EXPECT_EQ(NewItemClassName<TCommentList>(), "TCommentItem");
    EXPECT_EQ(NewItemClassName<TFieldList>(), "TFieldItem");
    EXPECT_EQ(NewItemClassName<TConstraintList>(), "TConstraintItem");
    EXPECT_EQ(NewItemClassName<TTriggerList>(), "TTriggerItem");
    EXPECT_EQ(NewItemClassName<TIndexList>(), "TIndexItem");
    EXPECT_EQ(NewItemClassName<TObjectList>(), "TObjectItem");
    EXPECT_EQ(NewItemClassName<TOwnerList>(), "TOwnerItem");
}

} // namespace
} // namespace quorvex
