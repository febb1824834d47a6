#include "SqlToolsHarness.h"

#include "engine/QtSession.h"
#include "engine/demo/DemoDatabase.h"
#include "forms/UserProperties.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/TextPane.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/SQLGridForm.h"

#include <QAction>
#include <QStatusBar>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {

namespace {

// Passes every call on to the real query and records the texts it runs.
class TRecordingQuery final : public TQuery {
public:
    TRecordingQuery(std::unique_ptr<TQuery> inner, std::vector<std::string>& sent)
        : m_inner(std::move(inner))
        , m_sent(sent)
    {
    }

    void SetSQL(std::string_view text) override { m_inner->SetSQL(text); }
    void ClearSQL() override { m_inner->ClearSQL(); }
    void AddSQL(std::string_view line) override { m_inner->AddSQL(line); }
    std::string SQLText() const override { return m_inner->SQLText(); }
    void SetParam(std::string_view name, std::string_view text) override
    {
        m_inner->SetParam(name, text);
    }
    void SetParam(std::string_view name, std::int64_t value) override
    {
        m_inner->SetParam(name, value);
    }
    void SetParam(int index, std::string_view text) override { m_inner->SetParam(index, text); }
    void SetParam(int index, std::int64_t value) override { m_inner->SetParam(index, value); }
    void Open() override
    {
        m_sent.push_back("query-open: " + Trimmed());
        m_inner->Open();
    }
    bool IsOpen() const override { return m_inner->IsOpen(); }
    bool Eof() const override { return m_inner->Eof(); }
    void First() override { m_inner->First(); }
    void Next() override { m_inner->Next(); }
    void Close() override { m_inner->Close(); }
    void ExecSQL() override
    {
        m_sent.push_back("query-exec: " + Trimmed());
        m_inner->ExecSQL();
    }
    int FieldCount() const override { return m_inner->FieldCount(); }
    std::string FieldName(int index) const override { return m_inner->FieldName(index); }
    int FieldIndex(std::string_view name) const override { return m_inner->FieldIndex(name); }
    bool FieldIsLongText(int index) const override { return m_inner->FieldIsLongText(index); }
    bool IsNull(int index) const override { return m_inner->IsNull(index); }
    std::string AsText(int index) const override { return m_inner->AsText(index); }
    std::int64_t AsInteger(int index) const override { return m_inner->AsInteger(index); }
    double AsDateTime(int index) const override { return m_inner->AsDateTime(index); }
    double AsFloat(int index) const override { return m_inner->AsFloat(index); }

private:
    // The text as set, without the line break reading it back adds.
    std::string Trimmed() const
    {
        std::string text = m_inner->SQLText();
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        return text;
    }

    std::unique_ptr<TQuery> m_inner;
    std::vector<std::string>& m_sent;
};

} // namespace

TDemoCopy::TDemoCopy()
{
    const std::string folder = m_dir.File("demo");
    CopyDemoDatabase(folder);
    m_aliasFile = m_dir.File("aliases.ini");
    WriteFileBytes(m_aliasFile, "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                    "\nUSER NAME=SCOTT\n");
    setenv("QUORVEX_ALIASES", m_aliasFile.c_str(), 1);
    SetUserPropertyFileName(QString::fromStdString(m_dir.File("quorvex.UDP")));
}

TDemoCopy::~TDemoCopy()
{
    SetUserPropertyFileName({});
    unsetenv("QUORVEX_ALIASES");
}

TMainWindowHarness::TMainWindowHarness()
    : m_form(std::make_unique<TQuorvexMainForm>(QStringList{"DEMO", "scott", "tiger"}))
{
    m_form->show();
}

TMainWindowHarness::~TMainWindowHarness()
{
    m_form.reset();
}

void TMainWindowHarness::SetCurrentPane(int index, const QString& text)
{
    m_form->SelectPane(index);
    m_form->SetPaneText(index, text);
}

void TMainWindowHarness::Click(const char* action)
{
    QAction* item = m_form->Action(QString::fromLatin1(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
}

std::vector<TSQLGridForm*> TMainWindowHarness::ResultsWindows() const
{
    const auto found = m_form->findChildren<TSQLGridForm*>(Qt::FindDirectChildrenOnly);
    return {found.begin(), found.end()};
}

QString TMainWindowHarness::StatusText() const
{
    return m_form->MainStatusBar()->currentMessage();
}

QStringList TMainWindowHarness::AskedKinds() const
{
    QStringList kinds;
    for (const auto& asked : m_dialogs->Asked)
        kinds << asked.Kind;
    return kinds;
}

TRecordingSession::TRecordingSession(const std::string& aliasFile, std::string user,
                                     std::string password)
    : m_inner(std::make_unique<TQtSession>(aliasFile))
{
    m_inner->SetAlias("DEMO");
    m_inner->SetLoginCallback([user, password](TLoginParams& login) {
        login.UserName = user;
        login.Password = password;
    });
}

TRecordingSession::~TRecordingSession() = default;

std::vector<std::string> TRecordingSession::AliasNames() const
{
    return m_inner->AliasNames();
}
std::string TRecordingSession::AliasDriver(const std::string& alias) const
{
    return m_inner->AliasDriver(alias);
}
std::vector<std::string> TRecordingSession::AliasParams(const std::string& alias) const
{
    return m_inner->AliasParams(alias);
}
void TRecordingSession::SetAlias(const std::string& alias)
{
    m_inner->SetAlias(alias);
}
std::string TRecordingSession::Alias() const
{
    return m_inner->Alias();
}
void TRecordingSession::SetLoginCallback(TLoginCallback callback)
{
    m_inner->SetLoginCallback(std::move(callback));
}
void TRecordingSession::Open()
{
    m_inner->Open();
}
void TRecordingSession::Close()
{
    m_inner->Close();
}
bool TRecordingSession::Connected() const
{
    return m_inner->Connected();
}
std::string TRecordingSession::UserName() const
{
    return m_inner->UserName();
}
void TRecordingSession::ExecuteStatement(std::string_view sql)
{
    Sent.push_back("exec: " + std::string(sql));
    m_inner->ExecuteStatement(sql);
}
std::unique_ptr<TQuery> TRecordingSession::CreateQuery(bool parseParams)
{
    return std::make_unique<TRecordingQuery>(m_inner->CreateQuery(parseParams), Sent);
}
std::unique_ptr<TStoredProc> TRecordingSession::CreateStoredProc(std::string_view name)
{
    return m_inner->CreateStoredProc(name);
}

QStringList GridRows(const TSQLGridForm& form)
{
    const TQueryRowsModel& rows = form.Rows();
    QStringList out;
    for (int row = 0; row < rows.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < rows.columnCount(); ++column)
            cells << rows.index(row, column).data().toString();
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

} // namespace quorvex::test
