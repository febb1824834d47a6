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
#include <QTest>
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

    // Automatic SQL over both tables: fields double-clicked, rows on entering the grid, and the
    // statement taken into a new SQL pane.
    h.Click("AutomaticSQL1");
    std::unique_ptr<TAutoSQLForm> sql(form.findChild<TAutoSQLForm*>());
    ASSERT_NE(sql, nullptr);
    for (const int row : {2, 6}) {
        sql->FieldList()->setCurrentRow(row);
        sql->FieldListDblClick();
    }
    sql->ResultsDBGridEnter();
    EXPECT_EQ(sql->SelectMemo()->toPlainText() + "|" + sql->FromMemo()->toPlainText() + "|" +
                  sql->WhereMemo()->toPlainText() + "|" + QString::number(sql->Rows().rowCount()),
              "tab0.ENAME\n,tab0.SAL|EMP tab0\n,DEPT tab1|(tab0.DEPTNO=tab1.DEPTNO)|14");
    sql->findChild<QPushButton*>("OpenInPaneButton")->click();
    EXPECT_EQ(form.PaneText(form.Panes().CurrentIndex()), sql->Statement());
    sql.reset();
    form.Panes().SelectPane(pane->Tag());

    // Layout, picture and print through their dialogs; "abc" as the scale prints at 4.
    h.Dialogs().FileAnswers = {h.File("d.lyt"), h.File("d.png")};
    h.Dialogs().InputAnswers = {QStringLiteral("abc")};
    h.Dialogs().PrintAnswers = {h.File("d.pdf")};
    for (const char* item : {"SaveLayout1", "SaveToBitmap1", "Print1"})
        h.Click(item);
    EXPECT_EQ(ReadFileBytes(h.Path("d.lyt")).substr(0, 32), "0=TGDBTable\r\n0TableName=EMP\r\n0Le");
    EXPECT_FALSE(QImage(h.File("d.png")).isNull());
    EXPECT_EQ(ReadFileBytes(h.Path("d.pdf")).substr(0, 5), "%PDF-");
    EXPECT_FALSE(h.AskedKinds().contains("Message"));

    // Dragging EMP by its title moves it and re-routes the line.
    const QRect lineBefore = emp->OutgoingReferences[0].Line->Bounds();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(60, 32));
    QTest::mouseMove(view, QPoint(60, 132));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(60, 132));
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 130));
    EXPECT_NE(emp->OutgoingReferences[0].Line->Bounds(), lineBefore);

    // Zoom Out twice: quarter scale; with hints on, a table's hint is its name and key.
    for (const char* item : {"ZoomOutAction", "ZoomOutAction", "ShowHintsAction"})
        h.Click(item);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(10, 32));
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
