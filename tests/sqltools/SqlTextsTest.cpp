// How "Execute SQL" reads a pane, the results window's texts, the grid model's fetching, and SQL
// text files: CR LF on save, any line break on load, 8-bit text kept, binary and huge files
// refused, and a failed save that leaves the previous file alone.
#include "DiskFull.h"
#include "WindowHarness.h"
#include "persistence/Exceptions.h"
#include "sqltools/PaneSql.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/ResultsTexts.h"
#include "sqltools/SqlTextFile.h"

#include <QSignalSpy>
#include <QTableView>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(PaneSql, FirstCharacterDecidesAndEveryLineEndsInALineFeed)
{
    using K = TPaneSqlKind;
    const struct {
        const char* Text;
        K Kind;
        const char* FirstLine; // after the "*" rewrite
    } cases[] = {
        {"*DUAL", K::Query, "SELECT * FROM DUAL"},
        {"*SCOTT.EMP e\nWHERE e.SAL > 0", K::Query, "SELECT * FROM SCOTT.EMP e"},
        {"select * from emp", K::Query, "select * from emp"},
        {"SAVEPOINT A", K::Query, "SAVEPOINT A"},
        {" *DUAL", K::Statement, " *DUAL"},
        {"-- list\nSELECT * FROM DUAL", K::Statement, "-- list"},
        {"\tselect 1 from dual", K::Statement, "\tselect 1 from dual"},
        {"UPDATE EMP SET SAL = SAL", K::Statement, "UPDATE EMP SET SAL = SAL"},
        {"*", K::Query, "SELECT * FROM "},
        {"\nSELECT * FROM DUAL", K::EmptyFirstLine, ""},
        {"\n", K::Nothing, ""},
        {"", K::Nothing, nullptr},
    };
    for (const auto& c : cases) {
        QStringList lines = PaneLines(QString::fromLatin1(c.Text));
        EXPECT_EQ(RewriteStarLine(lines), c.Text[0] == '*') << c.Text;
        EXPECT_EQ(ClassifyPaneSql(lines), c.Kind) << c.Text;
        EXPECT_EQ(lines.value(0, "none"), c.FirstLine ? c.FirstLine : "none") << c.Text;
    }
    EXPECT_EQ(PaneLines("a\nb\n"), QStringList({"a", "b"}));
    EXPECT_EQ(PaneLines("a\n\n"), QStringList({"a", ""}));
    EXPECT_EQ(StatementText({"UPDATE EMP", "SET SAL = SAL", ""}), "UPDATE EMP\nSET SAL = SAL\n\n");
}

TEST(ResultsTexts, CaptionStatementIdsAndLongValues)
{
    EXPECT_EQ(ResultsCaption(1234), "SQL Results in 1.23 seconds");
    EXPECT_EQ(ResultsCaption(0), "SQL Results in 0.00 seconds");
    EXPECT_EQ(ResultsCaption(61005), "SQL Results in 61.01 seconds");
    // Two explains within one millisecond get different ids; the counter may wrap round.
    TStatementIds ids, high;
    QStringList given;
    for (std::uint32_t tick : {1000000u, 1000000u, 1000001u, 1000500u})
        given << ids.Next(tick);
    for (std::uint32_t tick : {4294967290u, 5u, 3u}) // 5 after a wrap, 3 a step back
        given << high.Next(tick);
    EXPECT_EQ(given.join(' '), "1000000 1000001 1000002 1000500 4294967290 5 6");
    EXPECT_TRUE(PlanTableExistsSql("O'HARA").endsWith(" = 'O''HARA'"));

    EXPECT_EQ(MemoDisplayText("     "), "");
    EXPECT_EQ(MemoDisplayText("\r\n  CREATE VIEW V\n AS SELECT 1 \t\r\n"),
              "CREATE VIEW V\n AS SELECT 1");
    EXPECT_EQ(MemoDisplayText("  " + QString(300, u'x')), QString(kMemoDisplayLength, u'x'));
}

// Rows ID, NAME (null on every third row) and NOTE (a long text); fails at row `FailAt`.
class TCountingQuery final : public TQuery {
public:
    std::int64_t Rows = 0, FailAt = -1, Position = 0;
    bool Opened = true;

    void SetSQL(std::string_view) override {}
    void ClearSQL() override {}
    void AddSQL(std::string_view) override {}
    std::string SQLText() const override { return {}; }
    void SetParam(std::string_view, std::string_view) override {}
    void SetParam(std::string_view, std::int64_t) override {}
    void SetParam(int, std::string_view) override {}
    void SetParam(int, std::int64_t) override {}
    void Open() override { Opened = true; }
    bool IsOpen() const override { return Opened; }
    bool Eof() const override { return Position >= Rows; }
    void First() override { Position = 0; }
    void Next() override
    {
        if (Position + 1 == FailAt)
            throw Exception("ORA-01555: snapshot too old");
        ++Position;
    }
    void Close() override { Opened = false; }
    void ExecSQL() override {}
    int FieldCount() const override { return 3; }
    std::string FieldName(int index) const override { return index ? "NAME" : "ID"; }
    int FieldIndex(std::string_view) const override { return -1; }
    bool FieldIsLongText(int index) const override { return index == 2; }
    bool IsNull(int index) const override { return index == 1 && Position % 3 == 2; }
    std::string AsText(int index) const override
    {
        const std::string row = std::to_string(Position + 1);
        return index == 0 ? row : index == 1 ? "ROW" + row : "  " + std::string(400, 'n');
    }
    std::int64_t AsInteger(int) const override { return Position; }
    double AsDateTime(int) const override { return 0; }
    double AsFloat(int) const override { return 0; }
};

TEST(QueryRowsModel, FetchesInBatchesUntilTheEndAFailureOrAClose)
{
    constexpr int kBatch = TQueryRowsModel::kFetchBatch;
    TCountingQuery query;
    query.Rows = 1000000;
    TQueryRowsModel model;
    model.Attach(&query);
    EXPECT_EQ(query.Position, kBatch); // one batch of a million rows
    EXPECT_EQ(GridRows(model).mid(0, 3).join('/').replace(QString(kMemoDisplayLength, u'n'), "n*"),
              "1|ROW1|n*/2|ROW2|n*/3||n*");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "NAME");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));
    ASSERT_TRUE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.index(kBatch, 0).data().toString(), QString::number(kBatch + 1));
    query.Close(); // the connection went away
    EXPECT_FALSE(model.canFetchMore({}));

    // A read that fails keeps the rows and is reported later, outside the view's own work.
    query.Open();
    query.First();
    query.FailAt = 300;
    QSignalSpy failed(&model, &TQueryRowsModel::fetchFailed);
    model.Attach(&query);
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 300);
    EXPECT_FALSE(model.canFetchMore({}) || model.Attached());
    EXPECT_EQ(failed.count(), 0);
    ASSERT_TRUE(failed.wait(1000));
    EXPECT_EQ(failed.at(0).at(0).toString(), "ORA-01555: snapshot too old");

    // A small result is read to the end; a view scrolled to the end asks for more itself.
    TCountingQuery small;
    small.Rows = 14;
    model.Attach(&small);
    EXPECT_EQ(model.rowCount(), 14);
    EXPECT_FALSE(model.canFetchMore({}));
    query.First();
    query.FailAt = -1;
    model.Attach(&query);
    QTableView view;
    view.setModel(&model);
    view.show();
    for (int i = 0; i < 3; ++i)
        view.scrollToBottom();
    EXPECT_GT(model.rowCount(), kBatch);
    model.Detach();
    EXPECT_FALSE(model.canFetchMore({}));
}

// The message of what `action` throws; empty when it throws nothing.
template <typename F>
std::string Failure(F action)
{
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return {};
}

TEST(SqlTextFile, SaveCrLfLoadAnyBreakRefuseWhatIsNoText)
{
    TempDir dir;
    const QString file = QString::fromStdString(dir.File("query.sql"));
    WriteSqlTextFile(file, {"SELECT *", "", "FROM EMP -- größer"});
    EXPECT_EQ(ReadFileBytes(dir.File("query.sql")), "SELECT *\r\n\r\nFROM EMP -- gr\xC3\xB6\xC3\x9F"
                                                    "er\r\n");
    for (const auto& [bytes, text] :
         {std::pair{"a\r\nb\nc\rd", "a\nb\nc\nd"},
          {"a\n\n", "a\n"},
          {"", ""},
          {"SELECT '\xE9t\xE9' FROM DUAL\r\n", "SELECT '\xC3\xA9t\xC3\xA9' FROM DUAL"}}) {
        WriteFileBytes(dir.File("query.sql"), bytes); // not UTF-8: a character per byte
        EXPECT_EQ(ReadSqlTextFile(file), QString::fromUtf8(text)) << bytes;
    }

    const std::string binary = dir.File("image.sql");
    WriteFileBytes(binary, std::string("BM\0\0\x10\x20", 6));
    EXPECT_EQ(Failure([&] { ReadSqlTextFile(QString::fromStdString(binary)); }),
              binary + " is not a text file");
    EXPECT_NE(Failure([&] {
                  ReadSqlTextFile(QString::fromStdString(dir.File("none.sql")));
              }).find("none.sql"),
              std::string::npos);
    std::filesystem::resize_file(dir.File("query.sql"), kMaxSqlFileBytes + 1); // sparse
    EXPECT_NE(Failure([&] { ReadSqlTextFile(file); }).find("too large"), std::string::npos);
    EXPECT_NE(Failure([&] { ReadSqlTextFile(QString::fromStdString(dir.Path())); }), "");
}

TEST(SqlTextFile, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    WriteFileBytes(dir.File("keep.sql"), "old\r\n");
    {
        const TDiskFull full(64 * 1024); // the disk fills up in the middle of the save
        EXPECT_NE(Failure([&] {
                      WriteSqlTextFile(QString::fromStdString(dir.File("keep.sql")),
                                       QStringList(2000, QString(100, u'n')));
                  }),
                  "");
    }
    // A folder of that name cannot be replaced by the file.
    std::filesystem::create_directory(dir.Path() / "folder.sql");
    EXPECT_NE(
        Failure([&] { WriteSqlTextFile(QString::fromStdString(dir.File("folder.sql")), {"x"}); }),
        "");
    EXPECT_EQ(ReadFileBytes(dir.File("keep.sql")), "old\r\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder.sql", "keep.sql"}));
}

} // namespace
} // namespace quorvex::test
