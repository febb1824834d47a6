#pragma once

#include "DBOraClass.h"

#include <string>

namespace quorvex {

class TQuery;

// The phases of a schema read that produce texts: triggers, views and sequences get their
// creating texts, and trigger and index objects move under their tables.
class TTextReader {
public:
    TTextReader(TDBNewOracle& root, TQuery& query, const TProgress& progress);

    void ReadTriggers();
    void ReadViews();
    void ReadSequences();
    void ReadIndexes();

private:
    // Runs a phase whose failure ends it quietly; what it did so far stays. Objects a phase
    // moved under their tables leave the object list in one pass at its end, on every path.
    template <class Body>
    void RunTextPhase(Body body);

    TDBNewOracle& m_root;
    TQuery& m_query;
    const TProgress& m_progress;
    std::string m_hint;
};

} // namespace quorvex
