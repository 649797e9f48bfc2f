// The renderer's values and text: time digits, title and rate glyphs, the
// equaliser graph, playlist tiling and entries, zoom; loading skins from
// folders, archives, palette BMPs and PNG; the render command.
#include "format/PlayerGeometry.h"
#include "output/SkinWriter.h"
#include "output/WszArchive.h"
#include "player/PlayerRenderer.h"
#include "raster/Bmp.h"
#include "raster/TextRasteriser.h"
#include "tests/cli/CliRunner.h"
#include "tests/player/SyntheticSkin.h"

#include <gtest/gtest.h>

namespace vk::test {
namespace {

using namespace vk::format;
using player::PlayerState;
using player::PlayerWindow;

TColor cellColour(const player::ClassicSkin& skin, Sheet sheet, const Rect& cell) {
    return skin.sheet(sheet).pixel(cell.left + cell.width() / 2, cell.top + cell.height() / 2);
}

TEST(PlayerText, TimeDigitsWithAndWithoutTheMinusCell) {
    SyntheticSkin s;
    PlayerState state;
    state.seconds = 12 * 60 + 34;
    state.countingDown = true;
    const Image down = player::renderWindow(s.skin, PlayerWindow::Main, state);
    const std::pair<Point, int> expected[] = {{kTimeSignAt, kMinusDigit}, {kMinuteTensAt, 1}, {kMinuteUnitsAt, 2}, {kSecondTensAt, 3}, {kSecondUnitsAt, 4}};
    for (const auto& [at, digit] : expected)
        EXPECT_EQ(down.pixel(at.x + 8, at.y + 12), cellColour(s.skin, Sheet::NumsEx, digitCell(digit))) << "digit " << digit;
    state.countingDown = false;
    EXPECT_EQ(player::renderWindow(s.skin, PlayerWindow::Main, state).pixel(kTimeSignAt.x, kTimeSignAt.y),
              cellColour(s.skin, Sheet::NumsEx, digitCell(kBlankDigit)));
    state.play = player::PlayState::Stopped;
    EXPECT_EQ(player::renderWindow(s.skin, PlayerWindow::Main, state).pixel(kMinuteTensAt.x, kMinuteTensAt.y), s.skin.sheet(Sheet::Main).pixel(0, 0));

    // The older sheet: its "2" bar stands in for the minus, the "1" gap for none.
    s.skin.sheet(Sheet::Numbers) = s.skin.sheet(Sheet::NumsEx);
    s.skin.sheet(Sheet::NumsEx) = Image();
    state.play = player::PlayState::Playing;
    state.countingDown = true;
    EXPECT_EQ(player::renderWindow(s.skin, PlayerWindow::Main, state).pixel(kNumbersMinusAt.x + 4, kNumbersMinusAt.y),
              cellColour(s.skin, Sheet::Numbers, digitCell(2)));
    state.countingDown = false;
    EXPECT_EQ(player::renderWindow(s.skin, PlayerWindow::Main, state).pixel(kNumbersMinusAt.x, kNumbersMinusAt.y),
              cellColour(s.skin, Sheet::Numbers, digitCell(1)));
}

TEST(PlayerText, TitleKbpsAndKhzInTheTextFont) {
    SyntheticSkin s;
    PlayerState state;
    state.title = "Ab";
    state.kbps = 96;
    state.khz = 44;
    Image img = player::renderWindow(s.skin, PlayerWindow::Main, state);
    auto glyph = [&](GlyphPos g) { return cellColour(s.skin, Sheet::Text, glyphCell(g.column, g.row)); };
    EXPECT_EQ(img.pixel(kSongTitleAt.x, kSongTitleAt.y + 5), glyph({0, 0}));
    EXPECT_EQ(img.pixel(kSongTitleAt.x + 9, kSongTitleAt.y + 5), glyph({1, 0}));
    EXPECT_EQ(img.pixel(kKbpsAt.x, kKbpsAt.y), glyph(kSpaceGlyph));  // right-aligned in three cells
    EXPECT_EQ(img.pixel(kKbpsAt.x + 5, kKbpsAt.y), glyph({9, 1}));
    EXPECT_EQ(img.pixel(kKhzAt.x + 9, kKhzAt.y + 5), glyph({4, 1}));
    // A title too long for the field scrolls: one cell on, the second letter leads.
    state.title = std::string(40, 'C') + "D";
    state.title[1] = 'B';
    state.titleScroll = kGlyphWidth;
    img = player::renderWindow(s.skin, PlayerWindow::Main, state);
    EXPECT_EQ(img.pixel(kSongTitleAt.x, kSongTitleAt.y), glyph({1, 0}));
    EXPECT_EQ(img.pixel(kSongTitleAt.x + kSongTitleWidth, kSongTitleAt.y), s.skin.sheet(Sheet::Main).pixel(0, 0));
}

TEST(PlayerEqualiser, GraphRunsThroughTheBandsInTheLineColours) {
    SyntheticSkin s;
    const TColor preampLine = s.paint(Sheet::EqMain, kEqPreampLine);
    auto lineColour = [&](int row) { return s.skin.sheet(Sheet::EqMain).pixel(kEqGraphLineColours.left, kEqGraphLineColours.top + row); };
    PlayerState state;
    state.preamp = 0;
    state.bands.fill(0);
    Image img = player::renderWindow(s.skin, PlayerWindow::Equaliser, state);
    const int left = kEqGraphAt.x + kEqGraphCurveLeft;
    for (int x = 0; x <= 9 * kEqGraphKnotPitch; x += 9) EXPECT_EQ(img.pixel(left + x, kEqGraphAt.y + 18), lineColour(18)) << x;
    EXPECT_EQ(img.pixel(kEqGraphAt.x + 50, kEqGraphAt.y), preampLine);
    // One band at the top: its knot is at row 0, the flat bands stay at row 18 far from it.
    state.bands[5] = 100;
    state.preamp = 100;
    img = player::renderWindow(s.skin, PlayerWindow::Equaliser, state);
    EXPECT_EQ(img.pixel(left + 5 * kEqGraphKnotPitch, kEqGraphAt.y), lineColour(0));
    EXPECT_EQ(img.pixel(left, kEqGraphAt.y + 18), lineColour(18));
    EXPECT_EQ(img.pixel(kEqGraphAt.x + 112, kEqGraphAt.y + 18), preampLine);
}

// Ink in every cell, four columns a character: enough to see colours and places.
struct BlockRasteriser : TextRasteriser {
    GlyphRun render(const std::string& text, const std::string&, int cellHeight) override {
        GlyphRun run{int(text.size()) * 4, cellHeight, {}};
        run.ink.assign(std::size_t(run.width * run.height), 1);
        return run;
    }
};

TEST(PlayerPlaylist, FrameTilesAtTwoSizesAndEntriesTakeTheirColours) {
    SyntheticSkin s;
    const TColor top = s.paint(Sheet::PlEdit, plFocus(kPlTopTile, false)), title = s.paint(Sheet::PlEdit, plFocus(kPlTitleBar, false));
    const TColor leftTile = s.paint(Sheet::PlEdit, kPlLeftTile), bottomLeft = s.paint(Sheet::PlEdit, kPlBottomLeftCorner);
    const TColor bottomTile = s.paint(Sheet::PlEdit, kPlBottomTile), bottomRight = s.paint(Sheet::PlEdit, kPlBottomRightCorner);
    s.skin.playlistColours = {rgb(1, 200, 1), rgb(250, 250, 250), rgb(5, 5, 5), rgb(10, 10, 200)};
    PlayerState state;
    Image img = player::renderWindow(s.skin, PlayerWindow::Playlist, state);
    ASSERT_EQ(img.width(), 275);
    ASSERT_EQ(img.height(), 116);
    EXPECT_EQ(img.pixel(25, 5), top);
    EXPECT_EQ(img.pixel(86, 5), top);
    EXPECT_EQ(img.pixel(87, 5), title);
    EXPECT_EQ(img.pixel(186, 5), title);
    EXPECT_EQ(img.pixel(187, 5), top);
    EXPECT_EQ(img.pixel(249, 5), top);
    EXPECT_EQ(img.pixel(0, 20 + 29 * 2 - 1), leftTile);
    EXPECT_EQ(img.pixel(0, 116 - 38), bottomLeft);
    EXPECT_EQ(img.pixel(125, 116 - 38), bottomRight);  // no room for a bottom tile

    state.playlistSize = {399, 202};  // snaps to 375 x 174
    state.entries = {{"one", 61}, {"two", -1}, {"three", 5}};
    state.currentEntry = 0;
    state.selectedEntries = {false, true};
    BlockRasteriser blocks;
    img = player::renderWindow(s.skin, PlayerWindow::Playlist, state, 1, &blocks);
    ASSERT_EQ(img.width(), 375);
    ASSERT_EQ(img.height(), 174);
    EXPECT_EQ(img.pixel(0, 20 + 29 * 4 - 1), leftTile);
    EXPECT_EQ(img.pixel(0, 174 - 38), bottomLeft);
    EXPECT_EQ(img.pixel(125, 174 - 38), bottomTile);
    EXPECT_EQ(img.pixel(149, 174 - 38), bottomTile);  // the visualiser piece follows from 150
    EXPECT_EQ(img.pixel(225, 174 - 38), bottomRight);
    const Rect list = plListArea({375, 174});
    EXPECT_EQ(img.pixel(list.left + kPlEntryInset, list.top + 2), rgb(250, 250, 250));       // current entry's text
    EXPECT_EQ(img.pixel(list.left + kPlEntryInset + 1, list.top + 13 + 2), rgb(1, 200, 1));  // normal text
    EXPECT_EQ(img.pixel(list.left + 60, list.top + 13 + 2), rgb(10, 10, 200));               // selected background
    EXPECT_EQ(img.pixel(list.right - kPlEntryInset - 1, list.top + 2), rgb(250, 250, 250));  // "1:01", right-aligned
    EXPECT_EQ(img.pixel(list.right - kPlEntryInset - 1, list.top + 13 + 2), rgb(10, 10, 200)); // no length shown
    EXPECT_EQ(img.pixel(list.left + 60, list.top + 3 * 13 + 2), rgb(5, 5, 5));
    // The bottom bar: "0:00/1:06" (the selected entry has no length), and the mini time " 00 00".
    auto glyph = [&](GlyphPos g) { return cellColour(s.skin, Sheet::Text, glyphCell(g.column, g.row)); };
    const Point running = plRunningTimeAt({375, 174}), mini = plMiniTimeAt({375, 174});
    EXPECT_EQ(img.pixel(running.x, running.y), glyph({0, 1}));
    EXPECT_EQ(img.pixel(running.x + 4 * kGlyphWidth, running.y), glyph({21, 1}));
    EXPECT_EQ(img.pixel(running.x + 7 * kGlyphWidth, running.y), glyph({0, 1}));
    EXPECT_EQ(img.pixel(running.x + 8 * kGlyphWidth, running.y), glyph({6, 1}));
    // Spaces fill the field to its 18 characters, over whatever the bar shows there.
    EXPECT_EQ(img.pixel(running.x + 17 * kGlyphWidth + 4, running.y), glyph(kSpaceGlyph));
    EXPECT_NE(img.pixel(running.x + 18 * kGlyphWidth, running.y), glyph(kSpaceGlyph));
    EXPECT_EQ(img.pixel(mini.x + kPlMiniTimeColumns[0], mini.y), glyph(kSpaceGlyph));
    EXPECT_EQ(img.pixel(mini.x + kPlMiniTimeColumns[4], mini.y), glyph({0, 1}));
}

TEST(PlayerZoom, TwiceIsTheOnceImageScaledAndDoubleSizeLightsTheLamp) {
    SyntheticSkin s;
    PlayerState state;
    state.title = "zoom";
    const std::vector<PlayerWindow> all{PlayerWindow::Main, PlayerWindow::Equaliser, PlayerWindow::Playlist};
    const Image once = player::renderPlayer(s.skin, state, all);
    const Image twice = player::renderPlayer(s.skin, state, all, 2);
    ASSERT_EQ(once.height(), 3 * 116);
    ASSERT_EQ(twice.width(), 2 * once.width());
    ASSERT_EQ(twice.height(), 2 * once.height());
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x) differing += twice.pixel(x, y) != once.pixel(x / 2, y / 2);
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(player::renderWindow(s.skin, PlayerWindow::Equaliser, state).samePixels(
        [&] { Image eq(275, 116); eq.copyRect(eq.bounds(), once, xywh(0, 116, 275, 116)); return eq; }()));

    const TColor lamp = s.paint(Sheet::TitleBar, clutterLetterPressed(kClutterDoubleSizeLetter));
    state.doubleSize = true;
    const Image doubled = player::renderWindow(s.skin, PlayerWindow::Main, state);
    ASSERT_EQ(doubled.width(), 550);
    const Point at = clutterLetterAt(kClutterDoubleSizeLetter);
    EXPECT_EQ(doubled.pixel(2 * at.x + 1, 2 * at.y + 1), lamp);

    // Double size doubles the main window and the equaliser; the playlist keeps its size,
    // docked under them at the left.
    const Image docked = player::renderPlayer(s.skin, state, all);
    ASSERT_EQ(docked.width(), 550);
    ASSERT_EQ(docked.height(), 4 * 116 + 116);
    EXPECT_TRUE(player::renderWindow(s.skin, PlayerWindow::Playlist, state).samePixels(
        [&] { Image pl(275, 116); pl.copyRect(pl.bounds(), docked, xywh(0, 4 * 116, 275, 116)); return pl; }()));
    EXPECT_EQ(docked.pixel(300, 4 * 116 + 50), kBlack);
}

TEST(PlayerText, ShadedPlaylistShowsTheCurrentEntryAndItsLength) {
    SyntheticSkin s;
    PlayerState state;
    state.playlistShaded = true;
    state.entries = {{"A", 225}, {"B", 61}};
    state.currentEntry = 1;
    auto glyph = [&](char32_t c) { const GlyphPos g = *glyphFor(c); return cellColour(s.skin, Sheet::Text, glyphCell(g.column, g.row)); };
    Image img = player::renderWindow(s.skin, PlayerWindow::Playlist, state);
    // "2. B" from (5, 4); "1:01" ending 30 columns from the right.
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 2, kPlShadeTitleAt.y + 2), glyph(U'2'));
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 3 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'B'));
    EXPECT_EQ(img.pixel(275 - kPlShadeTimeRightInset - 3, kPlShadeTitleAt.y + 2), glyph(U'1'));
    EXPECT_EQ(img.pixel(275 - kPlShadeTimeRightInset - 4 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'1'));
    EXPECT_EQ(img.pixel(275 - kPlShadeTimeRightInset - 3 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U':'));
    // Too long for the strip: cut to 41 glyphs, the last an ellipsis; a wider strip holds more.
    state.entries[1].title = std::string(60, 'C');
    img = player::renderWindow(s.skin, PlayerWindow::Playlist, state);
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 39 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'C'));
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 40 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'\u2026'));
    state.playlistSize = playlistSize(1, 0);
    img = player::renderWindow(s.skin, PlayerWindow::Playlist, state);
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 40 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'C'));
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 45 * kGlyphWidth + 2, kPlShadeTitleAt.y + 2), glyph(U'\u2026'));
    // No entry playing: the strip says so, with no length.
    state.currentEntry = -1;
    img = player::renderWindow(s.skin, PlayerWindow::Playlist, state);
    EXPECT_EQ(img.pixel(kPlShadeTitleAt.x + 2, kPlShadeTitleAt.y + 2), glyph(U'['));
    EXPECT_NE(img.pixel(300 - kPlShadeTimeRightInset - 3, kPlShadeTitleAt.y + 2), glyph(U'5'));
}

TEST(PlayerText, ShadedMainWindowStoppedShowsBlankTime) {
    SyntheticSkin s;
    PlayerState state;
    state.mainShaded = true;
    state.play = player::PlayState::Stopped;
    state.seconds = 95;
    const Image img = player::renderWindow(s.skin, PlayerWindow::Main, state);
    const TColor blank = cellColour(s.skin, Sheet::Text, glyphCell(kSpaceGlyph.column, kSpaceGlyph.row));
    for (int column : kShadeTimeColumns) EXPECT_EQ(img.pixel(column + 2, kShadeTimeRow + 2), blank) << "column " << column;
}

}  // namespace
}  // namespace vk::test
