#pragma once

#include "DemoCopy.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "dictionary/DatabaseSession.h"
#include "mainwindow/NodeCaptions.h"
#include "mainwindow/QuorvexMainForm.h"

#include <QStringList>
#include <memory>
#include <string>

namespace quorvex::test {

// The demo database, built once per test program in a temporary folder.
const std::string& DemoFolder();

// One main window on the demo database: its own alias file (QUORVEX_ALIASES) and property file
// in a temporary folder, scripted dialogs, and the window created with the given arguments.
class TWindowHarness {
public:
    TWindowHarness();
    ~TWindowHarness();
    TWindowHarness(const TWindowHarness&) = delete;
    TWindowHarness& operator=(const TWindowHarness&) = delete;

    // The alias file's text; the default holds [DEMO] on the demo copy, user SCOTT.
    void SetAliases(const std::string& text);
    // The user-defined property file's text.
    void SetProperties(const std::string& text);
    // An alias section on the demo copy.
    static std::string DemoAlias(const std::string& name, const std::string& driver = "ORACLE");

    TQuorvexMainForm& Create(const QStringList& arguments);
    TQuorvexMainForm& Form() { return *m_form; }
    TScriptedDialogs& Dialogs() { return *m_dialogs; }

    // Reads the schema and builds the tree as a refresh does.
    void ReadSchema();
    // The node of a category's child by caption; invalid when there is none.
    QModelIndex Node(TTreeCategory category, const QString& caption) const;
    // Triggers a menu item by component name.
    void Click(const char* action);
    // The kinds of dialogs asked so far, in order ("Login", "Message", ...).
    QStringList AskedKinds() const;

private:
    TempDir m_dir;
    TScriptedDialogsScope m_dialogs;
    std::unique_ptr<TQuorvexMainForm> m_form;
};

} // namespace quorvex::test
