// A diagram pane as a user works it: the IMG tab, a table dropped from the tree, References from
// the popup menu, zooming, a hint, a schema refresh under the diagram, and Clear.
#include "mainwindow/DiagramPane.h"

#include "WindowHarness.h"
#include "mainwindow/DiagramCommands.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMimeData>
#include <QTabBar>
#include <QToolTip>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(DiagramPane, DropReferencesZoomHintRefreshAndClear)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    form.show();
    h.Click("RefreshAll1");
    form.Panes().TabSet()->setCurrentIndex(form.Panes().Count() - 1); // "IMG"
    TDiagramPane* pane = form.Diagram().CurrentPane();
    ASSERT_NE(pane, nullptr);
    QWidget* view = pane->viewport();
    TDiagramDocument& diagram = pane->Document();

    // EMP dragged from the tree lands where it is dropped, selected, with its rows.
    const std::unique_ptr<QMimeData> data(
        form.TreeModel().mimeData({Find(form.TreeModel(), {"Tables", "EMP"})}));
    QDragEnterEvent enter(QPoint(40, 30), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view, &enter);
    QDropEvent drop(QPointF(40, 30), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(view, &drop);
    TGDBTable* emp = diagram.FindDiagramTable("EMP");
    ASSERT_TRUE(emp && emp->Selected());
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 30));
    EXPECT_EQ(emp->Row(0), "EMPNO=EMPNO=NUMBER(4,0) NOT NULL[Key]");

    // The popup over EMP, then References: DEPT opens beside it, joined by one line.
    QContextMenuEvent popup(QContextMenuEvent::Mouse, {50, 35}, view->mapToGlobal(QPoint(50, 35)));
    QCoreApplication::sendEvent(view, &popup);
    form.Diagram().ImagePopup()->hide();
    h.Click("References1");
    ASSERT_EQ(emp->OutgoingReferences.size(), 1u);
    EXPECT_EQ(emp->OutgoingReferences[0].Line->Hint, "(EMP.DEPTNO=DEPT.DEPTNO)");
    EXPECT_EQ(diagram.FindDiagramTable("DEPT")->IncomingReferences[0].Line,
              emp->OutgoingReferences[0].Line);
    // Zoom Out twice: quarter scale; with hints on, a table's hint is its name and key.
    for (const char* item : {"ZoomOutAction", "ZoomOutAction", "ShowHintsAction"})
        h.Click(item);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(10, 7));
    EXPECT_EQ(pane->ScaleHint(), "Scale : 1/4");
    const QPoint over = pane->FromDiagram(emp->Bounds().center());
    QHelpEvent help(QEvent::ToolTip, over, view->mapToGlobal(over));
    QCoreApplication::sendEvent(view, &help);
    EXPECT_EQ(QToolTip::text(), "EMP (Primary Key = EMPNO)");

    // A refresh frees the model the tables showed: they take the new model's objects.
    h.Click("RefreshAll1");
    ASSERT_NE(emp->SchemaObject, nullptr);
    EXPECT_EQ(emp->SchemaObject, diagram.FindModelTable("EMP"));
    EXPECT_EQ(emp->SchemaObject->ObjectName, "EMP");
    h.Click("ClearAction");
    EXPECT_TRUE(diagram.Components().empty());
    EXPECT_EQ(diagram.NextTop, TDiagramDocument::kPlacementStart);
}

} // namespace
} // namespace quorvex::test
