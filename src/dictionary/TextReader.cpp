#include "TextReader.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quorvex {

namespace {

constexpr std::int64_t kDescendingColumn = 0x20000;

// The object list, taken out of the root while a phase moves objects under their tables.
// Objects are looked up by number as in the list. A moved object is freed at once, so that the
// copy made of the next one can take its memory, and leaves a gap; the list goes back without
// the gaps in one pass when the phase ends, on every path (removing each moved object from the
// middle of a large list would be quadratic). The list is sorted by number and stays so.
class TMovingObjects {
public:
    explicit TMovingObjects(TObjectList& list)
        : m_list(list)
        , m_items(list.TakeItems())
    {
        m_numbers.reserve(m_items.size());
        for (const auto& item : m_items)
            m_numbers.push_back(item->OID);
    }
    ~TMovingObjects()
    {
        std::erase(m_items, nullptr);
        m_list.AddItems(std::move(m_items));
    }
    TMovingObjects(const TMovingObjects&) = delete;
    TMovingObjects& operator=(const TMovingObjects&) = delete;

    // The object numbered `number`; nullptr when there is none or it has moved.
    TObjectItem* Find(std::int32_t number) const
    {
        const size_t at = Position(number);
        return at < m_items.size() ? static_cast<TObjectItem*>(m_items[at].get()) : nullptr;
    }
    // Frees the object numbered `number`, which has moved under its table.
    void Free(std::int32_t number)
    {
        if (const size_t at = Position(number); at < m_items.size())
            m_items[at].reset();
    }

private:
    size_t Position(std::int32_t number) const
    {
        const auto it = std::lower_bound(m_numbers.begin(), m_numbers.end(), number);
        if (it == m_numbers.end() || *it != number)
            return m_items.size();
        return static_cast<size_t>(it - m_numbers.begin());
    }

    TObjectList& m_list;
    std::vector<std::unique_ptr<TCleanItem>> m_items;
    std::vector<std::int32_t> m_numbers;
};

std::int32_t Int32(const TQuery& query, int column)
{
    return static_cast<std::int32_t>(query.AsInteger(column));
}

} // namespace

TTextReader::TTextReader(TDBNewOracle& root, TQuery& query, const TProgress& progress)
    : m_root(root)
    , m_query(query)
    , m_progress(progress)
    , m_hint(root.HintPrefix())
{
}

template <class Body>
void TTextReader::RunTextPhase(Body body)
{
    try {
        body();
    } catch (const Exception&) {
        // Ends the phase without a message, as the structure phases do.
    }
}

void TTextReader::ReadTriggers()
{
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Triggers...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kTriggersRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kTriggersAll);
        }
        TMovingObjects objects(m_root.Objects());
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            const std::int32_t triggerNo = Int32(m_query, 0);
            TObjectItem* trigger = objects.Find(triggerNo);
            if (trigger == nullptr)
                continue; // not read, or moved already
            trigger->ObjectText = m_query.AsText(2) + m_query.AsText(3);
            TObjectItem* base = objects.Find(Int32(m_query, 1));
            if (base == nullptr)
                continue; // a database trigger, or one on a table that was not read
            base->ObjectTriggers().NewItem()->Assign(*trigger);
            objects.Free(triggerNo);
        }
    });
}

void TTextReader::ReadViews()
{
    TObjectList& objects = m_root.Objects();
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Views...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kViewsRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kViewsAll);
        }
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            if (TObjectItem* view =
                    objects.FindByOID(static_cast<std::int32_t>(m_query.AsInteger(0))))
                view->ObjectText =
                    "CREATE OR REPLACE VIEW " + view->ObjectName + " AS " + m_query.AsText(1);
        }
    });
}

void TTextReader::ReadSequences()
{
    TObjectList& objects = m_root.Objects();
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Sequences...");
        phase.SetText(m_hint, queries::kSequences);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            TObjectItem* sequence =
                objects.FindByOID(static_cast<std::int32_t>(m_query.AsInteger(0)));
            if (sequence == nullptr)
                continue;
            const auto optional = [&](int column, const char* absent, const char* present,
                                      bool withValue) {
                if (m_query.IsNull(column))
                    return std::string(absent);
                return std::string(present) + (withValue ? m_query.AsText(column) : std::string());
            };
            std::string text = "CREATE SEQUENCE \"" + sequence->ObjectName + "\"\r\n";
            text += " START WITH " + m_query.AsText(1) + "\r\n";
            text += " INCREMENT BY " + m_query.AsText(2) + "\r\n";
            text += optional(3, " NOMINVALUE", " MINVALUE ", true) + "\r\n";
            text += optional(4, " NOMAXVALUE", " MAXVALUE ", true) + "\r\n";
            text += optional(5, " NOCYCLE", " CYCLE", false) + "\r\n";
            text += optional(6, " NOCACHE", " CACHE ", true) + "\r\n";
            text += optional(7, " NOORDER", " ORDER", false);
            sequence->ObjectText = text + ";";
        }
    });
}

void TTextReader::ReadIndexes()
{
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Indexes...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kIndexesRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kIndexesAll);
        }
        TMovingObjects objects(m_root.Objects());
        phase.Open();
        const auto columnText = [&] {
            std::string name = m_query.AsText(2);
            if ((m_query.AsInteger(4) & kDescendingColumn) != 0)
                name += " DESC";
            return name;
        };
        while (!m_query.Eof()) {
            const std::int32_t indexNo = Int32(m_query, 0);
            TObjectItem* index = objects.Find(indexNo);
            TObjectItem* table = objects.Find(Int32(m_query, 1));
            if (index == nullptr || table == nullptr) {
                m_query.Next();
                continue;
            }
            auto item = std::make_unique<TIndexItem>();
            item->Assign(*index);
            item->TableName = table->ObjectName;
            item->IndexFields = columnText();
            for (m_query.Next(); !m_query.Eof() && m_query.AsInteger(0) == indexNo; m_query.Next())
                item->IndexFields.append(",").append(columnText());
            item->ObjectText = "CREATE INDEX " + item->ObjectName + " ON " + item->TableName +
                               " (" + item->IndexFields + ")";
            // Moved only once all its columns are read: a failure on the way leaves the index
            // in the object list, not a half index under the table as well.
            table->ObjectIndexes().Add(std::move(item));
            objects.Free(indexNo);
        }
    });
}

} // namespace quorvex
