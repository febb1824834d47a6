// Every test runs inside a GUI application on the offscreen platform: Qt loads its SQL drivers
// only with an application object, and diagrams measure text with Qt Gui. The user's folders point
// into a temporary folder, so no test touches the real configuration; every test, and every
// executable it runs, sees a copy of the demo database as DEMO through an aliases file of its own,
// beside aliases of the other drivers and backends.
#include "DemoCopy.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"

#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const quorvex::test::TempDir home;
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    quorvex::test::CopyDemoDatabase(home.File("demo"));
    quorvex::test::WriteFileBytes(
        home.File("aliases.ini"),
        "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + home.File("demo") +
            "\n[PROD]\nDRIVER=ORACLE\nHOST=db.example.com\n[REPORTS]\nDRIVER=ORACLE\nDSN=reports\n"
            "[LEGACY]\nDRIVER=SYBASE\nPATH=/nowhere\n");
    setenv("QUORVEX_ALIASES", home.File("aliases.ini").c_str(), 1);
    unsetenv("QUORVEX_PASSWORD");
    // Tests read snapshots in this process too, not only through the tool.
    quorvex::RegisterDictionaryClasses();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
