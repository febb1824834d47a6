#include "IniFile.h"

#include "ByteStream.h"
#include "Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace quorvex {
namespace {

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct TFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Nothing when the file does not exist.
std::optional<std::string> ReadWholeFile(const std::string& fileName)
{
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        if (errno == ENOENT)
            return std::nullopt;
        throw EFOpenError(messages::CannotOpenFile(fileName));
    }
    std::string text;
    char buffer[8192];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, count);
    if (std::ferror(file.get()))
        throw EReadError(messages::kStreamReadError);
    return text;
}

} // namespace

TIniFile::TIniFile(std::string fileName)
    : m_fileName(std::move(fileName))
{
    if (const auto text = ReadWholeFile(m_fileName))
        Parse(*text);
}

void TIniFile::Parse(std::string_view text)
{
    TSection* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            const std::string_view name = Trim(trimmed.substr(
                1, close == std::string_view::npos ? trimmed.size() - 1 : close - 1));
            current = FindSection(name);
            if (current == nullptr) {
                m_sections.push_back({std::string(name), {}});
                current = &m_sections.back();
            }
            continue;
        }
        const auto equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos || trimmed.front() == ';')
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const bool known = std::any_of(current->Entries.begin(), current->Entries.end(),
                                       [&](const TEntry& e) { return SameText(e.first, key); });
        if (!known)
            current->Entries.emplace_back(std::string(key), std::string(line.substr(equals + 1)));
    }
}

const TIniFile::TSection* TIniFile::FindSection(std::string_view name) const
{
    for (const auto& section : m_sections)
        if (SameText(section.Name, name))
            return &section;
    return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(std::string_view name)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

std::vector<std::string> TIniFile::Sections() const
{
    std::vector<std::string> names;
    for (const auto& section : m_sections)
        names.push_back(section.Name);
    return names;
}

bool TIniFile::SectionExists(std::string_view section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::string> TIniFile::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    for (const auto& entry : Entries(section))
        keys.push_back(entry.first);
    return keys;
}

std::vector<TIniFile::TEntry> TIniFile::Entries(std::string_view section) const
{
    const TSection* found = FindSection(section);
    return found != nullptr ? found->Entries : std::vector<TEntry>{};
}

std::optional<std::string> TIniFile::Find(std::string_view section, std::string_view key) const
{
    if (const TSection* found = FindSection(section))
        for (const auto& entry : found->Entries)
            if (SameText(entry.first, key))
                return entry.second;
    return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const
{
    return Find(section, key).value_or(std::string(fallback));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    // Such names and values would read back differently.
    const auto breaks = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    if (breaks(section) || breaks(key) || breaks(value) || Trim(key).empty() ||
        key.find('=') != std::string_view::npos || section.find(']') != std::string_view::npos)
        throw Exception("Cannot write the key \"" + std::string(key) + "\" to " + m_fileName);
    TSection* found = FindSection(section);
    if (found == nullptr) {
        m_sections.push_back({std::string(Trim(section)), {}});
        found = &m_sections.back();
    }
    const std::string_view name = Trim(key);
    for (auto& entry : found->Entries) {
        if (SameText(entry.first, name)) {
            entry.second = value;
            return;
        }
    }
    found->Entries.emplace_back(std::string(name), std::string(value));
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    TSection* found = FindSection(section);
    if (found == nullptr)
        return false;
    const auto before = found->Entries.size();
    std::erase_if(found->Entries, [&](const TEntry& e) { return SameText(e.first, Trim(key)); });
    return found->Entries.size() != before;
}

bool TIniFile::EraseSection(std::string_view section)
{
    return std::erase_if(m_sections, [&](const TSection& s) { return SameText(s.Name, section); }) >
           0;
}

std::string TIniFile::Text() const
{
    std::string text;
    for (const auto& section : m_sections) {
        if (!text.empty())
            text += '\n';
        text += '[' + section.Name + "]\n";
        for (const auto& [key, value] : section.Entries)
            text += key + '=' + value + '\n';
    }
    return text;
}

void TIniFile::Save() const
{
    TSafeFileSink sink(m_fileName);
    sink.Write(Text());
    sink.Commit();
}

} // namespace quorvex
