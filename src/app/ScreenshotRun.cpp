#include "ScreenshotRun.h"

#include "dictionary/DBOraClass.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/QuorvexMainForm.h"
#include "persistence/Exceptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTreeView>
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

} // namespace

void RunScreenshot(TQuorvexMainForm& form, const QString& fileName)
{
    int code = 0;
    try {
        ReadAndShow(form);
        QApplication::processEvents();
        if (!form.grab().save(fileName, "PNG"))
            throw Exception("Cannot write " + fileName.toStdString());
    } catch (const std::exception& error) {
        std::cerr << "quorvex: " << error.what() << '\n';
        code = 1;
    }
    QApplication::exit(code);
}

} // namespace quorvex
