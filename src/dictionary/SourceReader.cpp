#include "SourceReader.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

namespace {

bool IsStoredCode(int objectType)
{
    return objectType == ObjectTypes::Procedure || objectType == ObjectTypes::Function ||
           objectType == ObjectTypes::PackageHeader || objectType == ObjectTypes::PackageBody;
}

// Consecutive rows of one object with rising line numbers, their texts joined as they came.
// The dictionary usually delivers each object's lines as one run, in object order: the runs'
// texts are then the objects' texts, with no list item, key or copy per line.
struct TSourceRun {
    std::int32_t ObjectNo = 0;
    std::vector<std::pair<std::int32_t, std::uint32_t>> Lines; // line number and length
    std::string Text;
};

// One line of a run, for putting lines in order when the runs are not.
struct TLineRef {
    std::int32_t ObjectNo;
    std::int32_t Line;
    size_t Run;
    size_t Offset;
    std::uint32_t Length;
};

// Whether every object has one run and the runs come by rising object number.
bool InObjectOrder(const std::vector<TSourceRun>& runs)
{
    for (size_t i = 1; i < runs.size(); ++i) {
        if (runs[i - 1].ObjectNo >= runs[i].ObjectNo)
            return false;
    }
    return true;
}

// One run per object, in object and line order: the lines ordered by the (object, line) pair
// (a combined 32-bit key would overflow for every object number above 32767), lines of equal
// number keeping the order they came in.
std::vector<TSourceRun> OrderedRuns(std::vector<TSourceRun>&& runs)
{
    std::vector<TLineRef> lines;
    for (size_t r = 0; r < runs.size(); ++r) {
        size_t offset = 0;
        for (const auto& [line, length] : runs[r].Lines) {
            lines.push_back({runs[r].ObjectNo, line, r, offset, length});
            offset += length;
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const TLineRef& a, const TLineRef& b) {
        return a.ObjectNo != b.ObjectNo ? a.ObjectNo < b.ObjectNo : a.Line < b.Line;
    });
    std::vector<TSourceRun> ordered;
    for (const TLineRef& ref : lines) {
        if (ordered.empty() || ordered.back().ObjectNo != ref.ObjectNo)
            ordered.push_back({ref.ObjectNo, {}, {}});
        ordered.back().Lines.emplace_back(ref.Line, ref.Length);
        ordered.back().Text.append(
            std::string_view(runs[ref.Run].Text).substr(ref.Offset, ref.Length));
    }
    return ordered;
}

} // namespace

TSourceReader::TSourceReader(TDBNewOracle& root, TQuery& query, const TProgress& progress)
    : m_root(root)
    , m_query(query)
    , m_progress(progress)
{
}

void TSourceReader::ReadAndAttach()
{
    std::vector<TSourceRun> runs;
    {
        TReadPhase phase(m_query, m_progress, "Reading Source...");
        if (m_root.Restricted()) {
            phase.SetText(m_root.HintPrefix(), queries::kSourceRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_root.HintPrefix(), queries::kSourceAll);
        }
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            const auto objectNo = static_cast<std::int32_t>(m_query.AsInteger(0));
            const auto line = static_cast<std::int32_t>(m_query.AsInteger(1));
            const std::string text = m_query.AsText(2);
            if (text.size() > std::numeric_limits<std::uint32_t>::max())
                throw Exception("A line of stored source is too long to read");
            if (runs.empty() || runs.back().ObjectNo != objectNo ||
                runs.back().Lines.back().first >= line)
                runs.push_back({objectNo, {}, {}});
            runs.back().Lines.emplace_back(line, static_cast<std::uint32_t>(text.size()));
            runs.back().Text += text;
        }
    }
    Report(m_progress, "Sorting Source...");
    if (!InObjectOrder(runs))
        runs = OrderedRuns(std::move(runs));

    Report(m_progress, "Attaching Source...");
    TObjectList& objects = m_root.Objects();
    for (TSourceRun& run : runs) {
        TObjectItem* object = objects.FindByOID(run.ObjectNo);
        if (object == nullptr)
            continue;
        // The first line replaces the text the object had; stored code gets the prefix.
        constexpr std::string_view prefix = "CREATE OR REPLACE ";
        const bool code = IsStoredCode(object->ObjectType);
        std::string text;
        text.reserve((code ? prefix.size() : 0) + run.Text.size());
        if (code)
            text += prefix;
        text += run.Text;
        object->ObjectText = std::move(text);
        run = TSourceRun(); // freed as it goes, so the texts are not held twice
    }
}

} // namespace quorvex
