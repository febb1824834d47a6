#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <string_view>

namespace quorvex {

struct TFileRequest;

// The snapshot commands' file dialogs: the filter lists, the extension every written name gets,
// and the date and time a comparison report is stamped with.

// "Description|patterns|Description|patterns" as Qt's filter entries; "*.*" becomes "*",
// which is what it means to the user.
QStringList QtFilterList(std::string_view pairs);

// The save dialog's five filters (objects, SQL, all, layouts, texts) or the open dialog's
// first four, with the 1-based `selected` one chosen.
TFileRequest SnapshotFileRequest(bool save, const QString& title, const QString& defaultSuffix,
                                 int selected);

// The name with its extension (from the last "." after the last "/") replaced by `extension`,
// or with `extension` appended when it has none.
QString ChangeFileExt(const QString& fileName, const QString& extension);

// The locale's short date, a blank and its long time; the time is left out when it is exactly
// midnight.
QString ReportDateTime(const QDateTime& when, const QLocale& locale);

} // namespace quorvex
