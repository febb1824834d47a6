// A diagram pane as a user works it: the IMG tab, a table dropped from the tree, References from
// the popup menu, Automatic SQL, layout, picture and print, dragging, zooming, a hint, a schema
// refresh under the diagram, and Clear.
#include "WindowHarness.h"
#include "dictionary/DBOraClass.h"
#include "mainwindow/DiagramCommands.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/TextPane.h"
#include "model/ObjectList.h"
#include "sqltools/AutoSQLForm.h"
#include "sqltools/QueryRowsModel.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>

namespace quorvex::test {
namespace {

void Mouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, viewport->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

TEST(DiagramPane, DropReferencesDragZoomHintRefreshAndClear)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    form.show();
    harness.ReadSchema();
    TPaneSet& panes = form.Panes();
    panes.TabSet()->setCurrentIndex(panes.Count() - 1);
    TDiagramPane* pane = form.Diagram().CurrentPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(panes.GetPane(panes.CurrentIndex()), pane);
    EXPECT_TRUE(form.findChild<QWidget*>("ToolBar1")->isVisible());
    TDiagramDocument& diagram = pane->Document();

    // EMP dragged from the tree lands where it is dropped, selected, with its rows.
    const std::unique_ptr<QMimeData> data(
        form.TreeModel().mimeData({harness.Node(TTreeCategory::Tables, "EMP")}));
    QDragEnterEvent enter(QPoint(40, 30), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(pane->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(40, 30), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane->viewport(), &drop);
    ASSERT_EQ(diagram.Components().size(), 1u);
    TGDBTable* emp = diagram.FindDiagramTable("EMP");
    ASSERT_NE(emp, nullptr);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 30));
    EXPECT_TRUE(emp->Selected());
    EXPECT_EQ(emp->Row(0), "EMPNO=EMPNO=NUMBER(4,0) NOT NULL[Key]");

    // The popup over EMP, then References: DEPT opens beside it, joined by one line.
    QContextMenuEvent popup(QContextMenuEvent::Mouse, QPoint(50, 35),
                            pane->viewport()->mapToGlobal(QPoint(50, 35)));
    QCoreApplication::sendEvent(pane->viewport(), &popup);
    EXPECT_TRUE(form.Action("References1")->isEnabled());
    EXPECT_FALSE(form.Action("StraightLines1")->isEnabled());
    form.Diagram().ImagePopup()->hide();
    harness.Click("References1");
    TGDBTable* dept = diagram.FindDiagramTable("DEPT");
    ASSERT_NE(dept, nullptr);
    ASSERT_EQ(emp->OutgoingReferences.size(), 1u);
    EXPECT_EQ(emp->OutgoingReferences[0].Line->Hint, "(EMP.DEPTNO=DEPT.DEPTNO)");
    EXPECT_EQ(dept->IncomingReferences[0].Line, emp->OutgoingReferences[0].Line);

    // Automatic SQL over both tables: fields double-clicked, rows on entering the grid, and
    // the statement taken into a new SQL pane.
    harness.Click("AutomaticSQL1");
    auto* sql = form.findChild<TAutoSQLForm*>();
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
    delete sql;
    panes.SelectPane(pane->Tag());

    // Layout, picture and print through their dialogs; "abc" as the scale prints at 4.
    TempDir dir;
    harness.Dialogs().FileAnswers = {QString::fromStdString(dir.File("d.lyt")),
                                     QString::fromStdString(dir.File("d.png"))};
    harness.Click("SaveLayout1");
    harness.Click("SaveToBitmap1");
    harness.Dialogs().InputAnswers = {QStringLiteral("abc")};
    harness.Dialogs().PrintAnswers = {QString::fromStdString(dir.File("d.pdf"))};
    harness.Click("Print1");
    EXPECT_EQ(ReadFileBytes(dir.File("d.lyt")).substr(0, 32),
              "0=TGDBTable\r\n0TableName=EMP\r\n0Le");
    EXPECT_FALSE(QImage(QString::fromStdString(dir.File("d.png"))).isNull());
    EXPECT_EQ(ReadFileBytes(dir.File("d.pdf")).substr(0, 5), "%PDF-");
    EXPECT_EQ(harness.AskedKinds().filter("Message"), QStringList());

    // Dragging EMP by its title moves it and re-routes the line.
    const QRect lineBefore = emp->OutgoingReferences[0].Line->Bounds();
    Mouse(pane->viewport(), QEvent::MouseButtonPress, QPoint(60, 32), Qt::LeftButton);
    Mouse(pane->viewport(), QEvent::MouseMove, QPoint(60, 132), Qt::LeftButton);
    Mouse(pane->viewport(), QEvent::MouseButtonRelease, QPoint(60, 132), Qt::NoButton);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(40, 130));
    EXPECT_NE(emp->OutgoingReferences[0].Line->Bounds(), lineBefore);

    // Zoom Out twice: quarter scale, positions divided, the pane's hint says so.
    harness.Click("ZoomOutAction");
    harness.Click("ZoomOutAction");
    EXPECT_EQ(diagram.CurrentScale(), 4);
    EXPECT_EQ(emp->Bounds().topLeft(), QPoint(10, 32));
    EXPECT_EQ(pane->ScaleHint(), "Scale : 1/4");

    // With hints on, a table's hint at reduced scale is its name and key.
    harness.Click("ShowHintsAction");
    const QPoint over = pane->FromDiagram(emp->Bounds().center());
    QHelpEvent help(QEvent::ToolTip, over, pane->viewport()->mapToGlobal(over));
    QCoreApplication::sendEvent(pane->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "EMP (Primary Key = EMPNO)");

    // A refresh frees the model the tables showed: they take the new model's objects.
    harness.ReadSchema();
    EXPECT_EQ(emp->SchemaObject, diagram.FindModelTable("EMP"));
    ASSERT_NE(emp->SchemaObject, nullptr);
    EXPECT_EQ(emp->SchemaObject->ObjectName, "EMP");

    harness.Click("ClearAction");
    EXPECT_TRUE(diagram.Components().empty());
    EXPECT_EQ(diagram.NextTop, TDiagramDocument::kPlacementStart);
}

} // namespace
} // namespace quorvex::test
