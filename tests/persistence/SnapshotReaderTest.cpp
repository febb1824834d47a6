// Reading snapshots back: round trips, tolerated variations and the file-level failures.
#include "persistence/SnapshotReader.h"

#include "SampleModel.h"
#include "TestClasses.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "model/TextReport.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotWriter.h"

#include <bit>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class SnapshotReaderTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllTestClasses(); }
};

const std::string kVersion = B("06 07") + "Version" + B("02 01");

std::string OwnerListFile(const std::string& items)
{
    return "TPF0" + B("07 0A") + "TOwnerList" + kVersion + B("06 05") + "Items" + B("01 01") +
           items + B("00 00");
}

std::string OwnerItem(const std::string& properties, const std::string& className = "TOwnerItem")
{
    return B("07") + std::string(1, static_cast<char>(className.size())) + className + properties +
           B("00");
}

TEST_F(SnapshotReaderTest, ModelRoundTripKeepsValuesAndBytes)
{
    TempDir dir;
    const auto model = BuildSampleModel();
    const std::string first = dir.File("first.obj");
    const std::string second = dir.File("second.obj");
    SaveToFile(*model, first);

    const auto before = LiveObjectCount();
    auto loaded = CreateFromFile<TDBNewOracle>(first);
    ExpectSameTree(*model, *loaded);
    SaveToFile(*loaded, second);
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
    // And once more from the second file.
    EXPECT_EQ(SaveToString(*CreateFromFile<TDBNewOracle>(second)), ReadFileBytes(first));

    // A few values checked by hand rather than through the property tables.
    EXPECT_EQ(loaded->SchemaLoaded, 45000.5);
    EXPECT_EQ(loaded->SourceLoaded, 45000.123456789012345);
    EXPECT_EQ(loaded->UserName, "SCOTT");
    EXPECT_EQ(loaded->UserNo, "57");
    EXPECT_TRUE(loaded->IncludeSys);
    EXPECT_TRUE(loaded->UseOrdered);
    EXPECT_FALSE(loaded->UseRule);
    ASSERT_EQ(loaded->Owners().Count(), 3);
    EXPECT_EQ(loaded->Owners().Items(2)->OID, 2147483647);
    EXPECT_EQ(loaded->Owners().Items(2)->OwnerName, "\xC4RGER");
    EXPECT_EQ(loaded->Owners().Items(2)->OwnerNo, -1);
    ASSERT_EQ(loaded->Objects().Count(), 5);
    TObjectItem& emp = *loaded->Objects().Items(0);
    EXPECT_EQ(emp.ObjectName, "EMP");
    ASSERT_EQ(emp.ObjectFields().Count(), 3);
    EXPECT_EQ(emp.ObjectFields().Items(1)->Precision, -1);
    EXPECT_EQ(emp.ObjectFields().Items(2)->Scale, -32769);
    EXPECT_EQ(emp.ObjectFields().Items(2)->OID, 70000 * 256 + 3);
    ASSERT_EQ(emp.ObjectConstraints().Count(), 3);
    EXPECT_TRUE(emp.ObjectConstraints().Items(1)->RefAct);
    EXPECT_FALSE(emp.ObjectConstraints().Items(2)->RefAct);
    EXPECT_EQ(emp.ObjectConstraints().Items(2)->ObjectState, 2);
    EXPECT_GT(emp.ObjectConstraints().Items(2)->Condition.size(), 255u);
    EXPECT_EQ(emp.ObjectIndexes().Items(0)->IndexFields, "ENAME DESC,HIREDATE");
    EXPECT_GT(emp.ObjectTriggers().Items(0)->ObjectText.size(), 9000u);
    EXPECT_EQ(loaded->Objects().Items(2)->ObjectNo, -5);
    EXPECT_EQ(loaded->Objects().Items(2)->OwnerNo, -129);
    EXPECT_GT(loaded->Objects().Items(3)->ObjectText.size(), 70000u);

    loaded.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

std::string TextReportOf(const TStreamed& root)
{
    TStringSink sink;
    WriteTextReport(root, sink);
    return sink.Bytes();
}

TEST_F(SnapshotReaderTest, EmptySubListsAreNotKeptAfterLoadingAndWriteTheSameBytes)
{
    // Table A has all four sub-lists, one of them with an index; view B never read any. A file
    // holds all four lists of both.
    TDBNewOracle model;
    TObjectItem& a = *model.Objects().NewItem();
    a.ObjectName = "A";
    a.ObjectType = ObjectTypes::Table;
    a.ObjectFields();
    a.ObjectConstraints();
    a.ObjectTriggers();
    TIndexItem& index = *a.ObjectIndexes().NewItem();
    index.ObjectName = "A_I";
    index.TableName = "A";
    index.IndexFields = "X";
    TObjectItem& b = *model.Objects().NewItem();
    b.ObjectName = "B";
    b.ObjectType = ObjectTypes::View;
    b.ObjectText = "SELECT 1 FROM DUAL";
    const std::string bytes = SaveToString(model);

    const auto before = LiveObjectCount();
    auto loaded = CreateFromString<TDBNewOracle>(bytes);
    ASSERT_EQ(loaded->Objects().Count(), 2);
    TObjectItem& loadedA = *loaded->Objects().Items(0);
    EXPECT_EQ(loadedA.FieldsIfAny(), nullptr);
    EXPECT_EQ(loadedA.ConstraintsIfAny(), nullptr);
    EXPECT_EQ(loadedA.TriggersIfAny(), nullptr);
    ASSERT_NE(loadedA.IndexesIfAny(), nullptr);
    EXPECT_EQ(loadedA.IndexesIfAny()->Items(0)->IndexFields, "X");
    TObjectItem& loadedB = *loaded->Objects().Items(1);
    EXPECT_EQ(loadedB.FieldsIfAny(), nullptr);
    EXPECT_EQ(loadedB.IndexesIfAny(), nullptr);

    EXPECT_EQ(SaveToString(*loaded), bytes);
    EXPECT_EQ(TextReportOf(*loaded), TextReportOf(model));
    // Reading a sub-list gives it back empty; the bytes stay the same.
    EXPECT_EQ(loadedA.ObjectFields().Count(), 0);
    EXPECT_EQ(SaveToString(*loaded), bytes);

    loaded.reset();
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotReaderTest, LargeFilesReadAcrossBufferBoundaries)
{
    // Many records of varying length put every kind of value across the reader's and the
    // writer's buffer boundaries somewhere; two very long texts span several buffers.
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

    const auto loaded = CreateFromFile<TDBNewOracle>(file);
    ExpectSameTree(*model, *loaded);
    EXPECT_EQ(SaveToString(*loaded), bytes);

    // Cut around the first read buffer's end and inside the long texts.
    const auto before = LiveObjectCount();
    for (size_t size : {size_t{262143}, size_t{262144}, size_t{262145}, size_t{524288},
                        bytes.size() / 2, bytes.size() - 2, bytes.size() - 1}) {
        WriteFileBytes(file, std::string_view(bytes).substr(0, size));
        try {
            CreateFromFile<TDBNewOracle>(file);
            ADD_FAILURE() << "loaded cut at " << size;
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()), "Stream read error") << size;
        }
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotReaderTest, LoadTimesRoundTripExactly)
{
    const double values[] = {0.0,   45000.5, 45000.123456789012345,  -1.0 / 3.0, 1e-300,
                             1e300, -0.0,    4.9406564584124654e-324};
    for (double value : values) {
        TDBNewOracle model;
        model.SchemaLoaded = value;
        model.SourceLoaded = -value;
        const auto loaded = CreateFromString<TDBNewOracle>(SaveToString(model));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(loaded->SchemaLoaded),
                  std::bit_cast<std::uint64_t>(value))
            << value;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(loaded->SourceLoaded),
                  std::bit_cast<std::uint64_t>(-value))
            << value;
    }
}

TEST_F(SnapshotReaderTest, CharacterAndSetPropertiesRoundTrip)
{
    TSampleObject sample;
    sample.Caption = std::string(300, 'c');
    sample.Enabled = true;
    sample.Letter = '\xE9';
    sample.Number = -40000;
    sample.Stamp = 45000.75;
    sample.Styles = kItalic | kStrikeOut;
    const std::string bytes = SaveToString(sample);
    const auto loaded = CreateFromString<TSampleObject>(bytes);
    ExpectSameTree(sample, *loaded);
    EXPECT_EQ(loaded->Letter, '\xE9');
    EXPECT_EQ(loaded->Styles, kItalic | kStrikeOut);
    EXPECT_EQ(SaveToString(*loaded), bytes);
}

TEST_F(SnapshotReaderTest, SetMembersAndCharactersAreReadLeniently)
{
    const auto file = [](const std::string& properties) {
        return "TPF0" + B("07 0D") + "TSampleObject" + properties + B("00");
    };
    const struct {
        const char* Name;
        std::string Properties;
        char Letter;
        std::uint32_t Styles;
    } cases[] = {
        {"member names ignore case",
         B("06 06") + "Styles" + B("0B 01 06 04") + "bOLD" + B("06 09") + "UNDERLINE" + B("00"),
         'A', kBold | kUnderline},
        {"unknown members are dropped",
         B("06 06") + "Styles" + B("0B 01 06 05") + "Blink" + B("06 06") + "Italic" + B("00"), 'A',
         kItalic},
        {"empty set", B("06 06") + "Styles" + B("0B 01 00"), 'A', 0},
        {"first character of a longer text", B("06 06") + "Letter" + B("06 03") + "xyz", 'x', 0},
        {"character from a long text", B("06 06") + "Letter" + B("0C 01 00 00 00") + "k", 'k', 0},
    };
    for (const auto& c : cases) {
        const auto loaded = CreateFromString<TSampleObject>(file(c.Properties));
        EXPECT_EQ(loaded->Letter, c.Letter) << c.Name;
        EXPECT_EQ(loaded->Styles, c.Styles) << c.Name;
    }
}

TEST_F(SnapshotReaderTest, VersionReadsAsOneWhateverTheFileStored)
{
    const std::string bytes = OwnerListFile(
        OwnerItem(B("06 03") + "OID" + B("02 05") + B("06 07") + "Version" + B("02 07")));
    const std::string stored7 =
        ReplaceOnce(bytes, "TOwnerList" + kVersion,
                    "TOwnerList" + B("06 07") + "Version" + B("04 07 00 00 00"));
    const auto loaded = CreateFromString<TOwnerList>(stored7);
    EXPECT_EQ(loaded->GetVersion(), 1);
    ASSERT_EQ(loaded->Count(), 1);
    EXPECT_EQ(loaded->Items(0)->GetVersion(), 1);
    // Written back, both records say 1 again.
    const std::string again = SaveToString(*loaded);
    EXPECT_EQ(again.find("Version" + B("02 07")), std::string::npos);
    EXPECT_EQ(again.find("Version" + B("04")), std::string::npos);
    const auto versionOne = kVersion;
    EXPECT_NE(again.find(versionOne), again.rfind(versionOne));
}

TEST_F(SnapshotReaderTest, UnknownPropertiesAreSkipped)
{
    const std::string extra = B("06 05") + "Color" + B("06 03") + "red" + // text
                              B("06 04") + "Size" + B("04 00 00 01 00") + // integer
                              B("06 04") + "When" + B("05 00 00 00 00 00 00 00 80 FF 3F") + // float
                              B("06 05") + "Flags" + B("0B 01 06 01") + "A" + B("00") +     // set
                              B("06 04") + "Memo" + B("0C 03 00 00 00") + "abc" + // long text
                              B("06 04") + "Kids" + B("01 01") +                  // item block
                              B("07 0A") + "TOwnerItem" + B("06 03") + "OID" + B("02 09 00") +
                              B("00") + B("07 0A") + "TOwnerList" + B("06 05") + "Spare" +
                              kVersion + B("00"); // nested object
    const std::string bytes =
        OwnerListFile(OwnerItem(B("06 03") + "OID" + B("02 05") + extra + B("06 09") + "OwnerName" +
                                B("06 05") + "SCOTT" + B("06 07") + "OwnerNo" + B("02 06")));
    const auto before = LiveObjectCount();
    {
        const auto loaded = CreateFromString<TOwnerList>(bytes);
        ASSERT_EQ(loaded->Count(), 1);
        EXPECT_EQ(loaded->Items(0)->OID, 5);
        EXPECT_EQ(loaded->Items(0)->OwnerName, "SCOTT");
        EXPECT_EQ(loaded->Items(0)->OwnerNo, 6);
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotReaderTest, PropertyNamesAndItemClassNamesIgnoreCase)
{
    const std::string bytes = OwnerListFile(
        OwnerItem(B("06 03") + "oid" + B("02 05") + B("06 09") + "OWNERNAME" + B("06 05") + "SCOTT",
                  "towneritem") +
        OwnerItem(B("06 03") + "OID" + B("02 06"), "TOWNERITEM"));
    const auto loaded = CreateFromString<TOwnerList>(bytes);
    ASSERT_EQ(loaded->Count(), 2);
    EXPECT_EQ(loaded->Items(0)->ClassName(), "TOwnerItem");
    EXPECT_EQ(loaded->Items(0)->OID, 5);
    EXPECT_EQ(loaded->Items(0)->OwnerName, "SCOTT");
    EXPECT_EQ(loaded->Items(1)->OID, 6);
}

TEST_F(SnapshotReaderTest, ValueEncodingsOtherThanTheShortestAreAccepted)
{
    const struct {
        const char* Name;
        std::string Properties;
        std::int32_t Oid;
        const char* OwnerName;
    } cases[] = {
        {"32-bit tag for a small number", B("06 03") + "OID" + B("04 05 00 00 00"), 5, ""},
        {"16-bit tag for a small number", B("06 03") + "OID" + B("03 FB FF"), -5, ""},
        {"long text tag for a short text", B("06 09") + "OwnerName" + B("0C 02 00 00 00") + "AB", 0,
         "AB"},
        {"long text tag for a property name", B("0C 03 00 00 00") + "OID" + B("02 07"), 7, ""},
        {"high bit of a value tag", B("06 03") + "OID" + B("82 08"), 8, ""},
    };
    for (const auto& c : cases) {
        const auto loaded = CreateFromString<TOwnerList>(OwnerListFile(OwnerItem(c.Properties)));
        ASSERT_EQ(loaded->Count(), 1) << c.Name;
        EXPECT_EQ(loaded->Items(0)->OID, c.Oid) << c.Name;
        EXPECT_EQ(loaded->Items(0)->OwnerName, c.OwnerName) << c.Name;
    }
}

TEST_F(SnapshotReaderTest, IntegerIntoADateTimeIsAccepted)
{
    TDBNewOracle model;
    const std::string bytes =
        ReplaceOnce(SaveToString(model), "SchemaLoaded" + B("05 00 00 00 00 00 00 00 00 00 00"),
                    "SchemaLoaded" + B("03 C8 AF"));
    EXPECT_EQ(CreateFromString<TDBNewOracle>(bytes)->SchemaLoaded, -20536.0);
}

TEST_F(SnapshotReaderTest, AnythingAfterTheRootRecordIsIgnored)
{
    const auto model = BuildSampleModel();
    const std::string bytes = SaveToString(*model);
    const auto loaded = CreateFromString<TDBNewOracle>(bytes + "TPF0 and some garbage" + B("FF"));
    EXPECT_EQ(SaveToString(*loaded), bytes);
}

TEST_F(SnapshotReaderTest, ItemsKeepFileOrderAndAreNotSorted)
{
    std::string items;
    for (int oid : {30, 10, 20})
        items += OwnerItem(B("06 03") + "OID" + B("02") + std::string(1, static_cast<char>(oid)));
    const auto loaded = CreateFromString<TOwnerList>(OwnerListFile(items));
    ASSERT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->Items(0)->OID, 30);
    EXPECT_EQ(loaded->Items(1)->OID, 10);
    EXPECT_EQ(loaded->Items(2)->OID, 20);
}

TEST_F(SnapshotReaderTest, MissingFileCannotBeOpened)
{
    TempDir dir;
    const auto before = LiveObjectCount();
    for (const std::string& name : {dir.File("absent.obj"), dir.Path().string()}) {
        try {
            CreateFromFile<TDBNewOracle>(name);
            ADD_FAILURE() << "loaded " << name;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + name);
        }
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST_F(SnapshotReaderTest, SavingIntoAMissingFolderCannotCreateTheFile)
{
    TempDir dir;
    const std::string name = (dir.Path() / "no-such-folder" / "model.obj").string();
    TDBNewOracle model;
    try {
        SaveToFile(model, name);
        ADD_FAILURE() << "saved";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + name);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "no-such-folder"));
}

} // namespace
} // namespace quorvex::test
