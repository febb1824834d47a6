#pragma once

#include "forms/EditableForm.h"

#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QPlainTextEdit;
class QSplitter;
class QTableView;

namespace quorvex {

class TDatabaseSession;
class TQuery;
class TQueryRowsModel;

// The SQL Results window: runs the query of its SQL text field each time it is shown and on
// "Execute", shows the rows in a grid and the time taken in its caption, saves and loads the
// SQL text, and on "Explain" stores the optimizer's plan in QUORVEX_PLAN_TABLE (created on
// first use) and opens another results window listing the plan as an indented tree. Closing
// frees it, its query (a server cursor) and the plan windows it opened.
class TSQLGridForm final : public TEditableForm {
    Q_OBJECT

public:
    // A window on `session`'s connection, owned by `owner` (the main window or the results
    // window that explains), with its own query that sends colons unchanged.
    TSQLGridForm(TDatabaseSession& session, QWidget* owner);
    ~TSQLGridForm() override;

    QPlainTextEdit* SQLRichEdit1() const noexcept { return m_sqlEdit; }
    QTableView* DBGrid1() const noexcept { return m_grid; }
    TQuery& SQLQuery1() const noexcept { return *m_query; }
    TQueryRowsModel& Rows() const noexcept { return *m_rows; }
    TDatabaseSession& Session() const noexcept { return m_session; }

    QString SQLText() const;
    void SetSQLText(const QString& text);

    // "E&xecute", also run on every show. A failure shows the database's message in a message
    // box; the caption and the grid stay as they were.
    void Execute1Click();
    // "Ex&plain": silent whatever fails, a cancelled login included; on success a plan window
    // is open.
    void Explain1Click();
    void Save1Click(); // "&Save"
    void Load1Click(); // "&Load": replaces the SQL text, does not run it

    // The plan table exists in the connected user's schema; any failure gives false.
    bool PlanTableExists();
    // Runs a statement without result on a query of its own; any failure gives false.
    bool ExecutePlanStatement(const QString& text);

    // The plan window the last successful explain opened; nullptr before.
    TSQLGridForm* PlanWindow() const { return m_planWindow; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();
    // The connection opens through the session (with its login) when it is not open yet.
    void OpenDatabase();
    void ShowFailure(const QString& message);

    TDatabaseSession& m_session;
    std::unique_ptr<TQuery> m_query;
    QPlainTextEdit* m_sqlEdit = nullptr;
    QSplitter* m_splitter = nullptr;
    QTableView* m_grid = nullptr;
    TQueryRowsModel* m_rows = nullptr;
    QPointer<TSQLGridForm> m_planWindow;
    // An Escape was pressed in this window and not yet released: only its release closes.
    bool m_escapePressed = false;
};

} // namespace quorvex
