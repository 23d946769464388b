#include <QCoreApplication>

#include "platform/UptimeClock.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    corvel::finishCancelledTasks();
    return result;
}
