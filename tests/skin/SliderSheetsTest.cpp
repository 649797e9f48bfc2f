// Stage 3: the volume, balance, position-bar and mono/stereo sheets.
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "StageTestSupport.h"

#include "raster/Primitives.h"

using namespace vk;
using namespace vk::test;

namespace {
Rect volumeFrame(int k) { return {0, 15 * k, 68, 15 * k + 14}; }
Rect balanceFrame(int k) { return {0, 15 * k, 47, 15 * k + 14}; }
constexpr Rect kVolumeSource{107, 57, 175, 71};
constexpr Rect kBalanceSource{168, 57, 215, 71};
} // namespace

TEST(SliderSheets, EveryFrameIsThePictureUnderItsSlider) {
    for (bool full3D : {true, false}) {
        SCOPED_TRACE(full3D ? "Full 3D" : "Buttons Only");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {full3D, false});
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage3);
        // Stage 3 only reads the picture; Buttons Only leaves it as laid out.
        const Image& source = full3D ? docOf(bench).mainWindow : laidOut;
        for (int k = 0; k < 28; ++k) {
            EXPECT_TRUE(sameRegion(docOf(bench).templates.volumeWindow, volumeFrame(k), source, kVolumeSource)) << "volume frame " << k;
            EXPECT_TRUE(sameRegion(docOf(bench).templates.balanceWindow, balanceFrame(k), source, kBalanceSource)) << "balance frame " << k;
            // The row between two frames, and the knob rows under the last, stay the template's.
            EXPECT_TRUE(allOf(docOf(bench).templates.volumeWindow, {0, 15 * k + 14, 68, 15 * k + 15}, kSentinel)) << k;
            EXPECT_TRUE(allOf(docOf(bench).templates.balanceWindow, {0, 15 * k + 14, 47, 15 * k + 15}, kSentinel)) << k;
        }
        EXPECT_TRUE(allOf(docOf(bench).templates.volumeWindow, {0, 420, 68, 433}, kSentinel));
        EXPECT_TRUE(allOf(docOf(bench).templates.balanceWindow, {0, 420, 47, 433}, kSentinel));
    }
}

TEST(SliderSheets, StageThreeOnlyReadsThePicture) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, coded(), {true, true}, StampArt::Pattern);
    runStages(bench, Upto::Stage2);
    const Image afterStage2 = docOf(bench).mainWindow;
    skin::sliderSheets(docOf(bench));
    EXPECT_TRUE(sameImage(docOf(bench).mainWindow, afterStage2));
}

TEST(SliderSheets, GreyPictureShowsTheGrooves) {
    struct Probe {
        const char* what;
        int x, y;
        int level;
    };
    const Probe volume[] = {
        {"groove's left end, top row", 0, 5, 5},   {"groove's left end, bottom row", 0, 6, 195},
        {"groove's right end (x = 170)", 63, 5, 5}, {"right of the groove", 64, 5, 100},
        {"above the groove", 30, 4, 100},           {"below the groove", 30, 7, 100},
    };
    const Probe balance[] = {
        {"the volume groove's end (x = 170)", 2, 5, 5}, {"between the grooves", 3, 5, 100},
        {"balance groove starts (x = 177)", 9, 5, 5},   {"balance groove, bottom row", 9, 6, 195},
        {"balance groove ends (x = 213)", 45, 5, 5},    {"right of the groove", 46, 5, 100},
    };
    Workbench bench{qtTextRasteriser()};
    prepare(bench, grey(100), {});
    runStages(bench, Upto::Stage3);
    for (int k = 0; k < 28; ++k) {
        for (const Probe& p : volume)
            EXPECT_EQ(level(docOf(bench).templates.volumeWindow, p.x, 15 * k + p.y), p.level) << "volume frame " << k << ": " << p.what;
        for (const Probe& p : balance)
            EXPECT_EQ(level(docOf(bench).templates.balanceWindow, p.x, 15 * k + p.y), p.level) << "balance frame " << k << ": " << p.what;
    }
    const Image& posBar = docOf(bench).templates.posBar;
    EXPECT_TRUE(allOf(posBar, {0, 4, 248, 5}, rgb(5, 5, 5)));
    EXPECT_TRUE(allOf(posBar, {0, 5, 248, 6}, rgb(195, 195, 195)));
    EXPECT_TRUE(allOf(posBar, {0, 0, 248, 4}, kGrey100));
    EXPECT_TRUE(allOf(posBar, {0, 6, 248, 10}, kGrey100));
    EXPECT_TRUE(allOf(posBar, {248, 0, 307, 10}, kSentinel));  // the knobs
}

// The groove of the position bar is drawn in the sheet, over the copy: the
// picture under it keeps no groove, and with Buttons Only neither does the sheet.
TEST(SliderSheets, PositionBarGrooveOnlyInTheSheet) {
    for (bool full3D : {true, false}) {
        SCOPED_TRACE(full3D ? "Full 3D" : "Buttons Only");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {full3D, false});
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage3);
        const Image& posBar = docOf(bench).templates.posBar;
        EXPECT_TRUE(sameRegion(posBar, {0, 0, 248, 4}, laidOut, {16, 72, 264, 76}));
        EXPECT_TRUE(sameRegion(posBar, {0, 6, 248, 10}, laidOut, {16, 78, 264, 82}));
        EXPECT_TRUE(sameRegion(docOf(bench).mainWindow, {16, 72, 264, 82}, laidOut, {16, 72, 264, 82}));
        for (int x : {0, 100, 247}) {
            const TColor top = laidOut.pixel(16 + x, 76), bottom = laidOut.pixel(16 + x, 77);
            Image expected(1, 2);
            expected.setPixel(0, 0, top);
            expected.setPixel(0, 1, bottom);
            if (full3D) {
                darkenPixel(expected, 0, 0);
                lightenPixel(expected, 0, 1);
            }
            EXPECT_EQ(posBar.pixel(x, 4), expected.pixel(0, 0)) << x;
            EXPECT_EQ(posBar.pixel(x, 5), expected.pixel(0, 1)) << x;
        }
    }
}

TEST(SliderSheets, MonoAndStereoCells) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, coded(), {});
    runStages(bench, Upto::Stage3);
    struct Cell {
        const char* what;
        Rect cell, source;
    } cells[] = {
        {"stereo, active", {0, 0, 29, 12}, {239, 41, 268, 53}},
        {"stereo, inactive", {0, 12, 29, 24}, {239, 41, 268, 53}},
        {"mono, active", {29, 0, 58, 12}, {212, 41, 241, 53}},
        {"mono, inactive", {29, 12, 58, 24}, {212, 41, 241, 53}},
    };
    for (const Cell& c : cells) EXPECT_TRUE(sameRegion(docOf(bench).templates.monoSter, c.cell, docOf(bench).mainWindow, c.source)) << c.what;
    EXPECT_TRUE(sameRegion(docOf(bench).templates.monoSter, {0, 0, 29, 12}, docOf(bench).templates.monoSter, {0, 12, 29, 24}));
    EXPECT_TRUE(sameRegion(docOf(bench).templates.monoSter, {29, 0, 58, 12}, docOf(bench).templates.monoSter, {29, 12, 58, 24}));
}
