#include "QtSqlCursor.h"

#include "ValueConversion.h"
#include "persistence/Exceptions.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QVariant>

namespace quorvex {
namespace {

QVariant ToVariant(const TParamValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value))
        return QString::fromStdString(*text);
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return QVariant::fromValue<qlonglong>(*number);
    return QVariant(QMetaType::fromType<QString>());
}

[[noreturn]] void Fail(const QSqlQuery& query)
{
    throw Exception(query.lastError().text().toStdString());
}

// Runs the statement; placeholders are handed to the driver only when there are values, so a
// statement without binding reaches the database exactly as written.
void Run(QSqlQuery& query, const TBoundStatement& statement)
{
    if (statement.Values.empty()) {
        if (!query.exec(QString::fromStdString(statement.Sql)))
            Fail(query);
        return;
    }
    if (!query.prepare(QString::fromStdString(statement.Sql)))
        Fail(query);
    for (const auto& value : statement.Values)
        query.addBindValue(ToVariant(value));
    if (!query.exec())
        Fail(query);
}

double DayNumberOf(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    return DayNumber(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                     time.second() + time.msec() / 1000.0);
}

// The drivers report their own type codes: OCI's SQLT_LNG and SQLT_CLOB, ODBC's
// SQL_LONGVARCHAR and SQL_WLONGVARCHAR.
bool IsLongTextType(const QString& driver, int type)
{
    if (driver.startsWith(QLatin1String("QOCI")))
        return type == 8 || type == 112;
    if (driver.startsWith(QLatin1String("QODBC")))
        return type == -1 || type == -10;
    return false;
}

} // namespace

TQtSqlCursor::TQtSqlCursor(const QSqlDatabase& db, const TBoundStatement& statement)
    : m_query(db)
{
    m_query.setForwardOnly(true);
    m_query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    Run(m_query, statement);
    const QSqlRecord record = m_query.record();
    const QString driver = db.driverName();
    for (int k = 0; k < record.count(); ++k) {
        m_names.push_back(record.fieldName(k).toStdString());
        m_longText.push_back(IsLongTextType(driver, record.field(k).typeID()));
    }
}

void TQtSqlCursor::Fail() const
{
    quorvex::Fail(m_query);
}

bool TQtSqlCursor::Next()
{
    if (!m_query.isSelect())
        return false;
    if (m_query.next())
        return true;
    if (m_query.lastError().type() != QSqlError::NoError)
        Fail();
    return false;
}

TFieldValue TQtSqlCursor::Value(int index) const
{
    TFieldValue value;
    if (m_query.isNull(index))
        return value;
    const QVariant variant = m_query.value(index);
    switch (variant.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        value.Kind = TFieldValue::TKind::Integer;
        value.Integer = variant.toLongLong();
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        value.Kind = TFieldValue::TKind::Real;
        value.Real = variant.toDouble();
        break;
    case QMetaType::QDate:
        value.Kind = TFieldValue::TKind::DateTime;
        value.Real = DayNumberOf(QDateTime(variant.toDate(), QTime(0, 0)));
        break;
    case QMetaType::QTime:
        value.Kind = TFieldValue::TKind::DateTime;
        value.Real = variant.toTime().msecsSinceStartOfDay() / 86400000.0;
        break;
    case QMetaType::QDateTime:
        value.Kind = TFieldValue::TKind::DateTime;
        value.Real = DayNumberOf(variant.toDateTime());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = variant.toByteArray();
        m_text.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
        value.Kind = TFieldValue::TKind::Text;
        value.Text = m_text;
        break;
    }
    default:
        m_text = variant.toString().toStdString();
        value.Kind = TFieldValue::TKind::Text;
        value.Text = m_text;
        break;
    }
    return value;
}

void ExecuteQtSql(const QSqlDatabase& db, const TBoundStatement& statement)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Run(query, statement);
}

} // namespace quorvex
