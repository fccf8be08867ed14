#include <gtest/gtest.h>

#include <QApplication>

#include "testhome.h"

int main(int argc, char** argv) {
    const auto home = MakeTestHome();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
