// The tests run inside a core application, without which Qt loads no SQL driver, with the
// user's folders in a temporary folder so that no test touches the real configuration.
#include "TestSupport.h"

#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const quorvex::test::TempDir home;
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    unsetenv("QUORVEX_PASSWORD");
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
