#include "SQLGridForm.h"

#include "PaneSql.h"
#include "QueryRowsModel.h"
#include "ResultsTexts.h"
#include "SqlTextFile.h"
#include "dictionary/DatabaseSession.h"
#include "forms/Dialogs.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSplitter>
#include <QTableView>
#include <exception>
#include <functional>

namespace quorvex {

namespace {

constexpr int kWidth = 624;
constexpr int kHeight = 283;
constexpr int kSqlHeight = 36;
constexpr int kSplitterWidth = 6;
constexpr int kFontPixels = 12;

const QString kFileFilter = QStringLiteral("SQL Files (*.sql);;All Files (*)");

// "Small Fonts" where it is installed, else the desktop's own font at the same pixel size.
QFont SmallFont(const QFont& base)
{
    QFont font = base;
    font.setFamilies({QStringLiteral("Small Fonts"), base.family()});
    font.setPixelSize(kFontPixels);
    return font;
}

QAction* AddBarItem(QMenuBar& bar, const char* name, const char* caption)
{
    QAction* action = bar.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

TSQLGridForm::TSQLGridForm(TDatabaseSession& session, QWidget* owner)
    : TEditableForm(QStringLiteral("SQLGridForm"), owner, Qt::Window)
    , m_session(session)
    , m_query(session.CreateQuery(false))
{
    // A closed window can never be shown again: its query must not hold a cursor till the end.
    setAttribute(Qt::WA_DeleteOnClose);
    LayOut();
    Initialize();
}

TSQLGridForm::~TSQLGridForm()
{
    // The grid must not read from a query that is going away.
    m_rows->Detach();
}

void TSQLGridForm::LayOut()
{
    setWindowTitle(QString::fromLatin1(kResultsCaption));
    setFont(SmallFont(font()));
    resize(kWidth, kHeight);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(kSplitterWidth);
    m_splitter->setChildrenCollapsible(false);

    m_sqlEdit = new QPlainTextEdit(m_splitter);
    m_sqlEdit->setObjectName(QStringLiteral("SQLRichEdit1"));
    m_sqlEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_sqlEdit->setMinimumHeight(kSqlHeight / 2);

    m_rows = new TQueryRowsModel(this);
    m_grid = new QTableView(m_splitter);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_rows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(true);
    m_grid->setShowGrid(true);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setFont(SmallFont(font()));
    // The selection stays visible when the grid loses the focus.
    QPalette palette = m_grid->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_grid->setPalette(palette);

    m_splitter->addWidget(m_sqlEdit);
    m_splitter->addWidget(m_grid);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kSqlHeight, kHeight - kSqlHeight});
    setCentralWidget(m_splitter);

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto guarded = [this](void (TSQLGridForm::*handler)()) {
        return [this, handler] {
            try {
                (this->*handler)();
            } catch (const EAbort&) {
                // A cancelled login shows nothing.
            } catch (const std::exception& error) {
                ShowFailure(QString::fromStdString(error.what()));
            }
        };
    };
    connect(AddBarItem(*bar, "Execute1", "E&xecute"), &QAction::triggered, this,
            guarded(&TSQLGridForm::Execute1Click));
    connect(AddBarItem(*bar, "Explain1", "Ex&plain"), &QAction::triggered, this,
            guarded(&TSQLGridForm::Explain1Click));
    connect(AddBarItem(*bar, "Save1", "&Save"), &QAction::triggered, this,
            guarded(&TSQLGridForm::Save1Click));
    connect(AddBarItem(*bar, "Load1", "&Load"), &QAction::triggered, this,
            guarded(&TSQLGridForm::Load1Click));
    connect(m_rows, &TQueryRowsModel::fetchFailed, this, &TSQLGridForm::ShowFailure);
}

QString TSQLGridForm::SQLText() const
{
    return m_sqlEdit->toPlainText();
}

void TSQLGridForm::SetSQLText(const QString& text)
{
    m_sqlEdit->setPlainText(text);
}

void TSQLGridForm::OpenDatabase()
{
    if (!m_session.Connected())
        m_session.Open();
}

void TSQLGridForm::ShowFailure(const QString& message)
{
    Dialogs().Message(this, QMessageBox::NoIcon, QString::fromLatin1(kResultsCaption), message,
                      QMessageBox::Ok, QMessageBox::Ok);
}

void TSQLGridForm::Execute1Click()
{
    try {
        OpenDatabase();
        // Rows already read stay shown should the new text fail.
        m_rows->Detach();
        m_query->Close();
        m_query->SetSQL(SQLText().toStdString());
        QElapsedTimer timer;
        timer.start();
        m_query->Open();
        const qint64 elapsed = timer.elapsed();
        setWindowTitle(ResultsCaption(elapsed));
        m_rows->Attach(m_query.get());
    } catch (const EAbort&) {
        // A cancelled login shows nothing.
    } catch (const std::exception& error) {
        ShowFailure(QString::fromStdString(error.what()));
    }
}

bool TSQLGridForm::PlanTableExists()
{
    try {
        OpenDatabase();
        const std::unique_ptr<TQuery> query = m_session.CreateQuery(false);
        query->SetSQL(
            PlanTableExistsSql(QString::fromStdString(m_session.UserName())).toStdString());
        query->Open();
        return !query->Eof() && query->AsInteger(0) > 0;
    } catch (const std::exception&) {
        return false;
    }
}

bool TSQLGridForm::ExecutePlanStatement(const QString& text)
{
    try {
        OpenDatabase();
        const std::unique_ptr<TQuery> query = m_session.CreateQuery(false);
        query->SetSQL(text.toStdString());
        query->ExecSQL();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TSQLGridForm::Explain1Click()
{
    // Each step below would otherwise ask for the login again.
    try {
        OpenDatabase();
    } catch (const std::exception&) {
        return;
    }
    if (PlanTableExists())
        ExecutePlanStatement(QString::fromLatin1(kDeletePlanASql));
    else if (!ExecutePlanStatement(QString::fromLatin1(kPlanTableSql)))
        return;
    const QString statementId = NextStatementId(TickCount());
    // Rows an earlier run left under the same id would join this plan's tree.
    ExecutePlanStatement(DeletePlanRowsSql(statementId));
    if (!ExecutePlanStatement(ExplainPlanSql(statementId, SQLText())))
        return;
    auto* plan = new TSQLGridForm(m_session, this);
    plan->SetSQLText(PlanDisplaySql(statementId));
    plan->setFont(font());
    m_planWindow = plan;
    plan->show();
}

void TSQLGridForm::Save1Click()
{
    TFileRequest request;
    request.Title = QStringLiteral("Write SQL To File");
    request.Filter = kFileFilter;
    const auto fileName = Dialogs().SaveFileName(this, request);
    if (fileName)
        WriteSqlTextFile(*fileName, PaneLines(SQLText()));
}

void TSQLGridForm::Load1Click()
{
    TFileRequest request;
    request.Title = QStringLiteral("Read SQL From File");
    request.Filter = kFileFilter;
    const auto fileName = Dialogs().OpenFileName(this, request);
    if (fileName)
        SetSQLText(ReadSqlTextFile(*fileName));
}

void TSQLGridForm::showEvent(QShowEvent* event)
{
    TEditableForm::showEvent(event);
    // Restoring from the task bar is no new show.
    if (!event->spontaneous())
        Execute1Click();
}

bool TSQLGridForm::eventFilter(QObject* watched, QEvent* event)
{
    // Escape pressed and released anywhere in the window closes it. The release alone may
    // come from an Escape that closed a message box over the window.
    const bool press = event->type() == QEvent::KeyPress;
    if ((press || event->type() == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) {
            if (press) {
                m_escapePressed = true;
            } else if (m_escapePressed && isVisible()) {
                m_escapePressed = false;
                close();
                return true;
            }
        }
    }
    return TEditableForm::eventFilter(watched, event);
}

} // namespace quorvex
