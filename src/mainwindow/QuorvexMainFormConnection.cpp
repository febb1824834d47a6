// The main window's connection: alias choice, login, the caption and the Database menu's
// connection commands.
#include "ObjectTreeModel.h"
#include "PickAliasForm.h"
#include "QuorvexMainForm.h"
#include "VersionCaption.h"
#include "dictionary/DBOraClass.h"
#include "engine/AliasConfig.h"
#include "engine/EngineMessages.h"
#include "engine/QtSession.h"
#include "forms/Dialogs.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QMetaObject>

namespace quorvex {

namespace {

// The value of a "key=value" line whose key matches without regard to letter case.
QString ParamValue(const std::vector<std::string>& params, std::string_view key)
{
    const QString wanted = QString::fromLatin1(key.data(), qsizetype(key.size()));
    for (const std::string& line : params) {
        const QString text = QString::fromStdString(line);
        const qsizetype equals = text.indexOf(u'=');
        if (equals >= 0 && text.left(equals).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return text.mid(equals + 1);
    }
    return {};
}

} // namespace

bool TQuorvexMainForm::PickAlias()
{
    TPickAliasForm dialog(*m_session, this);
    if (dialog.Execute() != mrOk)
        return false;
    // Choosing the alias already in use keeps its open connection, and with it its user.
    if (!m_session->Connected())
        m_reader->UserName.clear();
    m_reader->SourceName.clear();
    UpdateConnection();
    return true;
}

void TQuorvexMainForm::UpdateConnection()
{
    m_menu.Disconnect1->setEnabled(false);
    m_menu.Connect1->setEnabled(false);
    const std::string alias = m_session->Alias();
    QString caption =
        m_versionCaption + QStringLiteral("  Connection:") + QString::fromStdString(alias);
    if (!m_reader->UserName.empty()) {
        caption += u'.' + QString::fromStdString(m_reader->UserName);
        m_reader->SourceName = alias + "." + m_reader->UserName;
        m_menu.Disconnect1->setEnabled(true);
    } else {
        m_menu.Connect1->setEnabled(true);
    }
    setWindowTitle(caption);
}

void TQuorvexMainForm::Database1Login(TLoginParams& login)
{
    const std::string alias = m_session->Alias();
    if (alias.empty()) {
        Dialogs().ShowMessage(this, QString::fromLatin1(messages::kNoAliasSpecified));
        throw EAbort(messages::kNoAliasSpecified);
    }
    login.UserName.clear();
    login.Password.clear();
    QString user = Argument(1);
    QString password = Argument(2);
    if (user.isEmpty())
        user = ParamValue(m_session->AliasParams(alias), alias_keys::kUserName);
    if (password.isEmpty()) {
        TLoginRequest request;
        request.Database = m_databaseName;
        request.UserName = user;
        const std::optional<TLoginAnswer> answer = Dialogs().Login(this, request);
        if (!answer)
            throw EAbort("Login cancelled");
        user = answer->UserName.left(request.MaxLength);
        password = answer->Password.left(request.MaxLength);
    }
    login.UserName = user.toStdString();
    login.Password = password.toStdString();
    m_databaseName = m_databaseName.toUpper();
    m_reader->UserName = user.toUpper().toStdString();
    UpdateConnection();
    // The engine connects after this returns; a refused login must not leave the caption
    // naming a user who is not connected.
    QMetaObject::invokeMethod(this, &TQuorvexMainForm::CheckLoginOutcome, Qt::QueuedConnection);
}

void TQuorvexMainForm::CheckLoginOutcome()
{
    if (m_session && !m_session->Connected() && !m_reader->UserName.empty() &&
        m_reader->SourceName == m_session->Alias() + "." + m_reader->UserName) {
        m_reader->UserName.clear();
        UpdateConnection();
    }
}

void TQuorvexMainForm::Connect1Click()
{
    if (m_session->Connected())
        return;
    try {
        m_session->Open();
    } catch (...) {
        CheckLoginOutcome();
        throw;
    }
}

void TQuorvexMainForm::Disconnect1Click()
{
    if (m_session->Connected())
        m_session->Close();
    // Also after a refused login, so the menu and caption never claim a connection.
    m_reader->UserName.clear();
    UpdateConnection();
}

void TQuorvexMainForm::ChangeAlias1Click()
{
    PickAlias();
}

void TQuorvexMainForm::About1Click()
{
    Dialogs().Message(this, QMessageBox::Information, m_versionCaption, AboutText(),
                      QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace quorvex
