#include "LayoutFile.h"

#include "DiagramDocument.h"
#include "persistence/AsciiText.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace quorvex {

namespace {

// Positions and group numbers beyond these are brought back: a zoom multiplies positions, and
// no diagram is a million pixels wide.
constexpr int kMaxPosition = 1 << 24;
constexpr int kMaxTag = 1 << 20;

// The value as a whole decimal integer (blanks around it allowed), 0 when it is not one.
int ToInt(const std::string* value, int limit)
{
    if (value == nullptr)
        return 0;
    std::string_view text = *value;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return int(std::clamp<long long>(number, -limit, limit));
}

void Add(std::string& text, const std::string& key, std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos)
        throw Exception("The layout entry " + key + " holds a line break and cannot be saved");
    text.append(key).append("=").append(value).append("\r\n");
}

} // namespace

TLayoutEntries TLayoutEntries::Parse(std::string_view text, const std::string& source)
{
    if (text.find('\0') != std::string_view::npos)
        throw Exception("\"" + source + "\" is not a layout file: it holds binary data");
    TLayoutEntries entries;
    // Lines end at CR LF, CR or LF, as the classic string lists read them: no value ever holds
    // a line break, so whatever is loaded can be saved again.
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
            text[next] == '\n')
            ++next;
        text.remove_prefix(next);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        entries.m_values.try_emplace(UpperAsciiText(line.substr(0, equals)),
                                     line.substr(equals + 1));
    }
    return entries;
}

const std::string* TLayoutEntries::Find(std::string_view key) const
{
    const auto found = m_values.find(UpperAsciiText(key));
    return found == m_values.end() ? nullptr : &found->second;
}

std::string LayoutText(const TDiagramDocument& document)
{
    std::unordered_map<const TGDBComponent*, int> numbers;
    const auto& components = document.Components();
    for (size_t i = 0; i < components.size(); ++i)
        numbers.emplace(components[i].get(), int(i));
    std::string text;
    for (size_t i = 0; i < components.size(); ++i) {
        const std::string n = std::to_string(i);
        const TGDBComponent& component = *components[i];
        if (component.IsTable()) {
            const auto& table = static_cast<const TGDBTable&>(component);
            Add(text, n, "TGDBTable");
            Add(text, n + "TableName", table.TableName());
            Add(text, n + "Left", std::to_string(table.Left() * table.Scale()));
            Add(text, n + "Top", std::to_string(table.Top() * table.Scale()));
            Add(text, n + "ShowFields", table.ShowFields() ? "1" : "0");
            Add(text, n + "ShowMask", table.ShowMask());
            Add(text, n + "Tag", std::to_string(table.Tag));
            continue;
        }
        const auto& line = static_cast<const TGDBLine&>(component);
        Add(text, n, "TGDBLine");
        if (line.FromTable() != nullptr)
            Add(text, n + "FromTable", std::to_string(numbers.at(line.FromTable())));
        if (line.ToTable() != nullptr)
            Add(text, n + "ToTable", std::to_string(numbers.at(line.ToTable())));
        Add(text, n + "Hint", line.Hint);
        Add(text, n + "Straight", line.Straight() ? "1" : "0");
    }
    return text;
}

void SaveLayout(const TDiagramDocument& document, const std::string& fileName)
{
    if (document.ShowStatus)
        document.ShowStatus("Saving layout to file \"" + fileName + "\"");
    const std::string text = LayoutText(document);
    TSafeFileSink sink(fileName);
    sink.Write(text.data(), text.size());
    sink.Commit();
    if (document.ShowStatus)
        document.ShowStatus("Saved");
}

void LoadLayoutText(TDiagramDocument& document, std::string_view text, const std::string& source,
                    QPoint viewOrigin)
{
    const TLayoutEntries entries = TLayoutEntries::Parse(text, source);
    const size_t base = document.Components().size();
    int highestTag = 0;
    // Groups read so far are numbered above the diagram's own, even when reading stops early.
    struct TCounterGuard {
        TDiagramDocument& Document;
        int& Highest;
        ~TCounterGuard() { Document.GroupCounter += Highest; }
    } guard{document, highestTag};

    const auto tableAt = [&](const std::string& key) {
        const size_t index = base + size_t(std::max(0, ToInt(entries.Find(key), kMaxPosition)));
        const auto& components = document.Components();
        if (index >= components.size() || !components[index]->IsTable())
            throw Exception("Layout file \"" + source + "\": the entry " + key +
                            " names no table of the layout");
        return static_cast<TGDBTable*>(components[index].get());
    };

    for (int n = 0;; ++n) {
        const std::string key = std::to_string(n);
        const std::string* kind = entries.Find(key);
        if (kind == nullptr || kind->empty())
            break;
        if (*kind == "TGDBTable") {
            const std::string* mask = entries.Find(key + "ShowMask");
            const std::string* showFields = entries.Find(key + "ShowFields");
            const std::string* name = entries.Find(key + "TableName");
            const int tag = std::max(0, ToInt(entries.Find(key + "Tag"), kMaxTag));
            highestTag = std::max(highestTag, tag);
            document.LoadTable(name != nullptr ? *name : std::string(),
                               QPoint(ToInt(entries.Find(key + "Left"), kMaxPosition),
                                      ToInt(entries.Find(key + "Top"), kMaxPosition)),
                               showFields == nullptr || *showFields != "0",
                               mask != nullptr ? *mask : std::string(),
                               tag > 0 ? document.GroupCounter + tag : 0, viewOrigin);
        } else if (*kind == "TGDBLine") {
            // Both ends are checked before the line exists: no line points at anything but a
            // table.
            TGDBTable* from = tableAt(key + "FromTable");
            TGDBTable* to = tableAt(key + "ToTable");
            TGDBLine& line = document.NewLine();
            const std::string* hint = entries.Find(key + "Hint");
            line.Hint = hint != nullptr ? *hint : std::string();
            line.ShowHint = !line.Hint.empty();
            line.SetFromTable(from);
            line.SetToTable(to);
            const std::string* straight = entries.Find(key + "Straight");
            line.SetStraight(straight == nullptr || *straight != "0");
            line.Visible = true;
        }
    }
}

bool LoadLayout(TDiagramDocument& document, const std::string& fileName, QPoint viewOrigin)
{
    std::error_code error;
    const std::filesystem::path path(fileName);
    if (!std::filesystem::exists(path, error))
        return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw EFOpenError(messages::CannotOpenFile(fileName));
    if (size > kMaxLayoutFileBytes)
        throw Exception("\"" + fileName + "\" is not a layout file: it is larger than 64 MiB");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw EFOpenError(messages::CannotOpenFile(fileName));
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw EReadError(messages::kStreamReadError);
    if (document.ShowStatus)
        document.ShowStatus("Loading layout from file \"" + fileName + "\"");
    LoadLayoutText(document, text.str(), fileName, viewOrigin);
    if (document.ShowStatus)
        document.ShowStatus("Finished");
    return true;
}

} // namespace quorvex
