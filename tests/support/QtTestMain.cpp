// Qt loads its SQL drivers only with an application object; every test runs inside one. The
// user's folders point into a temporary folder and the program's variables are cleared, so no
// test touches the real configuration or takes the user's aliases or password.
#include "TestSupport.h"

#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    quorvex::test::TempDir home;
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    unsetenv("QUORVEX_ALIASES");
    unsetenv("QUORVEX_PASSWORD");
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
