// The text report: every creating text of a model, in list and property order.

#include "model/TextReport.h"

#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "model/ObjectState.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace quorvex {
namespace {

using test::Hex;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::string Report(const TStreamed& root)
{
    TStringSink sink;
    WriteTextReport(root, sink);
    return sink.Bytes();
}

TObjectItem* AddObject(TObjectList& list, int type, const std::string& name,
                       const std::string& text = {})
{
    TObjectItem* object = list.NewItem();
    object->ObjectType = type;
    object->ObjectName = name;
    object->ObjectText = text;
    return object;
}

// A small model whose lists are deliberately not in key order: the report keeps list order.
std::unique_ptr<TDBNewOracle> SmallModel()
{
    auto model = std::make_unique<TDBNewOracle>();
    model->Owners().NewItem()->OwnerName = "SCOTT";
    TObjectList& objects = model->Objects();

    TObjectItem* view =
        AddObject(objects, ObjectTypes::View, "V", "CREATE VIEW V AS\nSELECT 1 A\rFROM DUAL");
    TConstraintItem* readOnly = view->ObjectConstraints().NewItem();
    readOnly->ObjectName = "SYS_C9";
    readOnly->TableName = "V";
    readOnly->ConstType = 6;

    TObjectItem* emp = AddObject(objects, ObjectTypes::Table, "EMP");
    emp->CommentText = "Employees"; // a table's display text, not part of the report
    TFieldItem* id = emp->ObjectFields().NewItem();
    id->FieldNo = 1;
    id->FieldName = "ID";
    id->FieldType = 2;
    id->Precision = 5;
    id->Scale = 0;
    id->Null = 1;
    TFieldItem* name = emp->ObjectFields().NewItem();
    name->FieldNo = 2;
    name->FieldName = "NAME";
    name->FieldType = 1;
    name->Length = 10;
    name->CommentText = "full\nname"; // display text only
    // Added in the order the dictionary gives them, not in key order.
    TIndexItem* index = emp->ObjectIndexes().NewItem();
    index->ObjectName = "EMP_NAME";
    index->TableName = "EMP";
    index->IndexFields = "NAME";
    TTriggerItem* trigger = emp->ObjectTriggers().NewItem();
    trigger->ObjectName = "EMP_BI";
    trigger->ObjectText = "EMP_BI BEFORE INSERT ON EMP\nBEGIN\r\n  NULL;\rEND;";
    TConstraintItem* pk = emp->ObjectConstraints().NewItem();
    pk->ObjectName = "EMP_PK";
    pk->TableName = "EMP";
    pk->ConstType = 2;
    TConstraintItem* notNull = emp->ObjectConstraints().NewItem();
    notNull->ObjectName = "SYS_C001";
    notNull->TableName = "EMP";
    notNull->ConstType = 7;
    notNull->RefFields = "ID";
    notNull->ObjectState = ObjectStates::Disabled;

    AddObject(objects, ObjectTypes::Sequence, "SEQ"); // no text: writes nothing
    AddObject(objects, ObjectTypes::PackageHeader, "PKG", "PACKAGE PKG IS\r\nEND;\r\n");
    AddObject(objects, ObjectTypes::Synonym, "S");
    return model;
}

const char* const kSmallModelReport =
    "CREATE VIEW V AS\r\nSELECT 1 A\r\nFROM DUAL\r\n"
    "ALTER VIEW V ADD CONSTRAINT SYS_C9 WITH READ ONLY;\r\n"
    "CREATE TABLE EMP (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT SYS_C001 CHECK (\"ID\" IS NOT NULL) DISABLE;\r\n"
    "ID NUMBER(5,0) NOT NULL\r\n"
    "NAME VARCHAR2(10)\r\n"
    "CREATE INDEX EMP_NAME ON EMP (NAME);\r\n"
    "CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\n  NULL;\r\nEND;\r\n"
    "PACKAGE PKG IS\r\nEND;\r\n\r\n"
    "CREATE SYNONYM S;\r\n";

TEST(TextReport, SmallModelExactBytes)
{
    const auto model = SmallModel();
    const std::string bytes = Report(*model);
    EXPECT_EQ(bytes, kSmallModelReport) << Hex(bytes);
}

TEST(TextReport, EmptyModelWritesNothing)
{
    TDBNewOracle model;
    EXPECT_EQ(Report(model), "");
    // Owners alone have no text either.
    model.Owners().NewItem()->OwnerName = "SCOTT";
    model.Owners().NewItem()->OwnerName = "HR";
    EXPECT_EQ(Report(model), "");
}

TEST(TextReport, LineBreaksBecomeCrLf)
{
    struct {
        const char* text;
        const char* written;
    } const cases[] = {
        {"A", "A\r\n"},
        {"A\nB", "A\r\nB\r\n"},
        {"A\rB", "A\r\nB\r\n"},
        {"A\r\nB", "A\r\nB\r\n"},
        {"A\n\rB", "A\r\n\r\nB\r\n"},
        {"A\r\r\nB", "A\r\n\r\nB\r\n"},
        {"A\n\nB", "A\r\n\r\nB\r\n"},
        {"A\r\n", "A\r\n\r\n"},
        {"\n", "\r\n\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        TObjectList list;
        AddObject(list, ObjectTypes::Procedure, "P", c.text);
        const std::string bytes = Report(list);
        EXPECT_EQ(bytes, c.written) << Hex(c.text) << " gave " << Hex(bytes);
    }
}

TEST(TextReport, SaveAsTextWritesTheFile)
{
    TempDir dir;
    const std::string file = dir.File("SCHEMA.TXT");
    WriteFileBytes(file, std::string(5000, 'x')); // replaced entirely, not overwritten in place
    const auto model = SmallModel();
    SaveAsText(*model, file);
    EXPECT_EQ(ReadFileBytes(file), kSmallModelReport);

    const std::string empty = dir.File("EMPTY.TXT");
    SaveAsText(TDBNewOracle(), empty);
    ASSERT_TRUE(std::filesystem::exists(empty));
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);

    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2); // no temporary file left behind
}

TEST(TextReport, SaveAsTextIntoMissingFolder)
{
    TempDir dir;
    const std::string file = dir.File("missing/SCHEMA.TXT");
    const auto model = SmallModel();
    try {
        SaveAsText(*model, file);
        FAIL() << "saved into a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + file);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

// An object whose text cannot be produced: the save fails after part of the report.
class TUnreadableObject : public TObjectItem {
public:
    std::string GetCreatingText() const override { throw EReadError("text unavailable"); }
};

TEST(TextReport, FailedSaveLeavesTheExistingFile)
{
    TempDir dir;
    const std::string file = dir.File("SCHEMA.TXT");
    const std::string previous = "previous report\r\n";
    WriteFileBytes(file, previous);

    TObjectList list;
    AddObject(list, ObjectTypes::Procedure, "P", std::string(100000, 'p'));
    list.Add(std::make_unique<TUnreadableObject>());
    EXPECT_THROW(SaveAsText(list, file), EReadError);
    EXPECT_EQ(ReadFileBytes(file), previous);

    // The target is a folder: it cannot be replaced, and stays as it was.
    const std::string folder = dir.File("FOLDER.TXT");
    std::filesystem::create_directory(folder);
    try {
        SaveAsText(*SmallModel(), folder);
        FAIL() << "replaced a folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + folder);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 2); // the file and the folder; no temporary file left behind
}

} // namespace
} // namespace quorvex
