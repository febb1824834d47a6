#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The global database name of the program's one connection.
inline constexpr std::string_view kGlobalDatabaseName = "QuorvexGlobal";

// What the login callback fills: the alias's "USER NAME" comes in as the default.
struct TLoginParams {
    std::string Alias;
    std::string UserName;
    std::string Password;
};

// Called before every opening of the connection. Fills user and password; throws EAbort to
// cancel the opening silently.
using TLoginCallback = std::function<void(TLoginParams&)>;

// One query on the session's connection. Every failure is raised as an Exception carrying the
// database's message. Values convert as follows: a null reads as 0 and as empty text (only
// IsNull tells them apart); a number read as an integer is rounded to nearest; a number read
// as text is a general-format decimal of up to 15 significant digits ("1E27" for very large
// values); date-times are day numbers counted from 30 December 1899.
class TQuery {
public:
    virtual ~TQuery() = default;

    // The SQL text, kept as lines. Reading it back gives every line followed by CR LF.
    virtual void SetSQL(std::string_view text) = 0; // replaces the text
    virtual void ClearSQL() = 0;
    virtual void AddSQL(std::string_view line) = 0;
    virtual std::string SQLText() const = 0;

    // Parameters, by name (":USER_NO" is "USER_NO") or by position (":0" is 0). An empty text
    // is sent as null. Ignored when parameter parsing is off.
    virtual void SetParam(std::string_view name, std::string_view text) = 0;
    virtual void SetParam(std::string_view name, std::int64_t value) = 0;
    virtual void SetParam(int index, std::string_view text) = 0;
    virtual void SetParam(int index, std::int64_t value) = 0;

    // Opens the connection first when needed (running the login callback). After Open the
    // cursor is on the first row; Eof is true when no row is left.
    virtual void Open() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool Eof() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Close() = 0;
    // Runs the text as a statement without a result.
    virtual void ExecSQL() = 0;

    virtual int FieldCount() const = 0;
    virtual std::string FieldName(int index) const = 0;
    // Position of a column by name (case-insensitive), or -1.
    virtual int FieldIndex(std::string_view name) const = 0;
    // The column holds long text (LONG, CLOB), whose values may run to any length; false when
    // the connection cannot tell.
    virtual bool FieldIsLongText(int /*index*/) const { return false; }
    virtual bool IsNull(int index) const = 0;
    virtual std::string AsText(int index) const = 0;
    virtual std::int64_t AsInteger(int index) const = 0;
    virtual double AsDateTime(int index) const = 0;
    virtual double AsFloat(int index) const = 0;
};

// Closes a query when it goes out of scope, however the reading ends, so the next user finds
// it idle. A failure to close is swallowed: it must not hide the failure that ended the reading.
class TQueryCloser {
public:
    explicit TQueryCloser(TQuery& query) noexcept
        : m_query(query)
    {
    }
    ~TQueryCloser()
    {
        try {
            m_query.Close();
        } catch (...) {
        }
    }
    TQueryCloser(const TQueryCloser&) = delete;
    TQueryCloser& operator=(const TQueryCloser&) = delete;

private:
    TQuery& m_query;
};

// A stored procedure called by name with named parameters.
class TStoredProc {
public:
    virtual ~TStoredProc() = default;

    // Fetches the parameter list from the database.
    virtual void Prepare() = 0;
    virtual std::vector<std::string> ParamNames() const = 0;
    virtual void SetParam(std::string_view name, std::string_view text) = 0;
    virtual void SetParam(std::string_view name, std::int64_t value) = 0;
    virtual void Execute() = 0;
    virtual void Unprepare() = 0;
};

// The database engine as the program sees it: named aliases and one connection. Every
// failure (refused login, unknown alias, SQL error) is an Exception carrying the engine's
// message; a cancelled login is an EAbort.
class TDatabaseSession {
public:
    virtual ~TDatabaseSession() = default;

    virtual std::vector<std::string> AliasNames() const = 0;
    // "ORACLE" for the aliases the program offers.
    virtual std::string AliasDriver(const std::string& alias) const = 0;
    // "key=value" lines; the login reads "USER NAME".
    virtual std::vector<std::string> AliasParams(const std::string& alias) const = 0;

    virtual void SetAlias(const std::string& alias) = 0;
    virtual std::string Alias() const = 0;
    virtual void SetLoginCallback(TLoginCallback callback) = 0;
    // Runs the login callback, then connects.
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual bool Connected() const = 0;
    // The user the connection logged in as (upper case), empty when not connected.
    virtual std::string UserName() const = 0;

    virtual void ExecuteStatement(std::string_view sql) = 0;
    // What the statements run since the last call accepted but did not carry out (a statement
    // the database keeps nothing of), one text each, oldest first; the list is then empty.
    virtual std::vector<std::string> TakeNotices() { return {}; }
    // Statements run between BeginBatch and EndBatch (a script) may be committed together, in
    // a few large commits: each still takes effect whole or not at all, as if run alone, but
    // a crash before EndBatch may undo the latest of them. EndBatch commits what is pending and
    // raises when that fails. Connections that commit as they go ignore both.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
    // With parameter parsing off, a colon is sent unchanged (statements typed by the user).
    virtual std::unique_ptr<TQuery> CreateQuery(bool parseParams = true) = 0;
    virtual std::unique_ptr<TStoredProc> CreateStoredProc(std::string_view name) = 0;
};

} // namespace quorvex
