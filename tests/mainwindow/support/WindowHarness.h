#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/QuorvexMainForm.h"
#include "mainwindow/TextPane.h"
#include "mainwindow/commands/CommandRunner.h"
#include "mainwindow/commands/MainCommands.h"

#include <QAction>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>

// Readable texts in GoogleTest's messages, lists included (found by argument lookup, so in
// Qt's namespace: the global one).
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace quorvex::test {

// The tree below `root` as one text: a line per node, indented two blanks per level, with
// " [state]" behind a node that has a state image. `flaggedOnly` leaves out every node without
// an image on or below it.
QString TreeDump(const TObjectTreeModel& tree, const QModelIndex& root = {},
                 bool flaggedOnly = false);
// A node by its captions from the top, {"Tables", "EMP", "Constraints"}; invalid when none.
QModelIndex Find(const TObjectTreeModel& tree, const QStringList& path);
// Every row of a model, cells joined by "|".
QStringList GridRows(const QAbstractItemModel& model);

// Stands at 9 March 2024 14:05:07, and every command it times takes 1.25 seconds.
TCommandClock FixedClock();

// A main window on a private copy of the demo database, with its own alias file
// (QUORVEX_ALIASES: [DEMO] on the copy, user SCOTT) and property file in a temporary folder and
// scripted dialogs. Every status text is recorded, with " (busy)" when the window was disabled.
class TWindowHarness {
public:
    TWindowHarness();
    ~TWindowHarness();
    TWindowHarness(const TWindowHarness&) = delete;
    TWindowHarness& operator=(const TWindowHarness&) = delete;

    TQuorvexMainForm& Create(const QStringList& arguments = {"DEMO", "scott", "tiger"});

    TQuorvexMainForm& Form() { return *m_form; }
    TScriptedDialogs& Dialogs() { return *m_dialogs; }
    // A file in the harness's temporary folder.
    std::string Path(const char* name) const { return m_dir.File(name); }
    QString File(const char* name) const { return QString::fromStdString(m_dir.File(name)); }
    // The menu commands on the window, timed by FixedClock().
    TMainCommands& Commands() { return *m_commands; }
    // Triggers a menu item by its component name.
    void Click(const char* action) { m_form->Action(action)->trigger(); }
    QStringList AskedKinds() const;

    QStringList Statuses;

private:
    TempDir m_dir;
    TScriptedDialogsScope m_dialogs;
    std::unique_ptr<TQuorvexMainForm> m_form;
    std::unique_ptr<TMainCommands> m_commands;
};

} // namespace quorvex::test
