// GUI tests run real widgets on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include "app/application.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    zorbel::ZorbelApplication::applyFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
