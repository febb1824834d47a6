#include "LiveDatabase.h"

#include "engine/QtSession.h"
#include "persistence/AsciiText.h"
#include "persistence/Exceptions.h"

#include <cstdlib>

namespace quorvex {

std::unique_ptr<TDBNewOracle> ReadLiveModel(const TLiveRead& read, const TProgress& progress)
{
    TQtSession session;
    session.SetAlias(read.Alias);
    session.SetLoginCallback([&read](TLoginParams& login) {
        login.UserName = read.User;
        login.Password = read.Password;
    });
    auto model = std::make_unique<TDBNewOracle>();
    model->UserName = UpperAsciiText(read.User);
    model->SourceName = read.Alias + "." + model->UserName;
    model->IncludeSys = read.IncludeSys;
    model->UseRule = read.UseRule;
    model->UseOrdered = read.UseOrdered;
    // The query must go before the session; the model only borrows it.
    const std::unique_ptr<TQuery> query = session.CreateQuery();
    model->SetQuery(query.get());
    try {
        model->LoadSchema(progress);
        if (read.ReadSource)
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
