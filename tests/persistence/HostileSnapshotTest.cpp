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

const std::string kReadError = "EReadError: Stream read error";
const std::string kInvalid = "EReadError: Invalid property value";
const std::string kFormat = "EReadError: Invalid stream format";
const std::string kClasses = "ELoadClassFailed: Incompatible classes. ";

TEST_F(HostileSnapshotTest, DamagedFilesFailWithTheirMessages)
{
    // A model, an owner list and an object list, each damaged by one replacement.
    const std::string files[] = {
        SaveToString(TDBNewOracle()),
        OwnerListFile(ItemRecord(B("06<OID> 02 01 06<OwnerName> 06<SCOTT> 06<OwnerNo> 02 01")) +
                      ItemRecord(B("06<OID> 02 02 06<OwnerName> 06<SCOTT> 06<OwnerNo> 02 02"))),
        B("'TPF0' 07<TObjectList> 06<Items> 01 01 07<TObjectItem> 06<Version> 02 01 00 00 00")};
    const TClassInfo* roots[] = {&TDBNewOracle::StaticClass(), &TOwnerList::StaticClass(),
                                 &TObjectList::StaticClass()};
    enum { model, owners, objects };
    const std::string objectsBlock = "<Objects> 06<Version> 02 01 06<Items> 01 01 ";
    const std::string ownersBlock = "<Owners> 06<Version> 02 01 06<Items> 01 01 ";
    const std::string objectEnd = "<TObjectItem> 06<Version> 02 01 00";
    // clang-format off
    const struct { int File; std::string From, To, Expected; } cases[] = {
        {model, "'TPF0'", "'TPF1'", kFormat},
        {model, "'TPF0'", "'tpf0'", kFormat},
        {model, "<TDBNewOracle>", "<TObjectList>", kClasses + "TObjectList <> TDBNewOracle"},
        {objects, "<TObjectList>", "<TDBNewOracle>", kClasses + "TDBNewOracle <> TObjectList"},
        {model, "<TDBNewOracle>", "<TDBNEWORACLE>", kClasses + "TDBNEWORACLE <> TDBNewOracle"},
        {model, "07 0C", "06 0C", kInvalid}, // the root's class name is not a class name tag
        {owners, "07<TOwnerItem> 06<OID> 02 02", "07<TNoSuchItem> 06<OID> 02 02",
         "EClassNotFound: Class TNoSuchItem not found"},
        {owners, "06<SCOTT> 06<OwnerNo> 02 02", "02 05 06<OwnerNo> 02 02", kInvalid},
        {owners, "'OwnerNo' 02 02", "'OwnerNo' 06<2>", kInvalid},
        {owners, "'OwnerNo' 02 02", "'OwnerNo' 05 00 00 00 00 00 00 00 80 00 40", kInvalid},
        {model, "'UseRule' 06<False>", "'UseRule' 06<Maybe>", kInvalid},
        {model, "'UseRule' 06<False>", "'UseRule' 0B 01 00", kInvalid},
        {owners, "'Items' 01 01 07", "'Items' 01 07", kInvalid},
        {objects, "'Items' 01 01 07", "'Items' 01 00 07", kInvalid},
        {owners, "'Items' 01 01 07 0A", "'Items' 01 01 06 0A", kInvalid},
        {model, "'Version' 02 01 00", "'Version' 02 01 08", kInvalid}, // the root's closing 00
        {model, "06<IncludeSys>", "02 0A 'IncludeSys'", kInvalid},
        {owners, "'OwnerNo' 02 01 00 07", "'OwnerNo' 02 01 06<Memo> 0C FF FF FF FF 00 07",
         kReadError},
        {model, "06<IncludeSys>", "0C FF FF FF FF 'IncludeSys'", kReadError},
        {owners, "07<TOwnerItem> 06<OID> 02 02", "07 FF 'TOwnerItem' 06<OID> 02 02", kReadError},
        // Items of another class than their list's.
        {model, objectsBlock, objectsBlock + "07<TOwnerItem> 00", kInvalid},
        {model, objectsBlock, objectsBlock + "07<TStreamed> 00", kInvalid},
        {model, objectsBlock, objectsBlock + "07<TFieldItem> 00", kInvalid},
        {model, ownersBlock, ownersBlock + "07<TObjectItem> 00", kInvalid},
        {model, ownersBlock, ownersBlock + "07<TDBNewOracle> 00", kInvalid},
        {objects, objectEnd, "<TObjectItem> 07<TFieldList> 06<ObjectFields> 06<Items> 01 01"
                             "07<TConstraintItem> 00 00 00 00", kInvalid},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string bytes = ReplaceOnce(files[c.File], B(c.From), B(c.To));
        EXPECT_EQ(Refusal(bytes, *roots[c.File]), c.Expected) << c.From << " -> " << c.To;
    }
    EXPECT_EQ(Refusal(""), kReadError);
    EXPECT_EQ(ErrorOf<EReadError>([] { CreateFromString<TDBNewOracle>(std::string_view()); }),
              "Stream read error");
    TempDir dir;
    for (const std::string& name : {dir.File("absent.obj"), dir.Path().string()}) {
        EXPECT_EQ(ErrorOf<EFOpenError>([&] { CreateFromFile<TDBNewOracle>(name); }),
                  "Cannot open file " + name);
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
    TSampleObject sample;
    sample.Styles = kBold | kItalic;
    const std::string model = SaveToString(*BuildSampleModel());
    ASSERT_GT(model.size(), 70000u);
    for (const auto& [bytes, root] :
         {std::pair<std::string, const TClassInfo&>{model, TDBNewOracle::StaticClass()},
          {SaveToString(owners), TOwnerList::StaticClass()},
          {SaveToString(sample), TSampleObject::StaticClass()}}) {
        // Every cut in the structured part, and a sample of cuts inside the long texts.
        for (size_t size = 0; size < bytes.size();
             size += (size < 4096 || bytes.size() - size < 4096) ? 1 : 97) {
            ASSERT_EQ(Refusal(std::string_view(bytes).substr(0, size), root), kReadError)
                << root.Name << " cut at " << size;
        }
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
