#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {

// A configuration file of [sections] holding key=value lines. Section and key names compare
// without regard to case and keep the spelling they were first written with. A value is
// everything after the first '=' up to the line break; the key is trimmed. Lines without '='
// and lines starting with ';' are ignored and not kept when the file is saved again; a key
// repeated in a section keeps its first value.
class TIniFile {
public:
    using TEntry = std::pair<std::string, std::string>; // key, value

    // Reads the file; a missing file is an empty ini. EFOpenError when it exists but cannot be
    // read.
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return m_fileName; }

    std::vector<std::string> Sections() const;
    bool SectionExists(std::string_view section) const;
    // The keys of a section in file order; empty when the section is missing.
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<TEntry> Entries(std::string_view section) const;
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;

    // Sets a key, creating the section at the end when needed. An Exception when the section,
    // key or value would not read back the same (line breaks, "=" in the key, "]" in the
    // section).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // True when the key existed.
    bool DeleteKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    // Writes every section through a temporary file renamed into place, so a failed save
    // keeps the old file.
    void Save() const;
    // The text Save writes.
    std::string Text() const;

private:
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
    };

    void Parse(std::string_view text);
    const TSection* FindSection(std::string_view name) const;
    TSection* FindSection(std::string_view name);

    std::string m_fileName;
    std::vector<TSection> m_sections;
};

} // namespace quorvex
