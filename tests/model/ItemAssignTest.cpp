#include "StoredValues.h"
#include "dictionary/DBOraClass.h"
#include "model/CommentItem.h"
#include "model/FieldList.h"
#include "model/ObjectItem.h"
#include "model/OwnerItem.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using test::StoredValues;

// Gives every writable stored property a value of its own, derived from `seed`, so a copy that
// misses or swaps a property shows.
void FillAll(TStreamed& object, int seed)
{
    int n = seed;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        ++n;
        if (!prop.Writable())
            continue;
        switch (prop.Kind) {
        case TPropKind::Integer:
            prop.SetInt(object, 1000 * seed + n);
            break;
        case TPropKind::Text:
            prop.SetText(object, std::string(prop.Name) + " " + std::to_string(n));
            break;
        case TPropKind::Boolean:
            prop.SetInt(object, 1);
            break;
        default:
            break;
        }
    }
}

std::string Value(const TStreamed& object, std::string_view name)
{
    const TPropInfo* prop = object.ClassInfo().FindProp(name);
    if (prop == nullptr)
        return "<none>";
    if (prop->Kind == TPropKind::Text)
        return std::string(prop->GetText(object));
    return std::to_string(prop->GetInt(object));
}

std::unique_ptr<TStreamed> Create(const TClassInfo& info)
{
    return info.Create();
}

struct CopyCase {
    const TClassInfo& (*classInfo)();
    std::set<std::string> kept; // properties the copy leaves as they were
};

const CopyCase kCopyCases[] = {
    {&TCleanItem::StaticClass, {}},
    {&TDefaultItem::StaticClass, {}},
    // A comment's copy is that of TDefaultItem: its column number stays.
    {&TCommentItem::StaticClass, {"FieldNo"}},
    {&TFieldItem::StaticClass, {}},
    {&TNameStateItem::StaticClass, {}},
    {&TTableItem::StaticClass, {}},
    // Columns is carried in files but not copied.
    {&TConstraintItem::StaticClass, {"Columns"}},
    {&TIndexItem::StaticClass, {}},
    {&TTriggerItem::StaticClass, {}},
    {&TObjectItem::StaticClass, {}},
    // An owner's copy is that of TCleanItem: OID only.
    {&TOwnerItem::StaticClass, {"OwnerNo", "OwnerName"}},
};

TEST(ItemAssign, SameClassCopiesTheStoredProperties)
{
    for (const CopyCase& c : kCopyCases) {
        const TClassInfo& info = c.classInfo();
        SCOPED_TRACE(info.Name);
        auto source = Create(info);
        auto target = Create(info);
        FillAll(*source, 1);
        FillAll(*target, 2);
        auto targetBefore = Create(info);
        FillAll(*targetBefore, 2);

        target->Assign(*source);
        for (const TPropInfo& prop : info.Props) {
            if (prop.Kind == TPropKind::Object || !prop.Writable())
                continue;
            const std::string name(prop.Name);
            const TStreamed& expected = c.kept.count(name) != 0 ? *targetBefore : *source;
            EXPECT_EQ(Value(*target, name), Value(expected, name)) << name;
        }
    }
}

TFieldItem& MakeColumn(TFieldItem& field)
{
    field.OID = 7 * 256 + 7;
    field.OwnerNo = 31;
    field.ObjectNo = 7;
    field.ObjectState = 5;
    field.ObjectText = "text";
    field.FieldNo = 7;
    field.FieldName = "ENAME";
    field.FieldType = 1;
    field.Length = 10;
    field.Precision = -1;
    field.Scale = -1;
    field.Null = 1;
    field.DefaultVal = "'X' ";
    field.CommentText = "Employee name";
    return field;
}

TEST(ItemAssign, ColumnCopyKeepsNumberAndTexts)
{
    TFieldItem source;
    MakeColumn(source);
    TFieldList list;
    TFieldItem* copy = list.NewItem();
    copy->Assign(source);
    EXPECT_EQ(copy->GetKey(), "Field07 : ENAME");
    EXPECT_EQ(copy->GetCreatingText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X' ");
    EXPECT_EQ(copy->GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X' \r\nEmployee name");
    EXPECT_EQ(StoredValues(*copy), StoredValues(source));

    // Length, precision and scale all show in an unknown type's text.
    source.FieldType = 3;
    source.Length = 4;
    source.Precision = 5;
    source.Scale = 6;
    TFieldItem other;
    other.Assign(source);
    EXPECT_EQ(other.GetCreatingText(), "ENAME UNDEFINED(4,5,6) NOT NULL DEFAULT 'X' ");
}

TEST(ItemAssign, OwnerIntoSchemaItemCopiesOidAndOwnerNumber)
{
    TOwnerItem owner;
    owner.OID = 31;
    owner.OwnerNo = 32;
    owner.OwnerName = "SCOTT";

    TDefaultItem item;
    item.OID = 1;
    item.OwnerNo = 2;
    item.ObjectNo = 3;
    item.ObjectText = "text";
    item.ObjectState = 4;
    item.Assign(owner);
    EXPECT_EQ(item.OID, 31);
    EXPECT_EQ(item.OwnerNo, 32);
    EXPECT_EQ(item.ObjectNo, 3);
    EXPECT_EQ(item.ObjectText, "text");
    EXPECT_EQ(item.ObjectState, 4);
}

TEST(ItemAssign, PropertiesAreMatchedByName)
{
    // A plain item into a column: the common properties only.
    TDefaultItem plain;
    plain.OID = 10;
    plain.OwnerNo = 11;
    plain.ObjectNo = 12;
    plain.ObjectText = "plain";
    plain.ObjectState = 3;
    TFieldItem field;
    MakeColumn(field);
    field.Assign(plain);
    EXPECT_EQ(field.GetKey(), "Field07 : ENAME");
    EXPECT_EQ(field.GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X' \r\nEmployee name");
    EXPECT_EQ(field.OID, 10);
    EXPECT_EQ(field.ObjectText, "plain");
    EXPECT_EQ(field.ObjectState, 3);
    EXPECT_EQ(field.OwnerNo, 11);
    EXPECT_EQ(field.ObjectNo, 12);

    // A column into an object: CommentText has the same name in both.
    TFieldItem column;
    MakeColumn(column);
    TObjectItem object;
    object.ObjectName = "EMP";
    object.ObjectType = ObjectTypes::Table;
    object.Assign(column);
    EXPECT_EQ(object.GetDisplayText(), "Employee name");
    EXPECT_EQ(object.GetKey(), "Table : EMP");
    EXPECT_EQ(object.FieldsIfAny(), nullptr);

    // A constraint into an index: the table item's properties.
    TConstraintItem constraint;
    constraint.ObjectName = "C1";
    constraint.TableName = "DEPT";
    constraint.ObjectType = 2;
    TIndexItem index;
    index.IndexFields = "A";
    index.Assign(constraint);
    EXPECT_EQ(index.GetCreatingText(), "CREATE INDEX C1 ON DEPT (A);");
}

TEST(ItemAssign, NonItemSourceAbortsAndLeavesTargetAsItWas)
{
    const std::vector<const TClassInfo*> targets = {
        &TCleanItem::StaticClass(),      &TDefaultItem::StaticClass(),
        &TCommentItem::StaticClass(),    &TFieldItem::StaticClass(),
        &TNameStateItem::StaticClass(),  &TTableItem::StaticClass(),
        &TConstraintItem::StaticClass(), &TIndexItem::StaticClass(),
        &TTriggerItem::StaticClass(),    &TObjectItem::StaticClass(),
        &TOwnerItem::StaticClass(),
    };
    const std::vector<const TClassInfo*> sources = {
        &TCleanList::StaticClass(), &TFieldList::StaticClass(), &TObjectList::StaticClass(),
        &TStreamed::StaticClass(), &TDBNewOracle::StaticClass()};
    for (const TClassInfo* targetInfo : targets) {
        for (const TClassInfo* sourceInfo : sources) {
            SCOPED_TRACE(sourceInfo->Name + " -> " + targetInfo->Name);
            auto target = Create(*targetInfo);
            FillAll(*target, 3);
            const std::string before = StoredValues(*target);
            auto source = Create(*sourceInfo);
            try {
                target->Assign(*source);
                ADD_FAILURE() << "no exception";
            } catch (const EAbort& e) {
                EXPECT_STREQ(
                    e.what(),
                    ("Cannot assign a " + sourceInfo->Name + " to a " + targetInfo->Name).c_str());
            }
            EXPECT_EQ(StoredValues(*target), before);
            if (auto* object = dynamic_cast<TObjectItem*>(target.get())) {
                EXPECT_EQ(object->FieldsIfAny(), nullptr);
            }
        }
    }
}

TEST(ItemAssign, ExampleMessage)
{
    TCleanList list;
    TFieldItem field;
    MakeColumn(field);
    try {
        field.Assign(list);
        FAIL() << "no exception";
    } catch (const EAbort& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TCleanList to a TFieldItem");
    }
    EXPECT_EQ(field.GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X' \r\nEmployee name");
}

TEST(ItemAssign, ComparisonTextIsNeverCopied)
{
    TFieldItem source;
    MakeColumn(source);
    source.SetComparisonText("[+] ENAME VARCHAR2(10)");

    TFieldItem blank;
    blank.Assign(source);
    EXPECT_EQ(blank.ComparisonText(), "");

    TFieldItem marked;
    marked.SetComparisonText("[-] OLD");
    marked.Assign(source);
    EXPECT_EQ(marked.ComparisonText(), "[-] OLD");
}

// A table with two columns, a constraint, a trigger and an index, each carrying a
// comparison text that must not travel with the copies.
void MakeTable(TObjectItem& emp)
{
    emp.OID = 100;
    emp.ObjectNo = 100;
    emp.OwnerNo = 31;
    emp.ObjectName = "EMP";
    emp.ObjectType = ObjectTypes::Table;
    emp.CommentText = "Employees";
    emp.SetComparisonText("[ ] EMP");
    const char* names[] = {"EMPNO", "ENAME"};
    for (int i = 0; i < 2; ++i) {
        TFieldItem* f = emp.ObjectFields().NewItem();
        f->FieldNo = i + 1;
        f->FieldName = names[i];
        f->FieldType = 1;
        f->Length = 10 + i;
        f->SetComparisonText("[+] x");
    }
    TConstraintItem* c = emp.ObjectConstraints().NewItem();
    c->ObjectName = "EMP_PK";
    c->TableName = "EMP";
    c->ConstType = 2;
    c->SetComparisonText("[+] x");
    TTriggerItem* t = emp.ObjectTriggers().NewItem();
    t->ObjectName = "EMP_BI";
    t->ObjectText = "EMP_BI BEFORE INSERT ON EMP BEGIN NULL; END;";
    TIndexItem* x = emp.ObjectIndexes().NewItem();
    x->ObjectName = "EMP_I1";
    x->TableName = "EMP";
    x->IndexFields = "ENAME";
}

template <class List>
std::string Keys(const List* list)
{
    if (list == nullptr)
        return "<absent>";
    std::string text;
    for (int i = 0; i < list->Count(); ++i)
        text += list->Items(i)->GetKey() + "|";
    return text;
}

template <class List>
void ExpectCopiesOf(const List& copies, int from, const List& originals)
{
    ASSERT_EQ(copies.Count() - from, originals.Count());
    for (int i = 0; i < originals.Count(); ++i) {
        const auto* copy = copies.Items(from + i);
        const auto* original = originals.Items(i);
        EXPECT_NE(copy, original);
        EXPECT_EQ(copy->ClassName(), original->ClassName());
        EXPECT_EQ(StoredValues(*copy), StoredValues(*original));
        EXPECT_EQ(copy->GetCreatingText(), original->GetCreatingText());
        EXPECT_EQ(copy->ComparisonText(), "");
    }
}

TEST(ObjectAssign, CopiesSubListItemsIntoEmptyObject)
{
    TObjectItem emp;
    MakeTable(emp);
    const std::string sourceText = emp.GetCreatingText();

    TObjectItem copy;
    copy.Assign(emp);
    EXPECT_EQ(copy.GetKey(), "Table : EMP");
    EXPECT_EQ(copy.GetDisplayText(), "Employees");
    EXPECT_EQ(copy.GetCreatingText(),
              "CREATE TABLE EMP (\r\n EMPNO VARCHAR2(10)\r\n,ENAME VARCHAR2(11));");
    EXPECT_EQ(copy.OID, 100);
    EXPECT_EQ(copy.ComparisonText(), "");
    ExpectCopiesOf(copy.ObjectFields(), 0, emp.ObjectFields());
    ExpectCopiesOf(copy.ObjectConstraints(), 0, emp.ObjectConstraints());
    ExpectCopiesOf(copy.ObjectTriggers(), 0, emp.ObjectTriggers());
    ExpectCopiesOf(copy.ObjectIndexes(), 0, emp.ObjectIndexes());

    // The source is untouched.
    EXPECT_EQ(emp.GetCreatingText(), sourceText);
    EXPECT_EQ(emp.ObjectFields().Count(), 2);
}

TEST(ObjectAssign, AppendsCopiesAfterExistingItems)
{
    TObjectItem emp;
    MakeTable(emp);

    TObjectItem target;
    target.ObjectType = ObjectTypes::Table;
    target.ObjectName = "OLD";
    target.CommentText = "old comment";
    TFieldItem* old = target.ObjectFields().NewItem();
    old->FieldNo = 1;
    old->FieldName = "OLDCOL";
    old->FieldType = 12;
    target.ObjectIndexes().NewItem()->ObjectName = "OLD_I";

    target.Assign(emp);
    EXPECT_EQ(target.GetKey(), "Table : EMP");
    EXPECT_EQ(target.GetDisplayText(), "Employees");
    EXPECT_EQ(Keys(target.FieldsIfAny()), "Field01 : OLDCOL|Field01 : EMPNO|Field02 : ENAME|");
    EXPECT_EQ(Keys(target.ConstraintsIfAny()), "Constraint : PRIMARY KEY|");
    EXPECT_EQ(Keys(target.TriggersIfAny()), "Trigger : EMP_BI|");
    EXPECT_EQ(Keys(target.IndexesIfAny()), "Index : OLD_I|Index : EMP_I1|");
    EXPECT_EQ(target.ObjectFields().Items(0), old);
    ExpectCopiesOf(target.ObjectFields(), 1, emp.ObjectFields());
    ExpectCopiesOf(target.ObjectIndexes(), 1, emp.ObjectIndexes());
    EXPECT_EQ(target.GetCreatingText(),
              "CREATE TABLE EMP (\r\n OLDCOL DATE\r\n,EMPNO VARCHAR2(10)\r\n,ENAME VARCHAR2(11));");

    // Copying again appends again.
    target.Assign(emp);
    EXPECT_EQ(target.ObjectFields().Count(), 5);
    EXPECT_EQ(target.ObjectConstraints().Count(), 2);
}

TEST(ObjectAssign, SelfCopyAppendsEachItemOnce)
{
    TObjectItem emp;
    MakeTable(emp);
    emp.Assign(emp);
    EXPECT_EQ(Keys(emp.FieldsIfAny()),
              "Field01 : EMPNO|Field02 : ENAME|Field01 : EMPNO|Field02 : ENAME|");
    EXPECT_EQ(emp.ObjectConstraints().Count(), 2);
    EXPECT_EQ(emp.ObjectTriggers().Count(), 2);
    EXPECT_EQ(emp.ObjectIndexes().Count(), 2);
    EXPECT_EQ(emp.GetDisplayText(), "Employees");
}

TEST(ObjectAssign, NonObjectSourceLeavesSubListsAlone)
{
    TObjectItem target;
    MakeTable(target);
    TNameStateItem item;
    item.ObjectName = "V";
    item.ObjectType = ObjectTypes::View;
    item.ObjectText = "select 1 from dual";
    target.Assign(item);
    EXPECT_EQ(target.GetKey(), "View : V");
    EXPECT_EQ(target.GetCreatingText(), "select 1 from dual");
    EXPECT_EQ(target.CommentText, "Employees"); // the source has none to copy
    EXPECT_EQ(target.ObjectFields().Count(), 2);
    EXPECT_EQ(target.ObjectIndexes().Count(), 1);
}

} // namespace
} // namespace quorvex
