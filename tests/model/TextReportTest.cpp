// The text report: every creating text of a model in list and property order, lines ending in
// CR LF, saved whole or not at all.

#include "model/TextReport.h"

#include "ModelBuilder.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

namespace quorvex {
namespace {

using test::AddItem;

std::string Report(const TStreamed& root)
{
    TStringSink sink;
    WriteTextReport(root, sink);
    return sink.Bytes();
}

// A small model whose lists are deliberately not in key order, with every kind of line break.
void AddSample(TDBNewOracle& model)
{
    AddItem(model.Owners(), "OwnerName=SCOTT"); // owners have no text
    TObjectList& objects = model.Objects();
    AddItem(AddItem(objects, "ObjectType=4|ObjectName=V|ObjectText=CREATE VIEW V AS\nSELECT 1 "
                             "A\rFROM DUAL\n\rX\r\r\nY\n\nZ")
                ->ObjectConstraints(),
            "ObjectName=SYS_C9|TableName=V|ConstType=6");
    // A table's comment and a column's comment are display texts, not part of the report.
    TObjectItem* emp = AddItem(objects, "ObjectType=2|ObjectName=EMP|CommentText=Employees");
    AddItem(emp->ObjectFields(), "FieldNo=1|FieldName=ID|FieldType=2|Precision=5|Scale=0|Null=1");
    AddItem(emp->ObjectFields(), "FieldNo=2|FieldName=NAME|FieldType=1|Length=10|CommentText=c");
    AddItem(emp->ObjectIndexes(), "ObjectName=EMP_NAME|TableName=EMP|IndexFields=NAME");
    AddItem(emp->ObjectTriggers(), "ObjectName=EMP_BI|ObjectText=EMP_BI BEFORE INSERT\nBEGIN\r\n"
                                   "  NULL;\rEND;");
    AddItem(emp->ObjectConstraints(), "ObjectName=EMP_PK|TableName=EMP|ConstType=2");
    AddItem(emp->ObjectConstraints(),
            "ObjectName=SYS_C001|TableName=EMP|ConstType=7|RefFields=ID|ObjectState=2");
    AddItem(objects, "ObjectType=6|ObjectName=SEQ"); // no text: writes nothing
    AddItem(objects, "ObjectType=9|ObjectName=PKG|ObjectText=PACKAGE PKG IS\r\nEND;\r\n");
    AddItem(objects, "ObjectType=7|ObjectName=P|ObjectText=\n");
    AddItem(objects, "ObjectType=5|ObjectName=S");
}

const char* const kSampleReport =
    "CREATE VIEW V AS\r\nSELECT 1 A\r\nFROM DUAL\r\n\r\nX\r\n\r\nY\r\n\r\nZ\r\n"
    "ALTER VIEW V ADD CONSTRAINT SYS_C9 WITH READ ONLY;\r\n"
    "CREATE TABLE EMP (\r\n ID NUMBER(5,0) NOT NULL\r\n,NAME VARCHAR2(10));\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;\r\n"
    "ALTER TABLE EMP ADD CONSTRAINT SYS_C001 CHECK (\"ID\" IS NOT NULL) DISABLE;\r\n"
    "ID NUMBER(5,0) NOT NULL\r\n"
    "NAME VARCHAR2(10)\r\n"
    "CREATE INDEX EMP_NAME ON EMP (NAME);\r\n"
    "CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT\r\nBEGIN\r\n  NULL;\r\nEND;\r\n"
    "PACKAGE PKG IS\r\nEND;\r\n\r\n"
    "\r\n\r\n"
    "CREATE SYNONYM S;\r\n";

size_t FilesIn(const std::filesystem::path& folder)
{
    const std::filesystem::directory_iterator files(folder);
    return static_cast<size_t>(std::distance(begin(files), end(files)));
}

TEST(TextReport, ExactBytesAndSavedFile)
{
    TDBNewOracle model;
    AddItem(model.Owners(), "OwnerName=HR");
    EXPECT_EQ(Report(model), "");
    AddSample(model);
    EXPECT_EQ(Report(model), kSampleReport) << test::Hex(Report(model));

    test::TempDir dir;
    const std::string file = dir.File("SCHEMA.TXT");
    test::WriteFileBytes(file, std::string(5000, 'x')); // replaced entirely
    SaveAsText(model, file);
    EXPECT_EQ(test::ReadFileBytes(file), kSampleReport);
    SaveAsText(TDBNewOracle(), dir.File("EMPTY.TXT"));
    EXPECT_EQ(test::ReadFileBytes(dir.File("EMPTY.TXT")), "");
    EXPECT_EQ(FilesIn(dir.Path()), 2u); // no temporary file left behind
}

// An object whose text cannot be produced: the save fails after part of the report.
class TUnreadableObject : public TObjectItem {
public:
    std::string GetCreatingText() const override { throw EReadError("text unavailable"); }
};

TEST(TextReport, FailedSaveLeavesTheExistingFile)
{
    test::TempDir dir;
    TDBNewOracle model;
    AddSample(model);
    // Into a missing folder, or over a folder: cannot be created, nothing made.
    for (const std::string& file : {dir.File("missing/SCHEMA.TXT"), dir.File("FOLDER.TXT")}) {
        std::filesystem::create_directory(dir.File("FOLDER.TXT"));
        try {
            SaveAsText(model, file);
            ADD_FAILURE() << "saved " << file;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + file);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("FOLDER.TXT")));

    const std::string file = dir.File("SCHEMA.TXT");
    test::WriteFileBytes(file, "previous report\r\n");
    AddItem(model.Objects(), "ObjectType=7|ObjectName=P|ObjectText=" + std::string(100000, 'p'));
    model.Objects().Add(std::make_unique<TUnreadableObject>());
    EXPECT_THROW(SaveAsText(model, file), EReadError);
    EXPECT_EQ(test::ReadFileBytes(file), "previous report\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), 2u); // the file and the folder; no temporary file
}

} // namespace
} // namespace quorvex
