#include "EmulationTestSupport.h"

#include "DemoCopy.h"
#include "persistence/Exceptions.h"

#include <stdexcept>

namespace quorvex::test {

DemoSession::DemoSession(const std::string& user, const std::string& password)
    : m_folder(m_dir.File("demo"))
{
    CopyDemoDatabase(m_folder);
    const std::string aliases = m_dir.File("aliases.ini");
    WriteFileBytes(aliases, "[COPY]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + m_folder +
                                "\nUSER NAME=" + user + "\n");
    m_session = std::make_unique<TQtSession>(aliases);
    m_session->SetAlias("COPY");
    m_session->SetLoginCallback([password](TLoginParams& login) { login.Password = password; });
    m_session->Open();
}

long long DemoSession::Count(std::string_view sql)
{
    const TextRows rows = Rows(sql);
    if (rows.size() != 1 || rows[0].empty() || !rows[0][0])
        throw std::runtime_error("no single value from " + std::string(sql));
    return std::stoll(*rows[0][0]);
}

std::string DemoSession::ErrorOf(std::string_view sql)
{
    try {
        Execute(sql);
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

} // namespace quorvex::test
