// How "Execute SQL" reads a pane, the results window's texts, the grid model's fetching, the
// statements of an explain, and SQL text files: CR LF on save, any line break on load, 8-bit text
// kept, binary and huge files refused, and a failed save that leaves the previous file alone.
#include "DiskFull.h"
#include "WindowHarness.h"
#include "persistence/Exceptions.h"
#include "sqltools/PaneSql.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/ResultsTexts.h"
#include "sqltools/SQLGridForm.h"
#include "sqltools/SqlTextFile.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// A million rows of their numbers; fails moving to row `FailAt`. It adds each statement it runs
// to `Run`, and its first field the number of CREATE statements there.
class TCountingQuery final : public TQuery {
public:
    std::int64_t Rows = 1000000, FailAt = -1, Position = 0;
    bool Opened = true;
    QStringList Executed, *Run = &Executed;
    std::string Text;

    void SetSQL(std::string_view text) override { Text = text; }
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
    void Next() override { Position + 1 == FailAt ? throw Exception("ORA-01555") : ++Position; }
    void Close() override { Opened = false; }
    void ExecSQL() override { *Run << QString::fromStdString(Text); }
    int FieldCount() const override { return 1; }
    std::string FieldName(int) const override { return "ID"; }
    int FieldIndex(std::string_view) const override { return -1; }
    bool IsNull(int) const override { return false; }
    std::string AsText(int) const override { return std::to_string(Position + 1); }
    std::int64_t AsInteger(int) const override { return Position + Run->filter("CREATE").size(); }
    double AsDateTime(int) const override { return 0; }
    double AsFloat(int) const override { return 0; }
};

// A session of counting queries, logged in as SCOTT, that keeps the statements they run: the plan
// table exists once a CREATE ran.
class TCountingSession final : public TDatabaseSession {
public:
    QStringList Run;

    std::vector<std::string> AliasNames() const override { return {}; }
    std::string AliasDriver(const std::string&) const override { return {}; }
    std::vector<std::string> AliasParams(const std::string&) const override { return {}; }
    void SetAlias(const std::string&) override {}
    std::string Alias() const override { return {}; }
    void SetLoginCallback(TLoginCallback) override {}
    void Open() override {}
    void Close() override {}
    bool Connected() const override { return true; }
    std::string UserName() const override { return "SCOTT"; }
    void ExecuteStatement(std::string_view) override {}
    std::unique_ptr<TQuery> CreateQuery(bool) override
    {
        auto query = std::make_unique<TCountingQuery>();
        query->Run = &Run;
        return query;
    }
    std::unique_ptr<TStoredProc> CreateStoredProc(std::string_view) override { return nullptr; }
};

// The message of what `action` throws; empty when it throws nothing.
std::string Failure(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return {};
}

TEST(SqlTexts, PaneSqlResultsTextsGridFetchingAndFiles)
{
    // Text = kind (Nothing, Query, Statement, EmptyFirstLine) and the first line after the
    // "*" rewrite.
    const QString cases = "*DUAL=1SELECT * FROM DUAL|*EMP e\nWHERE 1=1=1SELECT * FROM EMP e|"
                          "SAVEPOINT A=1SAVEPOINT A| *DUAL=2 *DUAL|"
                          "-- list\nSELECT 1=2-- list|\tselect 1=2\tselect 1|"
                          "*=1SELECT * FROM |\nSELECT 1=3|\n=0|=0";
    for (const QString& c : cases.split('|')) {
        QStringList lines = PaneLines(c.section('=', 0, -2));
        EXPECT_EQ(RewriteStarLine(lines), c.startsWith('*')) << c.toStdString();
        EXPECT_EQ(QString::number(int(ClassifyPaneSql(lines))) + lines.value(0),
                  c.section('=', -1));
    }
    EXPECT_EQ(StatementText({"UPDATE EMP", "SET SAL = SAL", ""}), "UPDATE EMP\nSET SAL = SAL\n\n");

    // The results window's caption, statement ids and long values.
    EXPECT_EQ(ResultsCaption(61005), "SQL Results in 61.01 seconds");
    // Two explains within one millisecond get different ids; the tick counter may wrap round.
    TStatementIds ids, high;
    QStringList given;
    for (std::uint32_t tick : {1000000u, 1000000u, 1000001u, 1000500u})
        given << ids.Next(tick);
    for (std::uint32_t tick : {4294967290u, 5u, 3u}) // 5 after a wrap, 3 a step back
        given << high.Next(tick);
    EXPECT_EQ(given.join(' '), "1000000 1000001 1000002 1000500 4294967290 5 6");
    EXPECT_EQ(MemoDisplayText("\r\n  CREATE VIEW V\n AS SELECT 1 \t\r\n"),
              "CREATE VIEW V\n AS SELECT 1");
    EXPECT_EQ(MemoDisplayText("  " + QString(300, u'x')), QString(kMemoDisplayLength, u'x'));

    // The grid model reads rows in batches as asked, until a failure or a close.
    constexpr int kBatch = TQueryRowsModel::kFetchBatch;
    TCountingQuery query;
    TQueryRowsModel model;
    model.Attach(&query);
    EXPECT_EQ(query.Position, kBatch); // one batch of a million rows
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
    EXPECT_EQ(failed.at(0).at(0).toString(), "ORA-01555");

    // Two explains create the plan table once; the second clears the old plan "A" instead.
    TCountingSession session;
    TSQLGridForm grid(session, nullptr);
    grid.SetSQLText("SELECT * FROM DEPT");
    grid.Explain1Click();
    grid.Explain1Click();
    const QString explain =
        "DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = 'ID'|EXPLAIN PLAN "
        "SET STATEMENT_ID = 'ID' INTO QUORVEX_PLAN_TABLE FOR SELECT * FROM DEPT";
    EXPECT_EQ(session.Run.join('|').replace(QRegularExpression("'\\d+'"), "'ID'"),
              kPlanTableSql + ("|" + explain) + "|" + kDeletePlanASql + "|" + explain);

    // SQL text files.
    TempDir dir;
    const QString file = QString::fromStdString(dir.File("keep.sql"));
    WriteSqlTextFile(file, {"SELECT *", "", "FROM EMP -- größer"});
    EXPECT_EQ(ReadFileBytes(dir.File("keep.sql")), "SELECT *\r\n\r\nFROM EMP -- gr\xC3\xB6\xC3\x9F"
                                                   "er\r\n");
    for (const auto& [bytes, text] : {std::pair{"a\r\nb\nc\rd", "a\nb\nc\nd"},
                                      {"a\n\n", "a\n"},
                                      {"", ""},
                                      {"SELECT '\xE9t\xE9'\r\n", "SELECT '\xC3\xA9t\xC3\xA9'"}}) {
        WriteFileBytes(dir.File("keep.sql"), bytes); // not UTF-8: a character per byte
        EXPECT_EQ(ReadSqlTextFile(file), QString::fromUtf8(text)) << bytes;
    }
    const std::string binary = dir.File("image.sql");
    WriteFileBytes(binary, std::string("BM\0\0\x10\x20", 6));
    EXPECT_EQ(Failure([&] { ReadSqlTextFile(binary.c_str()); }), binary + " is not a text file");
    EXPECT_NE(Failure([&] { ReadSqlTextFile(dir.File("none.sql").c_str()); }).find("none.sql"),
              std::string::npos);
    std::filesystem::resize_file(binary, kMaxSqlFileBytes + 1); // sparse
    EXPECT_NE(Failure([&] { ReadSqlTextFile(binary.c_str()); }).find("too large"),
              std::string::npos);
    EXPECT_NE(Failure([&] { ReadSqlTextFile(dir.Path().c_str()); }), "");

    // The disk fills up in the middle of a save; a folder cannot be replaced by the file.
    std::filesystem::remove(binary);
    WriteFileBytes(dir.File("keep.sql"), "old\r\n");
    {
        const TDiskFull full(64 * 1024);
        EXPECT_NE(Failure([&] { WriteSqlTextFile(file, QStringList(2000, QString(100, u'n'))); }),
                  "");
    }
    std::filesystem::create_directory(dir.Path() / "folder.sql");
    EXPECT_NE(Failure([&] { WriteSqlTextFile(dir.File("folder.sql").c_str(), {"x"}); }), "");
    EXPECT_EQ(ReadFileBytes(dir.File("keep.sql")), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

} // namespace
} // namespace quorvex::test
