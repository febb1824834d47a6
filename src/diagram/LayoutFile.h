#pragma once

#include <QPoint>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvex {

class TDiagramDocument;

// The largest layout file read: far beyond any real diagram, small enough to hold in memory.
inline constexpr std::uintmax_t kMaxLayoutFileBytes = 64u << 20;

// The entries of a layout file: key=value lines ended by CR LF (or LF), keys compared without
// regard to case, the first occurrence of a key kept.
class TLayoutEntries {
public:
    // Refuses text holding a zero byte (a binary file) with an Exception naming `source`.
    static TLayoutEntries Parse(std::string_view text, const std::string& source);

    // The value, or nullptr when the key is missing.
    const std::string* Find(std::string_view key) const;

private:
    std::unordered_map<std::string, std::string> m_values; // upper-case key -> value
};

// The layout text of a diagram: every component in creation order, a table's position at full
// scale, lines naming their end tables by number.
std::string LayoutText(const TDiagramDocument& document);
// Writes LayoutText through a temporary file renamed into place: a failed save keeps the old
// file.
void SaveLayout(const TDiagramDocument& document, const std::string& fileName);

// Adds the tables and lines of a layout text to the diagram: tables are read from the database
// by name, placed relative to `viewOrigin` (the diagram point at the top-left of the view), and
// their groups numbered above those already there. A line whose end does not name a table of
// this text stops the reading with an Exception; what was added before stays.
void LoadLayoutText(TDiagramDocument& document, std::string_view text, const std::string& source,
                    QPoint viewOrigin);
// Reads the file and loads it; false when the file does not exist (nothing happens). Refuses a
// file over kMaxLayoutFileBytes before reading it.
bool LoadLayout(TDiagramDocument& document, const std::string& fileName, QPoint viewOrigin);

} // namespace quorvex
