#include "AutoSQLForm.h"

#include "QueryRowsModel.h"
#include "dictionary/DatabaseSession.h"
#include "forms/Dialogs.h"
#include "persistence/Exceptions.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace quorvex {

namespace {

const QString kCaption = QStringLiteral("Automatic SQL Generation");
constexpr int kWidth = 640;
constexpr int kHeight = 480;

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString Lines(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines)
        texts.append(Latin1(line));
    return texts.join(u'\n');
}

QWidget* Titled(QSplitter* parent, const char* name, const char* caption, QWidget* body)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* label = new QLabel(QString::fromLatin1(caption), box);
    label->setObjectName(QString::fromLatin1(name));
    layout->addWidget(label);
    body->setParent(box);
    layout->addWidget(body, 1);
    return box;
}

QPlainTextEdit* Memo(const char* name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QString::fromLatin1(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

QSplitter* Splitter(Qt::Orientation orientation, const char* name, QWidget* parent)
{
    auto* splitter = new QSplitter(orientation, parent);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setChildrenCollapsible(false);
    return splitter;
}

} // namespace

TAutoSQLForm::TAutoSQLForm(TDatabaseSession& session, QWidget* owner,
                           const std::vector<std::string>& fields,
                           const std::vector<std::string>& from,
                           const std::vector<std::string>& where, TOpenInPane openInPane)
    : TEditableForm(QStringLiteral("AutoSQLForm"), owner, Qt::Window)
    , m_session(session)
    , m_query(session.CreateQuery(false))
    , m_openInPane(std::move(openInPane))
{
    LayOut();
    for (const std::string& field : fields)
        m_fields->addItem(Latin1(field));
    m_from->setPlainText(Lines(from));
    m_where->setPlainText(Lines(where));
    Initialize();
}

TAutoSQLForm::~TAutoSQLForm()
{
    // The grid must not read from a query that is going away.
    m_rows->Detach();
}

void TAutoSQLForm::LayOut()
{
    setWindowTitle(kCaption);
    resize(kWidth, kHeight);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);

    QSplitter* whereSplitter = Splitter(Qt::Vertical, "WhereSplitter", central);
    QSplitter* fromSplitter = Splitter(Qt::Vertical, "FromSplitter", whereSplitter);
    QSplitter* selectSplitter = Splitter(Qt::Vertical, "SelectSplitter", fromSplitter);
    auto* panel = new QWidget(selectSplitter);
    panel->setObjectName(QStringLiteral("SQLPanel"));
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    QSplitter* fieldsSplitter = Splitter(Qt::Horizontal, "FieldsSplitter", panel);
    panelLayout->addWidget(fieldsSplitter);
    m_fields = new QListWidget(fieldsSplitter);
    m_fields->setObjectName(QStringLiteral("FieldList"));
    m_fields->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_select = Memo("SelectMemo");
    fieldsSplitter->addWidget(m_fields);
    fieldsSplitter->addWidget(Titled(fieldsSplitter, "SelectLabel", "SELECT", m_select));
    fieldsSplitter->setStretchFactor(1, 1);
    selectSplitter->addWidget(panel);
    m_from = Memo("FromMemo");
    fromSplitter->addWidget(selectSplitter);
    fromSplitter->addWidget(Titled(fromSplitter, "FromLabel", "FROM", m_from));
    m_where = Memo("WhereMemo");
    whereSplitter->addWidget(fromSplitter);
    whereSplitter->addWidget(Titled(whereSplitter, "WhereLabel", "WHERE", m_where));

    m_rows = new TQueryRowsModel(this);
    m_grid = new QTableView(whereSplitter);
    m_grid->setObjectName(QStringLiteral("ResultsDBGrid"));
    m_grid->setModel(m_rows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->installEventFilter(this);
    whereSplitter->addWidget(m_grid);
    whereSplitter->setStretchFactor(1, 1);
    layout->addWidget(whereSplitter, 1);

    auto* open = new QPushButton(QStringLiteral("Open in SQL Pane"), central);
    open->setObjectName(QStringLiteral("OpenInPaneButton"));
    layout->addWidget(open, 0, Qt::AlignRight);
    setCentralWidget(central);

    connect(m_fields, &QListWidget::itemDoubleClicked, this, [this] { FieldListDblClick(); });
    connect(open, &QPushButton::clicked, this, [this] {
        if (m_openInPane)
            m_openInPane(Statement());
    });
    connect(m_rows, &TQueryRowsModel::fetchFailed, this, [this](const QString& message) {
        Dialogs().Message(this, QMessageBox::Critical, kCaption, message, QMessageBox::Ok,
                          QMessageBox::Ok);
    });
}

void TAutoSQLForm::FieldListDblClick()
{
    const QListWidgetItem* item = m_fields->currentItem();
    if (item == nullptr)
        return;
    const bool first = m_select->toPlainText().isEmpty();
    m_select->appendPlainText((first ? QString() : QStringLiteral(",")) + item->text());
}

QString TAutoSQLForm::Statement() const
{
    QStringList lines{QStringLiteral("SELECT"), m_select->toPlainText(), QStringLiteral("FROM")};
    const QString from = m_from->toPlainText();
    lines.append(from.trimmed().isEmpty() ? QStringLiteral("DUAL") : from);
    const QString where = m_where->toPlainText();
    if (!where.trimmed().isEmpty())
        lines << QStringLiteral("WHERE") << where;
    return lines.join(u'\n');
}

void TAutoSQLForm::ResultsDBGridEnter()
{
    try {
        m_rows->Detach();
        m_query->Close();
        if (!m_session.Connected())
            m_session.Open();
        m_query->SetSQL(Statement().toLatin1().toStdString());
        m_query->Open();
        m_rows->Attach(m_query.get());
    } catch (const EAbort&) {
        // A cancelled login shows nothing.
    } catch (const std::exception& error) {
        Dialogs().Message(this, QMessageBox::Critical, kCaption,
                          QString::fromStdString(error.what()), QMessageBox::Ok, QMessageBox::Ok);
    }
}

bool TAutoSQLForm::eventFilter(QObject* watched, QEvent* event)
{
    // Every entry into the grid runs the statement again, so an edited text is taken; focus
    // coming back with the window (after a message box) is no new entry.
    if (watched == m_grid && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
        ResultsDBGridEnter();
    return TEditableForm::eventFilter(watched, event);
}

} // namespace quorvex
