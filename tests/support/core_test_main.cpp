#include "support/test_environment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    mokpe::test::pinTestEnvironment();
    // The report measures and draws text: fonts need a GUI application (offscreen).
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
