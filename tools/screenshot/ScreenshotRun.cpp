#include "ScreenshotRun.h"

#include "ScriptedDialogs.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "mainwindow/DiagramCommands.h"
#include "mainwindow/DiagramPane.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/QuorvexMainForm.h"
#include "mainwindow/TextPane.h"
#include "model/ObjectList.h"
#include "persistence/Exceptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeView>
#include <functional>
#include <iostream>
#include <map>

namespace quorvex {

namespace {

QModelIndex FindChild(const TObjectTreeModel& model, const QModelIndex& parent,
                      const QString& caption)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (model.Caption(child) == caption)
            return child;
    }
    return {};
}

void ReadAndShow(TQuorvexMainForm& form, const QString& selected = QStringLiteral("EMP"))
{
    const TProgress progress = [&form](std::string_view caption) {
        form.SetStatusText(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
    };
    QElapsedTimer clock;
    clock.start();
    form.TreeModel().Clear();
    form.Reader().LoadSchema(progress);
    form.Reader().LoadSource(progress);
    form.TreeModel().BuildObjectTree(form.Reader());
    form.SetStatusText(
        QStringLiteral("Finished in %1 seconds").arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2));

    TObjectTreeModel& model = form.TreeModel();
    const QModelIndex tables = model.CategoryIndex(TTreeCategory::Tables);
    const QModelIndex emp = FindChild(model, tables, selected);
    if (!emp.isValid())
        throw Exception("The schema has no table " + selected.toStdString());
    form.TreeView1()->expand(tables);
    form.TreeView1()->expand(emp);
    form.SelectNode(emp);
    form.SelectPane(kDescriptionPane);
}

void Execute(TQuorvexMainForm& form, const char* statement)
{
    form.Query().SetSQL(statement);
    form.Query().ExecSQL();
}

// A menu command as the user would run it; the commands show their own errors, so a failure
// is recognised by the message it left.
void Run(TQuorvexMainForm& form, TScriptedDialogs& dialogs, const char* action)
{
    const std::size_t asked = dialogs.Asked.size();
    form.Action(QString::fromLatin1(action))->trigger();
    for (std::size_t i = asked; i < dialogs.Asked.size(); ++i) {
        if (dialogs.Asked[i].Kind == QLatin1String("Message"))
            throw Exception(std::string(action) + ": " + dialogs.Asked[i].Text.toStdString());
    }
}

void CompareAndShow(TQuorvexMainForm& form, const QString& snapshot)
{
    TScriptedDialogsScope dialogs;
    Run(form, *dialogs, "RefreshAll1");
    dialogs->FileAnswers.push_back(snapshot);
    Run(form, *dialogs, "Snapshot1");

    Execute(form, R"(CREATE TABLE "AUDIT_LOG" ("LOG_ID" NUMBER(10) NOT NULL, )"
                  R"("LOGGED_AT" DATE, "NOTE" VARCHAR2(200)))");
    Execute(form, R"(CREATE INDEX "EMP_JOB_IDX" ON "EMP" ("JOB"))");
    Execute(form, R"(DROP TABLE "BONUS")");
    Run(form, *dialogs, "RefreshAll1");

    dialogs->FileAnswers.push_back(snapshot);
    Run(form, *dialogs, "CompareWithFile1");
    TObjectTreeModel& model = form.TreeModel();
    const QModelIndex tables = model.CategoryIndex(TTreeCategory::Tables);
    form.TreeView1()->expand(tables);
    form.TreeView1()->expand(FindChild(model, tables, QStringLiteral("EMP")));
}

TObjectItem& ModelTable(TQuorvexMainForm& form, const std::string& name)
{
    TObjectList& objects = form.Reader().Objects();
    for (int i = 0; i < objects.Count(); ++i) {
        TObjectItem* object = objects.Items(i);
        if (object->ObjectType == ObjectTypes::Table && object->ObjectName == name)
            return *object;
    }
    throw Exception("The schema has no table " + name);
}

// A diagram of the HR schema as a user builds one: EMPLOYEES dropped on a new diagram pane,
// its references and the tables referencing it opened, then those of DEPARTMENTS and
// LOCATIONS, every table's columns shown, a hint up.
void DiagramAndShow(TQuorvexMainForm& form)
{
    form.resize(1100, 640);
    ReadAndShow(form, QStringLiteral("EMPLOYEES"));
    form.SelectPane(form.Panes().Count() - 1);
    TDiagramPane* pane = form.Diagram().CurrentPane();
    if (pane == nullptr)
        throw Exception("No diagram pane opened");
    TDiagramDocument& diagram = pane->Document();
    TObjectItem& employees = ModelTable(form, "EMPLOYEES");
    diagram.AddTableForObject(employees);
    diagram.OpenReferences(employees, false);
    diagram.OpenReferences(employees, true);
    diagram.OpenReferences(ModelTable(form, "DEPARTMENTS"), false);
    diagram.OpenReferences(ModelTable(form, "LOCATIONS"), false);
    diagram.OpenReferences(ModelTable(form, "COUNTRIES"), false);
    // Arranged as the user would drag them; the second EMPLOYEES box is the manager's end of
    // the self-reference.
    const std::pair<const char*, QPoint> places[] = {
        {"JOB_HISTORY", {10, 10}}, {"JOBS", {10, 170}},        {"EMPLOYEES", {250, 10}},
        {"EMPLOYEES", {250, 330}}, {"DEPARTMENTS", {500, 40}}, {"LOCATIONS", {500, 170}},
        {"COUNTRIES", {500, 330}}, {"REGIONS", {500, 440}}};
    std::map<std::string, int> seen;
    for (TGDBTable* table : diagram.Tables()) {
        table->SetShowFields(true);
        int nth = seen[table->TableName()]++;
        for (const auto& [name, at] : places) {
            if (table->TableName() == name && nth-- == 0)
                diagram.DragTable(*table, MouseModes::Drag, at.x() - table->Left(),
                                  at.y() - table->Top());
        }
    }
    diagram.SelectOnlyGroup(0);
    if (TGDBTable* table = diagram.FindDiagramTable("EMPLOYEES"))
        table->SetSelected(true);
}

void SaveWindow(TQuorvexMainForm& form, const QString& fileName,
                const std::function<void()>& prepare)
{
    int code = 0;
    try {
        prepare();
        QApplication::processEvents();
        if (!form.grab().save(fileName, "PNG"))
            throw Exception("Cannot write " + fileName.toStdString());
    } catch (const std::exception& error) {
        std::cerr << "quorvex: " << error.what() << '\n';
        code = 1;
    }
    QApplication::exit(code);
}

} // namespace

bool IsScreenshotScenario(const QString& scenario)
{
    return scenario == QLatin1String("main-window") || scenario == QLatin1String("comparison") ||
           scenario == QLatin1String("diagram");
}

void RunScreenshot(TQuorvexMainForm& form, const QString& scenario, const QString& fileName)
{
    if (scenario == QLatin1String("comparison")) {
        SaveWindow(form, fileName, [&form] {
            QTemporaryDir folder;
            if (!folder.isValid())
                throw Exception("Cannot create a temporary folder");
            CompareAndShow(form, folder.filePath(QStringLiteral("before.OBJ")));
        });
    } else if (scenario == QLatin1String("diagram")) {
        SaveWindow(form, fileName, [&form] { DiagramAndShow(form); });
    } else {
        SaveWindow(form, fileName, [&form] { ReadAndShow(form); });
    }
}

} // namespace quorvex
