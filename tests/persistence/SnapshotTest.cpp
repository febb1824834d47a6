// The snapshot format: the writer's byte-exact output, and what the reader accepts and keeps.
#include "SnapshotBytes.h"
#include "model/ObjectState.h"

#include <climits>

namespace quorvex::test {
namespace {

using SnapshotTest = SnapshotClassesTest;

// What follows the class name and property name of an empty nested list.
const std::string kEmptyList = " 06<Version> 02 01 06<Items> 01 01 00 00 ";

TEST_F(SnapshotTest, WriterOutputIsExactAndReadsBackTheSame)
{
    std::vector<std::pair<std::unique_ptr<TStreamed>, std::string>> cases;
    // An owner list with one owner; the expected values are in B's notation.
    const auto owner = [&](std::int32_t oid, std::string name, std::int32_t no,
                           const std::string& oidBytes, const std::string& nameBytes,
                           const std::string& noBytes) {
        auto list = std::make_unique<TOwnerList>();
        TOwnerItem& item = *list->NewItem();
        item.OID = oid;
        item.OwnerName = std::move(name);
        item.OwnerNo = no;
        cases.emplace_back(
            std::move(list),
            OwnerListFile(ItemRecord(B("06<OID>" + oidBytes + "06<OwnerName>" + nameBytes +
                                       "06<OwnerNo>" + noBytes + "06<Version> 02 01"))));
    };
    owner(5, "SCOTT", 5, "02 05", "06 05 53 43 4F 54 54", "02 05");
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
        owner(value, "", value, bytes, "06 00", bytes);
    for (const auto& [length, header] : texts) {
        std::string text(length, 'x');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        owner(1, text, 1, "02 01", header + ("'" + text + "'"), "02 01");
    }
    owner(1, std::string("\xC4\xD6\xDC\x00\xFF", 5), 1, "02 01", "06 05 C4 D6 DC 00 FF", "02 01");

    // The empty model with each Boolean alone set, then none.
    const auto boolean = [](bool value) {
        return std::string(value ? " 06<True> " : " 06<False> ");
    };
    const std::string zeros = " 05 00 00 00 00 00 00 00 00 00 00 ", list = kEmptyList;
    for (int on = 0; on < 4; ++on) {
        auto model = std::make_unique<TDBNewOracle>();
        model->IncludeSys = on == 0;
        model->UseOrdered = on == 1;
        model->UseRule = on == 2;
        // clang-format off
        cases.emplace_back(std::move(model), B(
            "'TPF0' 07<TDBNewOracle> 06<IncludeSys>" + boolean(on == 0) + "07<TObjectList> 06<Objects>"
            + list + "07<TOwnerList> 06<Owners>" + list + "06<SchemaLoaded>" + zeros + "06<SourceLoaded>"
            + zeros + "06<UseOrdered>" + boolean(on == 1) + "06<UserName> 06<> 06<UserNo> 06<> 06<UseRule>"
            + boolean(on == 2) + "06<Version> 02 01 00"));
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
        "'TPF0' 07<TObjectList> 06<Version> 02 01 06<Items> 01 01 07<TObjectItem> 06<CommentText> 06<>"
        "07<TConstraintList> 06<ObjectConstraints>" + list + "07<TFieldList> 06<ObjectFields>" + list
        + "07<TIndexList> 06<ObjectIndexes>" + list + "06<ObjectName> 06<EMP> 06<ObjectNo> 03 2C 01"
        "06<ObjectState> 02 00 06<ObjectText> 06<> 07<TTriggerList> 06<ObjectTriggers>" + list
        + "06<ObjectType> 02 02 06<OID> 03 2C 01 06<OwnerNo> 02 05 06<Version> 02 01 00 00 00"));
    // clang-format on

    // The character and set kinds of a generic class: one byte, members in bit order.
    auto sample = std::make_unique<TSampleObject>();
    sample->Caption = "Hi";
    sample->Enabled = true;
    sample->Letter = '\xE9';
    sample->Number = 300;
    sample->Stamp = 1.0;
    sample->Styles = kItalic | kStrikeOut;
    cases.emplace_back(std::move(sample),
                       B("'TPF0' 07<TSampleObject> 06<Caption> 06<Hi> 06<Enabled> 06<True>"
                         "06<Letter> 06 01 E9 06<Number> 03 2C 01"
                         "06<Stamp> 05 00 00 00 00 00 00 00 80 FF 3F"
                         "06<Styles> 0B 01 06<Italic> 06<StrikeOut> 00 06<Version> 02 01 00"));

    const auto before = LiveObjectCount();
    for (const auto& [object, expected] : cases) {
        EXPECT_EQ(Hex(SaveToString(*object)), Hex(expected));
        EXPECT_EQ(Hex(SaveToString(*CreateFromString(object->ClassInfo(), expected))),
                  Hex(expected));
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
        owner.OwnerName =
            std::string(static_cast<size_t>(i % 300), static_cast<char>('A' + i % 26));
    }
    model->Objects().Items(1)->ObjectText = std::string(600 * 1024, 'v');
    model->Objects().Items(3)->CommentText = std::string(3 * 1024 * 1024 + 17, 'w');
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    SaveToFile(*model, file);
    const std::string bytes = ReadFileBytes(file);
    ASSERT_GT(bytes.size(), 8u * 1024 * 1024);
    EXPECT_EQ(bytes, SaveToString(*model));
    // 45000.5 = 1010111111001000.1 binary: exponent 15 (3FFF + F = 400E), significand AFC88...
    EXPECT_NE(bytes.find(B("06<SchemaLoaded> 05 00 00 00 00 00 80 C8 AF 0E 40")),
              std::string::npos);
    const auto before = LiveObjectCount();
    auto loaded = CreateFromFile<TDBNewOracle>(file);
    EXPECT_EQ(SaveToString(*loaded), bytes);
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
    const auto sample = [](const std::string& properties) {
        return B("'TPF0' 07<TSampleObject>" + properties + "00");
    };
    const std::string model = SaveToString(TDBNewOracle());
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
        {sample("06<Styles> 0B 01 06<bOLD> 06<Blink> 06<UNDERLINE> 00"), // unknown members dropped
         sample("06<Styles> 0B 01 06<Bold> 06<Underline> 00")},
        {sample("06<Letter> 06<xyz>"), sample("06<Letter> 06<x>")},
        {sample("06<Letter> 0C 01 00 00 00 'k'"), sample("06<Letter> 06<k>")},
        {model + "TPF0 and some garbage", model}, // anything after the root record
        // clang-format on
    };
    for (const auto& [variant, usual] : cases) {
        const TClassInfo& root = RootClassOf(usual);
        EXPECT_EQ(Hex(SaveToString(*CreateFromString(root, variant))),
                  Hex(SaveToString(*CreateFromString(root, usual))));
    }
    // An integer for a date and time.
    EXPECT_EQ(CreateFromString<TDBNewOracle>(
                  ReplaceOnce(model, B("06<SchemaLoaded> 05 00 00 00 00 00 00 00 00 00 00"),
                              B("06<SchemaLoaded> 03 C8 AF")))
                  ->SchemaLoaded,
              -20536.0);
}

} // namespace
} // namespace quorvex::test
