#pragma once

#include "RecordingQuery.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "engine/demo/DemoDatabase.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {
class TQtSession;
}

namespace quorvex::test {

// The users of the test databases: SCOTT (59, password tiger), HR (46, password hr) and the
// role APP_ROLE (71). SYS (0) and the role PUBLIC (1) come with the dictionary schema.
extern const std::string_view kTestUsersSql;

// An embedded database built for one test case, an alias TEST on it, a session whose login
// callback answers with a fixed user and password (or cancels) and counts its calls, a
// recording query on the session, and a reader using that query. The login user is SCOTT.
class TReaderHarness {
public:
    // Builds the database from the dictionary schema and `sysScript` (run in SYS.sqlite).
    explicit TReaderHarness(std::string_view sysScript);
    explicit TReaderHarness(const std::vector<EmbeddedScript>& scripts);
    ~TReaderHarness();
    TReaderHarness(const TReaderHarness&) = delete;
    TReaderHarness& operator=(const TReaderHarness&) = delete;

    // The login callback's answer; the reader's UserName becomes the user in upper case, as
    // the main window's login sets it.
    void LoginAs(const std::string& user, const std::string& password);
    // Every further login is cancelled (the callback raises EAbort).
    void CancelLogins() { m_cancel = true; }
    int LoginPrompts() const { return m_prompts; }

    TDBNewOracle& Root() { return m_root; }
    TRecordingQuery& Query() { return *m_query; }
    TQtSession& Session() { return *m_session; }
    const std::vector<std::string>& Captions() const { return m_captions; }
    const std::vector<TOpenedStatement>& Opened() const { return m_query->Opened(); }
    // Forgets the captions and statements seen so far.
    void ClearLog();

    // The reader's refreshes with a progress callback that records the captions.
    void LoadSchema();
    void LoadSource();

private:
    TempDir m_dir;
    std::unique_ptr<TQtSession> m_session;
    std::unique_ptr<TRecordingQuery> m_query;
    TDBNewOracle m_root;
    std::string m_user = "SCOTT";
    std::string m_password = "tiger";
    bool m_cancel = false;
    int m_prompts = 0;
    std::vector<std::string> m_captions;
};

// Finders that fail the test's expectations with a readable message instead of crashing.
TObjectItem* FindObject(const TDBNewOracle& root, std::string_view name, int type);
std::vector<std::string> ObjectNames(const TObjectList& objects);

} // namespace quorvex::test
