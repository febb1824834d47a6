#include "ReadPhase.h"

#include <limits>

namespace quorvex {

TReadPhase::TReadPhase(TQuery& query, const TProgress& progress, std::string_view caption)
    : m_query(query)
{
    Report(progress, caption);
}

TReadPhase::~TReadPhase()
{
    try {
        m_query.Close();
    } catch (...) { // closing must not hide the phase's own failure
    }
}

void TReadPhase::SetText(std::string_view text)
{
    m_query.SetSQL(text);
}

void TReadPhase::SetText(std::string_view hintPrefix, std::string_view text)
{
    std::string sql(hintPrefix);
    sql.append(text);
    m_query.SetSQL(sql);
}

void TReadPhase::AppendClause(std::string_view clause)
{
    std::string sql = m_query.SQLText();
    sql.append(clause);
    m_query.SetSQL(sql);
}

void TReadPhase::BindUserNo(const std::string& userNo)
{
    m_query.SetParam("USER_NO", userNo);
}

void TReadPhase::Open()
{
    m_query.Open();
}

bool CombinedKey(std::int64_t value, std::int64_t factor, std::int64_t part, std::int32_t& key)
{
    const std::int64_t combined = value * factor + part;
    if (combined < std::numeric_limits<std::int32_t>::min() ||
        combined > std::numeric_limits<std::int32_t>::max())
        return false;
    key = static_cast<std::int32_t>(combined);
    return true;
}

} // namespace quorvex
