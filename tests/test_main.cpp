// Shared main of the test programs: a headless Qt application, so picture
// decoding and text rasterising work as they do in the programs.
#include "app/qt/QtTextRasteriser.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
