#include "SampleModel.h"

#include "TestSupport.h"
#include "model/ObjectState.h"
#include "persistence/CleanList.h"

#include <gtest/gtest.h>

namespace quorvex::test {

namespace {

std::string Repeat(std::string_view unit, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += unit;
    return text;
}

TObjectItem& AddObject(TDBNewOracle& model, std::int32_t number, int type, std::string name)
{
    TObjectItem& item = *model.Objects().NewItem();
    item.OID = number;
    item.ObjectNo = number;
    item.OwnerNo = 5;
    item.ObjectType = type;
    item.ObjectName = std::move(name);
    return item;
}

TFieldItem& AddField(TObjectItem& table, int column, std::string name, int type)
{
    TFieldItem& field = *table.ObjectFields().NewItem();
    field.OID = table.ObjectNo * 256 + column;
    field.ObjectNo = table.ObjectNo;
    field.OwnerNo = table.OwnerNo;
    field.FieldNo = column;
    field.FieldName = std::move(name);
    field.FieldType = type;
    return field;
}

} // namespace

std::unique_ptr<TDBNewOracle> BuildSampleModel()
{
    auto model = std::make_unique<TDBNewOracle>();
    model->UserName = "SCOTT";
    model->UserNo = "57";
    model->IncludeSys = true;
    model->UseOrdered = true;
    model->UseRule = false;
    model->SchemaLoaded = 45000.5;
    model->SourceLoaded = 45000.123456789012345;

    const struct {
        std::int32_t Oid;
        const char* Name;
        std::int32_t No;
    } owners[] = {{0, "SYS", 0}, {5, "SCOTT", 5}, {2147483647, "\xC4RGER", -1}};
    for (const auto& o : owners) {
        TOwnerItem& owner = *model->Owners().NewItem();
        owner.OID = o.Oid;
        owner.OwnerName = o.Name;
        owner.OwnerNo = o.No;
    }

    TObjectItem& emp = AddObject(*model, 70000, ObjectTypes::Table, "EMP");
    emp.CommentText = "Employees of the company";
    TFieldItem& empno = AddField(emp, 1, "EMPNO", 2);
    empno.Length = 22;
    empno.Precision = 4;
    empno.Null = 1;
    empno.CommentText = "Key";
    TFieldItem& ename = AddField(emp, 2, "ENAME", 1);
    ename.Length = 10;
    ename.Precision = -1;
    ename.Scale = -1;
    ename.DefaultVal = "'NONE'";
    TFieldItem& hired = AddField(emp, 3, "HIREDATE", 12);
    hired.Length = 7;
    hired.Precision = -129;
    hired.Scale = -32769;

    TConstraintItem& pk = *emp.ObjectConstraints().NewItem();
    pk.OID = 4001;
    pk.ConstNo = 4001;
    pk.ConstType = 2;
    pk.ObjectName = "PK_EMP";
    pk.TableName = "EMP";
    pk.Columns = "EMPNO";
    pk.RefFields = "EMPNO";
    TConstraintItem& fk = *emp.ObjectConstraints().NewItem();
    fk.OID = 4002;
    fk.ConstNo = 4002;
    fk.ConstType = 4;
    fk.ObjectName = "FK_DEPT";
    fk.TableName = "EMP";
    fk.RefAct = true;
    fk.RefObjectNo = 69999;
    fk.RefConstNo = 3999;
    fk.RefObjName = "DEPT";
    fk.RefFields = "DEPTNO";
    fk.RefRules = "CASCADE";
    fk.Match = -1;
    TConstraintItem& check = *emp.ObjectConstraints().NewItem();
    check.OID = 4003;
    check.ConstNo = 4003;
    check.ConstType = 1;
    check.ObjectName = "CK_EMP";
    check.TableName = "EMP";
    check.ObjectState = ObjectStates::Disabled;
    check.RefAct = false;
    check.Condition = "ENAME IN (" + Repeat("'NAME', ", 300) + "'LAST')";

    TIndexItem& index = *emp.ObjectIndexes().NewItem();
    index.OID = 70010;
    index.ObjectNo = 70010;
    index.ObjectType = ObjectTypes::Index;
    index.ObjectName = "EMP_NAME_IX";
    index.TableName = "EMP";
    index.IndexFields = "ENAME DESC,HIREDATE";

    TTriggerItem& trigger = *emp.ObjectTriggers().NewItem();
    trigger.OID = 70011;
    trigger.ObjectNo = 70011;
    trigger.ObjectType = ObjectTypes::Trigger;
    trigger.ObjectName = "EMP_TRG";
    trigger.ObjectText =
        "EMP_TRG BEFORE INSERT ON EMP\r\nBEGIN\r\n" + Repeat("  NULL;\r\n", 1000) + "END;";

    TObjectItem& view = AddObject(*model, 70020, ObjectTypes::View, "V_EMP");
    view.ObjectText = "SELECT " + Repeat("ENAME, ", 50) + "EMPNO FROM EMP";
    view.ObjectState = ObjectStates::Invalid;

    TObjectItem& sequence = AddObject(*model, -5, ObjectTypes::Sequence, "EMP_SEQ");
    sequence.OwnerNo = -129;
    sequence.ObjectText = "CREATE SEQUENCE EMP_SEQ";

    TObjectItem& body = AddObject(*model, 70030, ObjectTypes::PackageBody, "EMP_PKG");
    body.ObjectText = "PACKAGE BODY EMP_PKG IS\n" + Repeat("-- a comment line\n", 4000) + "END;";

    // A synonym whose column list was asked for but stayed empty.
    TObjectItem& synonym = AddObject(*model, 70040, ObjectTypes::Synonym, "EMPLOYEES");
    synonym.ObjectFields();
    return model;
}

void ExpectSameTree(const TStreamed& expected, const TStreamed& actual, const std::string& path)
{
    ASSERT_EQ(expected.ClassName(), actual.ClassName()) << path;
    const TClassInfo& info = expected.ClassInfo();
    for (const TPropInfo& p : info.Props) {
        const std::string where = path + "." + std::string(p.Name);
        switch (p.Kind) {
        case TPropKind::Text:
            EXPECT_EQ(p.GetText(expected), p.GetText(actual)) << where;
            break;
        case TPropKind::DateTime:
            EXPECT_EQ(p.GetFloat(expected), p.GetFloat(actual)) << where;
            break;
        case TPropKind::Object: {
            const TStreamed* a = p.GetObject(expected);
            const TStreamed* b = p.GetObject(actual);
            const auto isEmptyList = [](const TStreamed* o) {
                return o == nullptr || static_cast<const TCleanList*>(o)->Count() == 0;
            };
            if (a != nullptr && b != nullptr)
                ExpectSameTree(*a, *b, where);
            else
                EXPECT_TRUE(p.ObjectClass()->IsList() && isEmptyList(a) && isEmptyList(b)) << where;
            break;
        }
        default:
            EXPECT_EQ(p.GetInt(expected), p.GetInt(actual)) << where;
            break;
        }
    }
    if (info.IsList()) {
        const auto& a = static_cast<const TCleanList&>(expected);
        const auto& b = static_cast<const TCleanList&>(actual);
        ASSERT_EQ(a.Count(), b.Count()) << path << ".Items";
        for (int i = 0; i < a.Count(); ++i)
            ExpectSameTree(*a.Items(i), *b.Items(i), path + "[" + std::to_string(i) + "]");
    }
}

std::string B(std::string_view hex)
{
    return FromHex(hex);
}

std::string ReplaceOnce(std::string bytes, std::string_view from, std::string_view to)
{
    const size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << "not found: " << Hex(from);
    if (at == std::string::npos)
        return bytes;
    EXPECT_EQ(bytes.find(from, at + 1), std::string::npos) << "found twice: " << Hex(from);
    bytes.replace(at, from.size(), to);
    return bytes;
}

} // namespace quorvex::test
