#include "WindowHarness.h"

#include "DemoCopy.h"
#include "forms/UserProperties.h"

#include <QStatusBar>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace quorvex::test {

QString TreeDump(const TObjectTreeModel& tree, const QModelIndex& root, bool flaggedOnly)
{
    QString out;
    // Appends the node's line and its children's; false when nothing was appended.
    std::function<bool(const QModelIndex&, int)> dump = [&](const QModelIndex& node, int depth) {
        const qsizetype start = out.size();
        const int state = tree.StateImage(node);
        if (node.isValid())
            out += QString(2 * depth, u' ') + tree.Caption(node) +
                   (state > 0 ? QStringLiteral(" [%1]\n").arg(state) : QStringLiteral("\n"));
        bool below = false;
        for (int row = 0; row < tree.rowCount(node); ++row)
            below |= dump(tree.index(row, 0, node), depth + node.isValid());
        if (flaggedOnly && state == 0 && !below)
            out.truncate(start);
        return out.size() > start;
    };
    dump(root, 0);
    return out;
}

QModelIndex Find(const TObjectTreeModel& tree, const QStringList& path)
{
    QModelIndex node;
    for (const QString& caption : path) {
        const QModelIndex parent = std::exchange(node, {});
        for (int row = 0; row < tree.rowCount(parent) && !node.isValid(); ++row)
            if (tree.Caption(tree.index(row, 0, parent)) == caption)
                node = tree.index(row, 0, parent);
    }
    return node;
}

QStringList GridRows(const QAbstractItemModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

TCommandClock FixedClock()
{
    return {[] { return QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)); },
            [ms = qint64(0)]() mutable { return ms += 1250; }};
}

TWindowHarness::TWindowHarness()
{
    CopyDemoDatabase(m_dir.File("demo"));
    WriteFileBytes(Path("aliases.ini"), "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" +
                                            Path("demo") + "\nUSER NAME=SCOTT\n");
    setenv("QUORVEX_ALIASES", Path("aliases.ini").c_str(), 1);
    SetUserPropertyFileName(File("quorvex.UDP"));
}

TWindowHarness::~TWindowHarness()
{
    m_commands.reset();
    m_form.reset();
    SetUserPropertyFileName({});
    unsetenv("QUORVEX_ALIASES");
}

TQuorvexMainForm& TWindowHarness::Create(const QStringList& arguments)
{
    m_commands.reset();
    m_form = std::make_unique<TQuorvexMainForm>(arguments);
    m_commands = std::make_unique<TMainCommands>(*m_form, FixedClock());
    QObject::connect(m_form->MainStatusBar(), &QStatusBar::messageChanged, m_form.get(),
                     [this](const QString& text) {
                         if (!text.isEmpty())
                             Statuses << text + (m_form->isEnabled() ? "" : " (busy)");
                     });
    return *m_form;
}

QStringList TWindowHarness::AskedKinds() const
{
    QStringList kinds;
    for (const auto& asked : m_dialogs->Asked)
        kinds << asked.Kind;
    return kinds;
}

} // namespace quorvex::test
