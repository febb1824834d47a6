#include "WindowHarness.h"

#include "dictionary/DBOraClass.h"
#include "engine/demo/DemoDatabase.h"
#include "forms/UserProperties.h"
#include "mainwindow/ObjectTreeModel.h"

#include <QAction>
#include <cstdlib>
#include <gtest/gtest.h>

namespace quorvex::test {

const std::string& DemoFolder()
{
    return DemoTemplate();
}

TWindowHarness::TWindowHarness()
{
    SetAliases(DemoAlias("DEMO"));
    SetUserPropertyFileName(QString::fromStdString(m_dir.File("quorvex.UDP")));
}

TWindowHarness::~TWindowHarness()
{
    m_form.reset();
    SetUserPropertyFileName({});
    unsetenv("QUORVEX_ALIASES");
}

std::string TWindowHarness::DemoAlias(const std::string& name, const std::string& driver)
{
    return "[" + name + "]\nDRIVER=" + driver + "\nBACKEND=EMBEDDED\nPATH=" + DemoFolder() +
           "\nUSER NAME=SCOTT\n";
}

void TWindowHarness::SetAliases(const std::string& text)
{
    const std::string file = m_dir.File("aliases.ini");
    WriteFileBytes(file, text);
    setenv("QUORVEX_ALIASES", file.c_str(), 1);
}

void TWindowHarness::SetProperties(const std::string& text)
{
    WriteFileBytes(m_dir.File("quorvex.UDP"), text);
}

TQuorvexMainForm& TWindowHarness::Create(const QStringList& arguments)
{
    m_form = std::make_unique<TQuorvexMainForm>(arguments);
    return *m_form;
}

void TWindowHarness::ReadSchema()
{
    TMainWindowHost& host = *m_form;
    host.TreeModel().Clear();
    host.Reader().LoadSchema([&host](std::string_view caption) {
        host.SetStatusText(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
    });
    host.Reader().LoadSource({});
    host.TreeModel().BuildObjectTree(host.Reader());
}

QModelIndex TWindowHarness::Node(TTreeCategory category, const QString& caption) const
{
    const TObjectTreeModel& model = m_form->TreeModel();
    const QModelIndex parent = model.CategoryIndex(category);
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (model.Caption(child) == caption)
            return child;
    }
    ADD_FAILURE() << "no node " << caption.toStdString();
    return {};
}

void TWindowHarness::Click(const char* action)
{
    QAction* item = m_form->Action(QString::fromLatin1(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
}

QStringList TWindowHarness::AskedKinds() const
{
    QStringList kinds;
    for (const auto& asked : m_dialogs->Asked)
        kinds.append(asked.Kind);
    return kinds;
}

} // namespace quorvex::test
