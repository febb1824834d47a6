// A diagram pane as a user works it: the IMG tab, a table dropped from the tree, References from
// the popup menu, Automatic SQL, layout, picture and print, dragging, zooming, a hint, a schema
// refresh under the diagram, and Clear.
#include "mainwindow/DiagramPane.h"

#include "WindowHarness.h"
#include "mainwindow/DiagramCommands.h"
#include "sqltools/AutoSQLForm.h"
#include "sqltools/QueryRowsModel.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolTip>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(DiagramPane, DropReferencesSqlFilesDragZoomHintRefreshAndClear)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    form.show();
    h.Click("RefreshAll1");
    TPaneSet& panes = form.Panes();
    panes.TabSet()->setCurrentIndex(panes.Count() - 1);
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
    ASSERT_NE(emp, nullptr);
    EXPECT_EQ(diagram.Components().size(), 1u);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 30));
    EXPECT_TRUE(emp->Selected());
    EXPECT_EQ(emp->Row(0), "EMPNO=EMPNO=NUMBER(4,0) NOT NULL[Key]");

    // The popup over EMP, then References: DEPT opens beside it, joined by one line.
    QContextMenuEvent popup(QContextMenuEvent::Mouse, QPoint(50, 35),
                            view->mapToGlobal(QPoint(50, 35)));
    QCoreApplication::sendEvent(view, &popup);
    EXPECT_TRUE(form.Action("References1")->isEnabled());
    EXPECT_FALSE(form.Action("StraightLines1")->isEnabled());
    form.Diagram().ImagePopup()->hide();
    h.Click("References1");
    TGDBTable* dept = diagram.FindDiagramTable("DEPT");
    ASSERT_TRUE(dept != nullptr && emp->OutgoingReferences.size() == 1);
    EXPECT_EQ(emp->OutgoingReferences[0].Line->Hint, "(EMP.DEPTNO=DEPT.DEPTNO)");
    EXPECT_EQ(dept->IncomingReferences[0].Line, emp->OutgoingReferences[0].Line);

    // Automatic SQL over both tables: fields double-clicked, rows on entering the grid, and
    // the statement taken into a new SQL pane.
    h.Click("AutomaticSQL1");
    std::unique_ptr<TAutoSQLForm> sql(form.findChild<TAutoSQLForm*>());
    ASSERT_NE(sql, nullptr);
    EXPECT_EQ(sql->FromMemo()->toPlainText(), "EMP tab0\n,DEPT tab1");
    EXPECT_EQ(sql->WhereMemo()->toPlainText(), "(tab0.DEPTNO=tab1.DEPTNO)");
    for (const int row : {2, 6}) {
        sql->FieldList()->setCurrentRow(row);
        sql->FieldListDblClick();
    }
    EXPECT_EQ(sql->SelectMemo()->toPlainText(), "tab0.ENAME\n,tab0.SAL");
    sql->ResultsDBGridEnter();
    EXPECT_EQ(sql->Rows().rowCount(), 14);
    sql->findChild<QPushButton*>("OpenInPaneButton")->click();
    EXPECT_EQ(form.PaneText(panes.CurrentIndex()), sql->Statement());
    sql.reset();
    panes.SelectPane(pane->Tag());

    // Layout, picture and print through their dialogs; "abc" as the scale prints at 4.
    h.Dialogs().FileAnswers = {QString::fromStdString(h.Dir().File("d.lyt")),
                               QString::fromStdString(h.Dir().File("d.png"))};
    h.Dialogs().InputAnswers = {QStringLiteral("abc")};
    h.Dialogs().PrintAnswers = {QString::fromStdString(h.Dir().File("d.pdf"))};
    for (const char* item : {"SaveLayout1", "SaveToBitmap1", "Print1"})
        h.Click(item);
    EXPECT_EQ(ReadFileBytes(h.Dir().File("d.lyt")).substr(0, 32),
              "0=TGDBTable\r\n0TableName=EMP\r\n0Le");
    EXPECT_FALSE(QImage(QString::fromStdString(h.Dir().File("d.png"))).isNull());
    EXPECT_EQ(ReadFileBytes(h.Dir().File("d.pdf")).substr(0, 5), "%PDF-");
    EXPECT_FALSE(h.AskedKinds().contains("Message"));

    // Dragging EMP by its title moves it and re-routes the line.
    const QRect lineBefore = emp->OutgoingReferences[0].Line->Bounds();
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, QPoint(60, 32)},
                                   {QEvent::MouseMove, QPoint(60, 132)},
                                   {QEvent::MouseButtonRelease, QPoint(60, 132)}}) {
        QMouseEvent event(type, at, view->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QCoreApplication::sendEvent(view, &event);
    }
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 130));
    EXPECT_NE(emp->OutgoingReferences[0].Line->Bounds(), lineBefore);

    // Zoom Out twice: quarter scale, positions divided; with hints on, a table's hint at
    // reduced scale is its name and key.
    h.Click("ZoomOutAction");
    h.Click("ZoomOutAction");
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(10, 32));
    EXPECT_EQ(pane->ScaleHint(), "Scale : 1/4");
    h.Click("ShowHintsAction");
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
