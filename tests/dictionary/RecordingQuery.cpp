#include "RecordingQuery.h"

#include "persistence/Exceptions.h"

#include <ostream>
#include <stdexcept>

namespace quorvex::test {

void PrintTo(const TOpenedStatement& statement, std::ostream* out)
{
    *out << "{Sql: \"" << statement.Sql << "\", Params: [";
    for (size_t i = 0; i < statement.Params.size(); ++i)
        *out << (i > 0 ? ", " : "") << statement.Params[i];
    *out << "]}";
}

TRecordingQuery::TRecordingQuery(std::unique_ptr<TQuery> inner)
    : m_inner(std::move(inner))
{
}

void TRecordingQuery::SetParam(std::string_view name, std::string_view text)
{
    m_pendingParams.push_back(std::string(name) + "='" + std::string(text) + "'");
    m_inner->SetParam(name, text);
}

void TRecordingQuery::SetParam(std::string_view name, std::int64_t value)
{
    m_pendingParams.push_back(std::string(name) + "=" + std::to_string(value));
    m_inner->SetParam(name, value);
}

void TRecordingQuery::SetParam(int index, std::string_view text)
{
    m_pendingParams.push_back(":" + std::to_string(index) + "='" + std::string(text) + "'");
    m_inner->SetParam(index, text);
}

void TRecordingQuery::SetParam(int index, std::int64_t value)
{
    m_pendingParams.push_back(":" + std::to_string(index) + "=" + std::to_string(value));
    m_inner->SetParam(index, value);
}

void TRecordingQuery::Open()
{
    // Recorded before forwarding, so that an opening that fails is seen too.
    m_opened.push_back({m_inner->SQLText(), std::move(m_pendingParams)});
    m_pendingParams.clear();
    m_nextCalls = 0;
    m_failThisStatement = m_opened.back().Sql.find(m_failIn) != std::string::npos;
    m_inner->Open();
}

void TRecordingQuery::Next()
{
    if (++m_nextCalls == m_failNextAt && m_failThisStatement) {
        if (m_failure == TInjectedFailure::OtherError)
            throw std::runtime_error("injected failure of Next");
        throw Exception("injected failure of Next");
    }
    m_inner->Next();
}

} // namespace quorvex::test
