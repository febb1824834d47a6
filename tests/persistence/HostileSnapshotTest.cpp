// Damaged and hostile snapshots: every one is refused with an exception, nothing leaks.
#include "SnapshotBytes.h"
#include "persistence/SnapshotFormat.h"

namespace quorvex::test {
namespace {

using HostileSnapshotTest = SnapshotClassesTest;

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
    enum { model, owners, objects };
    // `levels` records opened, each inside the one before, then all closed.
    const auto nested = [](const char* open, int levels, const char* close) {
        std::string text;
        for (int i = 0; i < 2 * levels; ++i)
            text += i < levels ? open : close;
        return text;
    };
    const int depth = snapshot::kMaxDepth; // the root is level 0
    const std::string deep = kInvalid + ": objects nested more than 32 levels deep";
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
        // Nested records under an unknown property, and item blocks each in an item of the last.
        {model, "06<IncludeSys>", nested("07<X> 06<P> ", depth - 1, "00 ") + "06<IncludeSys>",
         "loaded"},
        {model, "06<IncludeSys>", nested("07<X> 06<P> ", depth, "00 ") + "06<IncludeSys>", deep},
        {model, "06<IncludeSys>", nested("07<X> 06<P> ", 100000, "00 ") + "06<IncludeSys>", deep},
        {owners, "07<TOwnerItem> 06<OID> 02 01",
         "07<TOwnerItem>" + nested("06<Kids> 01 01 07<TOwnerItem> ", 5000, "00 00 ")
         + "06<OID> 02 01", deep},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string bytes = ReplaceOnce(files[c.File], B(c.From), B(c.To));
        EXPECT_EQ(Refusal(bytes, RootClassOf(files[c.File])), c.Expected)
            << c.From << " -> " << c.To;
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

TEST_F(HostileSnapshotTest, EveryTruncationFailsWithAReadError)
{
    TSampleObject sample;
    sample.Styles = kBold | kItalic;
    const std::string model = SaveToString(*BuildSampleModel());
    ASSERT_GT(model.size(), 70000u);
    for (const auto& [bytes, root] :
         {std::pair<std::string, const TClassInfo&>{model, TDBNewOracle::StaticClass()},
          {SaveToString(sample), TSampleObject::StaticClass()}}) {
        // Every cut in the structured part, and a sample of cuts inside the long texts.
        for (size_t size = 0; size < bytes.size();
             size += (size < 4096 || bytes.size() - size < 4096) ? 1 : 97) {
            ASSERT_EQ(Refusal(std::string_view(bytes).substr(0, size), root), kReadError)
                << root.Name << " cut at " << size;
        }
    }
}

} // namespace
} // namespace quorvex::test
