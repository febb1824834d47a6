#include "ScreenshotRun.h"

#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "forms/ScriptedDialogs.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/QuorvexMainForm.h"
#include "persistence/Exceptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeView>
#include <functional>
#include <iostream>

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

void ReadAndShow(TQuorvexMainForm& form)
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
    const QModelIndex emp = FindChild(model, tables, QStringLiteral("EMP"));
    if (!emp.isValid())
        throw Exception("The schema has no table EMP");
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

void RunScreenshot(TQuorvexMainForm& form, const QString& fileName)
{
    SaveWindow(form, fileName, [&form] { ReadAndShow(form); });
}

void RunComparisonScreenshot(TQuorvexMainForm& form, const QString& fileName)
{
    SaveWindow(form, fileName, [&form] {
        QTemporaryDir folder;
        if (!folder.isValid())
            throw Exception("Cannot create a temporary folder");
        CompareAndShow(form, folder.filePath(QStringLiteral("before.OBJ")));
    });
}

} // namespace quorvex
