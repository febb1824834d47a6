#pragma once

#include "forms/EditableForm.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTableView;

namespace quorvex {

class TDatabaseSession;
class TQuery;
class TQueryRowsModel;

// The Automatic SQL Generation window: the fields of the tables chosen on a diagram, the FROM
// list and the join conditions; double-clicking a field adds it to the SELECT list, and
// entering the result grid runs the assembled statement. It keeps copies of the texts, no
// reference to the diagram.
class TAutoSQLForm final : public TEditableForm {
    Q_OBJECT

public:
    using TOpenInPane = std::function<void(const QString& statement)>;

    // A window on `session`'s connection, owned by `owner`; `openInPane` takes the statement
    // for "Open in SQL Pane".
    TAutoSQLForm(TDatabaseSession& session, QWidget* owner, const std::vector<std::string>& fields,
                 const std::vector<std::string>& from, const std::vector<std::string>& where,
                 TOpenInPane openInPane);
    ~TAutoSQLForm() override;

    QListWidget* FieldList() const noexcept { return m_fields; }
    QPlainTextEdit* SelectMemo() const noexcept { return m_select; }
    QPlainTextEdit* FromMemo() const noexcept { return m_from; }
    QPlainTextEdit* WhereMemo() const noexcept { return m_where; }
    QTableView* ResultsDBGrid() const noexcept { return m_grid; }
    TQueryRowsModel& Rows() const noexcept { return *m_rows; }

    // The field at the list's current index goes to the SELECT list, after a "," when the
    // list already holds text.
    void FieldListDblClick();
    // The statement of the three texts: SELECT, FROM (DUAL when empty) and WHERE when there
    // are conditions, one part a line.
    QString Statement() const;
    // Runs the statement into the grid. A failure goes to the window's message box; entering
    // the grid again retries.
    void ResultsDBGridEnter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut();

    TDatabaseSession& m_session;
    std::unique_ptr<TQuery> m_query;
    TOpenInPane m_openInPane;
    QListWidget* m_fields = nullptr;
    QPlainTextEdit* m_select = nullptr;
    QPlainTextEdit* m_from = nullptr;
    QPlainTextEdit* m_where = nullptr;
    QTableView* m_grid = nullptr;
    TQueryRowsModel* m_rows = nullptr;
};

} // namespace quorvex
