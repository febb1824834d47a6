#pragma once

#include <QSqlDatabase>
#include <QString>

namespace quorvex {

// A named Qt SQL connection, registered on construction and closed and removed again on
// destruction. Exception when the driver is missing or the name is taken.
class TQtDatabase {
public:
    TQtDatabase(const QString& driver, const QString& connectionName);
    ~TQtDatabase();
    TQtDatabase(const TQtDatabase&) = delete;
    TQtDatabase& operator=(const TQtDatabase&) = delete;

    // Exception naming the driver when this Qt has no such SQL driver.
    static void RequireDriver(const QString& driver);

    QSqlDatabase& Db() { return m_db; }
    // Opens; Exception with the driver's message when it fails.
    void Open(const QString& user, const QString& password);

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace quorvex
