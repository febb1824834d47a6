// Damaged and hostile snapshots: every one is refused with an exception, nothing leaks.
#include "SampleModel.h"
#include "TestClasses.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotFormat.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

namespace quorvex::test {
namespace {

class HostileSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllTestClasses(); }
};

enum class Failure { Read, LoadClass, ClassNotFound, Any };

const char* FailureName(Failure f)
{
    switch (f) {
    case Failure::Read:
        return "EReadError";
    case Failure::LoadClass:
        return "ELoadClassFailed";
    case Failure::ClassNotFound:
        return "EClassNotFound";
    default:
        return "Exception";
    }
}

bool IsKind(const Exception& e, Failure f)
{
    switch (f) {
    case Failure::Read:
        return dynamic_cast<const EReadError*>(&e) != nullptr;
    case Failure::LoadClass:
        return dynamic_cast<const ELoadClassFailed*>(&e) != nullptr;
    case Failure::ClassNotFound:
        return dynamic_cast<const EClassNotFound*>(&e) != nullptr;
    default:
        return true;
    }
}

// Loads `bytes` from an exactly sized heap block (so the sanitizer sees any read past the
// end) and returns the message of the exception; fails the test when it loads.
std::string LoadFailure(std::string_view bytes, const TClassInfo& root, Failure kind,
                        const std::string& label)
{
    const auto block = std::make_unique<char[]>(bytes.size() + (bytes.empty() ? 1 : 0));
    std::copy(bytes.begin(), bytes.end(), block.get());
    const auto before = LiveObjectCount();
    std::string message;
    try {
        CreateFromString(root, std::string_view(block.get(), bytes.size()));
        ADD_FAILURE() << label << ": loaded";
    } catch (const Exception& e) {
        EXPECT_TRUE(IsKind(e, kind))
            << label << ": " << typeid(e).name() << " instead of " << FailureName(kind);
        message = e.what();
    }
    EXPECT_EQ(LiveObjectCount(), before) << label;
    return message;
}

const std::string kVersion = B("06 07") + "Version" + B("02 01");

std::string ModelBytes()
{
    return SaveToString(*BuildSampleModel());
}

std::string OwnerListBytes()
{
    TOwnerList list;
    for (int i = 1; i <= 2; ++i) {
        TOwnerItem& owner = *list.NewItem();
        owner.OID = i;
        owner.OwnerNo = i;
        owner.OwnerName = "SCOTT";
    }
    return SaveToString(list);
}

TEST_F(HostileSnapshotTest, DamagedFilesFailWithTheirMessages)
{
    const std::string model = SaveToString(TDBNewOracle());
    const std::string owners = OwnerListBytes();
    TObjectList objectList;
    objectList.NewItem()->ObjectName = "EMP";
    const std::string objects = SaveToString(objectList);
    const std::string invalid = "Invalid property value";
    const auto& oracle = TDBNewOracle::StaticClass();
    const auto& ownerList = TOwnerList::StaticClass();

    const struct {
        const char* Name;
        std::string Bytes;
        const TClassInfo& Root;
        Failure Kind;
        std::string Message;
    } cases[] = {
        {"wrong signature", "TPF1" + model.substr(4), oracle, Failure::Read,
         "Invalid stream format"},
        {"lower-case signature", "tpf0" + model.substr(4), oracle, Failure::Read,
         "Invalid stream format"},
        {"empty file", "", oracle, Failure::Read, "Stream read error"},
        {"object list loaded as the model", objects, oracle, Failure::LoadClass,
         "Incompatible classes. TObjectList <> TDBNewOracle"},
        {"model loaded as an object list", model, TObjectList::StaticClass(), Failure::LoadClass,
         "Incompatible classes. TDBNewOracle <> TObjectList"},
        {"root class name in other letter case", ReplaceOnce(model, "TDBNewOracle", "TDBNEWORACLE"),
         oracle, Failure::LoadClass, "Incompatible classes. TDBNEWORACLE <> TDBNewOracle"},
        {"root class name is not a class name tag", ReplaceOnce(model, B("07 0C"), B("06 0C")),
         oracle, Failure::Read, invalid},
        {"unknown item class",
         ReplaceOnce(owners, B("07 0A") + "TOwnerItem" + B("06 03") + "OID" + B("02 02"),
                     B("07 0B") + "TNoSuchItem" + B("06 03") + "OID" + B("02 02")),
         ownerList, Failure::ClassNotFound, "Class TNoSuchItem not found"},
        {"integer where a text is expected",
         ReplaceOnce(owners,
                     "OwnerName" + B("06 05") + "SCOTT" + B("06 07") + "OwnerNo" + B("02 02"),
                     "OwnerName" + B("02 05") + B("06 07") + "OwnerNo" + B("02 02")),
         ownerList, Failure::Read, invalid},
        {"text where an integer is expected",
         ReplaceOnce(owners, "OwnerNo" + B("02 02"), "OwnerNo" + B("06 01") + "2"), ownerList,
         Failure::Read, invalid},
        {"float where an integer is expected",
         ReplaceOnce(owners, "OwnerNo" + B("02 02"),
                     "OwnerNo" + B("05 00 00 00 00 00 00 00 80 00 40")),
         ownerList, Failure::Read, invalid},
        {"Boolean that is neither False nor True",
         ReplaceOnce(model, "UseRule" + B("06 05") + "False", "UseRule" + B("06 05") + "Maybe"),
         oracle, Failure::Read, invalid},
        {"set where a Boolean is expected",
         ReplaceOnce(model, "UseRule" + B("06 05") + "False", "UseRule" + B("0B 01 00")), oracle,
         Failure::Read, invalid},
        {"item block without its second 01",
         ReplaceOnce(owners, "Items" + B("01 01 07"), "Items" + B("01 07")), ownerList,
         Failure::Read, invalid},
        {"item block whose second byte is 00",
         ReplaceOnce(objects, "Items" + B("01 01 07"), "Items" + B("01 00 07")),
         TObjectList::StaticClass(), Failure::Read, invalid},
        {"item that is not a class name",
         ReplaceOnce(owners, "Items" + B("01 01 07 0A"), "Items" + B("01 01 06 0A")), ownerList,
         Failure::Read, invalid},
        {"closing 00 of the root replaced", model.substr(0, model.size() - 1) + B("08"), oracle,
         Failure::Read, invalid},
        {"property name that is not a text",
         ReplaceOnce(model, B("06 0A") + "IncludeSys", B("02 0A") + "IncludeSys"), oracle,
         Failure::Read, invalid},
        {"long text longer than the file",
         ReplaceOnce(owners, "Version" + B("02 01 00 07"),
                     "Version" + B("02 01 06 04") + "Memo" + B("0C FF FF FF FF") + B("00 07")),
         ownerList, Failure::Read, "Stream read error"},
        {"long property name longer than the file",
         ReplaceOnce(model, B("06 0A") + "IncludeSys", B("0C FF FF FF FF") + "IncludeSys"), oracle,
         Failure::Read, "Stream read error"},
        {"class name longer than the file",
         ReplaceOnce(owners, B("07 0A") + "TOwnerItem" + B("06 03") + "OID" + B("02 02"),
                     B("07 FF") + "TOwnerItem" + B("06 03") + "OID" + B("02 02")),
         ownerList, Failure::Read, "Stream read error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadFailure(c.Bytes, c.Root, c.Kind, c.Name), c.Message) << c.Name;
    }
}

TEST_F(HostileSnapshotTest, InputWithoutAnyBytesIsAReadError)
{
    const auto before = LiveObjectCount();
    try {
        CreateFromString<TDBNewOracle>(std::string_view());
        ADD_FAILURE() << "loaded";
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.what()), "Stream read error");
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(HostileSnapshotTest, ItemsOfTheWrongClassAreRefused)
{
    const std::string model = ModelBytes();
    const std::string ownerItem = B("07 0A") + "TOwnerItem" + kVersion + B("00");
    const std::string objectItem = B("07 0B") + "TObjectItem" + kVersion + B("00");
    const std::string rootItem = B("07 0C") + "TDBNewOracle" + kVersion + B("00");
    const std::string streamed = B("07 09") + "TStreamed" + kVersion + B("00");
    const std::string fieldItem = B("07 0A") + "TFieldItem" + kVersion + B("00");
    // Where each item is put: at the start of the Objects / Owners item block.
    const std::string objectsBlock = "Objects" + kVersion + B("06 05") + "Items" + B("01 01");
    const std::string ownersBlock = "Owners" + kVersion + B("06 05") + "Items" + B("01 01");
    const struct {
        const char* Name;
        const std::string& Block;
        const std::string& Item;
    } cases[] = {
        {"owner item among the objects", objectsBlock, ownerItem},
        {"object item among the owners", ownersBlock, objectItem},
        {"the model among the owners", ownersBlock, rootItem},
        {"a plain streamed object among the objects", objectsBlock, streamed},
        {"a column among the objects", objectsBlock, fieldItem},
    };
    TDBNewOracle empty;
    const std::string emptyModel = SaveToString(empty);
    for (const auto& c : cases) {
        for (const std::string* base : {&model, &emptyModel}) {
            const std::string bytes = ReplaceOnce(*base, c.Block, c.Block + c.Item);
            const std::string message =
                LoadFailure(bytes, TDBNewOracle::StaticClass(), Failure::Any, c.Name);
            EXPECT_FALSE(message.empty()) << c.Name;
        }
    }
}

TEST_F(HostileSnapshotTest, WrongItemClassInsideAnObjectsSubList)
{
    // A constraint among the columns of a table.
    const std::string model = ModelBytes();
    const std::string fields = "ObjectFields" + kVersion + B("06 05") + "Items" + B("01 01");
    const std::string constraint = B("07 0F") + "TConstraintItem" + kVersion + B("00");
    const size_t at = model.find(fields);
    ASSERT_NE(at, std::string::npos);
    std::string bytes = model;
    bytes.insert(at + fields.size(), constraint);
    EXPECT_FALSE(LoadFailure(bytes, TDBNewOracle::StaticClass(), Failure::Any, "sub-list").empty());
}

// Nested object records inside the model, `levels` deep, each under an unknown property.
std::string NestedModel(int levels)
{
    std::string nested;
    for (int i = 0; i < levels; ++i)
        nested += B("07 01") + "X" + B("06 01") + "P";
    nested += std::string(static_cast<size_t>(levels), '\0');
    return ReplaceOnce(SaveToString(TDBNewOracle()), B("06 0A") + "IncludeSys",
                       nested + B("06 0A") + "IncludeSys");
}

TEST_F(HostileSnapshotTest, NestingIsCapped)
{
    // The root is level 0, so kMaxDepth - 1 nested records are the deepest accepted.
    EXPECT_NO_THROW(CreateFromString<TDBNewOracle>(NestedModel(snapshot::kMaxDepth - 1)));
    for (int levels : {snapshot::kMaxDepth, snapshot::kMaxDepth + 1, 100000}) {
        const std::string message = LoadFailure(NestedModel(levels), TDBNewOracle::StaticClass(),
                                                Failure::Read, std::to_string(levels));
        EXPECT_EQ(message.rfind("Invalid property value", 0), 0u) << message;
    }
}

TEST_F(HostileSnapshotTest, DeeplyNestedItemBlocksAreCapped)
{
    // Item blocks of registered item classes, each item holding the next block.
    std::string nested;
    const int levels = 5000;
    for (int i = 0; i < levels; ++i)
        nested += B("06 04") + "Kids" + B("01 01 07 0A") + "TOwnerItem";
    for (int i = 0; i < levels; ++i)
        nested += B("00 00");
    const std::string bytes = "TPF0" + B("07 0A") + "TOwnerList" + B("06 05") + "Items" +
                              B("01 01 07 0A") + "TOwnerItem" + nested + B("00 00 00");
    const std::string message =
        LoadFailure(bytes, TOwnerList::StaticClass(), Failure::Read, "item blocks");
    EXPECT_EQ(message.rfind("Invalid property value", 0), 0u) << message;
}

TEST_F(HostileSnapshotTest, EveryTruncationFailsWithAReadError)
{
    const std::string bytes = ModelBytes();
    ASSERT_GT(bytes.size(), 70000u);
    // Every cut in the structured part, and a sample of cuts inside the long texts.
    for (size_t size = 0; size < bytes.size();
         size += (size < 4096 || bytes.size() - size < 4096) ? 1 : 97) {
        const std::string message =
            LoadFailure(std::string_view(bytes).substr(0, size), TDBNewOracle::StaticClass(),
                        Failure::Read, "cut at " + std::to_string(size));
        ASSERT_EQ(message, "Stream read error") << "cut at " << size;
    }
}

TEST_F(HostileSnapshotTest, EveryTruncationOfSmallFilesFails)
{
    TOwnerList list;
    list.NewItem()->OwnerName = "SCOTT";
    TObjectList objects;
    objects.NewItem()->ObjectName = "EMP";
    TSampleObject sample;
    sample.Styles = kBold | kItalic;
    const struct {
        std::string Bytes;
        const TClassInfo& Root;
    } files[] = {{SaveToString(TDBNewOracle()), TDBNewOracle::StaticClass()},
                 {SaveToString(list), TOwnerList::StaticClass()},
                 {SaveToString(objects), TObjectList::StaticClass()},
                 {SaveToString(sample), TSampleObject::StaticClass()}};
    for (const auto& f : files) {
        for (size_t size = 0; size < f.Bytes.size(); ++size) {
            const std::string message =
                LoadFailure(std::string_view(f.Bytes).substr(0, size), f.Root, Failure::Read,
                            f.Root.Name + " cut at " + std::to_string(size));
            EXPECT_EQ(message, "Stream read error") << f.Root.Name << " cut at " << size;
        }
    }
}

TEST_F(HostileSnapshotTest, TruncatedFilesOnDiskFail)
{
    TempDir dir;
    const std::string bytes = SaveToString(TDBNewOracle());
    const std::string file = dir.File("cut.obj");
    const auto before = LiveObjectCount();
    for (size_t size = 0; size < bytes.size(); ++size) {
        WriteFileBytes(file, std::string_view(bytes).substr(0, size));
        try {
            CreateFromFile<TDBNewOracle>(file);
            ADD_FAILURE() << "loaded cut at " << size;
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()), "Stream read error") << size;
        }
    }
    EXPECT_EQ(LiveObjectCount(), before);
    WriteFileBytes(file, bytes);
    EXPECT_NO_THROW(CreateFromFile<TDBNewOracle>(file));
}

TEST_F(HostileSnapshotTest, ByteFlipsNeverCrashOrLeak)
{
    // Every single-byte change of a small model either loads or fails with an Exception.
    TDBNewOracle model;
    TOwnerItem& owner = *model.Owners().NewItem();
    owner.OwnerName = "SCOTT";
    TObjectItem& table = *model.Objects().NewItem();
    table.ObjectName = "EMP";
    table.ObjectFields().NewItem()->FieldName = "EMPNO";
    const std::string bytes = SaveToString(model);
    const auto before = LiveObjectCount();
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (int value : {0x00, 0x01, 0x05, 0x07, 0x0B, 0x0C, 0x7F, 0xFF}) {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(value);
            try {
                CreateFromString<TDBNewOracle>(damaged);
            } catch (const Exception&) {
            }
        }
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

} // namespace
} // namespace quorvex::test
