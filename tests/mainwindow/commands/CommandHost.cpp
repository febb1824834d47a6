#include "CommandHost.h"

#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QRegularExpression>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {

namespace {

// Menu items and their start states: enabled, checkable, checked.
struct TItemStart {
    const char* Name;
    bool Enabled;
    bool Checkable;
    bool Checked;
};
constexpr TItemStart kItems[] = {
    {"Clear1", true, false, false},
    {"Import1", true, false, false},
    {"Snapshot1", false, false, false},
    {"CompareWithFile1", false, false, false},
    {"SaveAsText1", false, false, false},
    {"RefreshSource1", false, false, false},
    {"UseCostSQLHint1", true, true, true},
    {"UseRuleBasedSQL1", true, true, false},
    {"UseOrderedSQLRule1", true, true, false},
    {"SystemSchema1", true, true, false},
    {"ReCompile1", false, false, false},
    {"RecompileAll1", false, false, false},
    {"Recompile2", true, false, false},
    {"RecompileAll2", true, false, false},
    {"Drop1", false, false, false},
    {"Disconnect1", true, false, false},
};

void Dump(const TObjectTreeModel& tree, const QModelIndex& parent, const QString& path,
          QStringList& out)
{
    for (int row = 0; row < tree.rowCount(parent); ++row) {
        const QModelIndex node = tree.index(row, 0, parent);
        const QString name = path + tree.Caption(node);
        out << name + QStringLiteral(" [%1]").arg(tree.StateImage(node));
        Dump(tree, node, name + QLatin1Char('/'), out);
    }
}

} // namespace

bool IsFinishedText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^Finished in \\d+\\.\\d\\d seconds$"));
    return pattern.match(text).hasMatch();
}

TCommandHost::TCommandHost(const std::string& user, const std::string& password)
{
    const std::string folder = m_dir.File("demo");
    CopyDemoDatabase(folder);
    const std::string aliases = m_dir.File("aliases.ini");
    WriteFileBytes(aliases, "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                "\nUSER NAME=" + user + "\n");
    m_session = std::make_unique<TQtSession>(aliases);
    m_session->SetAlias("DEMO");
    m_session->SetLoginCallback([this, password](TLoginParams& login) {
        login.Password = password;
        if (password.empty()) {
            TLoginRequest request;
            request.Database = QStringLiteral("QuorvexGlobal");
            request.UserName = QString::fromStdString(login.UserName);
            const auto answer = m_dialogs->Login(&m_window, request);
            if (!answer)
                throw EAbort("login cancelled");
            login.UserName = answer->UserName.toStdString();
            login.Password = answer->Password.toStdString();
        }
    });
    m_query = m_session->CreateQuery();
    m_reader = std::make_unique<TDBNewOracle>();
    m_reader->SetQuery(m_query.get());
    m_reader->UserName = QString::fromStdString(user).toUpper().toStdString();
    m_reader->SourceName = "DEMO." + m_reader->UserName;
    for (const TItemStart& start : kItems) {
        auto* action = new QAction(QString::fromLatin1(start.Name), &m_window);
        action->setObjectName(QString::fromLatin1(start.Name));
        action->setEnabled(start.Enabled);
        action->setCheckable(start.Checkable);
        action->setChecked(start.Checked);
        m_actions[action->objectName()] = action;
    }
    m_commands = std::make_unique<TMainCommands>(*this);
    QAction* switches[] = {
        Action(QStringLiteral("UseCostSQLHint1")), Action(QStringLiteral("UseRuleBasedSQL1")),
        Action(QStringLiteral("UseOrderedSQLRule1")), Action(QStringLiteral("SystemSchema1"))};
    for (QAction* action : switches)
        QObject::connect(action, &QAction::triggered, &m_window,
                         [this, action] { m_commands->SystemSchema1Click(action); });
}

TCommandHost::~TCommandHost()
{
    // The tree refers to the model's items, the model to the query, the query to the session.
    m_tree.Clear();
    m_reader.reset();
    m_query.reset();
}

void TCommandHost::ReplaceReader(std::unique_ptr<TDBNewOracle> reader)
{
    EXPECT_EQ(m_tree.NodeCount(), 0u) << "the tree still refers to the old model";
    reader->SetQuery(m_query.get());
    m_reader = std::move(reader);
}

void TCommandHost::SetStatusText(const QString& text)
{
    m_statuses << text;
    m_enabledAtStatus.push_back(m_window.isEnabled());
}

void TCommandHost::SetPaneText(int index, const QString& text)
{
    if (index >= 0 && index < 3)
        m_panes[index] = text;
}

QString TCommandHost::PaneText(int index) const
{
    return index >= 0 && index < 3 ? m_panes[index] : QString();
}

QAction* TCommandHost::Action(const QString& name) const
{
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

QModelIndex TCommandHost::Category(const QString& caption) const
{
    for (int row = 0; row < m_tree.rowCount(); ++row)
        if (m_tree.Caption(m_tree.index(row, 0)) == caption)
            return m_tree.index(row, 0);
    return {};
}

QModelIndex TCommandHost::Node(const QString& category, const QString& caption) const
{
    const QModelIndex parent = Category(category);
    for (int row = 0; row < m_tree.rowCount(parent); ++row)
        if (m_tree.Caption(m_tree.index(row, 0, parent)) == caption)
            return m_tree.index(row, 0, parent);
    return {};
}

QStringList TCommandHost::TreeDump() const
{
    QStringList out;
    Dump(m_tree, {}, {}, out);
    return out;
}

void TCommandHost::Select(const QString& category, const QString& caption)
{
    const QModelIndex node = Node(category, caption);
    EXPECT_TRUE(node.isValid()) << "no node " << category.toStdString() << "/"
                                << caption.toStdString();
    SelectNode(node);
}

} // namespace quorvex::test
