#include <gtest/gtest.h>

#include <QCoreApplication>

#include "testhome.h"

int main(int argc, char** argv) {
    const auto home = MakeTestHome();
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
