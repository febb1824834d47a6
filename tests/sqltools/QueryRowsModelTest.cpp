// The results grid's model: rows are read in batches as the view asks, a read that fails stops
// fetching without losing the rows shown, and a query closed under the model reads no more.
#include "sqltools/QueryRowsModel.h"

#include "QStringPrinter.h"
#include "dictionary/DatabaseSession.h"
#include "persistence/Exceptions.h"

#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// A query over `Rows` generated rows of ID, NAME (null on every third row) and NOTE (a long
// text); counts the rows it was moved over and fails at `FailAt` when set.
class TCountingQuery final : public TQuery {
public:
    std::int64_t Rows = 0;
    std::int64_t FailAt = -1;
    std::int64_t Position = 0;
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
    std::string FieldName(int index) const override
    {
        return index == 0 ? "ID" : index == 1 ? "NAME" : "NOTE";
    }
    int FieldIndex(std::string_view) const override { return -1; }
    bool FieldIsLongText(int index) const override { return index == 2; }
    bool IsNull(int index) const override { return index == 1 && Position % 3 == 2; }
    std::string AsText(int index) const override
    {
        if (index == 0)
            return std::to_string(Position + 1);
        if (index == 1)
            return IsNull(1) ? std::string() : "ROW" + std::to_string(Position + 1);
        return "   " + std::string(400, 'n') + "\r\n";
    }
    std::int64_t AsInteger(int) const override { return Position; }
    double AsDateTime(int) const override { return 0; }
    double AsFloat(int) const override { return 0; }
};

TEST(QueryRowsModel, FetchesInBatchesAsAsked)
{
    TCountingQuery query;
    query.Rows = 1000000;
    TQueryRowsModel model;
    model.Attach(&query);
    // Only the first batch is read of a million rows.
    EXPECT_EQ(model.rowCount(), TQueryRowsModel::kFetchBatch);
    EXPECT_EQ(query.Position, TQueryRowsModel::kFetchBatch);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("NAME"));
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("1"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("ROW1"));
    EXPECT_EQ(model.index(2, 1).data().toString(), QString());
    EXPECT_EQ(model.index(0, 2).data().toString(), QString(kMemoDisplayLength, QLatin1Char('n')));
    EXPECT_FALSE(model.index(0, 0).data(Qt::EditRole).isValid());
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    ASSERT_TRUE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 2 * TQueryRowsModel::kFetchBatch);
    EXPECT_EQ(model.index(TQueryRowsModel::kFetchBatch, 0).data().toString(),
              QString::number(TQueryRowsModel::kFetchBatch + 1));
}

TEST(QueryRowsModel, SmallResultIsReadToTheEnd)
{
    TCountingQuery query;
    query.Rows = 14;
    TQueryRowsModel model;
    model.Attach(&query);
    EXPECT_EQ(model.rowCount(), 14);
    EXPECT_FALSE(model.canFetchMore({}));

    // An empty result still shows its columns.
    TCountingQuery empty;
    model.Attach(&empty);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 3);
}

TEST(QueryRowsModel, ReadFailureStopsFetchingAndKeepsTheRows)
{
    TCountingQuery query;
    query.Rows = 1000;
    query.FailAt = 300;
    TQueryRowsModel model;
    QSignalSpy failed(&model, &TQueryRowsModel::fetchFailed);
    model.Attach(&query);
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 300);
    EXPECT_FALSE(model.canFetchMore({}));
    EXPECT_FALSE(model.Attached());
    // Reported later, outside the view's own work.
    EXPECT_EQ(failed.count(), 0);
    ASSERT_TRUE(failed.wait(1000));
    EXPECT_EQ(failed.at(0).at(0).toString(), QStringLiteral("ORA-01555: snapshot too old"));
}

TEST(QueryRowsModel, ClosedOrDetachedQueryIsNotRead)
{
    TCountingQuery query;
    query.Rows = 1000;
    TQueryRowsModel model;
    model.Attach(&query);
    query.Close(); // the connection went away
    EXPECT_FALSE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), TQueryRowsModel::kFetchBatch);

    query.Open();
    model.Detach();
    EXPECT_FALSE(model.canFetchMore({}));
    EXPECT_EQ(model.rowCount(), TQueryRowsModel::kFetchBatch);

    // A view scrolled to the end asks for more rows itself.
    model.Attach(&query);
    QTableView view;
    view.setModel(&model);
    view.resize(400, 300);
    view.show();
    for (int i = 0; i < 3 && model.canFetchMore({}); ++i)
        view.scrollToBottom();
    EXPECT_GT(model.rowCount(), TQueryRowsModel::kFetchBatch);
}

} // namespace
} // namespace quorvex::test
