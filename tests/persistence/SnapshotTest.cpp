// The snapshot format: the writer's byte-exact output, and what the reader accepts and keeps.
#include "SnapshotBytes.h"
#include "model/ObjectState.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <climits>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterSnapshotClasses(); }
};

// What follows the class name and property name of an empty nested list.
const std::string kEmptyList = " 06<Version> 02 01 06<Items> 01 01 00 00 ";

struct TOwner {
    std::int32_t Oid;
    std::string Name;
    std::int32_t No;
};

std::string SaveOwners(std::initializer_list<TOwner> owners)
{
    TOwnerList list;
    for (const TOwner& o : owners) {
        TOwnerItem& item = *list.NewItem();
        item.OID = o.Oid;
        item.OwnerName = o.Name;
        item.OwnerNo = o.No;
    }
    return SaveToString(list);
}

// An owner list file holding one owner item whose three values are given in B's notation.
std::string OwnerFile(const std::string& oid, const std::string& name, const std::string& no)
{
    return OwnerListFile(ItemRecord(
        B("06<OID>" + oid + "06<OwnerName>" + name + "06<OwnerNo>" + no + "06<Version> 02 01")));
}

TEST_F(SnapshotTest, OwnerItemIsWrittenByteForByte)
{
    EXPECT_EQ(Hex(SaveOwners({{5, "SCOTT", 5}})),
              Hex(OwnerListFile(B("07 0A 54 4F 77 6E 65 72 49 74 65 6D 06 03 4F 49 44 02 05"
                                  "06 09 4F 77 6E 65 72 4E 61 6D 65 06 05 53 43 4F 54 54"
                                  "06 07 4F 77 6E 65 72 4E 6F 02 05"
                                  "06 07 56 65 72 73 69 6F 6E 02 01 00"))));
}

TEST_F(SnapshotTest, IntegersUseTheShortestTagAndReadBack)
{
    // clang-format off
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "02 00"}, {1, "02 01"}, {-1, "02 FF"}, {127, "02 7F"}, {-128, "02 80"},
        {128, "03 80 00"}, {-129, "03 7F FF"}, {255, "03 FF 00"}, {32767, "03 FF 7F"},
        {-32768, "03 00 80"}, {32768, "04 00 80 00 00"}, {-32769, "04 FF 7F FF FF"},
        {40000, "04 40 9C 00 00"}, {INT32_MAX, "04 FF FF FF 7F"}, {INT32_MIN, "04 00 00 00 80"}};
    // clang-format on
    for (const auto& [value, encoded] : cases) {
        const std::string bytes = SaveOwners({{value, "", value}});
        EXPECT_EQ(Hex(bytes), Hex(OwnerFile(encoded, "06 00", encoded))) << value;
        const auto loaded = CreateFromString<TOwnerList>(bytes);
        EXPECT_EQ(loaded->Items(0)->OID, value);
        EXPECT_EQ(loaded->Items(0)->OwnerNo, value);
    }
}

TEST_F(SnapshotTest, TextsUpTo255BytesAreShortAndLongerOnesLong)
{
    // clang-format off
    const std::pair<size_t, const char*> cases[] = {
        {0, "06 00"}, {1, "06 01"}, {254, "06 FE"}, {255, "06 FF"}, {256, "0C 00 01 00 00"},
        {257, "0C 01 01 00 00"}, {70000, "0C 70 11 01 00"}};
    // clang-format on
    for (const auto& [length, header] : cases) {
        std::string text(length, 'x');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        const std::string bytes = SaveOwners({{1, text, 1}});
        EXPECT_EQ(bytes, OwnerFile("02 01", header + ("'" + text + "'"), "02 01")) << length;
        EXPECT_EQ(CreateFromString<TOwnerList>(bytes)->Items(0)->OwnerName, text) << length;
    }
    // 8-bit text is written unchanged.
    EXPECT_EQ(Hex(SaveOwners({{1, std::string("\xC4\xD6\xDC\x00\xFF", 5), 1}})),
              Hex(OwnerFile("02 01", "06 05 C4 D6 DC 00 FF", "02 01")));
}

TEST_F(SnapshotTest, EmptyModelIsWrittenByteForByte)
{
    const auto boolean = [](bool value) {
        return std::string(value ? " 06<True> " : " 06<False> ");
    };
    const std::string zeros = " 05 00 00 00 00 00 00 00 00 00 00 ";
    for (int on = 0; on < 4; ++on) { // each Boolean alone set, then none
        TDBNewOracle model;
        model.IncludeSys = on == 0;
        model.UseOrdered = on == 1;
        model.UseRule = on == 2;
        EXPECT_EQ(Hex(SaveToString(model)),
                  Hex(B("'TPF0' 07<TDBNewOracle> 06<IncludeSys>" + boolean(on == 0) +
                        "07<TObjectList> 06<Objects>" + kEmptyList + "07<TOwnerList> 06<Owners>" +
                        kEmptyList + "06<SchemaLoaded>" + zeros + "06<SourceLoaded>" + zeros +
                        "06<UseOrdered>" + boolean(on == 1) +
                        "06<UserName> 06<> 06<UserNo> 06<> 06<UseRule>" + boolean(on == 2) +
                        "06<Version> 02 01 00")))
            << on;
    }
}

TEST_F(SnapshotTest, ObjectItemWritesAllFourListsWithoutCreatingThem)
{
    TObjectList list;
    TObjectItem& item = *list.NewItem();
    item.OID = item.ObjectNo = 300;
    item.OwnerNo = 5;
    item.ObjectName = "EMP";
    item.ObjectType = 2;
    const auto before = LiveObjectCount();
    const std::string expected =
        B("'TPF0' 07<TObjectList> 06<Version> 02 01 06<Items> 01 01 07<TObjectItem>"
          "06<CommentText> 06<> 07<TConstraintList> 06<ObjectConstraints>" +
          kEmptyList + "07<TFieldList> 06<ObjectFields>" + kEmptyList +
          "07<TIndexList> 06<ObjectIndexes>" + kEmptyList +
          "06<ObjectName> 06<EMP> 06<ObjectNo> 03 2C 01 06<ObjectState> 02 00 06<ObjectText> 06<>"
          "07<TTriggerList> 06<ObjectTriggers>" +
          kEmptyList +
          "06<ObjectType> 02 02 06<OID> 03 2C 01 06<OwnerNo> 02 05 06<Version> 02 01 "
          "00 00 00");
    EXPECT_EQ(Hex(SaveToString(list)), Hex(expected));
    EXPECT_EQ(LiveObjectCount(), before);
    EXPECT_FALSE(item.FieldsIfAny() || item.ConstraintsIfAny() || item.IndexesIfAny() ||
                 item.TriggersIfAny());
    // A list that exists but is empty is written the same way.
    item.ObjectFields();
    item.ObjectTriggers();
    EXPECT_EQ(Hex(SaveToString(list)), Hex(expected));
}

TEST_F(SnapshotTest, CharacterAndSetPropertiesOfAGenericClass)
{
    TSampleObject sample;
    sample.Caption = "Hi";
    sample.Enabled = true;
    sample.Letter = '\xE9'; // one byte
    sample.Number = 300;
    sample.Stamp = 1.0;
    sample.Styles = kItalic | kStrikeOut; // members in bit order
    const std::string bytes = SaveToString(sample);
    EXPECT_EQ(Hex(bytes),
              Hex(B("'TPF0' 07<TSampleObject> 06<Caption> 06<Hi> 06<Enabled> 06<True>"
                    "06<Letter> 06 01 E9 06<Number> 03 2C 01"
                    "06<Stamp> 05 00 00 00 00 00 00 00 80 FF 3F"
                    "06<Styles> 0B 01 06<Italic> 06<StrikeOut> 00 06<Version> 02 01 00")));
    EXPECT_EQ(SaveToString(*CreateFromString<TSampleObject>(bytes)), bytes);
}

TEST_F(SnapshotTest, ModelRoundTripThroughAFileKeepsValuesAndBytes)
{
    TempDir dir;
    const auto model = BuildSampleModel();
    const std::string file = dir.File("MODEL.OBJ");
    SaveToFile(*model, file);
    const std::string bytes = ReadFileBytes(file);
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
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotTest, LargeFilesReadAcrossBufferBoundaries)
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
    const std::string file = dir.File("large.obj");
    SaveToFile(*model, file);
    const std::string bytes = ReadFileBytes(file);
    ASSERT_GT(bytes.size(), 8u * 1024 * 1024);
    EXPECT_EQ(bytes, SaveToString(*model));
    EXPECT_EQ(SaveToString(*CreateFromFile<TDBNewOracle>(file)), bytes);
    // Cut around the first read buffer's end and inside the long texts.
    const auto before = LiveObjectCount();
    for (size_t size : {size_t{262143}, size_t{262144}, size_t{262145}, size_t{524288},
                        bytes.size() / 2, bytes.size() - 2, bytes.size() - 1}) {
        WriteFileBytes(file, std::string_view(bytes).substr(0, size));
        EXPECT_THROW(CreateFromFile<TDBNewOracle>(file), EReadError) << size;
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotTest, ReaderAcceptsVariationsAndWritesThemBackInTheUsualForm)
{
    const auto owner = [](const std::string& properties) {
        return OwnerListFile(ItemRecord(B(properties)));
    };
    const auto sample = [](char letter, std::uint32_t styles) {
        TSampleObject object;
        object.Letter = letter;
        object.Styles = styles;
        return SaveToString(object);
    };
    const std::string model = SaveToString(TDBNewOracle());
    TDBNewOracle dated;
    dated.SchemaLoaded = -20536.0;
    const TClassInfo& sampleClass = TSampleObject::StaticClass();
    const struct {
        const char* Name;
        std::string Bytes;
        std::string Expected;
        const TClassInfo& Root = TOwnerList::StaticClass();
    } cases[] = {
        {"32-bit tag for a small number", owner("06<OID> 04 05 00 00 00"),
         SaveOwners({{5, "", 0}})},
        {"16-bit tag for a small number", owner("06<OID> 03 FB FF"), SaveOwners({{-5, "", 0}})},
        {"long text tag for a text", owner("06<OwnerName> 0C 02 00 00 00 'AB'"),
         SaveOwners({{0, "AB", 0}})},
        {"long text tag for a property name", owner("0C 03 00 00 00 'OID' 02 07"),
         SaveOwners({{7, "", 0}})},
        {"high bit of a value tag", owner("06<OID> 82 08"), SaveOwners({{8, "", 0}})},
        {"names in any letter case",
         OwnerListFile(ItemRecord(B("06<oid> 02 05 06<OWNERNAME> 06<SCOTT>"), "towneritem") +
                       ItemRecord(B("06<OID> 02 06"), "TOWNERITEM")),
         SaveOwners({{5, "SCOTT", 0}, {6, "", 0}})},
        {"Version other than 1",
         ReplaceOnce(owner("06<OID> 02 05 06<Version> 02 07"), B("<TOwnerList> 06<Version> 02 01"),
                     B("<TOwnerList> 06<Version> 04 07 00 00 00")),
         SaveOwners({{5, "", 0}})},
        {"unknown properties of every kind",
         owner("06<OID> 02 05 06<Color> 06<red> 06<Size> 04 00 00 01 00"
               "06<When> 05 00 00 00 00 00 00 00 80 FF 3F 06<Flags> 0B 01 06<A> 00"
               "06<Memo> 0C 03 00 00 00 'abc' 06<Kids> 01 01 07<TOwnerItem> 06<OID> 02 09 00 00"
               "07<TOwnerList> 06<Spare> 06<Version> 02 01 00"
               "06<OwnerName> 06<SCOTT> 06<OwnerNo> 02 06"),
         SaveOwners({{5, "SCOTT", 6}})},
        {"set members in any letter case",
         B("'TPF0' 07<TSampleObject> 06<Styles> 0B 01 06<bOLD> 06<UNDERLINE> 00 00"),
         sample('A', kBold | kUnderline), sampleClass},
        {"unknown set members",
         B("'TPF0' 07<TSampleObject> 06<Styles> 0B 01 06<Blink> 06<Italic> 00 00"),
         sample('A', kItalic), sampleClass},
        {"empty set", B("'TPF0' 07<TSampleObject> 06<Styles> 0B 01 00 00"), sample('A', 0),
         sampleClass},
        {"first character of a longer text", B("'TPF0' 07<TSampleObject> 06<Letter> 06<xyz> 00"),
         sample('x', 0), sampleClass},
        {"character from a long text",
         B("'TPF0' 07<TSampleObject> 06<Letter> 0C 01 00 00 00 'k' 00"), sample('k', 0),
         sampleClass},
        {"integer for a date and time",
         ReplaceOnce(model, B("06<SchemaLoaded> 05 00 00 00 00 00 00 00 00 00 00"),
                     B("06<SchemaLoaded> 03 C8 AF")),
         SaveToString(dated), TDBNewOracle::StaticClass()},
        {"anything after the root record", model + "TPF0 and some garbage" + B("FF"), model,
         TDBNewOracle::StaticClass()},
    };
    for (const auto& c : cases) {
        const auto before = LiveObjectCount();
        EXPECT_EQ(Hex(SaveToString(*CreateFromString(c.Root, c.Bytes))), Hex(c.Expected)) << c.Name;
        EXPECT_EQ(LiveObjectCount(), before) << c.Name;
    }
}

} // namespace
} // namespace quorvex::test
