#pragma once

#include "dictionary/DatabaseSession.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace quorvex::test {

// One opening of a query as the session received it.
struct TOpenedStatement {
    std::string Sql; // SQLText() at Open: every line followed by CR LF
    // The parameters set since the previous Open, in order: NAME='text' or NAME=integer.
    std::vector<std::string> Params;

    bool operator==(const TOpenedStatement&) const = default;
};
void PrintTo(const TOpenedStatement& statement, std::ostream* out);

// How an injected failure shows: as the engine's database errors do, or as any other exception.
enum class TInjectedFailure { DatabaseError, OtherError };

// A TQuery that forwards every call to a real engine query and records what each Open sends.
// It can fail a chosen call of Next, to follow the path an error takes through a reader.
class TRecordingQuery final : public TQuery {
public:
    explicit TRecordingQuery(std::unique_ptr<TQuery> inner);

    const std::vector<TOpenedStatement>& Opened() const { return m_opened; }
    void ClearLog() { m_opened.clear(); }
    // Next fails on its n-th call after an Open (1-based; 0 never) of a statement that contains
    // `statementPart`: with an Exception, or for OtherError with a std::runtime_error.
    void FailNextCall(int n, std::string statementPart = {},
                      TInjectedFailure failure = TInjectedFailure::DatabaseError)
    {
        m_failNextAt = n;
        m_failIn = std::move(statementPart);
        m_failure = failure;
    }
    const TQuery& Inner() const { return *m_inner; }

    void SetSQL(std::string_view text) override { m_inner->SetSQL(text); }
    void ClearSQL() override { m_inner->ClearSQL(); }
    void AddSQL(std::string_view line) override { m_inner->AddSQL(line); }
    std::string SQLText() const override { return m_inner->SQLText(); }

    void SetParam(std::string_view name, std::string_view text) override;
    void SetParam(std::string_view name, std::int64_t value) override;
    void SetParam(int index, std::string_view text) override;
    void SetParam(int index, std::int64_t value) override;

    void Open() override;
    bool IsOpen() const override { return m_inner->IsOpen(); }
    bool Eof() const override { return m_inner->Eof(); }
    void First() override { m_inner->First(); }
    void Next() override;
    void Close() override { m_inner->Close(); }
    void ExecSQL() override { m_inner->ExecSQL(); }

    int FieldCount() const override { return m_inner->FieldCount(); }
    std::string FieldName(int index) const override { return m_inner->FieldName(index); }
    int FieldIndex(std::string_view name) const override { return m_inner->FieldIndex(name); }
    bool IsNull(int index) const override { return m_inner->IsNull(index); }
    std::string AsText(int index) const override { return m_inner->AsText(index); }
    std::int64_t AsInteger(int index) const override { return m_inner->AsInteger(index); }
    double AsDateTime(int index) const override { return m_inner->AsDateTime(index); }
    double AsFloat(int index) const override { return m_inner->AsFloat(index); }

private:
    std::unique_ptr<TQuery> m_inner;
    std::vector<TOpenedStatement> m_opened;
    std::vector<std::string> m_pendingParams;
    int m_failNextAt = 0;
    std::string m_failIn;
    TInjectedFailure m_failure = TInjectedFailure::DatabaseError;
    bool m_failThisStatement = false;
    int m_nextCalls = 0;
};

} // namespace quorvex::test
