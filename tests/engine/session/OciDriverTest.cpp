// The OCI backend needs Qt's QOCI driver, which many Qt builds lack.
#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(OciDriverTest, MissingQociDriverNamesItAndTheOdbcAlternative)
{
    if (QSqlDatabase::isDriverAvailable("QOCI"))
        GTEST_SKIP() << "this Qt has the QOCI driver";
    TempDir dir;
    TLoginRecorder login;
    login.Password = "secret";
    auto session = MakeSession(WriteAliases(dir, "[PROD]\nDRIVER=ORACLE\nBACKEND=OCI\nHOST=db1\n"
                                                 "PORT=1521\nSERVICE NAME=ORCL\n"),
                               "PROD", login);
    try {
        session->Open();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The Qt SQL driver QOCI (Oracle OCI) is not available in this Qt "
                  "installation. Reach Oracle through ODBC instead: set BACKEND=ODBC in the "
                  "alias, with a DSN or CONNECT STRING for Oracle's ODBC driver.");
    }
    EXPECT_EQ(login.Calls, 0); // no password asked for a connection that cannot be made
    EXPECT_FALSE(session->Connected());
    EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
}

} // namespace
} // namespace quorvex::test
