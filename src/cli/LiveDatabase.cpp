#include "LiveDatabase.h"

#include "persistence/AsciiText.h"
#include "persistence/Exceptions.h"

#include <cstdlib>

namespace quorvex {

TLiveConnection::TLiveConnection(const TLiveRead& read)
    : m_read(read)
{
    SetLogin(m_session, m_read.Alias, m_read.User, m_read.Password);
    m_query = m_session.CreateQuery();
}

TLiveConnection::~TLiveConnection() = default;

void SetLogin(TQtSession& session, const std::string& alias, const std::string& user,
              const std::string& password)
{
    session.SetAlias(alias);
    session.SetLoginCallback([user, password](TLoginParams& login) {
        login.UserName = user;
        login.Password = password;
    });
}

std::unique_ptr<TDBNewOracle> TLiveConnection::ReadModel(const TProgress& progress)
{
    auto model = std::make_unique<TDBNewOracle>();
    model->UserName = UpperAsciiText(m_read.User);
    model->SourceName = m_read.Alias + "." + model->UserName;
    model->IncludeSys = m_read.IncludeSys;
    model->UseRule = m_read.UseRule;
    model->UseOrdered = m_read.UseOrdered;
    // The model only borrows the query.
    model->SetQuery(m_query.get());
    try {
        model->LoadSchema(progress);
        if (m_read.ReadSource)
            model->LoadSource(progress);
    } catch (...) {
        model->SetQuery(nullptr);
        throw;
    }
    model->SetQuery(nullptr);
    return model;
}

std::string ResolvePassword(const std::string& operand)
{
    if (operand != "-")
        return operand;
    const char* password = std::getenv("QUORVEX_PASSWORD");
    if (password == nullptr)
        throw Exception("The password \"-\" is taken from QUORVEX_PASSWORD, which is not set");
    return password;
}

} // namespace quorvex
