#pragma once

#include "DBOraClass.h"
#include "DatabaseSession.h"

#include <string>
#include <string_view>

namespace quorvex {

// One query of a reading phase: sets its text, opens it, and closes it again on every path.
class TReadPhase {
public:
    TReadPhase(TQuery& query, const TProgress& progress, std::string_view caption);
    ~TReadPhase();
    TReadPhase(const TReadPhase&) = delete;
    TReadPhase& operator=(const TReadPhase&) = delete;

    void SetText(std::string_view text);
    void SetText(std::string_view hintPrefix, std::string_view text);
    // Appends a clause after the text read back, so it starts a new line.
    void AppendClause(std::string_view clause);
    void BindUserNo(const std::string& userNo);
    void Open();

    TQuery& Query() { return m_query; }

private:
    TQuery& m_query;
};

// Reports a caption when there is someone to report to.
inline void Report(const TProgress& progress, std::string_view caption)
{
    if (progress)
        progress(caption);
}

// The 32-bit key value × factor + part, or nothing when it does not fit in 32 bits.
bool CombinedKey(std::int64_t value, std::int64_t factor, std::int64_t part, std::int32_t& key);

} // namespace quorvex
