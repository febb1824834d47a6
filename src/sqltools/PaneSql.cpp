#include "PaneSql.h"

namespace quorvex {

QStringList PaneLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

bool RewriteStarLine(QStringList& lines)
{
    if (lines.isEmpty() || !lines.first().startsWith(QLatin1Char('*')))
        return false;
    lines.first() = QStringLiteral("SELECT * FROM ") + lines.first().mid(1);
    return true;
}

TPaneSqlKind ClassifyPaneSql(const QStringList& lines)
{
    if (lines.isEmpty())
        return TPaneSqlKind::Nothing;
    const QString& first = lines.first();
    if (first.isEmpty())
        return lines.size() == 1 ? TPaneSqlKind::Nothing : TPaneSqlKind::EmptyFirstLine;
    const QChar c = first.front();
    return (c == QLatin1Char('S') || c == QLatin1Char('s')) ? TPaneSqlKind::Query
                                                            : TPaneSqlKind::Statement;
}

QString StatementText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace quorvex
