#include "CliTestModels.h"

#include "persistence/SnapshotWriter.h"

namespace quorvex::test {

namespace {

void AddOwner(TDBNewOracle& root)
{
    TOwnerItem* owner = root.Owners().NewItem();
    owner->OwnerNo = 31;
    owner->OwnerName = "SCOTT";
}

TObjectItem& AddObject(TDBNewOracle& root, std::int32_t no, std::int32_t type,
                       const std::string& name, const std::string& text)
{
    TObjectItem* object = root.Objects().NewItem();
    object->OwnerNo = 31;
    object->ObjectNo = no;
    object->ObjectType = type;
    object->ObjectName = name;
    object->ObjectText = text;
    return *object;
}

void AddColumn(TObjectItem& table, std::int32_t no, const std::string& name, std::int32_t type,
               std::int32_t length, std::int32_t precision, std::int32_t scale, std::int32_t null)
{
    TFieldItem* field = table.ObjectFields().NewItem();
    field->OwnerNo = table.OwnerNo;
    field->ObjectNo = table.ObjectNo;
    field->FieldNo = no;
    field->FieldName = name;
    field->FieldType = type;
    field->Length = length;
    field->Precision = precision;
    field->Scale = scale;
    field->Null = null;
}

} // namespace

void BuildCurrentModel(TDBNewOracle& root)
{
    root.UserName = "SCOTT";
    AddOwner(root);
    AddObject(root, 120, ObjectTypes::View, "V_EMP", "SELECT EMPNO\nFROM EMP");
    TObjectItem& emp = AddObject(root, 100, ObjectTypes::Table, "EMP", "");
    AddColumn(emp, 1, "EMPNO", 2, 22, 4, 0, 1);
    AddColumn(emp, 2, "ENAME", 1, 10, -1, -1, 0);
}

void BuildTargetModel(TDBNewOracle& root)
{
    root.UserName = "SCOTT";
    AddOwner(root);
    TObjectItem& emp = AddObject(root, 100, ObjectTypes::Table, "EMP", "");
    AddColumn(emp, 1, "EMPNO", 2, 22, 4, 0, 1);
    AddColumn(emp, 2, "EMP_NAME", 1, 10, -1, -1, 0);
    AddObject(root, 120, ObjectTypes::View, "V_EMP", "select empno\nFROM EMP");
    TObjectItem& dept = AddObject(root, 130, ObjectTypes::Table, "DEPT", "");
    AddColumn(dept, 1, "DEPTNO", 2, 22, 2, 0, 1);
}

void WriteCurrentSnapshot(const std::string& fileName)
{
    TDBNewOracle root;
    BuildCurrentModel(root);
    SaveToFile(root, fileName);
}

void WriteTargetSnapshot(const std::string& fileName)
{
    TDBNewOracle root;
    BuildTargetModel(root);
    SaveToFile(root, fileName);
}

} // namespace quorvex::test
