// Byte-exact output of the snapshot writer.
#include "persistence/SnapshotWriter.h"

#include "SampleModel.h"
#include "TestClasses.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"

#include <climits>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class SnapshotWriterTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllTestClasses(); }
};

const std::string kVersion = B("06 07") + "Version" + B("02 01");
// What follows the class name and property name of an empty nested list.
const std::string kEmptyListBody = kVersion + B("06 05") + "Items" + B("01 01 00 00");

// An owner list file holding one owner item whose three values are given already encoded.
std::string OwnerListFile(const std::string& oid, const std::string& ownerName,
                          const std::string& ownerNo)
{
    return "TPF0" + B("07 0A") + "TOwnerList" + kVersion + B("06 05") + "Items" + B("01 01") +
           B("07 0A") + "TOwnerItem" + B("06 03") + "OID" + oid + B("06 09") + "OwnerName" +
           ownerName + B("06 07") + "OwnerNo" + ownerNo + kVersion + B("00") + B("00 00");
}

std::string SaveOwner(std::int32_t oid, std::string name, std::int32_t ownerNo)
{
    TOwnerList list;
    TOwnerItem& owner = *list.NewItem();
    owner.OID = oid;
    owner.OwnerName = std::move(name);
    owner.OwnerNo = ownerNo;
    return SaveToString(list);
}

TEST_F(SnapshotWriterTest, OwnerItemInsideItsListIsWrittenByteForByte)
{
    const std::string expected = OwnerListFile(B("02 05"), B("06 05") + "SCOTT", B("02 05"));
    EXPECT_EQ(Hex(SaveOwner(5, "SCOTT", 5)), Hex(expected));
    // Spelled out once entirely in hex, the owner item record alone.
    const std::string item = B("07 0A 54 4F 77 6E 65 72 49 74 65 6D"
                               "06 03 4F 49 44 02 05"
                               "06 09 4F 77 6E 65 72 4E 61 6D 65 06 05 53 43 4F 54 54"
                               "06 07 4F 77 6E 65 72 4E 6F 02 05"
                               "06 07 56 65 72 73 69 6F 6E 02 01 00");
    EXPECT_NE(SaveOwner(5, "SCOTT", 5).find(item), std::string::npos);
}

TEST_F(SnapshotWriterTest, EmptyModelIsWrittenByteForByte)
{
    const std::string tenZeros = B("00 00 00 00 00 00 00 00 00 00");
    const auto expectedModel = [&](bool includeSys, bool useOrdered, bool useRule) {
        const auto boolean = [](bool value) {
            return value ? B("06 04") + "True" : B("06 05") + "False";
        };
        return "TPF0" + B("07 0C") + "TDBNewOracle" +            //
               B("06 0A") + "IncludeSys" + boolean(includeSys) + //
               B("07 0B") + "TObjectList" + B("06 07") + "Objects" + kEmptyListBody + B("07 0A") +
               "TOwnerList" + B("06 06") + "Owners" + kEmptyListBody + B("06 0C") + "SchemaLoaded" +
               B("05") + tenZeros +                               //
               B("06 0C") + "SourceLoaded" + B("05") + tenZeros + //
               B("06 0A") + "UseOrdered" + boolean(useOrdered) +  //
               B("06 08") + "UserName" + B("06 00") +             //
               B("06 06") + "UserNo" + B("06 00") +               //
               B("06 07") + "UseRule" + boolean(useRule) +        //
               kVersion + B("00");
    };
    const struct {
        bool IncludeSys, UseOrdered, UseRule;
    } cases[] = {{false, false, false},
                 {true, false, false},
                 {false, true, false},
                 {false, false, true},
                 {true, true, true}};
    for (const auto& c : cases) {
        TDBNewOracle model;
        model.IncludeSys = c.IncludeSys;
        model.UseOrdered = c.UseOrdered;
        model.UseRule = c.UseRule;
        EXPECT_EQ(Hex(SaveToString(model)),
                  Hex(expectedModel(c.IncludeSys, c.UseOrdered, c.UseRule)))
            << c.IncludeSys << c.UseOrdered << c.UseRule;
    }
}

TEST_F(SnapshotWriterTest, LoadTimesAreWrittenAsExtendedNumbers)
{
    TDBNewOracle model;
    model.SchemaLoaded = 45000.5;
    model.SourceLoaded = -2.5;
    const std::string bytes = SaveToString(model);
    // 45000.5 = 1010111111001000.1 binary: exponent 15 (3FFF + F = 400E), significand AFC88...
    EXPECT_NE(bytes.find("SchemaLoaded" + B("05 00 00 00 00 00 80 C8 AF 0E 40") + B("06 0C") +
                         "SourceLoaded" + B("05 00 00 00 00 00 00 00 A0 00 C0")),
              std::string::npos)
        << Hex(bytes);
}

TEST_F(SnapshotWriterTest, IntegersUseTheShortestTag)
{
    const struct {
        std::int32_t Value;
        const char* Encoded;
    } cases[] = {
        {0, "02 00"},
        {1, "02 01"},
        {-1, "02 FF"},
        {127, "02 7F"},
        {-128, "02 80"},
        {128, "03 80 00"},
        {-129, "03 7F FF"},
        {255, "03 FF 00"},
        {32767, "03 FF 7F"},
        {-32768, "03 00 80"},
        {32768, "04 00 80 00 00"},
        {-32769, "04 FF 7F FF FF"},
        {40000, "04 40 9C 00 00"},
        {INT32_MAX, "04 FF FF FF 7F"},
        {INT32_MIN, "04 00 00 00 80"},
    };
    for (const auto& c : cases) {
        const std::string bytes = SaveOwner(c.Value, "", c.Value);
        EXPECT_EQ(Hex(bytes), Hex(OwnerListFile(B(c.Encoded), B("06 00"), B(c.Encoded))))
            << c.Value;
        const auto loaded = CreateFromString<TOwnerList>(bytes);
        ASSERT_EQ(loaded->Count(), 1);
        EXPECT_EQ(loaded->Items(0)->OID, c.Value);
        EXPECT_EQ(loaded->Items(0)->OwnerNo, c.Value);
    }
}

TEST_F(SnapshotWriterTest, TextsUpTo255BytesAreShortAndLongerOnesLong)
{
    const struct {
        size_t Length;
        const char* Header;
    } cases[] = {
        {0, "06 00"},
        {1, "06 01"},
        {254, "06 FE"},
        {255, "06 FF"},
        {256, "0C 00 01 00 00"},
        {257, "0C 01 01 00 00"},
        {70000, "0C 70 11 01 00"},
    };
    for (const auto& c : cases) {
        std::string text(c.Length, 'x');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('a' + i % 26);
        const std::string bytes = SaveOwner(1, text, 1);
        EXPECT_EQ(bytes, OwnerListFile(B("02 01"), B(c.Header) + text, B("02 01"))) << c.Length;
        const auto loaded = CreateFromString<TOwnerList>(bytes);
        EXPECT_EQ(loaded->Items(0)->OwnerName, text) << c.Length;
    }
}

TEST_F(SnapshotWriterTest, EightBitTextIsWrittenUnchanged)
{
    const std::string name("\xC4\xD6\xDC\x00\xFF", 5);
    EXPECT_EQ(Hex(SaveOwner(1, name, 1)),
              Hex(OwnerListFile(B("02 01"), B("06 05 C4 D6 DC 00 FF"), B("02 01"))));
}

TEST_F(SnapshotWriterTest, ObjectItemWritesAllFourListsWithoutCreatingThem)
{
    TObjectList list;
    TObjectItem& item = *list.NewItem();
    item.OID = 300;
    item.ObjectNo = 300;
    item.OwnerNo = 5;
    item.ObjectName = "EMP";
    item.ObjectType = 2;
    const auto before = LiveObjectCount();
    const std::string bytes = SaveToString(list);
    EXPECT_EQ(LiveObjectCount(), before);
    EXPECT_EQ(item.FieldsIfAny(), nullptr);
    EXPECT_EQ(item.ConstraintsIfAny(), nullptr);
    EXPECT_EQ(item.IndexesIfAny(), nullptr);
    EXPECT_EQ(item.TriggersIfAny(), nullptr);

    const std::string expected =
        "TPF0" + B("07 0B") + "TObjectList" + kVersion + B("06 05") + "Items" + B("01 01") +
        B("07 0B") + "TObjectItem" +              //
        B("06 0B") + "CommentText" + B("06 00") + //
        B("07 0F") + "TConstraintList" + B("06 11") + "ObjectConstraints" + kEmptyListBody +
        B("07 0A") + "TFieldList" + B("06 0C") + "ObjectFields" + kEmptyListBody +     //
        B("07 0A") + "TIndexList" + B("06 0D") + "ObjectIndexes" + kEmptyListBody +    //
        B("06 0A") + "ObjectName" + B("06 03") + "EMP" +                               //
        B("06 08") + "ObjectNo" + B("03 2C 01") +                                      //
        B("06 0B") + "ObjectState" + B("02 00") +                                      //
        B("06 0A") + "ObjectText" + B("06 00") +                                       //
        B("07 0C") + "TTriggerList" + B("06 0E") + "ObjectTriggers" + kEmptyListBody + //
        B("06 0A") + "ObjectType" + B("02 02") +                                       //
        B("06 03") + "OID" + B("03 2C 01") +                                           //
        B("06 07") + "OwnerNo" + B("02 05") +                                          //
        kVersion + B("00") + B("00 00");
    EXPECT_EQ(Hex(bytes), Hex(expected));

    // A list that exists but is empty is written the same way.
    item.ObjectFields();
    item.ObjectTriggers();
    EXPECT_EQ(Hex(SaveToString(list)), Hex(expected));
}

TEST_F(SnapshotWriterTest, ItemsAreWrittenInTheirListOrder)
{
    TOwnerList list;
    for (std::int32_t oid : {9, 3, 7}) {
        TOwnerItem& owner = *list.NewItem();
        owner.OID = oid;
        owner.OwnerNo = oid;
    }
    const std::string bytes = SaveToString(list);
    const auto oidAt = [&](std::int32_t oid) {
        return bytes.find("OID" + B("02") + std::string(1, static_cast<char>(oid)));
    };
    EXPECT_LT(oidAt(9), oidAt(3));
    EXPECT_LT(oidAt(3), oidAt(7));
    const auto loaded = CreateFromString<TOwnerList>(bytes);
    ASSERT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->Items(0)->OID, 9);
    EXPECT_EQ(loaded->Items(1)->OID, 3);
    EXPECT_EQ(loaded->Items(2)->OID, 7);
}

TEST_F(SnapshotWriterTest, CharacterAndSetPropertiesOfAGenericClass)
{
    TSampleObject sample;
    sample.Caption = "Hi";
    sample.Enabled = true;
    sample.Letter = 'q';
    sample.Number = 300;
    sample.Stamp = 1.0;
    sample.Styles = kBold | kUnderline;
    const std::string expected = "TPF0" + B("07 0D") + "TSampleObject" +        //
                                 B("06 07") + "Caption" + B("06 02") + "Hi" +   //
                                 B("06 07") + "Enabled" + B("06 04") + "True" + //
                                 B("06 06") + "Letter" + B("06 01") + "q" +     //
                                 B("06 06") + "Number" + B("03 2C 01") +        //
                                 B("06 05") + "Stamp" + B("05 00 00 00 00 00 00 00 80 FF 3F") +
                                 B("06 06") + "Styles" + B("0B 01") + //
                                 B("06 04") + "Bold" + B("06 09") + "Underline" + B("00") +
                                 kVersion + B("00");
    EXPECT_EQ(Hex(SaveToString(sample)), Hex(expected));

    // No members: the set is 0B 01 00. A high character is one byte.
    sample.Styles = 0;
    sample.Letter = '\xE9';
    const std::string bytes = SaveToString(sample);
    EXPECT_NE(bytes.find("Letter" + B("06 01 E9 06 06") + "Number"), std::string::npos);
    EXPECT_NE(bytes.find("Styles" + B("0B 01 00 06 07") + "Version"), std::string::npos);

    // All members, in bit order.
    sample.Styles = kStrikeOut | kItalic | kUnderline | kBold;
    EXPECT_NE(SaveToString(sample).find("Styles" + B("0B 01 06 04") + "Bold" + B("06 06") +
                                        "Italic" + B("06 09") + "Underline" + B("06 09") +
                                        "StrikeOut" + B("00")),
              std::string::npos);
}

TEST_F(SnapshotWriterTest, SaveToFileWritesTheSameBytesAsSaveToString)
{
    TempDir dir;
    const auto model = BuildSampleModel();
    const std::string file = dir.File("MODEL.OBJ");
    SaveToFile(*model, file);
    EXPECT_EQ(ReadFileBytes(file), SaveToString(*model));
}

} // namespace
} // namespace quorvex::test
