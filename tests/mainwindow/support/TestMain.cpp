// Windows and icons need an application object; every test runs inside one, on the offscreen
// platform, with the user's folders in a temporary folder so no test touches the real
// configuration or the real demo database, and with the model classes registered for
// snapshots.
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    quorvex::test::TempDir home;
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quorvex::RegisterDictionaryClasses();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
