#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "skin/MakeSkin.h"
#include "tests/skin/WindowStageBench.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vk;
using namespace vk::windowstage;

namespace {

enum class Sheet { EqMain, EqEx };
const Image& sheetOf(const Workbench& bench, Sheet sheet) {
    return sheet == Sheet::EqMain ? docOf(bench).templates.eqMain : docOf(bench).templates.eqEx;
}

// A grey level, or kArt for the sheet's own art.
constexpr int kArt = -1;
struct Probe {
    Sheet sheet;
    int x, y;
    int level;
    const char* what;
};

void expectProbes(const Workbench& bench, const std::vector<Probe>& probes, const std::string& scenario) {
    for (const Probe& p : probes) {
        const TColor want = p.level == kArt ? kSheetArt : grey(p.level);
        EXPECT_EQ(hex(sheetOf(bench, p.sheet).pixel(p.x, p.y)), hex(want))
            << scenario << ": " << p.what << " at (" << p.x << ", " << p.y << ")";
    }
}

// The plain copies of the stage: sprite, then its source in the window.
struct Cut {
    Sheet sheet;
    Rect sprite;
    Rect source;
};
const std::vector<Cut> kPlainCopies = {
    {Sheet::EqEx, {0, 47, 20, 56}, {253, 3, 273, 12}},     // shade and close, pressed
    {Sheet::EqEx, {0, 38, 20, 47}, {253, 3, 273, 12}},     // shade and close, released
    {Sheet::EqEx, {0, 0, 275, 14}, {0, 0, 275, 14}},       // shaded bar, active
    {Sheet::EqEx, {0, 15, 275, 29}, {0, 0, 275, 14}},      // shaded bar, inactive
    {Sheet::EqMain, {0, 116, 9, 125}, {264, 3, 273, 12}},  // close released
    {Sheet::EqMain, {0, 125, 9, 134}, {264, 3, 273, 12}},  // close pressed
    {Sheet::EqMain, {0, 134, 275, 148}, {0, 0, 275, 14}},  // title bar active
    {Sheet::EqMain, {0, 149, 275, 163}, {0, 0, 275, 14}},  // title bar inactive
    {Sheet::EqMain, {224, 164, 268, 176}, {217, 18, 261, 30}},  // presets released
    {Sheet::EqMain, {224, 176, 268, 188}, {217, 18, 261, 30}},  // presets pressed
    {Sheet::EqMain, {10, 119, 68, 131}, {14, 18, 72, 30}},      // off/manual released
    {Sheet::EqMain, {69, 119, 127, 131}, {14, 18, 72, 30}},     // on/auto released
    {Sheet::EqMain, {128, 119, 186, 131}, {14, 18, 72, 30}},    // off/manual pressed
    {Sheet::EqMain, {187, 119, 245, 131}, {14, 18, 72, 30}},    // on/auto pressed
};
constexpr Rect kGraphSprite{0, 294, 113, 314};
constexpr Rect kEqSpriteRows{0, 116, 275, 315};
constexpr Rect kEqWindow{0, 0, 275, 116};

Workbench& runStage(Workbench& bench, const Image& picture, StageOptions options) {
    prepareBench(bench, picture, options);
    skin::equaliserWindow(docOf(bench));
    return bench;
}

} // namespace

TEST(EqualiserWindow, ButtonsOnlyKeepsThePlainCopiesAndNothingElse) {
    const Image picture = positionCoded();
    for (bool sinkFrame : {false, true}) {
        Workbench bench{qtTextRasteriser()};
        runStage(bench, picture, {.full3D = false, .sinkFrame = sinkFrame});
        const std::string mode = sinkFrame ? "sink frame" : "raise frame";

        EXPECT_TRUE(sameRegion(docOf(bench).templates.eqMain, kEqWindow, picture, kEqWindow)) << mode << ": window unshaded";
        std::vector<Rect> written[2];
        for (const Cut& cut : kPlainCopies) {
            EXPECT_TRUE(sameRegion(sheetOf(bench, cut.sheet), cut.sprite, picture, cut.source))
                << mode << ": sprite at (" << cut.sprite.left << ", " << cut.sprite.top << ")";
            written[int(cut.sheet)].push_back(cut.sprite);
        }
        written[int(Sheet::EqMain)].push_back(kGraphSprite);

        // No outline, no stamp, nothing else: the rest keeps the sheets' art.
        for (Sheet sheet : {Sheet::EqMain, Sheet::EqEx}) {
            const Image& image = sheetOf(bench, sheet);
            const Rect area = sheet == Sheet::EqMain ? kEqSpriteRows : image.bounds();
            for (Point p : uncovered(area, written[int(sheet)]))
                ASSERT_EQ(hex(image.pixel(p.x, p.y)), hex(kSheetArt)) << mode << " at (" << p.x << ", " << p.y << ")";
        }
    }
}

TEST(EqualiserWindow, ResponseGraphShrinksByOneAndMergedColumn) {
    // The graph's last two columns hold colours whose AND differs from both.
    Image picture = positionCoded();
    for (int y = 17; y < 37; ++y) {
        picture.setPixel(198, y, rgb(0xF0, 0x0F, 0xAA));
        picture.setPixel(199, y, rgb(0x3C, 0xFF, 0x55));
    }
    for (bool full3D : {true, false}) {
        Workbench bench{qtTextRasteriser()};
        const Image& eq = docOf(runStage(bench, picture, {.full3D = full3D, .sinkFrame = true})).templates.eqMain;
        // 112 columns copied as they are, then the two last ones AND-merged.
        EXPECT_TRUE(sameRegion(eq, {0, 294, 112, 314}, picture, {86, 17, 198, 37})) << full3D;
        for (int y = 294; y < 314; ++y) EXPECT_EQ(hex(eq.pixel(112, y)), hex(rgb(0x30, 0x0F, 0x00))) << y;
        for (int y = 294; y < 314; ++y) EXPECT_EQ(eq.pixel(113, y), kSheetArt) << "column 113 untouched";
        for (int x = 0; x < 275; ++x) EXPECT_EQ(eq.pixel(x, 314), kSheetArt) << "row 314 untouched";
    }
}

TEST(EqualiserWindow, SeamsAndCornersOnAGreyPicture) {
    using S = Sheet;
    // Levels from a grey of 100: lightened 195, darkened 5, darkened twice 0,
    // darkened then lightened 100, lightened then darkened 100, black outline 0.
    const std::vector<Probe> bothFrames = {
        {S::EqMain, 0, 0, 195, "outer frame, top-left"},
        {S::EqMain, 274, 0, 195, "outer frame, top-right"},
        {S::EqMain, 0, 115, 100, "outer frame, bottom-left: darkened, then lightened"},
        {S::EqMain, 274, 115, 0, "outer frame, bottom-right: darkened twice"},
        {S::EqMain, 274, 60, 5, "outer frame, right column"},
        {S::EqMain, 264, 3, 195, "close button, top-left"},
        {S::EqMain, 272, 11, 0, "close button, bottom-right"},
        {S::EqMain, 264, 11, 100, "close button, bottom-left"},
        {S::EqMain, 268, 7, 100, "close button, inside"},
        {S::EqMain, 254, 3, 195, "shade bar, top-left"},
        {S::EqMain, 254, 5, 100, "shade bar, bottom-left"},
        {S::EqMain, 258, 5, 5, "shade bar, bottom row"},
        {S::EqMain, 262, 5, 0, "shade bar, bottom-right"},
        {S::EqMain, 258, 6, 100, "below the shade bar"},
        {S::EqMain, 20, 37, 5, "preamp well, top-left"},
        {S::EqMain, 35, 37, 5, "preamp well, top-right"},
        {S::EqMain, 20, 101, 195, "preamp well, bottom-left"},
        {S::EqMain, 35, 60, 195, "preamp well, right column"},
        {S::EqMain, 28, 60, 100, "preamp well, inside"},
        {S::EqMain, 77, 37, 5, "first band well, top-left"},
        {S::EqMain, 92, 101, 195, "first band well, bottom-right"},
        {S::EqMain, 93, 60, 100, "gap between band wells"},
        {S::EqMain, 94, 60, 100, "gap between band wells"},
        {S::EqMain, 95, 60, 5, "second band well, left column"},
        {S::EqMain, 239, 37, 5, "last band well, top-left"},
        {S::EqMain, 254, 60, 195, "last band well, right column"},
        {S::EqMain, 255, 60, 100, "right of the last band well"},
        // eqEx: bars cut before the outer frame, then outlined.
        {S::EqEx, 0, 0, 0, "active bar outline, top-left"},
        {S::EqEx, 274, 13, 0, "active bar outline, bottom-right"},
        {S::EqEx, 137, 13, 0, "active bar outline, bottom edge"},
        {S::EqEx, 1, 1, 100, "active bar inside: no outer frame"},
        {S::EqEx, 273, 12, 100, "active bar inside, bottom-right"},
        {S::EqEx, 264, 3, 195, "active bar: the raised close button"},
        {S::EqEx, 0, 15, 0, "inactive bar outline, top-left"},
        {S::EqEx, 274, 28, 0, "inactive bar outline, bottom-right"},
        {S::EqEx, 1, 16, 100, "inactive bar inside"},
        {S::EqEx, 0, 14, kArt, "gap row between the bars"},
        {S::EqEx, 0, 29, kArt, "gap row below the bars"},
        {S::EqEx, 0, 38, 100, "released buttons: column 253, never bevelled"},
        {S::EqEx, 1, 38, 195, "released shade button: raised bar"},
        {S::EqEx, 1, 40, 100, "released shade button: bar's bottom-left"},
        {S::EqEx, 11, 38, 195, "released close button, top-left"},
        {S::EqEx, 19, 46, 0, "released close button, bottom-right"},
        {S::EqEx, 0, 47, 100, "pressed buttons: column 253"},
        {S::EqEx, 1, 47, 5, "pressed shade bar, top-left"},
        {S::EqEx, 9, 48, 195, "pressed shade bar, right end"},
        {S::EqEx, 5, 48, 100, "pressed shade bar, inside"},
        {S::EqEx, 1, 49, 195, "pressed shade bar, bottom-left"},
        {S::EqEx, 5, 50, 100, "pressed shade button below its bar: unbevelled"},
        {S::EqEx, 10, 47, 100, "gap column between the pressed buttons"},
        {S::EqEx, 11, 47, 5, "pressed close button, top-left"},
        {S::EqEx, 19, 47, 5, "pressed close button, top-right"},
        {S::EqEx, 11, 55, 195, "pressed close button, bottom-left"},
        {S::EqEx, 19, 55, 195, "pressed close button, bottom-right"},
        {S::EqEx, 15, 51, 100, "pressed close button, inside: unbevelled"},
        {S::EqEx, 20, 47, kArt, "right of the pressed buttons"},
        // eqMain sprite rows.
        {S::EqMain, 0, 116, 195, "released close, top-left"},
        {S::EqMain, 8, 124, 0, "released close, bottom-right"},
        {S::EqMain, 0, 125, 100, "pressed close, top-left: lightened, darkened"},
        {S::EqMain, 8, 125, 100, "pressed close, top-right"},
        {S::EqMain, 0, 133, 195, "pressed close, bottom-left: 100 lightened"},
        {S::EqMain, 4, 133, 100, "pressed close, bottom row: 5 lightened"},
        {S::EqMain, 8, 133, 95, "pressed close, bottom-right: 0 lightened"},
        {S::EqMain, 0, 129, 100, "pressed close, left column"},
        {S::EqMain, 8, 129, 100, "pressed close, right column"},
        {S::EqMain, 9, 125, kArt, "right of the close sprites"},
        {S::EqMain, 0, 134, 195, "active title bar, top-left"},
        {S::EqMain, 274, 134, 195, "active title bar, top-right"},
        {S::EqMain, 0, 135, 195, "active title bar, left column"},
        {S::EqMain, 274, 135, 5, "active title bar, right column"},
        {S::EqMain, 264, 137, 195, "active title bar: close button"},
        {S::EqMain, 0, 147, 195, "active title bar, last row"},
        {S::EqMain, 0, 148, kArt, "gap row between the title bars"},
        {S::EqMain, 274, 150, 5, "inactive title bar, right column"},
        {S::EqMain, 0, 163, kArt, "row below the title bars"},
        {S::EqMain, 0, 294, 100, "graph sprite, top-left"},
        {S::EqMain, 112, 313, 100, "graph sprite, bottom-right"},
        {S::EqMain, 113, 294, kArt, "right of the graph sprite"},
        {S::EqMain, 0, 314, kArt, "below the graph sprite"},
    };
    const std::vector<Probe> raiseOnly = {
        {S::EqMain, 1, 1, 100, "no inner ring"},
        {S::EqMain, 273, 114, 100, "no inner ring"},
        {S::EqMain, 5, 135, 100, "active title bar, row 1"},
        {S::EqMain, 1, 139, 100, "active title bar, column 1"},
        {S::EqMain, 273, 139, 100, "active title bar, column 273"},
        {S::EqMain, 5, 150, 100, "inactive title bar, row 1"},
    };
    const std::vector<Probe> sinkOnly = {
        {S::EqMain, 1, 1, 5, "inner ring, top-left"},
        {S::EqMain, 273, 1, 5, "inner ring, top-right"},
        {S::EqMain, 1, 114, 195, "inner ring, bottom-left"},
        {S::EqMain, 273, 114, 195, "inner ring, bottom-right"},
        {S::EqMain, 1, 60, 5, "inner ring, left column"},
        {S::EqMain, 273, 60, 195, "inner ring, right column"},
        {S::EqMain, 1, 135, 5, "active title bar, row 1"},
        {S::EqMain, 5, 135, 5, "active title bar, row 1"},
        {S::EqMain, 273, 135, 5, "active title bar, row 1 right end"},
        {S::EqMain, 1, 139, 5, "active title bar, column 1"},
        {S::EqMain, 273, 139, 195, "active title bar, column 273"},
        {S::EqMain, 5, 150, 5, "inactive title bar, row 1"},
        {S::EqMain, 273, 154, 195, "inactive title bar, column 273"},
        {S::EqEx, 1, 1, 100, "bar cut before the inner ring"},
        {S::EqEx, 5, 1, 100, "bar cut before the inner ring"},
    };
    const std::vector<Probe> buttonsOnly = {
        {S::EqMain, 0, 0, 100, "no outer frame"},
        {S::EqMain, 1, 1, 100, "no inner ring"},
        {S::EqMain, 264, 3, 100, "close button not raised"},
        {S::EqMain, 20, 37, 100, "no preamp well"},
        {S::EqEx, 0, 0, 100, "no outline"},
        {S::EqEx, 1, 47, 100, "pressed shade bar not sunk"},
        {S::EqMain, 0, 125, 100, "pressed close not sunk"},
        {S::EqMain, 274, 135, 100, "title bar without frame"},
    };
    checkFrameScenarios(runStage, expectProbes, bothFrames, raiseOnly, sinkOnly, buttonsOnly);
}

TEST(EqualiserWindow, SliderWellsFrameTheStripsByOnePixel) {
    // Strips (pasted later) are 14 x 63 at (21, 38) and (78 + 18i, 38): each
    // well's border is the ring just outside its strip, the strip untouched.
    Workbench bench{qtTextRasteriser()};
    const Image& eq = docOf(runStage(bench, uniform(275, 116, grey(100)), {})).templates.eqMain;
    std::vector<int> stripLefts = {21};
    for (int i = 0; i < 10; ++i) stripLefts.push_back(78 + 18 * i);
    for (int left : stripLefts) {
        const Rect strip{left, 38, left + 14, 101};
        for (int y = strip.top - 1; y <= strip.bottom; ++y)
            for (int x = strip.left - 1; x <= strip.right; ++x) {
                const bool inside = x >= strip.left && x < strip.right && y >= strip.top && y < strip.bottom;
                // Sunk: dark top row and left column, light bottom row and right column.
                const bool dark = y == strip.top - 1 || (x == strip.left - 1 && y < strip.bottom);
                const int want = inside ? 100 : dark ? 5 : 195;
                ASSERT_EQ(eq.pixel(x, y), grey(want)) << "strip at " << left << ": (" << x << ", " << y << ")";
            }
        EXPECT_EQ(eq.pixel(strip.left - 2, 60), grey(100)) << "left of the well at " << left;
        EXPECT_EQ(eq.pixel(strip.right + 1, 60), grey(100)) << "right of the well at " << left;
    }
}

TEST(EqualiserWindow, CaptionSpritesCarryTheirOwnStamp) {
    struct Caption {
        const char* what;
        Point at;
        int width, height;  // of the stamp
        int stamp;
        bool buttonIsLarger;  // the 40 x 10 presets stamps on a 44 x 12 button
    } captions[] = {
        {"window presets button", {217, 18}, 40, 10, kPresetUpId, true},
        {"presets released", {224, 164}, 40, 10, kPresetUpId, true},
        {"presets pressed", {224, 176}, 40, 10, kPresetDownId, true},
        {"window on/auto pair", {14, 18}, 58, 12, kOffManUpId, false},
        {"off/manual released", {10, 119}, 58, 12, kOffManUpId, false},
        {"on/auto released", {69, 119}, 58, 12, kOnAutoUpId, false},
        {"off/manual pressed", {128, 119}, 58, 12, kOffManDownId, false},
        {"on/auto pressed", {187, 119}, 58, 12, kOnAutoDownId, false},
    };
    Workbench bench{qtTextRasteriser()};
    const Image& eq = docOf(runStage(bench, uniform(275, 116, grey(100)), {})).templates.eqMain;
    for (const Caption& c : captions) {
        for (int id = kPresetUpId; id <= kOffManDownId; ++id) {
            const bool mine = id == c.stamp;
            EXPECT_EQ(eq.pixel(c.at.x + id, c.at.y), grey(mine ? 195 : 100)) << c.what << ", mark " << id;
            EXPECT_EQ(eq.pixel(c.at.x + id, c.at.y + 1), grey(mine ? 5 : 100)) << c.what << ", mark " << id;
        }
        // The stamp reaches its own corner and no further.
        const Point corner{c.at.x + c.width - 1, c.at.y + c.height - 1};
        EXPECT_EQ(eq.pixel(corner.x, corner.y), grey(195)) << c.what;
        if (c.buttonIsLarger) {
            EXPECT_EQ(eq.pixel(corner.x + 1, corner.y), grey(100)) << c.what;
            EXPECT_EQ(eq.pixel(corner.x + 4, corner.y + 2), grey(100)) << c.what;
        }
    }
}

TEST(EqualiserWindow, InactiveCopiesEqualTheActiveOnes) {
    Workbench bench{qtTextRasteriser()};
    runStage(bench, positionCoded(), {.full3D = true, .sinkFrame = true});
    EXPECT_TRUE(sameRegion(docOf(bench).templates.eqEx, {0, 15, 275, 29}, docOf(bench).templates.eqEx, {0, 0, 275, 14}));
    EXPECT_TRUE(sameRegion(docOf(bench).templates.eqMain, {0, 149, 275, 163}, docOf(bench).templates.eqMain, {0, 134, 275, 148}));
}

TEST(EqualiserWindow, SinkFrameOnlyAddsTheInnerRing) {
    const Image picture = uniform(275, 116, grey(100));
    Workbench raised, sunk;
    runStage(raised, picture, {.full3D = true, .sinkFrame = false});
    runStage(sunk, picture, {.full3D = true, .sinkFrame = true});

    EXPECT_TRUE(docOf(sunk).templates.eqEx.samePixels(docOf(raised).templates.eqEx));
    // The ring on the window and on each title bar copy: row 1 and columns 1
    // and 273 below it, bottom row 114 on the window only.
    auto onRing = [](int x, int y) {
        for (int top : {0, 134, 149}) {
            const int row = y - top;
            if (row == 1 && x >= 1 && x <= 273) return true;
            if (row >= 2 && row <= (top == 0 ? 113 : 13) && (x == 1 || x == 273)) return true;
        }
        return y == 114 && x >= 1 && x <= 273;
    };
    int differing = 0;
    for (int y = 0; y < 315; ++y)
        for (int x = 0; x < 275; ++x) {
            const bool differs = docOf(sunk).templates.eqMain.pixel(x, y) != docOf(raised).templates.eqMain.pixel(x, y);
            differing += differs;
            ASSERT_EQ(differs, onRing(x, y)) << "(" << x << ", " << y << ")";
        }
    EXPECT_EQ(differing, 2 * 273 + 2 * 112 + 2 * (273 + 2 * 12));
}

TEST(EqualiserWindow, SecondPassAfterAFreshLayoutGivesTheSameSheets) {
    for (StageOptions options : {StageOptions{true, true}, StageOptions{true, false}, StageOptions{false, true}}) {
        Workbench bench{qtTextRasteriser()};
        runStage(bench, positionCoded(), options);
        const Image eqMain = docOf(bench).templates.eqMain, eqEx = docOf(bench).templates.eqEx;
        bench.layoutPictures();
        skin::equaliserWindow(docOf(bench));
        EXPECT_TRUE(docOf(bench).templates.eqMain.samePixels(eqMain)) << options.full3D << options.sinkFrame;
        EXPECT_TRUE(docOf(bench).templates.eqEx.samePixels(eqEx)) << options.full3D << options.sinkFrame;
    }
}

TEST(EqualiserWindow, MakeSkinRunsTheStageWithTheChosenOptions) {
    // Regions the later colour routines leave alone.
    const std::vector<std::pair<Sheet, Rect>> regions = {
        {Sheet::EqMain, {0, 0, 275, 38}},    {Sheet::EqMain, {0, 102, 275, 164}},
        {Sheet::EqMain, {224, 164, 268, 188}}, {Sheet::EqMain, {0, 294, 113, 314}},
        {Sheet::EqEx, {0, 0, 61, 29}},       {Sheet::EqEx, {0, 38, 20, 56}},
    };
    const Image picture = positionCoded();
    for (StageOptions options : {StageOptions{true, false}, StageOptions{true, true}, StageOptions{false, true}}) {
        Workbench direct, clicked;
        runStage(direct, picture, options);
        prepareBench(clicked, picture, options);
        docOf(clicked).state.buttonsOnly = options.full3D;  // MakeSkin must set it from the radio
        MakeSkinClick(clicked);
        EXPECT_EQ(docOf(clicked).state.buttonsOnly, !options.full3D);
        for (const auto& [sheet, r] : regions)
            EXPECT_TRUE(sameRegion(sheetOf(clicked, sheet), r, sheetOf(direct, sheet), r))
                << options.full3D << options.sinkFrame;
    }
}
