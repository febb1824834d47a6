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

QString Decode(const QByteArray& bytes, QStringConverter::Encoding& encoding)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    encoding = utf8.hasError() ? QStringConverter::Latin1 : QStringConverter::Utf8;
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

bool FitsLatin1(const QStringList& lines)
{
    for (const QString& line : lines)
        for (const QChar c : line)
            if (c.unicode() > 0xFF)
                return false;
    return true;
}

} // namespace

QString ReadSqlTextFile(const QString& fileName, QStringConverter::Encoding* encoding)
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

    QStringConverter::Encoding found = QStringConverter::Utf8;
    QString text = Decode(bytes, found);
    if (encoding != nullptr)
        *encoding = found;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

void WriteSqlTextFile(const QString& fileName, const QStringList& lines,
                      QStringConverter::Encoding encoding)
{
    const bool latin1 = encoding == QStringConverter::Latin1 && FitsLatin1(lines);
    TSafeFileSink sink(Name(fileName));
    for (const QString& line : lines) {
        const QByteArray bytes = latin1 ? line.toLatin1() : line.toUtf8();
        sink.Write(bytes.constData(), static_cast<size_t>(bytes.size()));
        sink.Write(std::string_view("\r\n"));
    }
    sink.Commit();
}

} // namespace quorvex
