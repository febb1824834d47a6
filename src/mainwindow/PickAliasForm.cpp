#include "PickAliasForm.h"

#include "EventHook.h"
#include "dictionary/DatabaseSession.h"
#include "forms/Dialogs.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>

namespace quorvex {

TPickAliasForm::TPickAliasForm(TDatabaseSession& session, QWidget* parent)
    : TEditableForm(QStringLiteral("PickAliasForm"), parent,
                    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint)
    , m_session(session)
    , m_list(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Choose Alias"));
    m_list->setObjectName(QStringLiteral("AliasListBox"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSortingEnabled(true);
    setCentralWidget(m_list);
    resize(200, 240);
    // Enter in the list or a mouse button released over it chooses the selected entry.
    m_listHook = std::make_unique<TEventHook>(
        std::initializer_list<QObject*>{m_list, m_list->viewport()},
        [this](QObject* watched, QEvent* event) {
            if (watched == m_list && event->type() == QEvent::KeyPress) {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    ChooseSelected();
                    return true;
                }
            }
            if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease)
                ChooseSelected();
            return false;
        },
        nullptr);
    Initialize();
}

TPickAliasForm::~TPickAliasForm() = default;

void TPickAliasForm::BuildAliasList()
{
    m_chosen = false;
    QStringList names;
    for (const std::string& alias : m_session.AliasNames()) {
        // Only the exact driver name counts: "Oracle" is another driver.
        if (m_session.AliasDriver(alias) == "ORACLE")
            names.append(QString::fromStdString(alias).toUpper());
    }
    m_aliasListText = names.join(u',');
    m_list->clear();
    m_list->addItems(names);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

int TPickAliasForm::Execute()
{
    BuildAliasList();
    if (m_list->count() == 0) {
        Dialogs().ShowMessage(parentWidget(), QString::fromLatin1(kNoOracleAlias));
        return mrCancel;
    }
    if (m_list->count() == 1) {
        ChooseSelected();
        return mrOk;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ShowModal();
    return m_chosen ? mrOk : mrCancel;
}

void TPickAliasForm::Choose(const QString& name)
{
    if (name.isEmpty())
        return;
    const std::string alias = name.toStdString();
    if (alias != m_session.Alias()) {
        if (m_session.Connected())
            m_session.Close();
        m_session.SetAlias(alias);
    }
    m_chosen = true;
    SetModalResult(mrOk);
}

void TPickAliasForm::ChooseSelected()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (item != nullptr)
        Choose(item->text());
}

} // namespace quorvex
