// Builds a small SCOTT schema in memory, saves it as a snapshot file, loads it back, checks that
// saving the loaded model gives the same bytes, and prints the creating text of everything in it.
// Usage: quorvex-snapshot-demo [file]   (default ./demo.OBJ)

#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

using namespace quorvex;

namespace {

constexpr std::int32_t kScott = 5; // user number of SCOTT
constexpr const char* kCrLf = "\r\n";

// Dictionary type numbers of the columns used below.
constexpr std::int32_t kVarchar2 = 1;
constexpr std::int32_t kNumber = 2;
constexpr std::int32_t kDate = 12;

TObjectItem& AddObject(TDBNewOracle& db, std::int32_t objectNo, int objectType,
                       const std::string& name)
{
    TObjectItem& object = *db.Objects().NewItem();
    object.OID = objectNo; // objects are found by object number
    object.ObjectNo = objectNo;
    object.OwnerNo = kScott;
    object.ObjectType = objectType;
    object.ObjectName = name;
    return object;
}

// Precision and scale are negative when the dictionary has none.
void AddColumn(TObjectItem& table, std::int32_t columnNo, const std::string& name,
               std::int32_t type, std::int32_t length, std::int32_t precision, std::int32_t scale,
               bool mandatory, const std::string& comment = {})
{
    TFieldItem& field = *table.ObjectFields().NewItem();
    field.OID = table.ObjectNo * 256 + columnNo;
    field.ObjectNo = table.ObjectNo;
    field.OwnerNo = kScott;
    field.FieldNo = columnNo;
    field.FieldName = name;
    field.FieldType = type;
    field.Length = length;
    field.Precision = precision;
    field.Scale = scale;
    field.Null = mandatory ? 1 : 0;
    field.CommentText = comment;
}

TConstraintItem& AddConstraint(TObjectItem& table, std::int32_t constNo, const std::string& name,
                               std::int32_t constType, const std::string& columns)
{
    TConstraintItem& constraint = *table.ObjectConstraints().NewItem();
    constraint.OID = constNo;
    constraint.ConstNo = constNo;
    constraint.ObjectNo = table.ObjectNo;
    constraint.OwnerNo = kScott;
    constraint.ObjectName = name;
    constraint.TableName = table.ObjectName;
    constraint.ConstType = constType;
    constraint.RefFields = columns;
    return constraint;
}

void AddIndex(TObjectItem& table, std::int32_t indexNo, const std::string& name,
              const std::string& columns)
{
    TIndexItem& index = *table.ObjectIndexes().NewItem();
    index.OID = indexNo;
    index.ObjectNo = indexNo;
    index.OwnerNo = kScott;
    index.ObjectType = ObjectTypes::Index;
    index.ObjectName = name;
    index.TableName = table.ObjectName;
    index.IndexFields = columns;
    index.ObjectText = "CREATE INDEX " + name + " ON " + table.ObjectName + " (" + columns + ")";
}

void BuildScott(TDBNewOracle& db)
{
    db.UserName = "SCOTT";
    db.UserNo = std::to_string(kScott);
    db.SchemaLoaded = 45000.5; // a day number with a time of day; only has to be non-zero
    db.SourceLoaded = 45000.5;

    TOwnerItem& owner = *db.Owners().NewItem();
    owner.OID = kScott;
    owner.OwnerNo = kScott;
    owner.OwnerName = "SCOTT";

    // Object numbers ascend in list order, as the lists are searched by OID.
    TObjectItem& dept = AddObject(db, 7000, ObjectTypes::Table, "DEPT");
    dept.CommentText = "Departments";
    AddColumn(dept, 1, "DEPTNO", kNumber, 22, 2, 0, true);
    AddColumn(dept, 2, "DNAME", kVarchar2, 14, -1, -1, false, "Department name");
    AddColumn(dept, 3, "LOC", kVarchar2, 13, -1, -1, false);
    AddConstraint(dept, 8000, "PK_DEPT", 2, "DEPTNO");

    TObjectItem& emp = AddObject(db, 7001, ObjectTypes::Table, "EMP");
    emp.CommentText = "Employees";
    AddColumn(emp, 1, "EMPNO", kNumber, 22, 4, 0, true);
    AddColumn(emp, 2, "ENAME", kVarchar2, 10, -1, -1, false);
    AddColumn(emp, 3, "JOB", kVarchar2, 9, -1, -1, false);
    AddColumn(emp, 4, "HIREDATE", kDate, 7, -1, -1, false);
    AddColumn(emp, 5, "SAL", kNumber, 22, 7, 2, false);
    AddColumn(emp, 6, "DEPTNO", kNumber, 22, 2, 0, true);
    emp.ObjectFields().Items(4)->DefaultVal = "0";
    AddConstraint(emp, 8001, "PK_EMP", 2, "EMPNO");
    TConstraintItem& fk = AddConstraint(emp, 8002, "FK_DEPTNO", 4, "DEPTNO");
    fk.RefObjectNo = dept.ObjectNo;
    fk.RefConstNo = 8000;
    fk.RefObjName = "DEPT";
    fk.RefAct = true; // ON DELETE CASCADE
    AddIndex(emp, 7004, "EMP_ENAME_IDX", "ENAME");

    TObjectItem& view = AddObject(db, 7002, ObjectTypes::View, "EMP_DEPT");
    view.ObjectText = "CREATE OR REPLACE VIEW EMP_DEPT AS SELECT e.EMPNO, e.ENAME, d.DNAME"
                      " FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO";

    TObjectItem& sequence = AddObject(db, 7003, ObjectTypes::Sequence, "EMP_SEQ");
    sequence.ObjectText = std::string("CREATE SEQUENCE \"EMP_SEQ\"") + kCrLf + " START WITH 8000" +
                          kCrLf + " INCREMENT BY 1" + kCrLf + " MINVALUE 1" + kCrLf +
                          " NOMAXVALUE" + kCrLf + " NOCYCLE" + kCrLf + " CACHE 20" + kCrLf +
                          " NOORDER;";
}

std::string ReadFileBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw Exception(messages::CannotOpenFile(fileName));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PrintText(const std::string& text)
{
    if (!text.empty())
        std::cout << text << '\n';
}

template <class List>
void PrintItems(const List* list)
{
    for (int i = 0; list != nullptr && i < list->Count(); ++i)
        PrintText(list->Items(i)->GetCreatingText());
}

// Object first, then the same sub-list order a text report uses.
void PrintModel(const TDBNewOracle& db)
{
    const TObjectList& objects = db.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
        const TObjectItem& object = *objects.Items(i);
        std::cout << "-- " << object.GetKey() << '\n';
        PrintText(object.GetCreatingText());
        PrintItems(object.ConstraintsIfAny());
        PrintItems(object.FieldsIfAny());
        PrintItems(object.IndexesIfAny());
        PrintItems(object.TriggersIfAny());
        std::cout << '\n';
    }
}

int Run(const std::string& fileName)
{
    RegisterDictionaryClasses();
    {
        TDBNewOracle original;
        BuildScott(original);
        SaveToFile(original, fileName);
    }
    const std::string written = ReadFileBytes(fileName);
    std::unique_ptr<TDBNewOracle> loaded = CreateFromFile<TDBNewOracle>(fileName);
    if (SaveToString(*loaded) != written) {
        std::cerr << "Saving the loaded model gave different bytes than " << fileName << '\n';
        return 1;
    }
    PrintModel(*loaded);
    loaded.reset();
    if (auto leak = ObjectsNotFreedMessage()) {
        std::cerr << *leak << '\n';
        return 1;
    }
    std::cout << "Snapshot " << fileName << ": " << written.size()
              << " bytes, round trip identical\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: " << argv[0] << " [snapshot file]\n";
        return 2;
    }
    try {
        return Run(argc == 2 ? argv[1] : "demo.OBJ");
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
