// Damaged and hostile snapshots: every one is refused with an exception, nothing leaks.
#include "SnapshotBytes.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotFormat.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class HostileSnapshotTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSnapshotClasses(); }
};

// Loads `bytes` from an exactly sized heap block (so the sanitizer sees any read past the end)
// and returns "<exception class>: <message>", or "loaded"; fails the test when anything leaks.
std::string Refusal(std::string_view bytes, const TClassInfo& root = TDBNewOracle::StaticClass())
{
    const auto block = std::make_unique<char[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.get());
    const auto before = LiveObjectCount();
    std::string refusal = "loaded";
    try {
        CreateFromString(root, std::string_view(block.get(), bytes.size()));
    } catch (const EReadError& e) {
        refusal = "EReadError: " + std::string(e.what());
    } catch (const ELoadClassFailed& e) {
        refusal = "ELoadClassFailed: " + std::string(e.what());
    } catch (const EClassNotFound& e) {
        refusal = "EClassNotFound: " + std::string(e.what());
    }
    EXPECT_EQ(LiveObjectCount(), before) << refusal;
    return refusal;
}

const std::string kReadError = "EReadError: Stream read error";
const std::string kInvalid = "EReadError: Invalid property value";

TEST_F(HostileSnapshotTest, DamagedFilesFailWithTheirMessages)
{
    const std::string model = SaveToString(TDBNewOracle());
    const std::string owners = OwnerListFile(
        ItemRecord(B("06<OID> 02 01 06<OwnerName> 06<SCOTT> 06<OwnerNo> 02 01 06<Version> 02 01")) +
        ItemRecord(B("06<OID> 02 02 06<OwnerName> 06<SCOTT> 06<OwnerNo> 02 02 06<Version> 02 01")));
    TObjectList objectList;
    objectList.NewItem();
    const std::string objects = SaveToString(objectList);
    const TClassInfo& ownerList = TOwnerList::StaticClass();
    const auto in = [](const std::string& bytes, const char* from, const char* to) {
        return ReplaceOnce(bytes, B(from), B(to));
    };
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Expected;
        const TClassInfo& Root = TDBNewOracle::StaticClass();
    } cases[] = {
        {"wrong signature", "TPF1" + model.substr(4), "EReadError: Invalid stream format"},
        {"lower-case signature", "tpf0" + model.substr(4), "EReadError: Invalid stream format"},
        {"empty file", "", kReadError},
        {"object list loaded as the model", objects,
         "ELoadClassFailed: Incompatible classes. TObjectList <> TDBNewOracle"},
        {"model loaded as an object list", model,
         "ELoadClassFailed: Incompatible classes. TDBNewOracle <> TObjectList",
         TObjectList::StaticClass()},
        {"root class name in other letter case", in(model, "'TDBNewOracle'", "'TDBNEWORACLE'"),
         "ELoadClassFailed: Incompatible classes. TDBNEWORACLE <> TDBNewOracle"},
        {"root class name is not a class name tag", in(model, "07 0C", "06 0C"), kInvalid},
        {"unknown item class",
         in(owners, "07<TOwnerItem> 06<OID> 02 02", "07<TNoSuchItem> 06<OID> 02 02"),
         "EClassNotFound: Class TNoSuchItem not found", ownerList},
        {"integer where a text is expected",
         in(owners, "'OwnerName' 06<SCOTT> 06<OwnerNo> 02 02",
            "'OwnerName' 02 05 06<OwnerNo> 02 02"),
         kInvalid, ownerList},
        {"text where an integer is expected", in(owners, "'OwnerNo' 02 02", "'OwnerNo' 06<2>"),
         kInvalid, ownerList},
        {"float where an integer is expected",
         in(owners, "'OwnerNo' 02 02", "'OwnerNo' 05 00 00 00 00 00 00 00 80 00 40"), kInvalid,
         ownerList},
        {"Boolean that is neither False nor True",
         in(model, "'UseRule' 06<False>", "'UseRule' 06<Maybe>"), kInvalid},
        {"set where a Boolean is expected", in(model, "'UseRule' 06<False>", "'UseRule' 0B 01 00"),
         kInvalid},
        {"item block without its second 01", in(owners, "'Items' 01 01 07", "'Items' 01 07"),
         kInvalid, ownerList},
        {"item block whose second byte is 00", in(objects, "'Items' 01 01 07", "'Items' 01 00 07"),
         kInvalid, TObjectList::StaticClass()},
        {"item that is not a class name", in(owners, "'Items' 01 01 07 0A", "'Items' 01 01 06 0A"),
         kInvalid, ownerList},
        {"closing 00 of the root replaced", model.substr(0, model.size() - 1) + B("08"), kInvalid},
        {"property name that is not a text", in(model, "06<IncludeSys>", "02 0A 'IncludeSys'"),
         kInvalid},
        {"long text longer than the file",
         in(owners, "'Version' 02 01 00 07", "'Version' 02 01 06<Memo> 0C FF FF FF FF 00 07"),
         kReadError, ownerList},
        {"long property name longer than the file",
         in(model, "06<IncludeSys>", "0C FF FF FF FF 'IncludeSys'"), kReadError},
        {"class name longer than the file",
         in(owners, "07<TOwnerItem> 06<OID> 02 02", "07 FF 'TOwnerItem' 06<OID> 02 02"), kReadError,
         ownerList},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(c.Bytes, c.Root), c.Expected) << c.Name;
    EXPECT_EQ(ErrorOf<EReadError>([] { CreateFromString<TDBNewOracle>(std::string_view()); }),
              "Stream read error");
    TempDir dir;
    for (const std::string& name : {dir.File("absent.obj"), dir.Path().string()}) {
        EXPECT_EQ(ErrorOf<EFOpenError>([&] { CreateFromFile<TDBNewOracle>(name); }),
                  "Cannot open file " + name);
    }
}

TEST_F(HostileSnapshotTest, ItemsOfTheWrongClassAreRefused)
{
    const std::string model = SaveToString(*BuildSampleModel());
    const auto block = [](const char* list) {
        return B("'" + std::string(list) + "' 06<Version> 02 01 06<Items> 01 01");
    };
    const auto item = [](const char* className) {
        return B("07<" + std::string(className) + "> 06<Version> 02 01 00");
    };
    // Each item put first in a list of another item class.
    for (const auto& [list, itemClass] :
         {std::pair{"Objects", "TOwnerItem"}, std::pair{"Owners", "TObjectItem"},
          std::pair{"Owners", "TDBNewOracle"}, std::pair{"Objects", "TStreamed"},
          std::pair{"Objects", "TFieldItem"}, std::pair{"ObjectFields", "TConstraintItem"}}) {
        std::string bytes = model;
        bytes.insert(bytes.find(block(list)) + block(list).size(), item(itemClass));
        EXPECT_EQ(Refusal(bytes), kInvalid) << itemClass << " among " << list;
    }
}

TEST_F(HostileSnapshotTest, NestingIsCapped)
{
    // Nested object records inside the model, `levels` deep, each under an unknown property.
    const auto nestedModel = [](int levels) {
        std::string nested;
        for (int i = 0; i < levels; ++i)
            nested += B("07<X> 06<P>");
        nested += std::string(static_cast<size_t>(levels), '\0');
        return ReplaceOnce(SaveToString(TDBNewOracle()), B("06<IncludeSys>"),
                           nested + B("06<IncludeSys>"));
    };
    // The root is level 0, so kMaxDepth - 1 nested records are the deepest accepted.
    EXPECT_EQ(Refusal(nestedModel(snapshot::kMaxDepth - 1)), "loaded");
    for (int levels : {snapshot::kMaxDepth, snapshot::kMaxDepth + 1, 100000})
        EXPECT_EQ(Refusal(nestedModel(levels)).rfind(kInvalid, 0), 0u) << levels;

    // Item blocks of registered item classes, each item holding the next block.
    std::string items;
    for (int i = 0; i < 5000; ++i)
        items += B("06<Kids> 01 01 07<TOwnerItem>");
    const std::string bytes = B("'TPF0' 07<TOwnerList> 06<Items> 01 01 07<TOwnerItem>") + items +
                              std::string(2 * 5000 + 3, '\0');
    EXPECT_EQ(Refusal(bytes, TOwnerList::StaticClass()).rfind(kInvalid, 0), 0u);
}

TEST_F(HostileSnapshotTest, EveryTruncationFailsWithAReadError)
{
    TOwnerList owners;
    owners.NewItem()->OwnerName = "SCOTT";
    TObjectList objects;
    objects.NewItem()->ObjectName = "EMP";
    TSampleObject sample;
    sample.Styles = kBold | kItalic;
    const TDBNewOracle empty;
    const std::string model = SaveToString(*BuildSampleModel());
    ASSERT_GT(model.size(), 70000u);
    for (const auto& [bytes, root] :
         {std::pair<std::string, const TClassInfo&>{model, TDBNewOracle::StaticClass()},
          {SaveToString(empty), TDBNewOracle::StaticClass()},
          {SaveToString(owners), TOwnerList::StaticClass()},
          {SaveToString(objects), TObjectList::StaticClass()},
          {SaveToString(sample), TSampleObject::StaticClass()}}) {
        // Every cut in the structured part, and a sample of cuts inside the long texts.
        for (size_t size = 0; size < bytes.size();
             size += (size < 4096 || bytes.size() - size < 4096) ? 1 : 97) {
            ASSERT_EQ(Refusal(std::string_view(bytes).substr(0, size), root), kReadError)
                << root.Name << " cut at " << size;
        }
    }
    // The same from a file.
    TempDir dir;
    const std::string file = dir.File("cut.obj");
    const std::string bytes = SaveToString(empty);
    for (size_t size = 0; size < bytes.size(); ++size) {
        WriteFileBytes(file, std::string_view(bytes).substr(0, size));
        EXPECT_EQ(ErrorOf<EReadError>([&] { CreateFromFile<TDBNewOracle>(file); }),
                  "Stream read error")
            << size;
    }
}

TEST_F(HostileSnapshotTest, ByteFlipsNeverCrashOrLeak)
{
    // Every single-byte change of a small model either loads or fails with an Exception.
    TDBNewOracle model;
    model.Owners().NewItem()->OwnerName = "SCOTT";
    model.Objects().NewItem()->ObjectFields().NewItem()->FieldName = "EMPNO";
    const std::string bytes = SaveToString(model);
    const auto before = LiveObjectCount();
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (int value : {0x00, 0x01, 0x05, 0x07, 0x0B, 0x0C, 0x7F, 0xFF}) {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(value);
            ErrorOf<Exception>([&] { CreateFromString<TDBNewOracle>(damaged); });
        }
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

} // namespace
} // namespace quorvex::test
