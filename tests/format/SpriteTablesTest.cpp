// The derived sprite rectangles against the players' own tables (x, y, w, h),
// and the computed lookups: font cells, slider frames, playlist sizes.
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlaylistSprites.h"
#include "format/SkinFiles.h"
#include "format/TextFont.h"

#include <gtest/gtest.h>

namespace vk::format {
namespace {

struct Named { const char* name; Rect derived; Rect table; };

TEST(SpriteTables, DerivedRectanglesMatchThePlayersTables) {
    const Named cases[] = {
        {"kCloseButtonPressed", kCloseButtonPressed, xywh(18, 9, 9, 9)},
        {"kUnshadeButtonPressed", kUnshadeButtonPressed, xywh(9, 27, 9, 9)},
        {"kShadeBarInactive", kShadeBarInactive, xywh(27, 42, 275, 14)},
        {"kShadePositionThumbRight", kShadePositionThumbRight, xywh(23, 36, 3, 7)},
        {"clutter O pressed", clutterLetterPressed(0), xywh(304, 47, 8, 8)},
        {"clutter D pressed", clutterLetterPressed(3), xywh(328, 69, 8, 8)},
        {"clutter V pressed", clutterLetterPressed(4), xywh(336, 77, 8, 7)},
        {"kStopButtonPressed", kStopButtonPressed, xywh(69, 18, 23, 18)},
        {"kEjectButtonPressed", kEjectButtonPressed, xywh(114, 16, 22, 16)},
        {"shuffle on pressed", toggleState(kShuffleButton, true, true), xywh(28, 45, 47, 15)},
        {"repeat off pressed", toggleState(kRepeatButton, false, true), xywh(0, 15, 28, 15)},
        {"EQ toggle on pressed", windowToggleState(kEqToggle, true, true), xywh(46, 73, 23, 12)},
        {"PL toggle on", windowToggleState(kPlToggle, true, false), xywh(23, 73, 23, 12)},
        {"volume frame 27", volumeFrame(27), xywh(0, 405, 68, 13)},
        {"balance frame 27", balanceFrame(27), xywh(9, 405, 38, 13)},
        {"kPositionThumbPressed", kPositionThumbPressed, xywh(278, 0, 29, 10)},
        {"AUTO on pressed", eqButtonState(kEqAutoButton, true, true), xywh(213, 119, 32, 12)},
        {"ON off pressed", eqButtonState(kEqOnButton, false, true), xywh(128, 119, 26, 12)},
        {"EQ slider frame 14", eqSliderFrame(14), xywh(13, 229, 14, 63)},
        {"EQ slider frame 27", eqSliderFrame(27), xywh(208, 229, 14, 63)},
        {"kEqSliderFrames", kEqSliderFrames, xywh(13, 164, 209, 128)},
        {"kEqSliderThumbPressed", kEqSliderThumbPressed, xywh(0, 176, 11, 11)},
        {"kEqShadeBalanceThumbRight", kEqShadeBalanceThumbRight, xywh(17, 30, 3, 7)},
        {"kEqShadeCloseButtonPressed", kEqShadeCloseButtonPressed, xywh(11, 47, 9, 9)},
        {"inactive playlist title", plFocus(kPlTitleBar, false), xywh(26, 21, 100, 20)},
        {"kPlShadeButtonPressed", kPlShadeButtonPressed, xywh(62, 42, 9, 9)},
        {"kPlScrollHandlePressed", kPlScrollHandlePressed, xywh(61, 53, 8, 18)},
        {"kPlShadeRightInactive", kPlShadeRightInactive, xywh(99, 57, 50, 14)},
        {"remove misc hovered", plMenuItem(kPlRemoveMenu, 3, true), xywh(77, 168, 22, 18)},
    };
    for (const Named& c : cases) EXPECT_EQ(c.derived, c.table) << c.name;
    EXPECT_EQ(kPositionThumbTravel, 219);
    EXPECT_EQ(eqBandAt(9), (Point{240, 38}));
    EXPECT_EQ(kSecondUnitsAt, (Point{90, 26}));
}

TEST(SpriteTables, PlaylistPiecesFollowTheWindowSize) {
    const Size big = playlistSize(3, 2);  // 350 x 174
    EXPECT_EQ(big, (Size{350, 174}));
    EXPECT_EQ(snappedPlaylistSize({374, 202}), big);
    EXPECT_EQ(snappedPlaylistSize({100, 50}), kPlaylistMinimumSize);
    EXPECT_EQ(plSideTileCount(big), 4);
    EXPECT_EQ(plRightTileAt(big, 3), (Point{330, 107}));
    EXPECT_EQ(plVisualiserAt(big), (Point{125, 136}));
    EXPECT_TRUE(plShowsVisualiser(big));
    EXPECT_FALSE(plShowsVisualiser(playlistSize(2, 0)));
    EXPECT_EQ(plScrollHandleTravel(kPlaylistMinimumSize), 40);
    EXPECT_EQ(plListArea(big), (Rect{12, 20, 330, 136}));
}

TEST(SpriteTables, TextFontCells) {
    EXPECT_EQ(glyphFor('q'), (GlyphPos{16, 0}));
    EXPECT_EQ(glyphFor('7'), (GlyphPos{7, 1}));
    EXPECT_EQ(glyphFor(' '), (GlyphPos{30, 0}));
    EXPECT_EQ(glyphFor('#'), (GlyphPos{30, 1}));
    EXPECT_EQ(glyphFor('>'), glyphFor(']'));
    EXPECT_EQ(glyphFor(U'\u00F6'), (GlyphPos{1, 2}));
    EXPECT_EQ(glyphFor('*'), (GlyphPos{4, 2}));
    EXPECT_FALSE(glyphFor('~').has_value());
    EXPECT_EQ(glyphCell(30, 1), xywh(150, 6, 5, 6));
    EXPECT_EQ(digitCell(kMinusDigit), xywh(99, 0, 9, 13));
}

TEST(SpriteTables, WrittenSheetsHoldEveryRectangleCutFromThem) {
    auto size = [](Sheet s) { return conventionalSize(s); };
    auto inside = [](const Rect& r, Size s) { return r.left >= 0 && r.top >= 0 && r.right <= s.width && r.bottom <= s.height; };
    EXPECT_TRUE(inside(balanceFrame(27), size(Sheet::Balance)));
    EXPECT_TRUE(inside(toggleState(kShuffleButton, true, true), kWrittenSheets[6].size));
    EXPECT_TRUE(inside(kEqShadeCloseButtonPressed, kWrittenSheets[10].size));
    EXPECT_TRUE(inside(kEqPreampLine, size(Sheet::EqMain)));
    EXPECT_TRUE(inside(plMenuItem(kPlListMenu, 2, true), size(Sheet::PlEdit)));
    EXPECT_TRUE(inside(clutterLetterPressed(4), size(Sheet::TitleBar)));
    EXPECT_EQ(kWrittenSheets[10].fileName, "eq_ex.bmp");
    EXPECT_EQ(fallbackSheet(Sheet::Balance), Sheet::Volume);
    EXPECT_EQ(fallbackSheet(Sheet::NumsEx), Sheet::Numbers);
    EXPECT_FALSE(fallbackSheet(Sheet::EqEx).has_value());
}

} // namespace
} // namespace vk::format
