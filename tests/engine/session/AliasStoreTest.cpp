// The alias store: the file it reads, the built-in DEMO, drivers, parameter lines and
// backends.
#include "engine/AliasStore.h"

#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QStandardPaths>
#include <cstdlib>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using TLines = std::vector<std::string>;

std::string DemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
           "/quorvex/demo";
}

class AliasStoreTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("QUORVEX_ALIASES"); }
    TempDir m_dir;
};

TEST_F(AliasStoreTest, FileFromEnvironmentOrConfigurationFolder)
{
    unsetenv("QUORVEX_ALIASES");
    EXPECT_EQ(
        TAliasStore::DefaultFileName(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
            "/quorvex/aliases.ini");
    const std::string file = m_dir.File("mine.ini");
    setenv("QUORVEX_ALIASES", file.c_str(), 1);
    EXPECT_EQ(TAliasStore::DefaultFileName(), file);
    EXPECT_EQ(TAliasStore::DefaultDemoFolder(), DemoFolder());
}

TEST_F(AliasStoreTest, SessionReadsTheFileNamedByTheEnvironment)
{
    const std::string file = WriteAliases(m_dir, "[PROD]\nDRIVER=ORACLE\nBACKEND=ODBC\nDSN=P\n");
    setenv("QUORVEX_ALIASES", file.c_str(), 1);
    TQtSession session;
    EXPECT_EQ(session.AliasNames(), (TLines{"DEMO", "PROD"}));
    EXPECT_EQ(session.AliasParams("prod"), (TLines{"BACKEND=ODBC", "DSN=P"}));
}

TEST_F(AliasStoreTest, MissingFileStillListsTheBuiltInDemo)
{
    const TAliasStore store(m_dir.File("none.ini"));
    EXPECT_EQ(store.Names(), (TLines{"DEMO"}));
    EXPECT_EQ(store.Driver("DEMO"), "ORACLE");
    EXPECT_EQ(store.Params("DEMO"),
              (TLines{"BACKEND=EMBEDDED", "PATH=" + DemoFolder(), "USER NAME=SCOTT"}));
    const auto demo = store.Find("demo");
    ASSERT_TRUE(demo.has_value());
    EXPECT_TRUE(demo->BuiltIn);
    EXPECT_EQ(demo->Backend(), TBackendKind::Embedded);
}

TEST_F(AliasStoreTest, FileAliasesFollowTheDemoInFileOrder)
{
    const TAliasStore store(WriteAliases(m_dir, "[Zeta]\nDRIVER=ORACLE\nBACKEND=OCI\nHOST=h\n"
                                                "[alpha]\nDRIVER=Oracle\nBACKEND=ODBC\n"
                                                "DSN=ORCL\nUSER NAME=corbelin\n"));
    EXPECT_EQ(store.Names(), (TLines{"DEMO", "Zeta", "alpha"}));
    EXPECT_EQ(store.Driver("zeta"), "ORACLE");
    // The driver is given as written: only "ORACLE" in upper case is offered by the program.
    EXPECT_EQ(store.Driver("ALPHA"), "Oracle");
    EXPECT_EQ(store.Params("Alpha"), (TLines{"BACKEND=ODBC", "DSN=ORCL", "USER NAME=corbelin"}));
}

TEST_F(AliasStoreTest, FileCanReplaceTheDemo)
{
    const TAliasStore store(
        WriteAliases(m_dir, "[A]\nBACKEND=OCI\n[demo]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\n"
                            "PATH=/srv/demo\nUSER NAME=HR\n"));
    EXPECT_EQ(store.Names(), (TLines{"A", "demo"}));
    EXPECT_EQ(store.Params("DEMO"), (TLines{"BACKEND=EMBEDDED", "PATH=/srv/demo", "USER NAME=HR"}));
    const auto demo = store.Find("DEMO");
    ASSERT_TRUE(demo.has_value());
    EXPECT_FALSE(demo->BuiltIn);
    EXPECT_EQ(demo->Name, "demo");
}

TEST_F(AliasStoreTest, DriverDefaultsToOracle)
{
    const TAliasStore store(WriteAliases(m_dir, "[X]\nBACKEND=ODBC\n[Y]\nDRIVER=\n"));
    EXPECT_EQ(store.Driver("X"), "ORACLE");
    EXPECT_EQ(store.Driver("Y"), "");
}

TEST_F(AliasStoreTest, UnknownAliasRaises)
{
    const TAliasStore store(WriteAliases(m_dir, "[X]\nBACKEND=ODBC\n"));
    EXPECT_FALSE(store.Find("NOPE").has_value());
    try {
        store.Driver("NOPE");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Alias NOPE not found");
    }
    EXPECT_THROW(store.Params("NOPE"), Exception);
}

TEST_F(AliasStoreTest, BackendFromTheAliasOrItsKeys)
{
    struct TCase {
        const char* entries;
        TBackendKind expected;
    };
    const TCase cases[] = {
        {"BACKEND=EMBEDDED\nPATH=/x", TBackendKind::Embedded},
        {"BACKEND=embedded", TBackendKind::Embedded},
        {"BACKEND=OCI\nHOST=h\nSERVICE NAME=s", TBackendKind::Oci},
        {"BACKEND=Odbc\nDSN=x", TBackendKind::Odbc},
        {"PATH=/x", TBackendKind::Embedded},
        {"CONNECT STRING=DRIVER=x", TBackendKind::Odbc},
        {"DSN=x", TBackendKind::Odbc},
        {"HOST=h\nSERVICE NAME=s", TBackendKind::Oci},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        TempDir dir;
        const TAliasStore store(WriteAliases(dir, std::string("[A]\n") + c.entries + "\n"));
        EXPECT_EQ(store.Get("A").Backend(), c.expected);
    }
    const TAliasStore store(WriteAliases(m_dir, "[A]\nBACKEND=BDE\n"));
    EXPECT_THROW(store.Get("A").Backend(), Exception);
}

} // namespace
} // namespace quorvex::test
