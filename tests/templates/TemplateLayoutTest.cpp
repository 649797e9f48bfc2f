// The template art where the players look for it: font cells, digit cells,
// indicator columns, title-strip buttons, knobs and the graph sprites.
#include "TemplateFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace vk;
using namespace vk::test;

namespace {

bool sameRegion(const Image& a, const Rect& ra, const Image& b, int bx, int by) {
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x)
            if (a.pixel(ra.left + x, ra.top + y) != b.pixel(bx + x, by + y)) return false;
    return true;
}

int inkIn(const Image& mask, const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += mask.pixel(x, y) != kBlack;
    return n;
}

std::vector<TColor> region(const Image& image, const Rect& r) {
    std::vector<TColor> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(image.pixel(x, y));
    return pixels;
}

// Runs of columns of [left, right) holding ink, as [first, last] pairs;
// runs at most `gap` blank columns apart are joined.
std::vector<std::pair<int, int>> inkRuns(const Image& mask, int gap, int left = 0, int right = -1) {
    if (right < 0) right = mask.width();
    std::vector<std::pair<int, int>> runs;
    for (int x = left; x < right; ++x) {
        if (inkIn(mask, {x, 0, x + 1, mask.height()}) == 0) continue;
        if (!runs.empty() && x - runs.back().second <= gap + 1) runs.back().second = x;
        else runs.push_back({x, x});
    }
    return runs;
}

} // namespace

TEST(TemplateLayout, TextFontFillsEveryMappedCellAndLeavesTheRestBlank) {
    const Image text = templateImage("text");
    // Row 0: A ... Z, '"', '@' then blanks; row 1: all 31; row 2: Å Ö Ä ? * then blanks.
    const int usedCells[] = {28, 31, 5};
    std::set<std::vector<TColor>> seen;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 31; ++col) {
            const Rect cell = {5 * col, 6 * row, 5 * col + 5, 6 * row + 6};
            SCOPED_TRACE("cell (" + std::to_string(col) + ", " + std::to_string(row) + ")");
            if (col < usedCells[row]) {
                EXPECT_GT(inkIn(text, cell), 0) << "a character cell is empty";
                EXPECT_TRUE(seen.insert(region(text, cell)).second) << "two characters look the same";
            } else {
                EXPECT_EQ(inkIn(text, cell), 0) << "a space cell has ink";
            }
        }
    // One player samples this pixel as the display's background colour.
    EXPECT_EQ(text.pixel(152, 3), kBlack);
    // Ink keeps off each cell's last row except for the tall accented capitals.
    for (int col = 0; col < 31; ++col)
        for (int row = 0; row < 2; ++row)
            EXPECT_EQ(inkIn(text, {5 * col, 6 * row + 5, 5 * col + 5, 6 * row + 6}), 0) << col << ", " << row;
}

TEST(TemplateLayout, TimeDigitsBlankAndMinusSitInTheirNineByThirteenCells) {
    const Image digits = templateImage("nums_ex");
    std::set<std::vector<TColor>> seen;
    for (int d = 0; d < 10; ++d) {
        const Rect cell = {9 * d, 0, 9 * d + 9, 13};
        EXPECT_GT(inkIn(digits, cell), 10) << "digit " << d;
        EXPECT_TRUE(seen.insert(region(digits, cell)).second) << "digit " << d << " repeats another";
        // Neighbouring digits never touch: the cell's edge columns stay blank.
        EXPECT_EQ(inkIn(digits, {9 * d, 0, 9 * d + 1, 13}), 0) << d;
        EXPECT_EQ(inkIn(digits, {9 * d + 8, 0, 9 * d + 9, 13}), 0) << d;
    }
    EXPECT_EQ(inkIn(digits, {90, 0, 99, 13}), 0) << "the blank cell has ink";
    // The two players put the minus cell two pixels apart: the dash is centred.
    const auto runs = inkRuns(digits, 0);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().first - 99, 107 - runs.back().second) << "minus not centred in its cell";
    EXPECT_GT(inkIn(digits, {99, 0, 108, 13}), 0);
}

TEST(TemplateLayout, PlayPauseSheetHasIconsFillerAndLamps) {
    const Image indicators = templateImage("playPaus");
    for (int x : {0, 9, 18}) EXPECT_GT(inkIn(indicators, {x, 0, x + 9, 9}), 8) << "icon at " << x;
    EXPECT_EQ(inkIn(indicators, {27, 0, 36, 9}), 0) << "the filler must stay blank";
    EXPECT_EQ(inkIn(indicators, {0, 0, 1, 9}), 0) << "one player cuts the play icon from column 1";
    EXPECT_GT(inkIn(indicators, {36, 0, 39, 9}), 0);
    EXPECT_GT(inkIn(indicators, {39, 0, 42, 9}), 0);
    EXPECT_FALSE(sameRegion(indicators, {36, 0, 39, 9}, indicators, 39, 0)) << "the two lamps look alike";
}

TEST(TemplateLayout, SmallTransportStripHasSixSymbolsAndAColon) {
    const Image tools = templateImage("plTools");
    // Columns 0 ... 54, rows 1 ... 7 also serve the shaded main window.
    EXPECT_EQ(inkRuns(tools, 1, 0, 55).size(), 6u);
    EXPECT_EQ(inkIn(tools, {0, 0, 83, 1}), 0);
    // The mini time's colon: two dots between the minutes and seconds boxes.
    const auto colon = inkRuns(tools, 0, 55, 83);
    ASSERT_EQ(colon.size(), 1u);
    EXPECT_EQ(inkIn(tools, {colon[0].first, 0, colon[0].second + 1, 8}), 2);
}

TEST(TemplateLayout, LogoStripSpellsTheNameThreeTimes) {
    const Image logo = templateImage("vKit");
    const auto words = inkRuns(logo, 2);
    ASSERT_EQ(words.size(), 3u);
    const int width = words[0].second - words[0].first + 1;
    for (const auto& word : words) {
        EXPECT_EQ(word.second - word.first + 1, width);
        EXPECT_TRUE(sameRegion(logo, {words[0].first, 0, words[0].first + width, 6}, logo, word.first, 0));
    }
    EXPECT_EQ(inkIn(logo, {0, 5, 155, 6}), 0) << "capitals five rows tall";
}

TEST(TemplateLayout, TitleStripsCarryTheButtonFacesOfTheButtonSprites) {
    // A browser player draws only pressed buttons over the strip, so each
    // strip must show the released faces where the players put them.
    const Image title = templateImage("titleBarImage");
    struct Face {
        int stripX;      // offset within the strip
        Point sprite;    // released sprite in the sheet
    };
    const Face normal[] = {{6, {0, 0}}, {244, {9, 0}}, {254, {0, 18}}, {264, {18, 0}}};
    const Face shaded[] = {{6, {0, 0}}, {244, {9, 0}}, {254, {0, 27}}, {264, {18, 0}}};
    for (int stripY : {0, 15})
        for (const Face& f : normal)
            EXPECT_TRUE(sameRegion(title, {f.sprite.x, f.sprite.y, f.sprite.x + 9, f.sprite.y + 9}, title,
                                   27 + f.stripX, stripY + 3))
                << "strip " << stripY << ", button at " << f.stripX;
    for (int stripY : {29, 42})
        for (const Face& f : shaded)
            EXPECT_TRUE(sameRegion(title, {f.sprite.x, f.sprite.y, f.sprite.x + 9, f.sprite.y + 9}, title,
                                   27 + f.stripX, stripY + 3))
                << "shaded strip " << stripY << ", button at " << f.stripX;
    // Pressed faces differ from released ones.
    for (int x : {0, 9, 18}) EXPECT_FALSE(sameRegion(title, {x, 0, x + 9, 9}, title, x, 9)) << x;
}

TEST(TemplateLayout, KnobSpritesAreDrawnAndDifferWhenDragged) {
    struct Knobs {
        const char* sheet;
        Rect atRest;
        Point dragged;
    } knobs[] = {
        {"volumeWindow", {15, 422, 29, 433}, {0, 422}},
        {"balanceWindow", {15, 422, 29, 433}, {0, 422}},
        {"posBar", {248, 0, 277, 10}, {278, 0}},
        {"eqMain", {0, 164, 11, 175}, {0, 176}},
        {"plEdit", {52, 53, 60, 71}, {61, 53}},
    };
    for (const Knobs& k : knobs) {
        SCOPED_TRACE(k.sheet);
        const Image sheet = templateImage(k.sheet);
        int grey = 0;
        for (TColor c : region(sheet, k.atRest))
            grey += c != kBlack && redOf(c) == greenOf(c) && greenOf(c) == blueOf(c);
        EXPECT_GT(grey, k.atRest.width() * k.atRest.height() / 2) << "knob is not mostly grey";
        EXPECT_FALSE(sameRegion(sheet, k.atRest, sheet, k.dragged.x, k.dragged.y));
    }
    // The main window's knob template is the volume sheet's knob at rest.
    EXPECT_TRUE(sameRegion(templateImage("volBut"), {0, 0, 14, 11}, templateImage("volumeWindow"), 15, 422));
}

TEST(TemplateLayout, VolumeFramesShowARisingLevel) {
    const Image volume = templateImage("volumeWindow");
    std::set<std::vector<TColor>> frames;
    for (int k = 0; k < 28; ++k) frames.insert(region(volume, {0, 15 * k, 68, 15 * k + 13}));
    EXPECT_EQ(frames.size(), 28u) << "every volume step needs a frame of its own";
}

TEST(TemplateLayout, EqualiserGraphSpritesHoldColours) {
    const Image eq = templateImage("eqMain");
    std::set<TColor> lineColours;
    for (int row = 0; row < 19; ++row) {
        const TColor c = eq.pixel(115, 294 + row);
        EXPECT_NE(c, kBlack) << "graph row " << row << " would draw the curve invisible";
        lineColours.insert(c);
    }
    EXPECT_GT(lineColours.size(), 5u);
    int preamp = 0;
    for (int x = 0; x < 113; ++x) preamp += eq.pixel(x, 314) != kBlack;
    EXPECT_GT(preamp, 56) << "preamp line mostly missing";
    // The slider frames hold no bar at frame 0 and the tallest at frame 27.
    EXPECT_EQ(eq.pixel(18, 224), kBlack);
    EXPECT_EQ(eq.pixel(18 + 15 * 13, 229 + 8), kPureGreen);
}
