// Stage 2: the main window's frame and wells, and the title-bar sheet.
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "StageTestSupport.h"

#include <array>

using namespace vk;
using namespace vk::test;

namespace {

struct Probe {
    const char* what;
    bool inTitle;  // titleBarImage, else mainWindow
    int x, y;
    int level;
};

void expectProbes(const Workbench& bench, const std::vector<Probe>& probes, const std::string& label) {
    for (const Probe& p : probes) {
        const Image& image = p.inTitle ? docOf(bench).templates.titleBarImage : docOf(bench).mainWindow;
        EXPECT_EQ(image.pixel(p.x, p.y), rgb(p.level, p.level, p.level))
            << label << ": " << p.what << " (" << p.x << "," << p.y << ")";
    }
}

} // namespace

TEST(MainFrame, GreyPictureForEachFrameOption) {
    struct Case {
        const char* label;
        Radios radios;
        std::vector<Probe> probes;
    } cases[] = {
        {"Full 3D, Raise Frame",
         {true, false},
         {{"outer ring, top-left", false, 0, 0, 195},
          {"outer ring, top-right", false, 274, 0, 195},
          {"bottom-left: darkened, then lightened", false, 0, 115, 100},
          {"bottom-right: darkened twice", false, 274, 115, 0},
          {"inside the ring", false, 1, 1, 100},
          {"inside the ring, bottom-right", false, 273, 114, 100},
          {"title bar, frame corner", true, 27, 0, 195},
          {"title bar, row 1", true, 28, 1, 100},
          {"left title button's lightened corner", true, 0, 0, 195},
          {"the same corner, darkened by the pressed cell", true, 0, 9, 100},
          {"shade bar, taken before the frame", true, 28, 30, 100},
          {"shade bar outline", true, 27, 29, 0}}},
        {"Full 3D, Sink Frame",
         {true, true},
         {{"outer ring", false, 0, 0, 195},
          {"inner ring, top-left", false, 1, 1, 5},
          {"inner ring, top-right", false, 273, 1, 5},
          {"inner ring, bottom-left", false, 1, 114, 195},
          {"inner ring, bottom-right", false, 273, 114, 195},
          {"bottom-right of the outer ring", false, 274, 115, 0},
          {"title bar, inner ring", true, 28, 1, 5},
          {"shade bar, taken before the frame", true, 28, 30, 100},
          {"shade bar outline", true, 27, 29, 0}}},
    };
    for (const Case& c : cases) {
        Workbench bench{qtTextRasteriser()};
        prepare(bench, grey(100), c.radios);
        runStages(bench, Upto::Stage2);
        expectProbes(bench, c.probes, c.label);
    }
}

TEST(MainFrame, WellsAndGroovesAreSunk) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, grey(100), {});
    runStages(bench, Upto::Stage2);
    const Image& main = docOf(bench).mainWindow;
    struct Well {
        const char* what;
        Rect r;
    } wells[] = {{"display panel", {23, 24, 101, 60}}, {"text strip", {110, 26, 267, 34}},
                 {"left readout", {110, 42, 127, 50}}, {"right readout", {155, 42, 167, 50}},
                 {"volume groove", {107, 62, 171, 64}}, {"balance groove", {177, 62, 214, 64}}};
    for (const Well& w : wells) {
        SCOPED_TRACE(w.what);
        EXPECT_TRUE(allOf(main, {w.r.left, w.r.top, w.r.right, w.r.top + 1}, rgb(5, 5, 5)));
        EXPECT_TRUE(allOf(main, {w.r.left, w.r.bottom - 1, w.r.right, w.r.bottom}, rgb(195, 195, 195)));
        EXPECT_TRUE(allOf(main, {w.r.left, w.r.top + 1, w.r.left + 1, w.r.bottom - 1}, rgb(5, 5, 5)));
        EXPECT_TRUE(allOf(main, {w.r.right - 1, w.r.top + 1, w.r.right, w.r.bottom - 1}, rgb(195, 195, 195)));
        // Just outside the well the picture is untouched.
        EXPECT_EQ(level(main, w.r.left - 1, w.r.top), 100);
        EXPECT_EQ(level(main, w.r.right, w.r.bottom - 1), 100);
        EXPECT_EQ(level(main, w.r.left, w.r.bottom), 100);
    }
    EXPECT_EQ(level(main, 24, 25), 100);  // inside the display panel
}

// Each 9 x 9 button cell of the sheet, drawn as levels: W 195, . 100, d 5,
// k 0, g 95. The pressed cells sink exactly the rectangle that was raised.
TEST(MainFrame, TitleButtonCells) {
    using Cell = std::array<const char*, 9>;
    const Cell raisedBox = {"WWWWWWWWW", "W.......d", "W.......d", "W.......d", "W.......d",
                            "W.......d", "W.......d", "W.......d", ".dddddddk"};
    const Cell pressedBox = {".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", ".........", "W.......g"};
    const Cell raisedTopBar = {"WWWWWWWWW", "W.......d", ".dddddddk", ".........", ".........",
                               ".........", ".........", ".........", "........."};
    const Cell pressedTopBar = {".........", ".........", "W.......g", ".........", ".........",
                                ".........", ".........", ".........", "........."};
    const Cell raisedBottomBar = {".........", ".........", ".........", ".........", ".........",
                                  ".........", "WWWWWWWWW", "W.......d", ".dddddddk"};
    const Cell pressedBottomBar = {".........", ".........", ".........", ".........", ".........",
                                   ".........", ".........", ".........", "W.......g"};
    struct Case {
        const char* what;
        Point cell;
        const Cell* levels;
    } cases[] = {
        {"options, released", {0, 0}, &raisedBox},         {"options, pressed", {0, 9}, &pressedBox},
        {"minimise, released", {9, 0}, &raisedBottomBar},  {"minimise, pressed", {9, 9}, &pressedBottomBar},
        {"close, released", {18, 0}, &raisedBox},          {"close, pressed", {18, 9}, &pressedBox},
        {"shade, released", {0, 18}, &raisedTopBar},       {"shade, pressed", {9, 18}, &pressedTopBar},
        {"unshade, released", {0, 27}, &raisedTopBar},     {"unshade, pressed", {9, 27}, &pressedTopBar},
    };
    auto levelOf = [](char c) { return c == 'W' ? 195 : c == '.' ? 100 : c == 'd' ? 5 : c == 'k' ? 0 : 95; };
    // The cells do not depend on the frame: the buttons lie off both rings.
    for (bool sink : {false, true}) {
        Workbench bench{qtTextRasteriser()};
        prepare(bench, grey(100), {true, sink});
        runStages(bench, Upto::Stage2);
        for (const Case& c : cases)
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 9; ++x)
                    EXPECT_EQ(level(docOf(bench).templates.titleBarImage, c.cell.x + x, c.cell.y + y), levelOf((*c.levels)[y][x]))
                        << c.what << " at (" << x << "," << y << ")" << (sink ? " with Sink Frame" : "");
    }
}

TEST(MainFrame, TitleBarsRepeatTheFramedStripAndShadeBarsTheUnframedOne) {
    for (bool sink : {false, true}) {
        SCOPED_TRACE(sink ? "Sink Frame" : "Raise Frame");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {true, sink});
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage2);
        const Image& main = docOf(bench).mainWindow;
        const Image& title = docOf(bench).templates.titleBarImage;
        for (int top : {0, 15, 58, 73})
            EXPECT_TRUE(sameRegion(title, {27, top, 302, top + 14}, main, {0, 0, 275, 14})) << top;

        for (int top : {29, 42}) {
            SCOPED_TRACE(top);
            // Inside: the strip with its raised title buttons...
            EXPECT_TRUE(sameRegion(title, {29, top + 2, 300, top + 13}, main, {2, 2, 273, 13}));
            // ...and where the inner ring would be, the picture as laid out.
            EXPECT_TRUE(sameRegion(title, {28, top + 1, 301, top + 2}, laidOut, {1, 1, 274, 2}));
            EXPECT_TRUE(sameRegion(title, {28, top + 1, 29, top + 13}, laidOut, {1, 1, 2, 13}));
            EXPECT_TRUE(sameRegion(title, {300, top + 1, 301, top + 13}, laidOut, {273, 1, 274, 13}));
        }
        EXPECT_TRUE(allOf(title, {27, 29, 302, 30}, kBlack));
        EXPECT_TRUE(allOf(title, {27, 42, 302, 43}, kBlack));  // shared by both outlines
        EXPECT_TRUE(allOf(title, {27, 55, 302, 56}, kBlack));
        EXPECT_TRUE(allOf(title, {27, 29, 28, 56}, kBlack));
        EXPECT_TRUE(allOf(title, {301, 29, 302, 56}, kBlack));
        // The outline leaves its pen and brush set: black, clear brush.
        EXPECT_EQ(title.penColour(), kBlack);
        EXPECT_EQ(title.brushColour(), kBlack);
        EXPECT_EQ(title.brushStyle(), BrushStyle::Clear);
    }
}

TEST(MainFrame, ChoicesCellsCarryTheirOwnStamps) {
    Workbench bench{qtTextRasteriser()};
    prepare(bench, grey(100), {});
    docOf(bench).templates.choices0 = uniform(8, 43, kWhite);
    Image* pressed[] = {&docOf(bench).templates.choices1, &docOf(bench).templates.choices2, &docOf(bench).templates.choices3, &docOf(bench).templates.choices4,
                        &docOf(bench).templates.choices5};
    // choices i darkens one pixel in row 8i, so each cell shows which stamp it got.
    for (int i = 1; i <= 5; ++i) {
        Image stamp = uniform(8, 43, kPureRed);
        stamp.setPixel(3, 8 * i, kBlack);
        stamp.setPixel(4, 8 * i, rgb(128, 255, 0));  // the pressed letter's colour: no effect
        *pressed[i - 1] = stamp;
    }
    runStages(bench, Upto::Stage2);
    const Image& title = docOf(bench).templates.titleBarImage;
    EXPECT_TRUE(allOf(docOf(bench).mainWindow, {10, 22, 18, 65}, rgb(195, 195, 195)));
    EXPECT_TRUE(allOf(title, {304, 0, 320, 43}, rgb(195, 195, 195)));
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        const int left = 296 + 8 * i;
        Image expected = uniform(8, 43, kGrey100);
        expected.setPixel(3, 8 * i, rgb(5, 5, 5));
        EXPECT_TRUE(sameRegion(title, {left, 44, left + 8, 87}, expected, expected.bounds()));
    }
    // At rest and pressed are cut from different pictures.
    EXPECT_NE(title.pixel(304, 0), title.pixel(304, 44));
}

TEST(MainFrame, ButtonsOnlyCopiesThePictureAndShadesNothing) {
    for (bool sink : {false, true}) {
        SCOPED_TRACE(sink ? "Sink Frame" : "Raise Frame");
        Workbench bench{qtTextRasteriser()};
        prepare(bench, coded(), {false, sink}, StampArt::Pattern);
        const Image laidOut = docOf(bench).mainWindow;
        runStages(bench, Upto::Stage2);
        EXPECT_TRUE(docOf(bench).state.buttonsOnly);
        EXPECT_TRUE(sameImage(docOf(bench).mainWindow, laidOut));
        const Image& title = docOf(bench).templates.titleBarImage;
        for (int top : {0, 15, 42, 58, 73}) EXPECT_TRUE(sameRegion(title, {27, top, 302, top + 14}, laidOut, {0, 0, 275, 14})) << top;
        EXPECT_TRUE(sameRegion(title, {27, 29, 302, 42}, laidOut, {0, 0, 275, 13}));
        for (Rect cell : {Rect{304, 0, 312, 43}, Rect{312, 0, 320, 43}, Rect{304, 44, 312, 87}, Rect{312, 44, 320, 87},
                          Rect{320, 44, 328, 87}, Rect{328, 44, 336, 87}, Rect{336, 44, 344, 87}})
            EXPECT_TRUE(sameRegion(title, cell, laidOut, {10, 22, 18, 65})) << cell.left << "," << cell.top;
        struct Copy {
            Point cell;
            Point button;
        } copies[] = {{{0, 0}, {6, 3}},    {{0, 9}, {6, 3}},    {{9, 0}, {244, 3}},  {{9, 9}, {244, 3}},
                      {{18, 0}, {264, 3}}, {{18, 9}, {264, 3}}, {{0, 18}, {254, 3}}, {{9, 18}, {254, 3}},
                      {{0, 27}, {254, 3}}, {{9, 27}, {254, 3}}};
        for (const Copy& c : copies)
            EXPECT_TRUE(sameRegion(title, {c.cell.x, c.cell.y, c.cell.x + 9, c.cell.y + 9}, laidOut,
                                   {c.button.x, c.button.y, c.button.x + 9, c.button.y + 9}))
                << c.cell.x << "," << c.cell.y;
    }
}

// The regions of the sheet that stage 2 never writes keep the template's
// pixels; every other pixel is written, in every mode and on every run.
TEST(MainFrame, WritesExactlyItsRegionsOfTheTitleBarSheet) {
    const Rect untouched[] = {
        {302, 0, 304, 87},  {27, 14, 302, 15}, {302, 43, 344, 44}, {27, 56, 302, 58},
        {27, 72, 302, 73},  {320, 0, 344, 43}, {18, 18, 27, 36},   {0, 36, 27, 87},
    };
    for (Radios radios : {Radios{true, false}, Radios{true, true}, Radios{false, false}}) {
        Workbench bench{qtTextRasteriser()};
        prepare(bench, grey(100), radios, StampArt::Pattern);
        for (int run = 0; run < 2; ++run) {
            bench.layoutPictures();
            runStages(bench, Upto::Stage2);
            int wrong = 0;
            for (int y = 0; y < 87; ++y)
                for (int x = 0; x < 344; ++x) {
                    bool keep = false;
                    for (const Rect& r : untouched) keep = keep || inside({x, y}, r);
                    if (keep != (docOf(bench).templates.titleBarImage.pixel(x, y) == kSentinel) && ++wrong <= 5)
                        ADD_FAILURE() << "(" << x << "," << y << ") " << (keep ? "written" : "not written")
                                      << ", full3D " << radios.full3D << ", run " << run;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}
