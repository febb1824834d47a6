// The snapshot format: the writer's byte-exact output, what the reader accepts and keeps, and
// damaged or hostile files, every one refused with its message and without leaking.
#include "SnapshotBytes.h"
#include "model/ObjectState.h"
#include "persistence/SnapshotFormat.h"

#include <climits>

namespace quorvex::test {
namespace {

using SnapshotTest = SnapshotClassesTest;

TEST_F(SnapshotTest, WriterOutputIsExactAndReadsBackTheSame)
{
    std::vector<std::pair<std::unique_ptr<TStreamed>, std::string>> cases;
    // An owner list with one owner; the expected values are in B's notation.
    // An owner list with one owner, and its properties expected in B's notation.
    const auto owner = [&](std::int32_t oid, std::string name, std::int32_t no,
                           const std::string& properties) {
        auto list = std::make_unique<TOwnerList>();
        TOwnerItem& item = *list->NewItem();
        item.OID = oid;
        item.OwnerName = std::move(name);
        item.OwnerNo = no;
        cases.emplace_back(std::move(list),
                           OwnerListFile(ItemRecord(B(properties + " 06<Version> 02 01"))));
    };
    owner(5, "SCOTT", 5, "");
    cases.back().second = OwnerListFile(B("07 0A 54 4F 77 6E 65 72 49 74 65 6D 06 03 4F 49 44 02 05"
                                          "06 09 4F 77 6E 65 72 4E 61 6D 65 06 05 53 43 4F 54 54"
                                          "06 07 4F 77 6E 65 72 4E 6F 02 05"
                                          "06 07 56 65 72 73 69 6F 6E 02 01 00"));
    // Integers take the shortest tag.
    // clang-format off
    const std::pair<std::int32_t, const char*> integers[] = {
        {0, "02 00"}, {1, "02 01"}, {-1, "02 FF"}, {127, "02 7F"}, {-128, "02 80"},
        {128, "03 80 00"}, {-129, "03 7F FF"}, {255, "03 FF 00"}, {32767, "03 FF 7F"},
        {-32768, "03 00 80"}, {32768, "04 00 80 00 00"}, {-32769, "04 FF 7F FF FF"},
        {40000, "04 40 9C 00 00"}, {INT32_MAX, "04 FF FF FF 7F"}, {INT32_MIN, "04 00 00 00 80"}};
    // Texts up to 255 bytes are short, longer ones long.
    const std::pair<size_t, const char*> texts[] = {
        {0, "06 00"}, {1, "06 01"}, {254, "06 FE"}, {255, "06 FF"}, {256, "0C 00 01 00 00"},
        {257, "0C 01 01 00 00"}, {70000, "0C 70 11 01 00"}};
    // clang-format on
    for (const auto& [value, bytes] : integers)
        owner(value, "", value,
              "06<OID>" + std::string(bytes) + "06<OwnerName> 06<> 06<OwnerNo>" + bytes);
    for (const auto& [length, header] : texts) {
        std::string text(length, 'x');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        owner(1, text, 1,
              "06<OID> 02 01 06<OwnerName>" + (header + ("'" + text + "'")) + "06<OwnerNo> 02 01");
    }
    owner(1, std::string("\xC4\xD6\xDC\x00\xFF", 5), 1,
          "06<OID> 02 01 06<OwnerName> 06 05 C4 D6 DC 00 FF 06<OwnerNo> 02 01");

    // The empty model with each Boolean alone set, then none.
    const auto boolean = [](bool value) {
        return std::string(value ? " 06<True> " : " 06<False> ");
    };
    // Ten zero bytes of an extended number; what follows the names of an empty nested list.
    const std::string zeros = " 05 00 00 00 00 00 00 00 00 00 00 ",
                      list = " 06<Version> 02 01 06<Items> 01 01 00 00 ";
    for (int on = 0; on < 4; ++on) {
        auto model = std::make_unique<TDBNewOracle>();
        model->IncludeSys = on == 0;
        model->UseOrdered = on == 1;
        model->UseRule = on == 2;
        // clang-format off
        cases.emplace_back(std::move(model), B(
            "'TPF0' 07<TDBNewOracle> 06<IncludeSys>" + boolean(on == 0) +
            "07<TObjectList> 06<Objects>" + list + "07<TOwnerList> 06<Owners>" + list +
            "06<SchemaLoaded>" + zeros + "06<SourceLoaded>" + zeros +
            "06<UseOrdered>" + boolean(on == 1) + "06<UserName> 06<> 06<UserNo> 06<>" +
            "06<UseRule>" + boolean(on == 2) + "06<Version> 02 01 00"));
        // clang-format on
    }

    // An object item writes all four lists without creating them (the sample model's round trip
    // shows that lists which exist, empty, are written the same way).
    auto objects = std::make_unique<TObjectList>();
    TObjectItem& item = *objects->NewItem();
    item.OID = item.ObjectNo = 300;
    item.OwnerNo = 5;
    item.ObjectName = "EMP";
    item.ObjectType = 2;
    // clang-format off
    cases.emplace_back(std::move(objects), B(
        "'TPF0' 07<TObjectList> 06<Version> 02 01 06<Items> 01 01 07<TObjectItem>"
        "06<CommentText> 06<> 07<TConstraintList> 06<ObjectConstraints>" + list +
        "07<TFieldList> 06<ObjectFields>" + list + "07<TIndexList> 06<ObjectIndexes>" + list +
        "06<ObjectName> 06<EMP> 06<ObjectNo> 03 2C 01 06<ObjectState> 02 00 06<ObjectText> 06<>"
        "07<TTriggerList> 06<ObjectTriggers>" + list +
        "06<ObjectType> 02 02 06<OID> 03 2C 01 06<OwnerNo> 02 05 06<Version> 02 01 00 00 00"));
    // clang-format on

    const auto before = LiveObjectCount();
    for (const auto& [object, expected] : cases) {
        EXPECT_EQ(Hex(SaveToString(*object)), Hex(expected));
        EXPECT_EQ(ReadBack(expected), Hex(expected));
    }
    EXPECT_EQ(LiveObjectCount(), before); // writing created no lists
    EXPECT_EQ(item.FieldsIfAny(), nullptr);
}

TEST_F(SnapshotTest, LargeModelRoundTripThroughAFileKeepsValuesAndBytes)
{
    // Records of varying length put every kind of value across the reader's and the writer's
    // buffer boundaries somewhere; two very long texts span several buffers.
    auto model = BuildSampleModel();
    for (int i = 0; i < 40000; ++i) {
        TOwnerItem& owner = *model->Owners().NewItem();
        owner.OID = i * 7919 - 100000;
        owner.OwnerNo = -i;
        owner.OwnerName.assign(static_cast<size_t>(i % 300), static_cast<char>('A' + i % 26));
    }
    model->Objects().Items(1)->ObjectText = std::string(600 * 1024, 'v');
    model->Objects().Items(3)->CommentText = std::string(3 * 1024 * 1024 + 17, 'w');
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    SaveToFile(*model, file);
    const std::string bytes = ReadFileBytes(file);
    ASSERT_GT(bytes.size(), 8u * 1024 * 1024);
    // Compared without printing megabytes on a failure.
    EXPECT_TRUE(bytes == SaveToString(*model)) << "SaveToFile and SaveToString differ";
    // 45000.5 = 1010111111001000.1 binary: exponent 15 (3FFF + F = 400E), significand AFC88...
    EXPECT_NE(bytes.find(B("06<SchemaLoaded> 05 00 00 00 00 00 80 C8 AF 0E 40")),
              std::string::npos);
    const auto before = LiveObjectCount();
    auto loaded = CreateFromFile<TDBNewOracle>(file);
    EXPECT_TRUE(SaveToString(*loaded) == bytes) << "the loaded model writes other bytes";
    // Empty sub-lists are not kept after loading; the others are.
    TObjectItem& emp = *loaded->Objects().Items(0);
    const TObjectItem& view = *loaded->Objects().Items(1);
    EXPECT_FALSE(view.FieldsIfAny() || view.ConstraintsIfAny() || view.TriggersIfAny() ||
                 view.IndexesIfAny() || loaded->Objects().Items(4)->FieldsIfAny());
    EXPECT_TRUE(emp.FieldsIfAny() && emp.ConstraintsIfAny() && emp.TriggersIfAny() &&
                emp.IndexesIfAny());
    // Values checked by hand: the bytes alone would not see items sorted on the way, or a
    // property table storing a value under another property's name in both directions.
    EXPECT_EQ(loaded->SourceLoaded, 45000.123456789012345);
    EXPECT_EQ(loaded->Owners().Items(2)->OwnerName, "\xC4RGER");
    EXPECT_EQ(emp.ObjectFields().Items(2)->Precision, -129);
    EXPECT_EQ(emp.ObjectFields().Items(2)->Scale, -32769);
    EXPECT_TRUE(emp.ObjectConstraints().Items(1)->RefAct);
    EXPECT_EQ(emp.ObjectConstraints().Items(2)->ObjectState, ObjectStates::Disabled);
    EXPECT_EQ(loaded->Objects().Items(2)->OwnerNo, -129); // the sequence, OID -5
    loaded.reset();
    // Cut around the first read buffer's end and inside the long texts.
    for (size_t size : {size_t{262143}, size_t{262144}, size_t{262145}, size_t{524288},
                        bytes.size() / 2, bytes.size() - 2, bytes.size() - 1}) {
        WriteFileBytes(file, std::string_view(bytes).substr(0, size));
        EXPECT_THROW(CreateFromFile<TDBNewOracle>(file), EReadError) << size;
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotTest, ReaderAcceptsOtherEncodingsLetterCasesAndUnknownProperties)
{
    // Each file reads as the one beside it, written as the writer writes it.
    const auto owner = [](const std::string& properties) {
        return B("'TPF0' 07<TOwnerList> 06<Items> 01 01 07<TOwnerItem>" + properties + "00 00 00");
    };
    const std::string model = SaveToString(TDBNewOracle()), date = "06<SchemaLoaded> ";
    const std::pair<std::string, std::string> cases[] = {
        // clang-format off
        {owner("06<OID> 04 05 00 00 00"), owner("06<OID> 02 05")}, // 32-bit tag for a small number
        {owner("06<OID> 03 FB FF"), owner("06<OID> 02 FB")},       // 16-bit tag
        {owner("06<OID> 82 08"), owner("06<OID> 02 08")},          // high bit of a value tag
        {owner("06<OwnerName> 0C 02 00 00 00 'AB'"), owner("06<OwnerName> 06<AB>")}, // long text
        {owner("0C 03 00 00 00 'OID' 02 07"), owner("06<OID> 02 07")}, // long property name
        {owner("06<oid> 02 05 06<OWNERNAME> 06<SCOTT>"),
         owner("06<OID> 02 05 06<OwnerName> 06<SCOTT>")},
        {owner("06<OID> 02 05 06<Version> 04 07 00 00 00"), owner("06<OID> 02 05")}, // Version is 1
        {owner("06<OID> 02 05 06<Color> 06<red> 06<Size> 04 00 00 01 00"
               "06<When> 05 00 00 00 00 00 00 00 80 FF 3F 06<Flags> 0B 01 06<A> 00"
               "06<Memo> 0C 03 00 00 00 'abc' 06<Kids> 01 01 07<TOwnerItem> 06<OID> 02 09 00 00"
               "07<TOwnerList> 06<Spare> 06<Version> 02 01 00 06<OwnerNo> 02 06"),
         owner("06<OID> 02 05 06<OwnerNo> 02 06")}, // unknown properties of every kind
        {owner("06<OID> 02 05 00 07<TOWNERITEM> 06<OID> 02 06"), // item classes in any case
         owner("06<OID> 02 05 00 07<TOwnerItem> 06<OID> 02 06")},
        {model + "TPF0 and some garbage", model}, // anything after the root record
        {ReplaceOnce(model, B(date + "05 00 00 00 00 00 00 00 00 00 00"), B(date + "03 C8 AF")),
         ReplaceOnce(model, B(date + "05 00 00 00 00 00 00 00 00 00 00"),
                     B(date + "05 00 00 00 00 00 00 70 A0 0D C0"))}, // an integer for a date
        // clang-format on
    };
    for (const auto& [variant, usual] : cases)
        EXPECT_EQ(ReadBack(variant), ReadBack(usual));
}

// Damaged and hostile files.

const std::string kReadError = "EReadError: Stream read error";
const std::string kInvalid = "EReadError: Invalid property value";
const std::string kFormat = "EReadError: Invalid stream format";
const std::string kClasses = "ELoadClassFailed: Incompatible classes. ";

TEST_F(SnapshotTest, DamagedFilesFailWithTheirMessages)
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
    EXPECT_EQ(ErrorOf<EReadError>([] { CreateFromString<TDBNewOracle>(std::string_view()); }),
              "Stream read error");
    TempDir dir;
    for (const std::string& name : {dir.File("absent.obj"), dir.Path().string()})
        EXPECT_EQ(ErrorOf<EFOpenError>([&] { CreateFromFile<TDBNewOracle>(name); }),
                  "Cannot open file " + name);
}

TEST_F(SnapshotTest, EveryTruncationFailsWithAReadError)
{
    const std::string bytes = SaveToString(*BuildSampleModel());
    // Every cut in the structured part, and a sample of cuts inside the long texts.
    for (size_t size = 0; size < bytes.size();
         size += (size < 4096 || bytes.size() - size < 4096) ? 1 : 97)
        ASSERT_EQ(Refusal(std::string_view(bytes).substr(0, size)), kReadError) << size;
}

} // namespace
} // namespace quorvex::test
