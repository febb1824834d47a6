#pragma once

#include "SessionClient.h"
#include "StatementParams.h"
#include "dictionary/DatabaseSession.h"

#include <string>
#include <vector>

namespace quorvex {

class TQtSession;

// "BEGIN name(A => :A, B => :B); END;" for the given parameters, in their order.
std::string StoredProcCallText(std::string_view name, const std::vector<std::string>& params);

// A stored procedure of a TQtSession. On Oracle, Prepare reads the argument names from
// ALL_ARGUMENTS (the first overload) and Execute runs an anonymous block naming every
// parameter that was set. The embedded engine knows the parameters of the procedures it
// emulates (emulation::EmulatedProcedureParams) and runs the same block; for any other
// procedure, and on other SQLite connections, Prepare raises an Exception.
class TSessionStoredProc final : public TStoredProc, private TSessionClient {
public:
    TSessionStoredProc(TQtSession& session, std::string_view name);
    ~TSessionStoredProc() override;
    TSessionStoredProc(const TSessionStoredProc&) = delete;
    TSessionStoredProc& operator=(const TSessionStoredProc&) = delete;

    void Prepare() override;
    std::vector<std::string> ParamNames() const override { return m_paramNames; }
    void SetParam(std::string_view name, std::string_view text) override;
    void SetParam(std::string_view name, std::int64_t value) override;
    void Execute() override;
    void Unprepare() override;

private:
    void ConnectionClosing() override {}
    void SessionDestroyed() override { m_session = nullptr; }

    TQtSession& Session() const;
    void Store(std::string_view name, TParamValue value);

    TQtSession* m_session;
    std::string m_name;
    bool m_prepared = false;
    std::vector<std::string> m_paramNames;
    TParamValues m_values;
};

} // namespace quorvex
