#include "PaneSet.h"

#include "DiagramPane.h"
#include "ObjectTreeModel.h"
#include "TextPane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace quorvex {

namespace {

const QString kSqlTab = QStringLiteral("SQL");
const QString kImgTab = QStringLiteral("IMG");

QObject* PaneOf(const QTabBar& tabs, int index)
{
    return tabs.tabData(index).value<QObject*>();
}

} // namespace

TPaneSet::TPaneSet(QWidget* panelParent, QMenu* richEditPopup, const TObjectTreeModel& tree,
                   const TDiagramOptions& diagramOptions)
    : QObject(panelParent)
    , m_tree(tree)
    , m_diagramOptions(diagramOptions)
    , m_richEditPopup(richEditPopup)
    , m_panel(new QWidget(panelParent))
    , m_stack(new QStackedWidget(m_panel))
    , m_row(new QHBoxLayout)
    , m_tabs(new QTabBar(m_panel))
{
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_tabs->setObjectName(QStringLiteral("TabSet1"));
    m_tabs->setShape(QTabBar::RoundedSouth);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setFocusPolicy(Qt::NoFocus);
    // The tab set keeps its own font when the window's font changes.
    m_tabs->setFont(panelParent->font());
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(0);
    m_row->addWidget(m_stack, 1);
    layout->addLayout(m_row, 1);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, &TPaneSet::TabSet1Change);
}

void TPaneSet::SetSideBar(QWidget* bar)
{
    m_row->insertWidget(0, bar);
}

int TPaneSet::Count() const
{
    return m_tabs->count();
}

void TPaneSet::CreateStartPanes()
{
    CreateTextPane(0, QStringLiteral(":Description"));
    CreateTextPane(1, QStringLiteral(":Action"));
    CreateTextPane(2, QStringLiteral(":Errors"));
    InsertTab(Count(), kSqlTab, nullptr);
    InsertTab(Count(), kImgTab, nullptr);
}

TTextPane* TPaneSet::CreateTextPane(int index, const QString& name)
{
    const TObjectTreeModel* tree = &m_tree;
    auto* pane = new TTextPane(
        index, m_tree.mimeTypes().value(0),
        [tree](const QMimeData* data) { return tree->ItemFromMimeData(data); }, m_stack);
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this, [this, pane](const QPoint& pos) {
        m_popupPane = pane;
        if (m_richEditPopup != nullptr)
            m_richEditPopup->popup(pane->mapToGlobal(pos));
    });
    connect(pane, &QPlainTextEdit::cursorPositionChanged, this,
            [this, pane] { TextRichEditSelectionChange(pane); });
    connect(pane, &TTextPane::entered, this, &TPaneSet::TextRichEditEnter);
    m_stack->addWidget(pane);
    InsertTab(index, QStringLiteral("&%1%2").arg(index + 1).arg(name), pane);
    TextRichEditSelectionChange(pane);
    return pane;
}

TDiagramPane* TPaneSet::CreateDiagramPane(int index, const QString& name)
{
    const TObjectTreeModel* tree = &m_tree;
    auto* pane = new TDiagramPane(
        index, m_diagramOptions, m_tree.mimeTypes().value(0),
        [tree](const QMimeData* data) { return tree->ItemFromMimeData(data); }, m_stack);
    m_stack->addWidget(pane);
    emit diagramPaneCreated(pane);
    InsertTab(index, QStringLiteral("&%1%2").arg(index + 1).arg(name), pane);
    return pane;
}

// The tab set would make the first tab current on its own while it has no pane yet; the
// insertion is finished before any change is handled.
void TPaneSet::InsertTab(int index, const QString& caption, QWidget* pane)
{
    m_inserting = true;
    m_tabs->insertTab(index, caption);
    m_tabs->setTabData(index, QVariant::fromValue(static_cast<QObject*>(pane)));
    m_inserting = false;
    // A tab bar not yet shown keeps the panel's layout at its empty height otherwise.
    m_tabs->updateGeometry();
    if (pane != nullptr && m_tabs->currentIndex() == index)
        ShowPane(index);
}

QWidget* TPaneSet::GetPane(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return qobject_cast<QWidget*>(PaneOf(*m_tabs, index));
}

TTextPane* TPaneSet::TextPane(int index) const
{
    return qobject_cast<TTextPane*>(GetPane(index));
}

void TPaneSet::SetPaneText(int index, const QString& text)
{
    if (TTextPane* pane = TextPane(index))
        pane->setPlainText(text);
}

QString TPaneSet::PaneText(int index) const
{
    const TTextPane* pane = TextPane(index);
    return pane == nullptr ? QString() : pane->toPlainText();
}

void TPaneSet::SelectPane(int index)
{
    if (index >= 0 && index < Count() && m_tabs->currentIndex() != index)
        m_tabs->setCurrentIndex(index);
}

int TPaneSet::CurrentIndex() const
{
    return m_tabs->currentIndex();
}

// The tab bar reports a change after it made it; "SQL" and "IMG" are never left current: a new
// pane is put in front of them and its tab becomes current instead.
void TPaneSet::TabSet1Change(int index)
{
    if (m_inserting || index < 0)
        return;
    const int count = Count();
    if (index == count - 2 || index == count - 1) {
        const int newIndex = count - 2;
        if (index == count - 2)
            CreateTextPane(newIndex, QString());
        else
            CreateDiagramPane(newIndex, QStringLiteral(":#"));
        m_tabs->setCurrentIndex(newIndex);
        return;
    }
    ShowPane(index);
}

void TPaneSet::ShowPane(int index)
{
    QWidget* pane = GetPane(index);
    if (pane == nullptr)
        return;
    m_stack->setCurrentWidget(pane);
    emit paneShown(pane);
}

void TPaneSet::TextRichEditSelectionChange(TTextPane* pane)
{
    const QString text = pane->CaretText();
    pane->setStatusTip(text);
    // The status bar shows the hint of the control under the pointer; refresh it when that
    // control is this pane.
    if (pane->underMouse()) {
        QStatusTipEvent tip(text);
        QApplication::sendEvent(pane, &tip);
    }
}

void TPaneSet::TextRichEditEnter(TTextPane* pane)
{
    SelectPane(pane->Tag());
    TextRichEditSelectionChange(pane);
}

} // namespace quorvex
