#include "SessionStoredProc.h"

#include "EmbeddedConnection.h"
#include "EngineMessages.h"
#include "QtSession.h"
#include "engine/emulation/StoredProcedures.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <algorithm>

namespace quorvex {
namespace {

std::vector<std::string> NameParts(std::string_view name)
{
    std::vector<std::string> parts;
    while (true) {
        const auto dot = name.find('.');
        parts.push_back(sql::ToUpper(name.substr(0, dot)));
        if (dot == std::string_view::npos)
            return parts;
        name.remove_prefix(dot + 1);
    }
}

} // namespace

std::string StoredProcCallText(std::string_view name, const std::vector<std::string>& params)
{
    std::string text = "BEGIN " + std::string(name) + "(";
    for (size_t k = 0; k < params.size(); ++k)
        text += (k > 0 ? ", " : "") + params[k] + " => :" + params[k];
    return text + "); END;";
}

TSessionStoredProc::TSessionStoredProc(TQtSession& session, std::string_view name)
    : m_session(&session)
    , m_name(name)
{
    m_session->Register(*this);
}

TSessionStoredProc::~TSessionStoredProc()
{
    if (m_session != nullptr)
        m_session->Unregister(*this);
}

TQtSession& TSessionStoredProc::Session() const
{
    if (m_session == nullptr)
        throw Exception("The stored procedure's database session no longer exists");
    return *m_session;
}

void TSessionStoredProc::Prepare()
{
    TBackendConnection& connection = Session().Connection();
    if (connection.IsSqlite()) {
        // The embedded engine runs a few procedures itself; other SQLite connections none.
        const auto params = dynamic_cast<TEmbeddedConnection*>(&connection) != nullptr
                                ? emulation::EmulatedProcedureParams(m_name)
                                : std::nullopt;
        if (!params)
            throw Exception(messages::StoredProcNotSupported(m_name));
        m_paramNames = *params;
        m_prepared = true;
        return;
    }
    const auto parts = NameParts(m_name);
    if (parts.size() > 3)
        throw Exception("Invalid stored procedure name " + m_name);
    auto query = Session().CreateQuery(true);
    query->AddSQL("SELECT ARGUMENT_NAME, OVERLOAD FROM ALL_ARGUMENTS");
    query->AddSQL("WHERE DATA_LEVEL = 0 AND ARGUMENT_NAME IS NOT NULL");
    if (parts.size() == 3) {
        query->AddSQL("AND OWNER = :P0 AND PACKAGE_NAME = :P1 AND OBJECT_NAME = :P2");
    } else if (parts.size() == 2) {
        // Either a package's procedure or a schema's stand-alone one.
        query->AddSQL("AND OBJECT_NAME = :P1 AND (PACKAGE_NAME = :P0 OR "
                      "(OWNER = :P0 AND PACKAGE_NAME IS NULL))");
    } else {
        query->AddSQL("AND OBJECT_NAME = :P0 AND PACKAGE_NAME IS NULL AND OWNER = USER");
    }
    query->AddSQL("ORDER BY OVERLOAD, POSITION");
    for (size_t k = 0; k < parts.size(); ++k)
        query->SetParam("P" + std::to_string(k), parts[k]);

    m_paramNames.clear();
    query->Open();
    const std::string firstOverload = query->Eof() ? std::string() : query->AsText(1);
    for (; !query->Eof() && query->AsText(1) == firstOverload; query->Next())
        m_paramNames.push_back(query->AsText(0));
    query->Close();
    m_prepared = true;
}

void TSessionStoredProc::Store(std::string_view name, TParamValue value)
{
    const std::string key = sql::ToUpper(name);
    if (m_prepared &&
        std::find(m_paramNames.begin(), m_paramNames.end(), key) == m_paramNames.end())
        throw Exception(messages::StoredProcParamNotFound(std::string(name)));
    if (const auto* text = std::get_if<std::string>(&value); text != nullptr && text->empty())
        value = std::monostate();
    m_values[key] = std::move(value);
}

void TSessionStoredProc::SetParam(std::string_view name, std::string_view text)
{
    Store(name, TParamValue(std::string(text)));
}

void TSessionStoredProc::SetParam(std::string_view name, std::int64_t value)
{
    Store(name, TParamValue(value));
}

void TSessionStoredProc::Execute()
{
    if (!m_prepared)
        Prepare();
    std::vector<std::string> used;
    for (const auto& name : m_paramNames)
        if (m_values.count(name) != 0)
            used.push_back(name);
    const std::string text = StoredProcCallText(m_name, used);
    Session().Connection().Execute({text, true, &m_values});
}

void TSessionStoredProc::Unprepare()
{
    m_prepared = false;
    m_paramNames.clear();
    m_values.clear();
}

} // namespace quorvex
