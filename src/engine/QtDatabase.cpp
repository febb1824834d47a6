#include "QtDatabase.h"

#include "EngineMessages.h"
#include "persistence/Exceptions.h"

#include <QSqlError>

namespace quorvex {

void TQtDatabase::RequireDriver(const QString& driver)
{
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw Exception(messages::MissingQtDriver(driver.toStdString()));
}

TQtDatabase::TQtDatabase(const QString& driver, const QString& connectionName)
    : m_name(connectionName)
{
    RequireDriver(driver);
    if (QSqlDatabase::contains(m_name))
        throw Exception(messages::ConnectionInUse(m_name.toStdString()));
    m_db = QSqlDatabase::addDatabase(driver, m_name);
}

TQtDatabase::~TQtDatabase()
{
    m_db.close();
    // Qt removes a connection cleanly only when no handle to it is left.
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

void TQtDatabase::Open(const QString& user, const QString& password)
{
    if (!m_db.open(user, password))
        throw Exception(m_db.lastError().text().toStdString());
}

} // namespace quorvex
