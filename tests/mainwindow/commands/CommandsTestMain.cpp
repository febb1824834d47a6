// The commands need an application object and the model classes registered for snapshots;
// every test runs on the offscreen platform.
#include "dictionary/DBOraClass.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    quorvex::RegisterDictionaryClasses();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
