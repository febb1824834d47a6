#include "PaneSqlCommands.h"

#include "MainWindowHost.h"
#include "PaneSet.h"
#include "TextPane.h"
#include "commands/SnapshotFiles.h"
#include "dictionary/DatabaseSession.h"
#include "dictionary/ScriptRunner.h"
#include "forms/Dialogs.h"
#include "persistence/Exceptions.h"
#include "sqltools/PaneSql.h"
#include "sqltools/SQLGridForm.h"
#include "sqltools/SqlTextFile.h"

#include <QProgressDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>
#include <exception>

namespace quorvex {

namespace {

// The open and save dialogs offer "SQL Files (*.SQL)", their second filter, first.
constexpr int kSqlFilter = 2;
// A script run shows its progress once it has taken this long.
constexpr int kProgressDelayMs = 700;

} // namespace

TPaneSqlCommands::TPaneSqlCommands(TMainWindowHost& host, TPaneSet& panes)
    : m_host(host)
    , m_panes(panes)
{
}

TTextPane* TPaneSqlCommands::CurrentTextPane() const
{
    return m_panes.TextPane(m_panes.CurrentIndex());
}

void TPaneSqlCommands::ReportError(const QString& message)
{
    m_host.SetPaneText(kErrorsPane, message);
    m_host.SelectPane(kErrorsPane);
}

void TPaneSqlCommands::Execute1Click()
{
    TTextPane* pane = CurrentTextPane();
    if (pane == nullptr)
        return;
    QStringList lines = PaneLines(pane->toPlainText());
    if (lines.isEmpty())
        return;
    try {
        if (RewriteStarLine(lines)) {
            // Only the first line changes; the rest of the pane and its undo history stay.
            QTextCursor cursor(pane->document()->firstBlock());
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.insertText(lines.first());
        }
        switch (ClassifyPaneSql(lines)) {
        case TPaneSqlKind::Nothing:
            return;
        case TPaneSqlKind::EmptyFirstLine:
            ReportError(QString::fromLatin1(kEmptyFirstLine));
            return;
        case TPaneSqlKind::Query:
            ShowQueryResults(pane->toPlainText());
            return;
        case TPaneSqlKind::Statement:
            if (ExecuteStatement(StatementText(lines), true))
                m_host.SetStatusText(QStringLiteral("OK"));
            return;
        }
    } catch (const EAbort&) {
        // A cancelled login shows nothing.
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    }
}

void TPaneSqlCommands::RunScript1Click()
{
    TTextPane* pane = CurrentTextPane();
    if (pane == nullptr)
        return;
    QStringList failures;
    // A long script shows how far it got and can be stopped between statements, its work kept.
    QProgressDialog progress(QStringLiteral("Running the script"), QStringLiteral("Stop"), 0, 0,
                             m_host.HostWidget());
    progress.setWindowModality(Qt::ApplicationModal); // no other window uses the session meanwhile
    progress.setMinimumDuration(kProgressDelayMs);
    try {
        TScriptRunner runner(m_host.Session());
        runner.SetFailureReport(
            [&](const std::string& report) { failures << QString::fromStdString(report); });
        runner.SetProgress([&](const TScriptStep& step) {
            progress.setMaximum(step.Count);
            progress.setLabelText(
                QStringLiteral("Running statement %1 of %2").arg(step.Number).arg(step.Count));
            progress.setValue(step.Number - 1);
        });
        runner.SetInterruptCheck([&] { return progress.wasCanceled(); });
        runner.RunText("Script", pane->toPlainText().toStdString());
        progress.reset();
        m_host.SetStatusText(QString::fromStdString(runner.Summary()));
    } catch (const EAbort&) {
        return; // a cancelled login shows nothing
    } catch (const std::exception& error) {
        failures << QString::fromStdString(error.what());
    }
    if (!failures.isEmpty())
        ReportError(failures.join(u'\n'));
}

bool TPaneSqlCommands::ExecuteStatement(const QString& text, bool reportErrors)
{
    try {
        m_host.Session().ExecuteStatement(text.toStdString());
        return true;
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& error) {
        if (reportErrors)
            ReportError(QString::fromStdString(error.what()));
        return false;
    }
}

TSQLGridForm* TPaneSqlCommands::ShowQueryResults(const QString& text)
{
    QWidget* owner = m_host.HostWidget();
    auto* form = new TSQLGridForm(m_host.Session(), owner);
    form->SetSQLText(text);
    if (owner != nullptr)
        form->setFont(owner->font());
    form->show();
    return form;
}

void TPaneSqlCommands::ClearRichEditClick()
{
    if (TTextPane* pane = CurrentTextPane()) {
        pane->clear();
        pane->SetFileEncoding(QStringConverter::Utf8);
    }
}

void TPaneSqlCommands::Loadfromfile1Click()
{
    TFileRequest request =
        SnapshotFileRequest(false, QStringLiteral("Load Text"), QStringLiteral("SQL"), kSqlFilter);
    request.Path = m_lastFile;
    const auto fileName = Dialogs().OpenFileName(m_host.HostWidget(), request);
    if (!fileName)
        return;
    m_lastFile = *fileName;
    TTextPane* pane = CurrentTextPane();
    if (pane == nullptr)
        return;
    // Read in full before the pane is touched: a failure leaves it as it was.
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    const QString text = ReadSqlTextFile(*fileName, &encoding);
    pane->setPlainText(text);
    pane->SetFileEncoding(encoding);
}

void TPaneSqlCommands::SaveToFile1Click()
{
    TFileRequest request =
        SnapshotFileRequest(true, QStringLiteral("Save Text"), QStringLiteral("SQL"), kSqlFilter);
    request.Path = m_lastFile;
    const auto fileName = Dialogs().SaveFileName(m_host.HostWidget(), request);
    if (!fileName)
        return;
    m_lastFile = *fileName;
    if (TTextPane* pane = CurrentTextPane())
        WriteSqlTextFile(*fileName, PaneLines(pane->toPlainText()), pane->FileEncoding());
}

} // namespace quorvex
