// The main of every test executable with windows: one QApplication for the whole run, made
// after GoogleTest has taken its own arguments. Test discovery runs the binary outside the
// test environment, so the offscreen platform is the default here too (QtTestUmgebung.h).

#include "tests/support/qt/QtTestUmgebung.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QtTestUmgebung();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
