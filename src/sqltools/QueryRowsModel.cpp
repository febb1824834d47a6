#include "QueryRowsModel.h"

#include "dictionary/DatabaseSession.h"

#include <exception>

namespace quorvex {

namespace {

bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || c.category() == QChar::Other_Control;
}

bool HasControl(const QString& value)
{
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

// Too long or spread over lines to be read in a grid cell.
bool NeedsHint(const QString& value)
{
    return value.size() > kMemoDisplayLength || HasControl(value);
}

} // namespace

QString MemoDisplayText(const QString& value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    while (begin < end && IsBlankOrControl(value[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(value[end - 1]))
        --end;
    return value.mid(begin, std::min<qsizetype>(end - begin, kMemoDisplayLength));
}

TQueryRowsModel::TQueryRowsModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void TQueryRowsModel::Attach(TQuery* query)
{
    beginResetModel();
    m_query = query;
    m_columns.clear();
    m_longText.clear();
    m_rows.clear();
    if (m_query != nullptr && m_query->IsOpen()) {
        for (int k = 0; k < m_query->FieldCount(); ++k) {
            m_columns << QString::fromStdString(m_query->FieldName(k));
            m_longText.push_back(m_query->FieldIsLongText(k));
        }
    }
    endResetModel();
    if (canFetchMore({}))
        fetchMore({});
}

void TQueryRowsModel::Detach()
{
    m_query = nullptr;
}

int TQueryRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TQueryRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TQueryRowsModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || !index.isValid() ||
        index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const QString& value = m_rows[static_cast<std::size_t>(index.row())][index.column()];
    if (role == Qt::ToolTipRole)
        return NeedsHint(value) ? QVariant(value) : QVariant();
    return m_longText[static_cast<std::size_t>(index.column())] ? MemoDisplayText(value) : value;
}

QVariant TQueryRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_columns.value(section);
    return section + 1;
}

bool TQueryRowsModel::canFetchMore(const QModelIndex& parent) const
{
    // The connection may have closed the query under us (a disconnect).
    return !parent.isValid() && m_query != nullptr && m_query->IsOpen() && !m_query->Eof();
}

void TQueryRowsModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<QStringList> batch;
    const int columns = columnCount();
    try {
        // The query sits on the first row not yet read.
        while (static_cast<int>(batch.size()) < kFetchBatch && !m_query->Eof()) {
            QStringList row;
            row.reserve(columns);
            for (int k = 0; k < columns; ++k) {
                row << (m_query->IsNull(k) ? QString()
                                           : QString::fromStdString(m_query->AsText(k)));
            }
            batch.push_back(std::move(row));
            m_query->Next();
        }
    } catch (const std::exception& error) {
        // Views call this while laying out: nothing may be thrown through them.
        m_query = nullptr;
        QMetaObject::invokeMethod(
            this,
            [this, message = QString::fromStdString(error.what())] { emit fetchFailed(message); },
            Qt::QueuedConnection);
    }
    if (batch.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(batch.size()) - 1);
    for (auto& row : batch)
        m_rows.push_back(std::move(row));
    endInsertRows();
}

} // namespace quorvex
