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

enum class Sheet { PlShow, PlEdit };
const Image& sheetOf(const Workbench& bench, Sheet sheet) {
    return sheet == Sheet::PlShow ? docOf(bench).plShow : docOf(bench).templates.plEdit;
}

struct Probe {
    Sheet sheet;
    int x, y;
    TColor want;
    const char* what;
};

void expectProbes(const Workbench& bench, const std::vector<Probe>& probes, const std::string& scenario) {
    for (const Probe& p : probes)
        EXPECT_EQ(hex(sheetOf(bench, p.sheet).pixel(p.x, p.y)), hex(p.want))
            << scenario << ": " << p.what << " at (" << p.x << ", " << p.y << ")";
}

// Every tile of plEdit cut from the window, with its source in plShow.
struct Cut {
    Rect sprite;
    Rect source;
};
const std::vector<Cut> kTiles = {
    {{99, 42, 149, 56}, {225, 0, 275, 14}},    // shaded bar right end, active
    {{99, 57, 149, 71}, {225, 0, 275, 14}},    // shaded bar right end, inactive
    {{72, 42, 97, 56}, {0, 0, 25, 14}},        // shaded bar left end
    {{72, 57, 97, 71}, {25, 0, 50, 14}},       // shaded bar middle
    {{179, 0, 204, 38}, {125, 78, 150, 116}},  // bottom filler
    {{205, 0, 280, 38}, {125, 78, 200, 116}},  // visualisation piece
    {{52, 42, 61, 51}, {264, 3, 273, 12}},     // close pressed
    {{62, 42, 71, 51}, {255, 3, 264, 12}},     // shade pressed
    {{150, 42, 159, 51}, {255, 3, 264, 12}},   // shaded bar's shade pressed
    {{0, 0, 25, 20}, {0, 0, 25, 20}},          // title: left corner
    {{0, 21, 25, 41}, {0, 0, 25, 20}},
    {{26, 0, 126, 20}, {87, 0, 187, 20}},      // title: centre
    {{26, 21, 126, 41}, {87, 0, 187, 20}},
    {{153, 0, 178, 20}, {250, 0, 275, 20}},    // title: right corner
    {{153, 21, 178, 41}, {250, 0, 275, 20}},
    {{127, 0, 152, 20}, {25, 0, 50, 20}},      // title: filler
    {{127, 21, 152, 41}, {25, 0, 50, 20}},
    {{0, 42, 25, 71}, {0, 49, 25, 78}},        // left side tile
    {{26, 42, 51, 71}, {250, 49, 275, 78}},    // right side tile
    {{0, 72, 125, 110}, {0, 78, 125, 116}},    // bottom-left corner
    {{126, 72, 276, 110}, {125, 78, 275, 116}},  // bottom-right corner
};

Workbench& runStage(Workbench& bench, const Image& picture, StageOptions options) {
    prepareBench(bench, picture, options);
    skin::playlistEditor(docOf(bench));
    return bench;
}

// The preview as the player would tile it from an unshaded picture: filler
// repeats, side tiles repeated above themselves, the scroll knob on top.
Image tiledPreview(const Image& picture) {
    Image preview = picture;
    auto put = [&](const Rect& to, const Rect& from) {
        for (int j = 0; j < to.height(); ++j)
            for (int i = 0; i < to.width(); ++i)
                preview.setPixel(to.left + i, to.top + j, picture.pixel(from.left + i, from.top + j));
    };
    for (int x : {37, 62, 187, 200, 225}) put({x, 0, x + 25, 20}, {25, 0, 50, 20});
    put({250, 20, 275, 49}, {250, 49, 275, 78});
    put({0, 20, 25, 49}, {0, 49, 25, 78});
    preview.fill({260, 20, 268, 38}, kScrollKnobArt);
    return preview;
}

} // namespace

TEST(PlaylistEditor, ButtonsOnlyKeepsThePlainCopiesAndNothingElse) {
    const Image picture = positionCoded();
    for (bool sinkFrame : {false, true}) {
        Workbench bench{qtTextRasteriser()};
        prepareBench(bench, picture, {.full3D = false, .sinkFrame = sinkFrame});
        const Image sheetArt = docOf(bench).templates.plEdit;
        skin::playlistEditor(docOf(bench));
        const std::string mode = sinkFrame ? "sink frame" : "raise frame";

        std::vector<Rect> written;
        for (const Cut& cut : kTiles) {
            EXPECT_TRUE(sameRegion(docOf(bench).templates.plEdit, cut.sprite, picture, cut.source))
                << mode << ": tile at (" << cut.sprite.left << ", " << cut.sprite.top << ")";
            written.push_back(cut.sprite);
        }
        // No groove, outline or grip: the rest of the sheet is its own art,
        // and the preview has no bevel, caption, well or transport glyphs.
        for (Point p : uncovered(docOf(bench).templates.plEdit.bounds(), written))
            ASSERT_EQ(hex(docOf(bench).templates.plEdit.pixel(p.x, p.y)), hex(sheetArt.pixel(p.x, p.y)))
                << mode << " at (" << p.x << ", " << p.y << ")";
        const Image preview = tiledPreview(picture);
        EXPECT_TRUE(sameRegion(docOf(bench).plShow, preview.bounds(), preview, preview.bounds())) << mode;
    }
}

TEST(PlaylistEditor, SeamsAndCornersOnAGreyPicture) {
    using S = Sheet;
    const TColor g0 = grey(0), g5 = grey(5), g95 = grey(95), g100 = grey(100), g195 = grey(195);
    const TColor art = kSheetArt, knob = kScrollKnobArt, tools = kToolsArt;
    const TColor artDarkened = rgb(0, 0, 82), artLightened = rgb(102, 172, 255);
    // Levels from a grey of 100: lightened 195, darkened 5, darkened twice 0,
    // darkened and lightened in either order 100, black outline 0.
    const std::vector<Probe> bothFrames = {
        // The preview.
        {S::PlShow, 0, 0, g195, "outer frame, top-left"},
        {S::PlShow, 274, 0, g195, "outer frame, top-right"},
        {S::PlShow, 0, 115, g100, "outer frame, bottom-left"},
        {S::PlShow, 274, 115, g0, "outer frame, bottom-right"},
        {S::PlShow, 264, 3, g195, "close button, top-left"},
        {S::PlShow, 272, 11, g0, "close button, bottom-right"},
        {S::PlShow, 255, 3, g195, "shade bar, top-left"},
        {S::PlShow, 255, 5, g100, "shade bar, bottom-left"},
        {S::PlShow, 259, 5, g5, "shade bar, bottom row"},
        {S::PlShow, 263, 5, g0, "shade bar, bottom-right"},
        {S::PlShow, 11, 19, g5, "list well, top-left"},
        {S::PlShow, 255, 19, g5, "list well, top-right"},
        {S::PlShow, 11, 78, g195, "list well, bottom-left"},
        {S::PlShow, 255, 78, g195, "list well, bottom-right"},
        {S::PlShow, 11, 30, g5, "list well's left column, in the repeated side tile"},
        {S::PlShow, 255, 30, g195, "list well's right column, in the repeated side tile"},
        {S::PlShow, 263, 20, knob, "scroll knob on the groove, top"},
        {S::PlShow, 264, 37, knob, "scroll knob on the groove, bottom"},
        {S::PlShow, 263, 38, g5, "groove below the knob, dark"},
        {S::PlShow, 264, 38, g195, "groove below the knob, light"},
        {S::PlShow, 263, 77, g5, "groove's last row, dark"},
        {S::PlShow, 264, 77, g195, "groove's last row, light"},
        {S::PlShow, 263, 78, g100, "below the groove"},
        {S::PlShow, 262, 50, g100, "left of the groove"},
        {S::PlShow, 265, 50, g100, "right of the groove"},
        {S::PlShow, 129, 85, g5, "upper display well, top-left"},
        {S::PlShow, 222, 85, g5, "upper display well, top-right"},
        {S::PlShow, 129, 96, g195, "upper display well, bottom-left"},
        {S::PlShow, 222, 90, g195, "upper display well, right column"},
        {S::PlShow, 129, 99, g5, "lower display well, top-left"},
        {S::PlShow, 222, 110, g195, "lower display well, bottom-right"},
        {S::PlShow, 130, 100, tools, "transport glyphs, first pixel"},
        {S::PlShow, 212, 107, tools, "transport glyphs, last pixel"},
        {S::PlShow, 213, 100, g100, "right of the transport glyphs"},
        {S::PlShow, 23, 91, g195, "menu captions' mark"},
        {S::PlShow, 23, 92, g5, "menu captions' mark"},
        {S::PlShow, 118, 98, g195, "menu captions' last pixel"},
        {S::PlShow, 119, 98, g100, "right of the menu captions"},
        {S::PlShow, 241, 87, g195, "list-options caption's mark"},
        {S::PlShow, 248, 99, g195, "list-options caption's last pixel"},
        {S::PlShow, 266, 97, g195, "resize grip's mark"},
        {S::PlShow, 268, 109, g195, "resize grip's last pixel"},
        // Shaded bar: cut before the outer frame, then outlined.
        {S::PlEdit, 99, 42, g0, "right end, outline top-left"},
        {S::PlEdit, 148, 50, g0, "right end, outline right side"},
        {S::PlEdit, 99, 50, g100, "right end, left column: no outline"},
        {S::PlEdit, 100, 43, g100, "right end, inside: no outer frame"},
        {S::PlEdit, 147, 43, g100, "right end, inside: no inner ring"},
        {S::PlEdit, 129, 45, g195, "right end: raised shade bar"},
        {S::PlEdit, 138, 45, g195, "right end: raised close button"},
        {S::PlEdit, 146, 53, g0, "right end: close button's bottom-right"},
        {S::PlEdit, 128, 45, g195, "active grip's mark"},
        {S::PlEdit, 128, 46, g5, "active grip's mark"},
        {S::PlEdit, 128, 53, g195, "active grip's last pixel"},
        {S::PlEdit, 127, 45, g100, "beside the grip's mark"},
        {S::PlEdit, 128, 60, g195, "inactive grip's mark"},
        {S::PlEdit, 128, 61, g5, "inactive grip's mark"},
        {S::PlEdit, 72, 42, g0, "left end, outline top-left"},
        {S::PlEdit, 72, 50, g0, "left end, outline left side"},
        {S::PlEdit, 73, 43, g100, "left end, inside: no frame"},
        {S::PlEdit, 97, 42, g0, "gap column 97 crossed by the top outline"},
        {S::PlEdit, 98, 55, g0, "gap column 98 crossed by the bottom outline"},
        {S::PlEdit, 97, 50, art, "gap column between the ends"},
        {S::PlEdit, 71, 56, art, "gap row between the outlines"},
        {S::PlEdit, 71, 57, g0, "second outline starts left of the middle tile"},
        {S::PlEdit, 71, 64, g0, "second outline's left side, on the gap column"},
        {S::PlEdit, 72, 64, g100, "middle tile: no black side"},
        {S::PlEdit, 72, 57, g0, "middle tile: black top"},
        {S::PlEdit, 96, 70, g0, "middle tile: black bottom"},
        {S::PlEdit, 148, 64, g0, "inactive right end: black right side"},
        // Pressed buttons.
        {S::PlEdit, 52, 42, g100, "pressed close, top-left"},
        {S::PlEdit, 52, 50, g195, "pressed close, bottom-left"},
        {S::PlEdit, 56, 50, g100, "pressed close, bottom row"},
        {S::PlEdit, 60, 50, g95, "pressed close, bottom-right"},
        {S::PlEdit, 60, 46, g100, "pressed close, right column"},
        {S::PlEdit, 62, 42, g100, "pressed shade, top-left"},
        {S::PlEdit, 70, 43, g100, "pressed shade, bar's right end"},
        {S::PlEdit, 62, 44, g195, "pressed shade, bar's bottom-left"},
        {S::PlEdit, 66, 44, g100, "pressed shade, bar's bottom row"},
        {S::PlEdit, 70, 44, g95, "pressed shade, bar's bottom-right"},
        {S::PlEdit, 66, 46, g100, "pressed shade, below its bar"},
        {S::PlEdit, 150, 44, g195, "bar's pressed shade, bar's bottom-left"},
        {S::PlEdit, 158, 44, g95, "bar's pressed shade, bar's bottom-right"},
        // Title pieces.
        {S::PlEdit, 0, 0, g195, "left corner, top-left"},
        {S::PlEdit, 0, 19, g195, "left corner, outer frame's left column"},
        {S::PlEdit, 5, 19, g100, "left corner, left of the list well"},
        {S::PlEdit, 11, 19, g5, "left corner, list well's top-left"},
        {S::PlEdit, 24, 19, g5, "left corner, list well's top row"},
        {S::PlEdit, 11, 40, g5, "inactive left corner, list well's top-left"},
        {S::PlEdit, 26, 0, g195, "centre, top row"},
        {S::PlEdit, 26, 19, g5, "centre, list well's top row"},
        {S::PlEdit, 26, 5, g100, "centre, inside"},
        {S::PlEdit, 127, 19, g5, "filler, list well's top row"},
        {S::PlEdit, 153, 0, g195, "right corner, top-left"},
        {S::PlEdit, 177, 1, g5, "right corner, outer frame's right column"},
        {S::PlEdit, 158, 19, g5, "right corner, list well's top-right"},
        {S::PlEdit, 159, 19, g100, "right corner, right of the list well"},
        {S::PlEdit, 167, 3, g195, "right corner, close button"},
        {S::PlEdit, 25, 0, art, "gap column after the left corner"},
        {S::PlEdit, 126, 0, art, "gap column after the centre"},
        {S::PlEdit, 152, 0, art, "gap column after the filler"},
        {S::PlEdit, 178, 0, art, "gap column after the right corner"},
        {S::PlEdit, 0, 20, art, "gap row between the title rows"},
        // Bottom filler and visualisation piece: cut before the display wells.
        {S::PlEdit, 179, 0, g195, "bottom filler, list well's bottom row"},
        {S::PlEdit, 179, 37, g5, "bottom filler, outer frame's bottom row"},
        {S::PlEdit, 183, 7, g100, "bottom filler: no display well yet"},
        {S::PlEdit, 204, 0, art, "gap column after the bottom filler"},
        {S::PlEdit, 205, 0, g195, "visualisation piece, top-left"},
        {S::PlEdit, 205, 6, g5, "visualisation well, top-left"},
        {S::PlEdit, 279, 6, g5, "visualisation well, top-right"},
        {S::PlEdit, 205, 28, g195, "visualisation well, bottom-left"},
        {S::PlEdit, 279, 28, g195, "visualisation well, bottom-right"},
        {S::PlEdit, 205, 10, g5, "visualisation well, left column"},
        {S::PlEdit, 279, 10, g195, "visualisation well, right column"},
        {S::PlEdit, 209, 7, g100, "visualisation well, inside"},
        {S::PlEdit, 279, 37, g5, "visualisation piece, bottom-right"},
        // Side tiles and the groove.
        {S::PlEdit, 0, 42, g195, "left tile, outer frame"},
        {S::PlEdit, 11, 42, g5, "left tile, list well's left column"},
        {S::PlEdit, 12, 42, g100, "left tile, inside the list"},
        {S::PlEdit, 11, 70, g5, "left tile, last row"},
        {S::PlEdit, 31, 50, g195, "right tile, list well's right column"},
        {S::PlEdit, 39, 42, g5, "groove, dark column, top"},
        {S::PlEdit, 39, 70, g5, "groove, dark column, bottom"},
        {S::PlEdit, 40, 50, g195, "groove, light column"},
        {S::PlEdit, 38, 50, g100, "left of the groove"},
        {S::PlEdit, 50, 50, g5, "right tile, outer frame's right column"},
        {S::PlEdit, 39, 41, artDarkened, "groove's top end on the gap row"},
        {S::PlEdit, 40, 41, artDarkened, "groove's top end on the gap row"},
        {S::PlEdit, 39, 71, artLightened, "groove's bottom end on the gap row"},
        {S::PlEdit, 40, 71, artLightened, "groove's bottom end on the gap row"},
        {S::PlEdit, 38, 41, art, "gap row beside the groove"},
        {S::PlEdit, 52, 53, knob, "scroll knob sprite untouched"},
        // Bottom corners, cut last.
        {S::PlEdit, 0, 72, g195, "bottom-left, outer frame"},
        {S::PlEdit, 10, 72, g100, "bottom-left, left of the list well"},
        {S::PlEdit, 11, 72, g195, "bottom-left, list well's bottom row"},
        {S::PlEdit, 0, 109, g100, "bottom-left, bottom-left corner"},
        {S::PlEdit, 5, 109, g5, "bottom-left, bottom row"},
        {S::PlEdit, 23, 85, g195, "bottom-left, menu captions' mark"},
        {S::PlEdit, 125, 72, art, "gap column between the corners"},
        {S::PlEdit, 126, 72, g195, "bottom-right, top-left"},
        {S::PlEdit, 130, 79, g5, "bottom-right, upper display well"},
        {S::PlEdit, 223, 90, g195, "bottom-right, upper display well's bottom-right"},
        {S::PlEdit, 131, 94, tools, "bottom-right, transport glyphs"},
        {S::PlEdit, 242, 81, g195, "bottom-right, list-options caption's mark"},
        {S::PlEdit, 267, 91, g195, "bottom-right, resize grip's mark"},
        {S::PlEdit, 275, 72, g5, "bottom-right, outer frame's right column"},
        {S::PlEdit, 275, 109, g0, "bottom-right, bottom-right corner"},
        {S::PlEdit, 276, 72, art, "right of the bottom-right corner"},
        {S::PlEdit, 279, 109, art, "right of the bottom-right corner"},
    };
    const std::vector<Probe> raiseOnly = {
        {S::PlShow, 1, 1, g100, "no inner ring"},
        {S::PlShow, 273, 114, g100, "no inner ring"},
        {S::PlEdit, 1, 1, g100, "left corner, row 1"},
        {S::PlEdit, 176, 5, g100, "right corner, column 273"},
        {S::PlEdit, 1, 50, g100, "left tile, column 1"},
        {S::PlEdit, 49, 50, g100, "right tile, column 273"},
        {S::PlEdit, 179, 36, g100, "bottom filler, row 114"},
        {S::PlEdit, 274, 80, g100, "bottom-right, column 273"},
    };
    const std::vector<Probe> sinkOnly = {
        {S::PlShow, 1, 1, g5, "inner ring, top-left"},
        {S::PlShow, 273, 1, g5, "inner ring, top-right"},
        {S::PlShow, 1, 114, g195, "inner ring, bottom-left"},
        {S::PlShow, 273, 114, g195, "inner ring, bottom-right"},
        {S::PlShow, 1, 30, g5, "inner ring's left column, in the repeated side tile"},
        {S::PlShow, 273, 30, g195, "inner ring's right column, in the repeated side tile"},
        {S::PlEdit, 1, 1, g5, "left corner, row 1"},
        {S::PlEdit, 176, 1, g5, "right corner, row 1"},
        {S::PlEdit, 176, 5, g195, "right corner, column 273"},
        {S::PlEdit, 1, 50, g5, "left tile, column 1"},
        {S::PlEdit, 49, 50, g195, "right tile, column 273"},
        {S::PlEdit, 179, 36, g195, "bottom filler, row 114"},
        {S::PlEdit, 274, 80, g195, "bottom-right, column 273"},
        {S::PlEdit, 100, 43, g100, "shaded bar cut before the inner ring"},
        {S::PlEdit, 73, 43, g100, "shaded bar cut before the inner ring"},
    };
    const std::vector<Probe> buttonsOnly = {
        {S::PlShow, 0, 0, g100, "no outer frame"},
        {S::PlShow, 1, 1, g100, "no inner ring"},
        {S::PlShow, 264, 3, g100, "close button not raised"},
        {S::PlShow, 11, 19, g100, "no list well"},
        {S::PlShow, 263, 50, g100, "no groove"},
        {S::PlShow, 263, 20, knob, "scroll knob still placed"},
        {S::PlShow, 129, 85, g100, "no display well"},
        {S::PlShow, 130, 100, g100, "no transport glyphs"},
        {S::PlShow, 23, 91, g100, "no menu captions"},
        {S::PlEdit, 72, 42, g100, "no outline"},
        {S::PlEdit, 128, 45, g100, "no grip"},
        {S::PlEdit, 52, 42, g100, "pressed close not sunk"},
        {S::PlEdit, 205, 6, g100, "no visualisation well"},
        {S::PlEdit, 39, 50, g100, "no groove"},
        {S::PlEdit, 39, 41, art, "gap row untouched"},
    };
    checkFrameScenarios(runStage, expectProbes, bothFrames, raiseOnly, sinkOnly, buttonsOnly);
}

TEST(PlaylistEditor, PreviewGrooveRunsUnderTheScrollKnob) {
    Workbench bench{qtTextRasteriser()};
    const Image& show = docOf(runStage(bench, uniform(275, 116, grey(100)), {})).plShow;
    for (int y = 20; y < 78; ++y) {
        const bool underKnob = y < 38;
        EXPECT_EQ(show.pixel(263, y), underKnob ? kScrollKnobArt : grey(5)) << y;
        EXPECT_EQ(show.pixel(264, y), underKnob ? kScrollKnobArt : grey(195)) << y;
    }
}

TEST(PlaylistEditor, RepeatedSpritesAreIdentical) {
    struct Pair {
        const char* what;
        Rect a, b;
    } pairs[] = {
        {"title row, active and inactive", {0, 0, 178, 20}, {0, 21, 178, 41}},
        {"shaded bar right end, active and inactive", {99, 42, 149, 56}, {99, 57, 149, 71}},
        {"the two pressed shade buttons", {62, 42, 71, 51}, {150, 42, 159, 51}},
    };
    for (StageOptions options : {StageOptions{true, true}, StageOptions{true, false}, StageOptions{false, false}}) {
        Workbench bench{qtTextRasteriser()};
        const Image& pl = docOf(runStage(bench, positionCoded(), options)).templates.plEdit;
        for (const Pair& p : pairs) EXPECT_TRUE(sameRegion(pl, p.b, pl, p.a)) << p.what;
    }
}

TEST(PlaylistEditor, SecondPassAfterAFreshLayoutGivesTheSameImages) {
    // The groove's two ends lie on gap rows that no copy rewrites, so each
    // pass shades them once more; every other pixel comes out the same.
    const Point grooveEnds[] = {{39, 41}, {40, 41}, {39, 71}, {40, 71}};
    for (StageOptions options : {StageOptions{true, true}, StageOptions{true, false}, StageOptions{false, true}}) {
        Workbench bench{qtTextRasteriser()};
        runStage(bench, positionCoded(), options);
        const Image plShow = docOf(bench).plShow;
        Image plEdit = docOf(bench).templates.plEdit;
        bench.layoutPictures();
        skin::playlistEditor(docOf(bench));
        EXPECT_TRUE(docOf(bench).plShow.samePixels(plShow)) << options.full3D << options.sinkFrame;
        if (options.full3D) {
            const TColor artDarkenedTwice = rgb(0, 0, 0), artLightenedTwice = rgb(197, 255, 255);
            for (Point p : grooveEnds) {
                EXPECT_EQ(hex(docOf(bench).templates.plEdit.pixel(p.x, p.y)), hex(p.y == 41 ? artDarkenedTwice : artLightenedTwice));
                plEdit.setPixel(p.x, p.y, docOf(bench).templates.plEdit.pixel(p.x, p.y));
            }
        }
        EXPECT_TRUE(docOf(bench).templates.plEdit.samePixels(plEdit)) << options.full3D << options.sinkFrame;
    }
}

TEST(PlaylistEditor, MakeSkinRunsTheStageWithTheChosenOptions) {
    // Regions the later colour routines leave alone.
    const std::vector<std::pair<Sheet, Rect>> regions = {
        {Sheet::PlShow, {0, 0, 275, 20}},   {Sheet::PlShow, {0, 0, 12, 116}},
        {Sheet::PlShow, {255, 0, 275, 116}}, {Sheet::PlShow, {0, 78, 130, 116}},
        {Sheet::PlEdit, {0, 0, 205, 72}},   {Sheet::PlEdit, {0, 72, 126, 110}},
    };
    const Image picture = positionCoded();
    for (StageOptions options : {StageOptions{true, false}, StageOptions{true, true}, StageOptions{false, true}}) {
        Workbench direct, clicked;
        runStage(direct, picture, options);
        prepareBench(clicked, picture, options);
        docOf(clicked).state.buttonsOnly = options.full3D;  // MakeSkin must set it from the radio
        MakeSkinClick(clicked);
        for (const auto& [sheet, r] : regions)
            EXPECT_TRUE(sameRegion(sheetOf(clicked, sheet), r, sheetOf(direct, sheet), r))
                << options.full3D << options.sinkFrame;
    }
}
