#pragma once

#include <QString>
#include <QStringConverter>
#include <QStringList>
#include <cstdint>

namespace quorvex {

// SQL text files as the text panes and the SQL Results window load and save them: plain text,
// lines ended by carriage return and line feed.

// Larger files are refused: a text field holding them would be of no use.
inline constexpr std::int64_t kMaxSqlFileBytes = 32 * 1024 * 1024;

// The file's text with every line break (CR LF, LF or CR) as a line feed and the break after
// the last line dropped. UTF-8 when the bytes are valid UTF-8, else one character per byte
// (Latin-1), so no 8-bit text is lost; `encoding`, when given, receives which. Throws
// Exception naming the file when it cannot be read, is larger than kMaxSqlFileBytes or holds a
// NUL byte (not a text file).
QString ReadSqlTextFile(const QString& fileName, QStringConverter::Encoding* encoding = nullptr);

// Writes the lines, each ended by CR LF, in `encoding` (UTF-8 or Latin-1; UTF-8 when a
// character has no Latin-1 code, so none is lost), through a temporary file renamed into
// place: a failed save leaves any previous file as it was. Throws Exception on failure.
void WriteSqlTextFile(const QString& fileName, const QStringList& lines,
                      QStringConverter::Encoding encoding = QStringConverter::Utf8);

} // namespace quorvex
