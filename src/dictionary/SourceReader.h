#pragma once

#include "DBOraClass.h"

namespace quorvex {

class TQuery;

// Reads stored source in one query for the whole schema and attaches it to the objects in one
// pass over the lines ordered by object and line number. Errors pass to the caller.
class TSourceReader {
public:
    TSourceReader(TDBNewOracle& root, TQuery& query, const TProgress& progress);

    void ReadAndAttach();

private:
    TDBNewOracle& m_root;
    TQuery& m_query;
    const TProgress& m_progress;
};

} // namespace quorvex
