#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

namespace quorvex {

class TQuery;

// Long-text cells show at most this many characters.
inline constexpr int kMemoDisplayLength = 250;

// The display text of a long-text value: leading and trailing blanks and control characters
// removed, cut to its first kMemoDisplayLength characters.
QString MemoDisplayText(const QString& value);

// The rows of an open query as a read-only table for the results grid. Rows are fetched in
// batches as the view asks for them (canFetchMore/fetchMore), so a large result costs only the
// rows looked at. Cells of long-text columns show their memo display text; every cell that
// cannot be read whole in the grid has its whole value as its tooltip.
class TQueryRowsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kFetchBatch = 256;

    explicit TQueryRowsModel(QObject* parent = nullptr);

    // Shows the open query's columns and its first batch of rows, replacing what was shown.
    // The query must stay alive until Detach or another Attach.
    void Attach(TQuery* query);
    // Stops fetching from the query; the rows fetched so far stay shown.
    void Detach();
    bool Attached() const noexcept { return m_query != nullptr; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // Reading further rows failed; fetching has stopped. Sent queued, so the receiver may show
    // a message box outside the view's painting.
    void fetchFailed(const QString& message);

private:
    TQuery* m_query = nullptr;
    QStringList m_columns;
    std::vector<bool> m_longText;
    std::vector<QStringList> m_rows;
};

} // namespace quorvex
