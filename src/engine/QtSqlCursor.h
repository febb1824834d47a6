#pragma once

#include "BackendConnection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <string>
#include <vector>

namespace quorvex {

// Rows of a statement run through a Qt SQL driver (OCI, ODBC), read forward only. Numbers
// come as doubles, as the program has always read Oracle numbers.
class TQtSqlCursor final : public TCursor {
public:
    TQtSqlCursor(const QSqlDatabase& db, const TBoundStatement& statement);

    bool Next() override;
    int FieldCount() const override { return static_cast<int>(m_names.size()); }
    std::string FieldName(int index) const override { return m_names.at(index); }
    bool IsLongText(int index) const override { return m_longText.at(index); }
    TFieldValue Value(int index) const override;

private:
    [[noreturn]] void Fail() const;

    QSqlQuery m_query;
    std::vector<std::string> m_names;
    std::vector<bool> m_longText;
    mutable std::string m_text; // the text of the last value read
};

// Runs a statement without reading a result.
void ExecuteQtSql(const QSqlDatabase& db, const TBoundStatement& statement);

} // namespace quorvex
