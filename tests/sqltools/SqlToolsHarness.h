#pragma once

#include "DemoCopy.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "dictionary/DatabaseSession.h"
#include "mainwindow/QuorvexMainForm.h"

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace quorvex {
class TQtSession;
class TSQLGridForm;
} // namespace quorvex

namespace quorvex::test {

// A private copy of the demo database with its alias file [DEMO] (QUORVEX_ALIASES) and a
// user-defined property file in a temporary folder; every test that changes the database
// works on its own copy.
class TDemoCopy {
public:
    TDemoCopy();
    ~TDemoCopy();
    TDemoCopy(const TDemoCopy&) = delete;
    TDemoCopy& operator=(const TDemoCopy&) = delete;

    const TempDir& Dir() const { return m_dir; }
    const std::string& AliasFile() const { return m_aliasFile; }

private:
    TempDir m_dir;
    std::string m_aliasFile;
};

// The main window on a demo copy, logged in as SCOTT from the command line, with scripted
// dialogs.
class TMainWindowHarness {
public:
    TMainWindowHarness();
    ~TMainWindowHarness();
    TMainWindowHarness(const TMainWindowHarness&) = delete;
    TMainWindowHarness& operator=(const TMainWindowHarness&) = delete;

    TQuorvexMainForm& Form() { return *m_form; }
    TScriptedDialogs& Dialogs() { return *m_dialogs; }
    const TempDir& Dir() const { return m_demo.Dir(); }

    // Puts the text into the pane and makes its tab current.
    void SetCurrentPane(int index, const QString& text);
    // Triggers a pane menu item ("ExecuteSQL1") as the context menu does.
    void Click(const char* action);
    // The results windows the main window owns, oldest first.
    std::vector<TSQLGridForm*> ResultsWindows() const;
    QString StatusText() const;
    // Kinds of the dialogs asked so far ("Message", "SaveFile", ...).
    QStringList AskedKinds() const;

private:
    TDemoCopy m_demo;
    TScriptedDialogsScope m_dialogs;
    std::unique_ptr<TQuorvexMainForm> m_form;
};

// A session on a demo copy, logged in as the user (SCOTT by default), that records every text sent:
// "exec: " for a statement run by the session, "query-exec: " and "query-open: " for a query's
// statement and opening.
class TRecordingSession final : public TDatabaseSession {
public:
    explicit TRecordingSession(const std::string& aliasFile, std::string user = "SCOTT",
                               std::string password = "tiger");
    ~TRecordingSession() override;

    std::vector<std::string> Sent;

    std::vector<std::string> AliasNames() const override;
    std::string AliasDriver(const std::string& alias) const override;
    std::vector<std::string> AliasParams(const std::string& alias) const override;
    void SetAlias(const std::string& alias) override;
    std::string Alias() const override;
    void SetLoginCallback(TLoginCallback callback) override;
    void Open() override;
    void Close() override;
    bool Connected() const override;
    std::string UserName() const override;
    void ExecuteStatement(std::string_view sql) override;
    std::unique_ptr<TQuery> CreateQuery(bool parseParams = true) override;
    std::unique_ptr<TStoredProc> CreateStoredProc(std::string_view name) override;

private:
    std::unique_ptr<TQtSession> m_inner;
};

// Rows of a results window's grid as texts, cells joined by "|".
QStringList GridRows(const TSQLGridForm& form);

} // namespace quorvex::test
