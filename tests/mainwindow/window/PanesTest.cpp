// The panes and tabs of the main window: start-up tabs, new panes from "SQL" and "IMG", the
// caret text, dropping a tree node onto a pane, and the window font.
#include "WindowHarness.h"
#include "dictionary/DBOraClass.h"
#include "mainwindow/DiagramPane.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/TextPane.h"

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

namespace quorvex::test {
namespace {

QStringList TabCaptions(const TPaneSet& panes)
{
    QStringList captions;
    for (int i = 0; i < panes.Count(); ++i)
        captions.append(panes.TabSet()->tabText(i));
    return captions;
}

// Drops the data on the pane as a drag from the tree would.
void Drop(TTextPane& pane, const QMimeData& data)
{
    // The application hands a drop only to the widget the drag entered.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane.viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane.viewport(), &drop);
}

TEST(Panes, SqlAndImgCreatePanesInFrontOfThemselves)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    TPaneSet& panes = form.Panes();
    EXPECT_EQ(TabCaptions(panes),
              QStringList({"&1:Description", "&2:Action", "&3:Errors", "SQL", "IMG"}));
    form.show();
    EXPECT_EQ(panes.CurrentIndex(), kActionPane);
    EXPECT_TRUE(panes.TabSet()->isVisible());
    EXPECT_GT(panes.TabSet()->height(), 0);
    EXPECT_TRUE(panes.TextPane(kActionPane)->isVisible());

    for (int click = 0; click < 3; ++click)
        panes.TabSet()->setCurrentIndex(panes.Count() - 2);
    panes.TabSet()->setCurrentIndex(panes.Count() - 1);
    EXPECT_EQ(TabCaptions(panes), QStringList({"&1:Description", "&2:Action", "&3:Errors", "&4",
                                               "&5", "&6", "&7:#", "SQL", "IMG"}));
    EXPECT_EQ(panes.CurrentIndex(), 6);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        QWidget* pane = panes.GetPane(i);
        ASSERT_NE(pane, nullptr);
        const auto* text = qobject_cast<TTextPane*>(pane);
        const auto* diagram = qobject_cast<TDiagramPane*>(pane);
        EXPECT_EQ(text != nullptr, i < 6);
        EXPECT_EQ(text != nullptr ? text->Tag() : diagram->Tag(), i);
    }
    EXPECT_EQ(panes.GetPane(7), nullptr);
    EXPECT_EQ(panes.GetPane(8), nullptr);
    EXPECT_TRUE(form.findChild<QWidget*>("ToolBar1")->isVisible());

    // Text goes to text panes only.
    form.SetPaneText(6, "ignored");
    form.SetPaneText(7, "ignored");
    EXPECT_EQ(form.PaneText(6), "");
    form.SetPaneText(4, "SELECT 1 FROM DUAL");
    EXPECT_EQ(panes.TextPane(4)->toPlainText(), "SELECT 1 FROM DUAL");
    form.SelectPane(4);
    EXPECT_EQ(panes.CurrentIndex(), 4);
    EXPECT_FALSE(form.findChild<QWidget*>("ToolBar1")->isVisible());
}

TEST(Panes, WordWrapWrapsThePaneTheMenuWasOpenedOn)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    TTextPane* description = form.Panes().TextPane(kDescriptionPane);
    TTextPane* action = form.Panes().TextPane(kActionPane);
    QAction* wordWrap = form.Action(QStringLiteral("WordWrap1"));
    emit description->customContextMenuRequested(QPoint(1, 1));
    wordWrap->trigger();
    EXPECT_EQ(description->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(action->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    // The check mark shows the state of the pane the menu opens on.
    emit action->customContextMenuRequested(QPoint(1, 1));
    EXPECT_TRUE(wordWrap->isChecked());
    emit description->customContextMenuRequested(QPoint(1, 1));
    EXPECT_FALSE(wordWrap->isChecked());
    wordWrap->trigger();
    EXPECT_EQ(description->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form.findChild<QMenu*>(QStringLiteral("RichEditPopup"))->hide();
}

TEST(Panes, CaretPositionIsThePanesHint)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    TTextPane& pane = *form.Panes().TextPane(kErrorsPane);
    EXPECT_EQ(pane.statusTip(), "Line 1, Character 1");
    pane.setPlainText("first\nsecond line");
    QTextCursor caret = pane.textCursor();
    caret.setPosition(9); // "sec|ond"
    pane.setTextCursor(caret);
    EXPECT_EQ(pane.statusTip(), "Line 2, Character 4");
    caret.setPosition(0);
    pane.setTextCursor(caret);
    EXPECT_EQ(pane.statusTip(), "Line 1, Character 1");
}

TEST(Panes, DroppedTreeNodeAppendsItsStoredText)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.ReadSchema();
    TObjectTreeModel& model = form.TreeModel();
    const QModelIndex sequence = harness.Node(TTreeCategory::Sequences, "EMPNO_SEQ");
    const std::unique_ptr<QMimeData> data(model.mimeData({sequence}));
    ASSERT_NE(data, nullptr);
    TTextPane& pane = *form.Panes().TextPane(kErrorsPane);
    pane.setPlainText("-- ");
    Drop(pane, *data);
    const QString stored = QString::fromStdString(model.Item(sequence)->ObjectText);
    ASSERT_FALSE(stored.isEmpty());
    // QPlainTextEdit keeps line breaks as paragraphs; compare without the CRs.
    EXPECT_EQ(pane.toPlainText(), QString("-- " + stored).remove(u'\r'));

    // A drag from a tree since rebuilt brings nothing.
    model.BuildObjectTree(form.Reader());
    pane.setPlainText("kept");
    Drop(pane, *data);
    EXPECT_EQ(pane.toPlainText(), "kept");
}

TEST(Panes, ChangeFontReachesTreeAndPanesButNotTheTabs)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    const QFont tabs = form.Panes().TabSet()->font();
    QFont chosen(QStringLiteral("Courier"));
    chosen.setPointSize(17);
    harness.Dialogs().FontAnswers.push_back(chosen);
    harness.Click("ChangeFont1");
    EXPECT_EQ(form.font().pointSize(), 17);
    EXPECT_EQ(form.TreeView1()->font().pointSize(), 17);
    EXPECT_EQ(form.Panes().TextPane(kDescriptionPane)->font().pointSize(), 17);
    EXPECT_EQ(form.Panes().TabSet()->font(), tabs);
    // Cancelled: nothing changes.
    harness.Click("ChangeFont1");
    EXPECT_EQ(form.font().pointSize(), 17);
}

} // namespace
} // namespace quorvex::test
