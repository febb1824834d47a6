#include "SnapshotFiles.h"

#include "forms/Dialogs.h"

#include <QRegularExpression>

namespace quorvex {

namespace {

constexpr std::string_view kSaveFilters =
    "Object Files (*.OBJ)|*.OBJ|SQL Files (*.SQL)|*.SQL|All Files (*.*)|*.*|"
    "Layout Files (*.LYT)|*.LYT|Text Files (*.TXT)|*.TXT";
constexpr std::string_view kOpenFilters =
    "Object Files (*.OBJ)|*.OBJ|SQL Files (*.SQL)|*.SQL|All Files (*.*)|*.*|"
    "Layout Files (*.LYT)|*.LYT";

} // namespace

QStringList QtFilterList(std::string_view pairs)
{
    const QStringList parts =
        QString::fromUtf8(pairs.data(), qsizetype(pairs.size())).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the parentheses, so the description must not keep
        // patterns of its own.
        const qsizetype open = description.indexOf(QLatin1Char('('));
        if (open >= 0)
            description = description.left(open).trimmed();
        if (patterns == QLatin1String("*.*"))
            patterns = QStringLiteral("*");
        filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

TFileRequest SnapshotFileRequest(bool save, const QString& title, const QString& defaultSuffix,
                                 int selected)
{
    const QStringList filters = QtFilterList(save ? kSaveFilters : kOpenFilters);
    TFileRequest request;
    request.Title = title;
    request.Filter = filters.join(QStringLiteral(";;"));
    request.DefaultSuffix = defaultSuffix;
    if (selected >= 1 && selected <= filters.size())
        request.SelectedFilter = filters[selected - 1];
    return request;
}

QString ChangeFileExt(const QString& fileName, const QString& extension)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return fileName.left(dot) + extension;
    return fileName + extension;
}

QString ReportDateTime(const QDateTime& when, const QLocale& locale)
{
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) {
        // Qt's long time format ends with the time zone ("t"); the report shows the clock time
        // only, as the system's long time format does elsewhere.
        QString format = locale.timeFormat(QLocale::LongFormat);
        format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
        text += QLatin1Char(' ') + locale.toString(when.time(), format.trimmed());
    }
    return text;
}

} // namespace quorvex
