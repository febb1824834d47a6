#pragma once

#include "BackendConnection.h"
#include "SessionClient.h"
#include "StatementParams.h"
#include "dictionary/DatabaseSession.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvex {

class TQtSession;

// A query of a TQtSession, on whatever connection the session has when it opens. Parameters
// are kept by name across changes of the text; an index names the parameter at that position
// among the distinct parameters of the current text. Reading a field of a closed query raises
// an Exception; past the last row every field reads as null.
class TSessionQuery final : public TQuery, private TSessionClient {
public:
    TSessionQuery(TQtSession& session, bool parseParams);
    ~TSessionQuery() override;
    TSessionQuery(const TSessionQuery&) = delete;
    TSessionQuery& operator=(const TSessionQuery&) = delete;

    void SetSQL(std::string_view text) override;
    void ClearSQL() override;
    void AddSQL(std::string_view line) override;
    std::string SQLText() const override;

    void SetParam(std::string_view name, std::string_view text) override;
    void SetParam(std::string_view name, std::int64_t value) override;
    void SetParam(int index, std::string_view text) override;
    void SetParam(int index, std::int64_t value) override;

    void Open() override;
    bool IsOpen() const override { return m_cursor != nullptr; }
    bool Eof() const override { return m_eof; }
    // Back to the first row: runs the statement again unless the cursor is still there.
    void First() override;
    void Next() override;
    void Close() override;
    void ExecSQL() override;

    int FieldCount() const override { return static_cast<int>(m_fieldNames.size()); }
    std::string FieldName(int index) const override;
    int FieldIndex(std::string_view name) const override;
    bool FieldIsLongText(int index) const override;
    bool IsNull(int index) const override;
    std::string AsText(int index) const override;
    std::int64_t AsInteger(int index) const override;
    double AsDateTime(int index) const override;
    double AsFloat(int index) const override;

private:
    void ConnectionClosing() override { Close(); }
    void SessionDestroyed() override;

    TQtSession& Session() const;
    void StoreParam(std::string_view name, TParamValue value);
    void StoreParam(int index, TParamValue value);
    TFieldValue Value(int index) const;

    TQtSession* m_session;
    bool m_parseParams;
    std::vector<std::string> m_lines;
    TParamValues m_params;
    std::unique_ptr<TCursor> m_cursor;
    std::vector<std::string> m_fieldNames;
    std::vector<bool> m_longText;
    bool m_eof = true;
    bool m_moved = false; // the cursor left the first row
};

} // namespace quorvex
