#include "ReaderHarness.h"

#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <cctype>
#include <gtest/gtest.h>

namespace quorvex::test {

const std::string_view kTestUsersSql = R"(
INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES
    (59, 'SCOTT', 1, 'f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e'),
    (46, 'HR', 1, '1b52f3a2e15148731314bf167145c54565ed2385a862b5eb7771eaf719e4f82e'),
    (71, 'APP_ROLE', 0, '');
)";

TReaderHarness::TReaderHarness(std::string_view sysScript)
    : TReaderHarness(std::vector<EmbeddedScript>{{"SYS", std::string(sysScript)}})
{
}

TReaderHarness::TReaderHarness(const std::vector<EmbeddedScript>& scripts)
{
    const std::string folder = m_dir.File("db");
    BuildEmbeddedDatabase(folder, scripts);
    const std::string aliases = m_dir.File("aliases.ini");
    WriteFileBytes(aliases, "[TEST]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                "\nUSER NAME=SCOTT\n");
    m_session = std::make_unique<TQtSession>(aliases);
    m_session->SetAlias("TEST");
    m_session->SetLoginCallback([this](TLoginParams& login) {
        ++m_prompts;
        if (m_cancel)
            throw EAbort("login cancelled");
        login.UserName = m_user;
        login.Password = m_password;
    });
    m_query = std::make_unique<TRecordingQuery>(m_session->CreateQuery());
    m_root.SetQuery(m_query.get());
    LoginAs(m_user, m_password);
}

TReaderHarness::~TReaderHarness()
{
    // The query must go before its session.
    m_root.SetQuery(nullptr);
    m_query.reset();
}

void TReaderHarness::LoginAs(const std::string& user, const std::string& password)
{
    m_user = user;
    m_password = password;
    std::string upper = user;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    m_root.UserName = upper;
}

void TReaderHarness::ClearLog()
{
    m_captions.clear();
    m_query->ClearLog();
}

void TReaderHarness::LoadSchema()
{
    m_root.LoadSchema([this](std::string_view caption) { m_captions.emplace_back(caption); });
}

void TReaderHarness::LoadSource()
{
    m_root.LoadSource([this](std::string_view caption) { m_captions.emplace_back(caption); });
}

TObjectItem* FindObject(const TDBNewOracle& root, std::string_view name, int type)
{
    const TObjectList& objects = root.Objects();
    for (int i = 0; i < objects.Count(); ++i) {
        TObjectItem* object = objects.Items(i);
        if (object->ObjectName == name && object->ObjectType == type)
            return object;
    }
    ADD_FAILURE() << "no object " << name << " of type " << type;
    return nullptr;
}

std::vector<std::string> ObjectNames(const TObjectList& objects)
{
    std::vector<std::string> names;
    for (int i = 0; i < objects.Count(); ++i)
        names.push_back(objects.Items(i)->ObjectName);
    return names;
}

} // namespace quorvex::test
