// Stage 4: the shuffle/repeat sheet, the transport buttons and the knobs.
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "StageTestSupport.h"

using namespace vk;
using namespace vk::test;

namespace {

// Released stamps all white, pressed stamps all black: every stamped pixel of
// a grey 100 picture shows which stamps reached it (195, 255 or 5).
void drawSolidStamps(TemplateSet& t) {
    for (Image* up : {&t.repUpBut, &t.shuffleUpBut, &t.eqUpBut, &t.plUpBut, &t.buts})
        *up = uniform(up->width(), up->height(), kWhite);
    for (Image* down : {&t.repDown, &t.shuffleDown, &t.eqButDown, &t.plButDown, &t.downButs, &t.loadDown})
        *down = uniform(down->width(), down->height(), kBlack);
}

struct Made {
    Workbench bench{qtTextRasteriser()};
    Image afterStage3;
};

void makeWithSolidStamps(Made& m, const Image& picture, Radios radios) {
    prepare(m.bench, picture, radios);
    drawSolidStamps(docOf(m.bench).templates);
    runStages(m.bench, Upto::Stage3);
    m.afterStage3 = docOf(m.bench).mainWindow;
    skin::buttonSheets(docOf(m.bench));
}

constexpr Rect kVolumeKnob{133, 58, 147, 69};
constexpr Rect kBalanceKnob{189, 58, 203, 69};

} // namespace

TEST(ButtonSheets, ShufRepSheetFromAGreyPicture) {
    Made m;
    makeWithSolidStamps(m, grey(100), {});
    // Drawn in the order of the stage, so later cells cover earlier ones.
    const Image expected = paintBlocks(92, 85, kSentinel, {
        // repeat, pressed (16 rows; stamp 20 x 11)
        {{0, 15, 28, 31}, 100}, {{0, 15, 20, 26}, 5},
        {{0, 45, 28, 61}, 100}, {{0, 45, 20, 56}, 5},
        // shuffle, pressed (stamp 41 x 12)
        {{28, 15, 75, 31}, 100}, {{28, 15, 69, 27}, 5},
        {{28, 45, 75, 61}, 100}, {{28, 45, 69, 57}, 5},
        // EQ and PL toggles, pressed (stamps 16 x 10 and 14 x 9)
        {{46, 61, 69, 73}, 100}, {{46, 61, 62, 71}, 5},
        {{46, 73, 69, 85}, 100}, {{46, 73, 62, 83}, 5},
        {{69, 61, 92, 73}, 100}, {{69, 61, 83, 70}, 5},
        {{69, 73, 92, 85}, 100}, {{69, 73, 83, 82}, 5},
        // repeat, released: at y = 30 over row 30 of the pressed cell, stamped twice
        {{0, 30, 28, 45}, 100}, {{0, 30, 20, 41}, 255},
        {{0, 0, 28, 15}, 100}, {{0, 0, 20, 11}, 195},
        // shuffle, released; its last column is the repeat button's first, stamped by then
        {{28, 0, 75, 15}, 100}, {{28, 0, 69, 12}, 195}, {{74, 0, 75, 11}, 195},
        {{28, 30, 75, 45}, 100}, {{28, 30, 69, 42}, 255}, {{74, 30, 75, 41}, 195},
        // EQ and PL toggles, released, each twice the same
        {{0, 61, 23, 73}, 100}, {{0, 61, 16, 71}, 195},
        {{0, 73, 23, 85}, 100}, {{0, 73, 16, 83}, 195},
        {{23, 61, 46, 73}, 100}, {{23, 61, 37, 70}, 195},
        {{23, 73, 46, 85}, 100}, {{23, 73, 37, 82}, 195},
    });
    EXPECT_TRUE(sameImage(docOf(m.bench).templates.shufrep, expected));
}

TEST(ButtonSheets, ControlButtonSheetFromAGreyPicture) {
    Made m;
    makeWithSolidStamps(m, grey(100), {});
    const Image expected = paintBlocks(136, 36, kSentinel, {
        // pressed: the stamps (17 and 15 rows) leave each cell's last row bare
        {{114, 16, 136, 32}, 100}, {{114, 16, 136, 31}, 5},
        {{0, 18, 114, 36}, 100}, {{0, 18, 114, 35}, 5},
        // released: one stamp over the picture's rows 88 ... 104
        {{0, 0, 114, 18}, 100}, {{0, 0, 114, 17}, 195},
        {{114, 0, 136, 16}, 195},
    });
    EXPECT_TRUE(sameImage(docOf(m.bench).templates.cButtons, expected));
}

TEST(ButtonSheets, ReleasedArtStaysOnThePicture) {
    Made m;
    makeWithSolidStamps(m, grey(100), {});
    const Image& main = docOf(m.bench).mainWindow;
    const struct Art {
        const char* what;
        Rect r;
    } art[] = {{"transport and load", {16, 88, 158, 105}}, {"repeat", {210, 89, 230, 100}},
               {"shuffle", {164, 89, 205, 101}},            {"EQ", {219, 58, 235, 68}},
               {"PL", {242, 58, 256, 67}}};
    for (const Art& a : art) EXPECT_TRUE(allOf(main, a.r, rgb(195, 195, 195))) << a.what;
    EXPECT_TRUE(allOf(main, kVolumeKnob, rgb(7, 77, 177)));
    EXPECT_TRUE(allOf(main, kBalanceKnob, rgb(7, 77, 177)));
    for (Point p : differences(main, m.afterStage3)) {
        bool expected = inside(p, kVolumeKnob) || inside(p, kBalanceKnob);
        for (const Art& a : art) expected = expected || inside(p, a.r);
        EXPECT_TRUE(expected) << "(" << p.x << "," << p.y << ") changed";
    }
}

// One pixel of art per stamp: white in the released stamp, black in the
// pressed one, at (5, 3); every other stamp pixel is red.
TEST(ButtonSheets, RepeatAndShuffleCellsOnePixelOfArt) {
    struct Case {
        const char* what;
        Image TemplateSet::*up;
        Image TemplateSet::*down;
        int cellLeft;
    } cases[] = {{"repeat", &TemplateSet::repUpBut, &TemplateSet::repDown, 0},
                 {"shuffle", &TemplateSet::shuffleUpBut, &TemplateSet::shuffleDown, 28}};
    for (const Case& c : cases) {
        Workbench bench{qtTextRasteriser()};
        prepare(bench, grey(100), {});
        Image& up = docOf(bench).templates.*c.up;
        Image& down = docOf(bench).templates.*c.down;
        up.setPixel(5, 3, kWhite);
        down.setPixel(5, 3, kBlack);
        runStages(bench, Upto::Stage4);
        const Image& s = docOf(bench).templates.shufrep;
        const int x = c.cellLeft + 5;
        EXPECT_EQ(level(s, x, 3), 195) << c.what << ": released";
        EXPECT_EQ(level(s, x, 33), 255) << c.what << ": released, stamped twice";
        EXPECT_EQ(level(s, x, 18), 5) << c.what << ": pressed";
        EXPECT_EQ(level(s, x, 48), 5) << c.what << ": pressed";
        for (int top : {0, 15, 30, 45}) EXPECT_EQ(level(s, x + 1, top + 3), 100) << c.what << ": red stamp pixel";
    }
}

// Row 30 is the first row of the released cell below, not the last of the
// pressed cell above; the second pressed cell keeps all 16 rows.
TEST(ButtonSheets, CellRowsComeFromTheRightPictureRows) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, coded(), {});
    runStages(bench, Upto::Stage4);
    const Image& main = docOf(bench).mainWindow;
    auto sourceRow = [](int row) { return 89 + (row < 15 ? row : row < 30 ? row - 15 : row < 45 ? row - 30 : row - 45); };
    struct Column {
        const char* what;
        int sheetX, pictureX;
    } columns[] = {{"repeat", 5, 215}, {"shuffle", 30, 166}};
    for (const Column& c : columns)
        for (int row = 0; row < 61; ++row)
            EXPECT_EQ(docOf(bench).templates.shufrep.pixel(c.sheetX, row), main.pixel(c.pictureX, sourceRow(row))) << c.what << " row " << row;
    EXPECT_EQ(sourceRow(30), 89);
    EXPECT_EQ(sourceRow(60), 104);
}

TEST(ButtonSheets, TogglesReleasedTwiceAlikeRepeatNot) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, grey(100), {}, StampArt::Pattern);
    runStages(bench, Upto::Stage4);
    const Image& s = docOf(bench).templates.shufrep;
    EXPECT_TRUE(sameRegion(s, {0, 61, 23, 73}, s, {0, 73, 23, 85}));    // EQ, released
    EXPECT_TRUE(sameRegion(s, {23, 61, 46, 73}, s, {23, 73, 46, 85}));  // PL, released
    EXPECT_TRUE(sameRegion(s, {46, 61, 69, 73}, s, {46, 73, 69, 85}));  // EQ, pressed
    EXPECT_TRUE(sameRegion(s, {69, 61, 92, 73}, s, {69, 73, 92, 85}));  // PL, pressed
    EXPECT_FALSE(sameRegion(s, {0, 0, 28, 15}, s, {0, 30, 28, 45}));    // repeat: the second is stamped twice
    EXPECT_FALSE(sameRegion(s, {28, 0, 75, 15}, s, {28, 30, 75, 45}));  // shuffle likewise
}

TEST(ButtonSheets, ButtonsOnlyCellsArePlainCopies) {
    for (bool sink : {false, true}) {
        SCOPED_TRACE(sink ? "Sink Frame" : "Raise Frame");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {false, sink}, StampArt::Pattern);
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage4);
        const struct Cell {
            const char* what;
            Image TemplateSet::*sheet;
            Rect cell, source;
        } cells[] = {
            {"repeat, released", &TemplateSet::shufrep, {0, 0, 28, 15}, {210, 89, 238, 104}},
            {"repeat, pressed", &TemplateSet::shufrep, {0, 15, 28, 30}, {210, 89, 238, 104}},
            {"repeat, released", &TemplateSet::shufrep, {0, 30, 28, 45}, {210, 89, 238, 104}},
            {"repeat, pressed", &TemplateSet::shufrep, {0, 45, 28, 61}, {210, 89, 238, 105}},
            {"shuffle, released", &TemplateSet::shufrep, {28, 0, 75, 15}, {164, 89, 211, 104}},
            {"shuffle, pressed", &TemplateSet::shufrep, {28, 15, 75, 30}, {164, 89, 211, 104}},
            {"shuffle, released", &TemplateSet::shufrep, {28, 30, 75, 45}, {164, 89, 211, 104}},
            {"shuffle, pressed", &TemplateSet::shufrep, {28, 45, 75, 61}, {164, 89, 211, 105}},
            {"EQ, released", &TemplateSet::shufrep, {0, 61, 23, 73}, {219, 58, 242, 70}},
            {"EQ, released", &TemplateSet::shufrep, {0, 73, 23, 85}, {219, 58, 242, 70}},
            {"PL, released", &TemplateSet::shufrep, {23, 61, 46, 73}, {242, 58, 265, 70}},
            {"PL, released", &TemplateSet::shufrep, {23, 73, 46, 85}, {242, 58, 265, 70}},
            {"EQ, pressed", &TemplateSet::shufrep, {46, 61, 69, 73}, {219, 58, 242, 70}},
            {"EQ, pressed", &TemplateSet::shufrep, {46, 73, 69, 85}, {219, 58, 242, 70}},
            {"PL, pressed", &TemplateSet::shufrep, {69, 61, 92, 73}, {242, 58, 265, 70}},
            {"PL, pressed", &TemplateSet::shufrep, {69, 73, 92, 85}, {242, 58, 265, 70}},
            {"transport, released", &TemplateSet::cButtons, {0, 0, 114, 18}, {16, 88, 130, 106}},
            {"transport, pressed", &TemplateSet::cButtons, {0, 18, 114, 36}, {16, 88, 130, 106}},
            {"load, released", &TemplateSet::cButtons, {114, 0, 136, 16}, {136, 89, 158, 105}},
            {"load, pressed", &TemplateSet::cButtons, {114, 16, 136, 32}, {136, 89, 158, 105}},
        };
        for (const Cell& c : cells) EXPECT_TRUE(sameRegion(docOf(bench).templates.*c.sheet, c.cell, laidOut, c.source)) << c.what;
        EXPECT_TRUE(allOf(docOf(bench).templates.shufrep, {75, 0, 92, 61}, kSentinel));
        EXPECT_TRUE(allOf(docOf(bench).templates.cButtons, {114, 32, 136, 36}, kSentinel));
    }
}

// The knobs are pasted after the slider sheets are cut: the window picture
// shows them in either mode, the slider frames never.
TEST(ButtonSheets, KnobsOnThePictureOnly) {
    for (bool full3D : {true, false}) {
        SCOPED_TRACE(full3D ? "Full 3D" : "Buttons Only");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {full3D, false}, StampArt::Pattern);
        runStages(bench, Upto::Stage3);
        const Image beforeKnobs = docOf(bench).mainWindow;
        skin::buttonSheets(docOf(bench));
        EXPECT_TRUE(sameRegion(docOf(bench).mainWindow, kVolumeKnob, docOf(bench).templates.volBut, docOf(bench).templates.volBut.bounds()));
        EXPECT_TRUE(sameRegion(docOf(bench).mainWindow, kBalanceKnob, docOf(bench).templates.volBut, docOf(bench).templates.volBut.bounds()));
        for (int k = 0; k < 28; ++k) {
            EXPECT_TRUE(sameRegion(docOf(bench).templates.volumeWindow, {0, 15 * k, 68, 15 * k + 14}, beforeKnobs, {107, 57, 175, 71}));
            EXPECT_TRUE(sameRegion(docOf(bench).templates.balanceWindow, {0, 15 * k, 47, 15 * k + 14}, beforeKnobs, {168, 57, 215, 71}));
        }
    }
}
