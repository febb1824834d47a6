// The main window's object tree: what selecting a node shows, its hints and context menu, and
// the window font.
#include "ObjectTreeModel.h"
#include "QuorvexMainForm.h"
#include "TreeSelection.h"
#include "dictionary/DBOraClass.h"
#include "forms/Dialogs.h"
#include "model/ObjectItem.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>
#include <QTreeView>

namespace quorvex {

namespace {

// Hints over the tree stay up this long.
constexpr int kHintMilliseconds = 99999;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// The comparison text when the item has one, else its creating text.
QString DescriptionOf(const TDefaultItem& item)
{
    const std::string& comparison = item.ComparisonText();
    return Text(comparison.empty() ? item.GetCreatingText() : comparison);
}

} // namespace

void TQuorvexMainForm::ResetObjectCommands()
{
    m_menu.Refresh2->setEnabled(false);
    m_menu.Refresh2->setVisible(false);
    m_menu.ReCompile1->setEnabled(false);
    m_menu.Recompile2->setVisible(false);
    m_menu.RecompileAll1->setEnabled(false);
    m_menu.RecompileAll2->setVisible(false);
    m_menu.Drop1->setEnabled(false);
}

void TQuorvexMainForm::TreeView1Change(const QModelIndex& node)
{
    ResetObjectCommands();
    const TDefaultItem* item = m_treeModel->Item(node);
    if (item == nullptr) {
        if (m_menu.Snapshot1->isEnabled())
            SetPaneText(kDescriptionPane, QString());
        return;
    }
    // Commands that change the database only act on a model read from the live connection.
    const bool live = m_menu.Snapshot1->isEnabled() && m_menu.Disconnect1->isEnabled();
    if (CanRecompileSelection(node)) {
        m_menu.ReCompile1->setEnabled(live);
        m_menu.Recompile2->setVisible(live);
        m_menu.RecompileAll1->setEnabled(live);
        m_menu.RecompileAll2->setVisible(live);
    }
    if (CanDropSelection(node))
        m_menu.Drop1->setEnabled(live);

    if (const auto* object = dynamic_cast<const TObjectItem*>(item)) {
        m_menu.Refresh2->setEnabled(true);
        m_menu.Refresh2->setVisible(true);
        if (object->ObjectType == ObjectTypes::Table || object->ObjectType == ObjectTypes::View) {
            SetPaneText(kActionPane, QStringLiteral("SELECT * FROM ") +
                                         Text(OwnerPrefix(m_reader->Owners(), object->OwnerNo)) +
                                         u'"' + Text(object->ObjectName) + u'"');
        }
    }
    SetPaneText(kDescriptionPane, DescriptionOf(*item));
}

bool TQuorvexMainForm::ShowTreeHint(QEvent* event)
{
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex node = m_tree->indexAt(help->pos());
    const TDefaultItem* item = m_treeModel->Item(node);
    // Nodes without an item keep the tree's own hint (what their state image means).
    if (item == nullptr)
        return false;
    const QString text = Text(item->GetDisplayText());
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        // The node's rectangle: moving to another node shows that node's hint.
        QToolTip::showText(help->globalPos(), text, m_tree->viewport(), m_tree->visualRect(node),
                           kHintMilliseconds);
    }
    return true;
}

void TQuorvexMainForm::ShowTreeMenu(const QPoint& pos)
{
    // A right click selects the node under the pointer.
    const QModelIndex node = m_tree->indexAt(pos);
    if (node.isValid())
        SelectNode(node);
    PopupMenu1Popup();
    const auto actions = m_menu.PopupMenu1->actions();
    const bool any = std::any_of(actions.begin(), actions.end(),
                                 [](const QAction* action) { return action->isVisible(); });
    if (any)
        m_menu.PopupMenu1->popup(m_tree->viewport()->mapToGlobal(pos));
}

void TQuorvexMainForm::PopupMenu1Popup()
{
    const QModelIndex selected = SelectedNode();
    if (!selected.isValid())
        return;
    SelectNode(selected);
    m_tree->setFocus();
    // The selection handlers update the menu before it shows.
    QCoreApplication::processEvents();
}

void TQuorvexMainForm::ChangeFont1Click()
{
    // The tree and the text panes take the window's font; the tab set keeps its own.
    if (const std::optional<QFont> font = Dialogs().ChooseFont(this, this->font()))
        setFont(*font);
}

} // namespace quorvex
