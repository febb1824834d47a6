#include "TextReader.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <memory>

namespace quorvex {

namespace {
constexpr std::int64_t kDescendingColumn = 0x20000;
}

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
    m_moved.clear();
    // Removing each moved object from the middle of a large list one at a time would be
    // quadratic; the list stays sorted, so later lookups are unaffected.
    const auto removeMoved = [this] {
        if (!m_moved.empty()) {
            m_root.Objects().RemoveIf(
                [this](const TCleanItem& item) { return m_moved.contains(&item); });
            m_moved.clear();
        }
    };
    try {
        body();
    } catch (const Exception&) {
        // Ends the phase without a message, as the structure phases do.
    } catch (...) {
        // Any other failure passes on, but never leaves a moved object in two places.
        removeMoved();
        throw;
    }
    removeMoved();
}

void TTextReader::ReadTriggers()
{
    TObjectList& objects = m_root.Objects();
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Triggers...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kTriggersRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kTriggersAll);
        }
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            TObjectItem* trigger =
                objects.FindByOID(static_cast<std::int32_t>(m_query.AsInteger(0)));
            if (trigger == nullptr || m_moved.contains(trigger))
                continue;
            trigger->ObjectText = m_query.AsText(2) + m_query.AsText(3);
            TObjectItem* base = objects.FindByOID(static_cast<std::int32_t>(m_query.AsInteger(1)));
            if (base == nullptr)
                continue; // a database trigger, or one on a table that was not read
            base->ObjectTriggers().NewItem()->Assign(*trigger);
            m_moved.insert(trigger);
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
    TObjectList& objects = m_root.Objects();
    RunTextPhase([&] {
        TReadPhase phase(m_query, m_progress, "Reading Indexes...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kIndexesRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kIndexesAll);
        }
        phase.Open();
        const auto columnText = [&] {
            std::string name = m_query.AsText(2);
            if ((m_query.AsInteger(4) & kDescendingColumn) != 0)
                name += " DESC";
            return name;
        };
        while (!m_query.Eof()) {
            const auto indexNo = static_cast<std::int32_t>(m_query.AsInteger(0));
            TObjectItem* index = objects.FindByOID(indexNo);
            TObjectItem* table = objects.FindByOID(static_cast<std::int32_t>(m_query.AsInteger(1)));
            if (index == nullptr || table == nullptr || m_moved.contains(index)) {
                m_query.Next();
                continue;
            }
            auto item = std::make_unique<TIndexItem>();
            item->Assign(*index);
            item->TableName = table->ObjectName;
            item->IndexFields = columnText();
            for (m_query.Next(); !m_query.Eof() && m_query.AsInteger(0) == index->OID;
                 m_query.Next())
                item->IndexFields.append(",").append(columnText());
            item->ObjectText = "CREATE INDEX " + item->ObjectName + " ON " + item->TableName +
                               " (" + item->IndexFields + ")";
            // Moved only once all its columns are read: a failure on the way leaves the index
            // in the object list, not a half index under the table as well.
            table->ObjectIndexes().Add(std::move(item));
            m_moved.insert(index);
        }
    });
}

} // namespace quorvex
