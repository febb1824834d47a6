#include "SqlTextFile.h"

#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"

#include <QFile>
#include <QStringDecoder>

namespace quorvex {

namespace {

std::string Name(const QString& fileName)
{
    return fileName.toStdString();
}

QString Decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

} // namespace

QString ReadSqlTextFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(messages::CannotOpenFile(Name(fileName)));
    // A device or pipe reports no size; read at most one byte past the limit to tell.
    const QByteArray bytes = file.read(kMaxSqlFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EReadError(messages::CannotOpenFile(Name(fileName)) + ": " +
                         file.errorString().toStdString());
    if (bytes.size() > kMaxSqlFileBytes)
        throw EReadError(Name(fileName) + " is too large to load as SQL text (more than " +
                         std::to_string(kMaxSqlFileBytes / (1024 * 1024)) + " MB)");
    if (bytes.contains('\0'))
        throw EReadError(Name(fileName) + " is not a text file");

    QString text = Decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

void WriteSqlTextFile(const QString& fileName, const QStringList& lines)
{
    TSafeFileSink sink(Name(fileName));
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8();
        sink.Write(bytes.constData(), static_cast<size_t>(bytes.size()));
        sink.Write(std::string_view("\r\n"));
    }
    sink.Commit();
}

} // namespace quorvex
