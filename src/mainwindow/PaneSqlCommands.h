#pragma once

#include <QString>

namespace quorvex {

class TMainWindowHost;
class TPaneSet;
class TSQLGridForm;
class TTextPane;

// The text panes' context-menu commands: "Execute SQL" (a query opens an SQL Results window,
// any other statement runs at once, its errors going to the Errors pane), "Clear", "Load from
// File" and "Save to File". They act on the pane of the current tab, whichever pane the menu
// was opened over, and do nothing when that tab holds a diagram.
class TPaneSqlCommands {
public:
    TPaneSqlCommands(TMainWindowHost& host, TPaneSet& panes);

    // "*NAME" on the first line becomes "SELECT * FROM NAME" in the pane; then a first
    // character "S" or "s" opens a results window, anything else runs as a statement whose
    // lines are each followed by a line feed, confirmed by "OK" in the status bar. Failures go
    // to the Errors pane, never into a message box.
    void Execute1Click();
    // Runs the pane's text as a SQL*Plus script, statement by statement, on the main window's
    // connection: failures go to the Errors pane as "Script:LINE: message", one a line, and the
    // status bar counts the statements run and failed. A cancelled login reports nothing.
    void RunScript1Click();
    // Runs one statement without a result on the main window's connection. On failure, with
    // `reportErrors`, the database's message replaces the Errors pane's text and the Errors
    // tab is selected. A cancelled login reports nothing.
    bool ExecuteStatement(const QString& text, bool reportErrors);
    // A new results window owned by the main window, with the main window's font, shown
    // without waiting; it runs the query as it shows.
    TSQLGridForm* ShowQueryResults(const QString& text);

    void ClearRichEditClick();
    // File errors are thrown for the window's handler; the pane stays as it was. Saving writes
    // the encoding the pane's file was loaded in (Latin-1 or UTF-8), so its bytes are kept.
    void Loadfromfile1Click();
    void SaveToFile1Click();

private:
    TTextPane* CurrentTextPane() const;
    void ReportError(const QString& message);

    TMainWindowHost& m_host;
    TPaneSet& m_panes;
    // The file chosen last, the next dialog's default.
    QString m_lastFile;
};

} // namespace quorvex
