// The colour stage of MakeSkin: glyph sheets and display areas, the equaliser
// slider art and the sample song list, each checked over whole images.
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "raster/Error.h"
#include "skin/MakeSkin.h"
#include "tests/colour/TestImages.h"

#include <vector>

using namespace vk;
using namespace vk::test;

namespace {

constexpr TColor kBack = rgb(12, 34, 56);
constexpr TColor kText = rgb(200, 100, 50);
constexpr TColor kStale = rgb(250, 0, 250);  // what the glyph sheets held before

struct GlyphPair {
    const char* name;
    Image TemplateSet::*image;
    Image TemplateSet::*mask;
};
const GlyphPair kGlyphPairs[] = {
    {"plTools", &TemplateSet::plTools, &TemplateSet::plToolsMask},
    {"nums_ex", &TemplateSet::nums_ex, &TemplateSet::nums_exMask},
    {"text", &TemplateSet::text, &TemplateSet::textMask},
    {"playPaus", &TemplateSet::playPaus, &TemplateSet::playPausMask},
    {"topBit", &TemplateSet::topBit, &TemplateSet::topBitMask},
    {"vKit", &TemplateSet::vKit, &TemplateSet::vKitMask},
};

class TextColours : public ::testing::Test {
protected:
    void SetUp() override {
        for (const GlyphPair& pair : kGlyphPairs) {
            paintMask(docOf(bench).templates.*pair.mask);
            paintAll(docOf(bench).templates.*pair.image, kStale);
        }
        for (Image* image : targets()) paintPattern(*image);
        docOf(bench).state.winBackColour = kBack;
        docOf(bench).state.winTextColour = kText;
    }
    std::vector<Image*> targets() {
        return {&docOf(bench).mainWindow, &docOf(bench).templates.titleBarImage, &docOf(bench).plShow, &docOf(bench).templates.plEdit, &docOf(bench).templates.eqEx};
    }
    // The window colour a glyph pixel takes, read from the mask so that a paste
    // made before the recolouring shows up as the stale colour.
    TColor glyph(const Image& mask, int x, int y) const { return mask.pixel(x, y) == kBlack ? kBack : kText; }

    Workbench bench{qtTextRasteriser()};
};

TEST_F(TextColours, GlyphSheetsTakeTheWindowColoursFromTheirMasks) {
    skin::applyTextColours(docOf(bench));
    for (const GlyphPair& pair : kGlyphPairs) {
        const Image& image = docOf(bench).templates.*pair.image;
        const Image& mask = docOf(bench).templates.*pair.mask;
        EXPECT_TRUE(matches(image, image, [&](int x, int y) { return glyph(mask, x, y); })) << pair.name;
    }
}

TEST_F(TextColours, FillsTheDisplayAreasAndPastesTheRecolouredGlyphs) {
    std::vector<Image> before;
    for (Image* image : targets()) before.push_back(*image);
    skin::applyTextColours(docOf(bench));
    const TemplateSet& t = docOf(bench).templates;

    // A region paints either the back colour or a glyph strip whose top-left
    // pixel is (maskX, maskY) of the mask; later regions lie over earlier ones.
    struct Region {
        Rect r;
        const Image* mask = nullptr;
        int maskX = 0, maskY = 0;
    };
    auto expectFrom = [&](std::vector<Region> regions) -> Expect {
        return [this, regions](int x, int y) -> std::optional<TColor> {
            for (auto it = regions.rbegin(); it != regions.rend(); ++it) {
                if (!inside(it->r, x, y)) continue;
                if (!it->mask) return kBack;
                return glyph(*it->mask, x - it->r.left + it->maskX, y - it->r.top + it->maskY);
            }
            return std::nullopt;
        };
    };
    struct Case {
        const char* name;
        Image* image;
        std::vector<Region> regions;
    } cases[] = {
        {"mainWindow",
         &docOf(bench).mainWindow,
         {{{24, 25, 100, 59}},
          {{111, 27, 266, 33}},
          {{111, 27, 266, 33}, &t.vKitMask},
          {{111, 43, 126, 49}},
          {{156, 43, 166, 49}}}},
        {"titleBarImage",
         &docOf(bench).templates.titleBarImage,
         {{{199, 33, 254, 40}, &t.plToolsMask, 0, 1},
          {{199, 46, 254, 53}, &t.plToolsMask, 0, 1},
          {{0, 36, 26, 43}, &t.topBitMask}}},
        {"plShow",
         &docOf(bench).plShow,
         {{{130, 86, 222, 96}}, {{130, 100, 222, 110}}, {{130, 100, 213, 108}, &t.plToolsMask}}},
        {"plEdit",
         &docOf(bench).templates.plEdit,
         {{{131, 80, 223, 90}},
          {{131, 94, 223, 104}},
          {{206, 7, 279, 28}},
          {{131, 94, 214, 102}, &t.plToolsMask}}},
        {"eqEx",
         &docOf(bench).templates.eqEx,
         {{{61, 4, 159, 11}}, {{163, 4, 208, 11}}, {{61, 19, 159, 26}}, {{163, 19, 208, 26}}}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_TRUE(matches(before[i], *cases[i].image, expectFrom(cases[i].regions))) << cases[i].name;
}

TEST_F(TextColours, ButtonsOnlyRecoloursTheGlyphSheetsAndPaintsNothingElse) {
    docOf(bench).state.buttonsOnly = true;
    std::vector<Image> before;
    for (Image* image : targets()) before.push_back(*image);
    skin::applyTextColours(docOf(bench));

    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(before[i].samePixels(*targets()[i])) << i;
    const Image& vKit = docOf(bench).templates.vKit;
    EXPECT_TRUE(matches(vKit, vKit, [&](int x, int y) { return glyph(docOf(bench).templates.vKitMask, x, y); }));
}

TEST_F(TextColours, ASecondCallRepaintsTheSamePixels) {
    skin::applyTextColours(docOf(bench));
    std::vector<Image> first;
    for (Image* image : targets()) first.push_back(*image);
    skin::applyTextColours(docOf(bench));
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i].samePixels(*targets()[i])) << i;
}

TEST_F(TextColours, ANegativeSettingEndsThePassWithARangeError) {
    docOf(bench).state.winTextColour = 0xFFFFFFFF;
    try {
        skin::applyTextColours(docOf(bench));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Range check error");
    }
    // Read before any recolouring, so nothing was painted.
    EXPECT_EQ(docOf(bench).templates.vKit.pixel(0, 0), kStale);
}

// --- the equaliser slider art ---------------------------------------------

constexpr TColor kEqBack = rgb(10, 20, 30);
constexpr TColor kEqFore = rgb(200, 10, 10);
constexpr TColor kEqHighlight = rgb(10, 220, 90);
constexpr TColor kKnobArt = rgb(1, 2, 3);

constexpr Rect kKnob{0, 164, 11, 175};
constexpr Rect kPressedKnob{0, 176, 11, 187};

class EqSliders : public ::testing::Test {
protected:
    void SetUp() override {
        paintPattern(docOf(bench).templates.eqMain);
        paintPattern(docOf(bench).templates.exampleSlider);
        for (const Rect& knob : {kKnob, kPressedKnob})
            for (int y = knob.top; y < knob.bottom; ++y)
                for (int x = knob.left; x < knob.right; ++x) docOf(bench).templates.eqMain.setPixel(x, y, kKnobArt);
        docOf(bench).state.eqBackColour = kEqBack;
        docOf(bench).state.eqForeColour = kEqFore;
        docOf(bench).state.eqHighlightColour = kEqHighlight;
    }
    // One 14 x 63 cell with a bar of `barRows` rows, in cell coordinates.
    static TColor cellPixel(int x, int y, int barRows) {
        const bool barColumn = x >= 5 && x <= 8;
        if (barColumn && y >= 3 && y <= 59 && y % 2 == 1) return kEqFore;
        if (barColumn && y <= 60 && y >= 61 - barRows) return kEqHighlight;
        return kEqBack;
    }
    Workbench bench{qtTextRasteriser()};
};

TEST_F(EqSliders, EachFrameShowsItsBarUnderTheTicks) {
    skin::paintEqSliders(docOf(bench));
    const struct {
        int frame, left, top, barRows;
    } cases[] = {
        {0, 13, 164, 0}, {1, 28, 164, 2}, {13, 208, 164, 26}, {14, 13, 229, 27}, {17, 58, 229, 33}, {27, 208, 229, 53},
    };
    const Image& eq = docOf(bench).templates.eqMain;
    for (const auto& c : cases) {
        const Image cell = cut(eq, {c.left, c.top, c.left + 14, c.top + 63});
        EXPECT_TRUE(matches(cell, cell, [&](int x, int y) { return cellPixel(x, y, c.barRows); }))
            << "frame " << c.frame;
    }
}

TEST_F(EqSliders, StripTemplateCarriesTheArtOfFrameSeventeen) {
    skin::paintEqSliders(docOf(bench));
    const Image& strip = docOf(bench).templates.exampleSlider;
    EXPECT_TRUE(matches(strip, strip, [](int x, int y) { return cellPixel(x, y, 33); }));
    // Spot checks of the bar's ends and the ladder's ends.
    EXPECT_EQ(strip.pixel(5, 26), kEqBack);
    EXPECT_EQ(strip.pixel(5, 27), kEqFore);
    EXPECT_EQ(strip.pixel(5, 28), kEqHighlight);
    EXPECT_EQ(strip.pixel(8, 59), kEqFore);
    EXPECT_EQ(strip.pixel(8, 60), kEqHighlight);
    EXPECT_EQ(strip.pixel(8, 61), kEqBack);
    EXPECT_EQ(strip.pixel(9, 40), kEqBack);
}

TEST_F(EqSliders, PaintsExactlyTheFramesKnobOutlinesAndWindowSliders) {
    const Image before = docOf(bench).templates.eqMain;
    skin::paintEqSliders(docOf(bench));
    const Image& strip = docOf(bench).templates.exampleSlider;
    const std::vector<int> sliderLefts = {21, 78, 96, 114, 132, 150, 168, 186, 204, 222, 240};

    EXPECT_TRUE(matches(before, docOf(bench).templates.eqMain, [&](int x, int y) -> std::optional<TColor> {
        for (int left : sliderLefts) {
            const Rect knob{left + 1, 63, left + 12, 74};
            if (inside(knob, x, y)) {  // the knob sprite, its outline already repainted
                const bool border = x == knob.left || x == knob.right - 1 || y == knob.top || y == knob.bottom - 1;
                return border ? kEqBack : kKnobArt;
            }
            if (inside({left, 38, left + 14, 101}, x, y)) return strip.pixel(x - left, y - 38);
        }
        for (const Rect& knob : {kKnob, kPressedKnob}) {
            if (!inside(knob, x, y)) continue;
            const bool border = x == knob.left || x == knob.right - 1 || y == knob.top || y == knob.bottom - 1;
            return border ? std::optional<TColor>(kEqBack) : std::nullopt;
        }
        if (!inside({13, 164, 222, 292}, x, y)) return std::nullopt;
        const int column = (x - 13) % 15, frameTop = y < 229 ? 164 : 229;
        if (column == 14 || y - frameTop >= 63) return kEqBack;  // the gaps between frames
        const int frame = (x - 13) / 15 + (y < 229 ? 0 : 14);
        return cellPixel(column, y - frameTop, frame < 14 ? 2 * frame : 2 * frame - 1);
    }));
    // The copied knob took its new outline too.
    EXPECT_EQ(docOf(bench).templates.eqMain.pixel(79, 63), kEqBack);
    EXPECT_EQ(docOf(bench).templates.eqMain.pixel(80, 64), kKnobArt);
}

TEST_F(EqSliders, IgnoresButtonsOnlyAndRepaintsTheSamePixels) {
    Workbench flat{qtTextRasteriser()};
    docOf(flat).templates.eqMain = docOf(bench).templates.eqMain;
    docOf(flat).templates.exampleSlider = docOf(bench).templates.exampleSlider;
    docOf(flat).state = docOf(bench).state;
    docOf(flat).state.buttonsOnly = true;

    skin::paintEqSliders(docOf(bench));
    skin::paintEqSliders(docOf(flat));
    EXPECT_TRUE(docOf(flat).templates.eqMain.samePixels(docOf(bench).templates.eqMain));
    EXPECT_TRUE(docOf(flat).templates.exampleSlider.samePixels(docOf(bench).templates.exampleSlider));

    const Image once = docOf(bench).templates.eqMain;
    skin::paintEqSliders(docOf(bench));
    EXPECT_TRUE(once.samePixels(docOf(bench).templates.eqMain));
}

TEST_F(EqSliders, ANewBackgroundKeepsTheKnobInsides) {
    skin::paintEqSliders(docOf(bench));
    docOf(bench).state.eqBackColour = rgb(90, 90, 0);
    skin::paintEqSliders(docOf(bench));
    const Image& eq = docOf(bench).templates.eqMain;
    EXPECT_EQ(eq.pixel(0, 164), rgb(90, 90, 0));
    EXPECT_EQ(eq.pixel(5, 169), kKnobArt);
    EXPECT_EQ(eq.pixel(5, 181), kKnobArt);
    EXPECT_EQ(eq.pixel(30, 70), kKnobArt);          // the preamp knob's inside
    EXPECT_EQ(eq.pixel(21, 38), rgb(90, 90, 0));    // its strip
    EXPECT_EQ(eq.pixel(13, 164), rgb(90, 90, 0));   // frame 0
    EXPECT_EQ(eq.pixel(11, 170), patternAt(11, 170));  // the column between knob and frames
}

// --- the sample song list --------------------------------------------------

class PlaylistPreview : public ::testing::Test {
protected:
    void SetUp() override { paintPattern(docOf(bench).plShow); }

    // Checks the list area line by line: each row band may hold only its
    // background and its line's font colour, and each line must show glyphs.
    void expectSampleList(TColor normalBg, TColor selectedBg, TColor normal, TColor current) {
        const Image& list = docOf(bench).plShow;
        struct Band {
            int top, bottom;  // rows, bottom exclusive
            TColor background;
            std::optional<TColor> ink;  // no text in this band
            const char* what;
        } bands[] = {
            {20, 21, normalBg, std::nullopt, "row above line 1"},
            {21, 34, normalBg, normal, "1. Unselected Song"},
            {34, 47, normalBg, current, "2. Current Song"},
            {47, 60, normalBg, normal, "3. Unselected Song"},
            {60, 73, selectedBg, normal, "4. Selected Song"},
            {73, 74, selectedBg, std::nullopt, "last row of the band"},
            {74, 78, normalBg, std::nullopt, "rows below the band"},
        };
        for (const Band& band : bands) {
            int ink = 0, wrong = 0;
            for (int y = band.top; y < band.bottom; ++y)
                for (int x = 12; x < 255; ++x) {
                    const TColor c = list.pixel(x, y);
                    if (band.ink && c == *band.ink && x >= 13) ++ink;
                    else if (c != band.background) ++wrong;
                }
            EXPECT_EQ(wrong, 0) << band.what;
            if (band.ink) {
                EXPECT_GT(ink, 40) << band.what;
            }
        }
        // The line starts one pixel in: the list area's left column is bare.
        for (int y = 20; y < 78; ++y) EXPECT_EQ(list.pixel(12, y), y >= 60 && y < 74 ? selectedBg : normalBg) << y;
    }
    Workbench bench{qtTextRasteriser()};
};

TEST_F(PlaylistPreview, DefaultColoursShowTheFourSampleLines) {
    const Image before = docOf(bench).plShow;
    skin::paintPlaylistPreview(docOf(bench));
    expectSampleList(0x000000, 0x422828, 0x00FF00, 0xFF8000);
    // Nothing outside the list area changes.
    EXPECT_TRUE(matches(before, docOf(bench).plShow, [&](int x, int y) -> std::optional<TColor> {
        if (inside({12, 20, 255, 78}, x, y)) return docOf(bench).plShow.pixel(x, y);
        return std::nullopt;
    }));
}

TEST_F(PlaylistPreview, EachSettingGoesToItsOwnPixels) {
    SkinState& s = docOf(bench).state;
    s.plNormalBgColour = rgb(1, 2, 3);
    s.plSelectedBgColour = rgb(4, 5, 6);
    s.plNormalColour = rgb(200, 0, 0);
    s.plCurrentColour = rgb(0, 0, 200);
    skin::paintPlaylistPreview(docOf(bench));
    expectSampleList(rgb(1, 2, 3), rgb(4, 5, 6), rgb(200, 0, 0), rgb(0, 0, 200));
}

TEST_F(PlaylistPreview, ButtonsOnlyDrawsNothingAndASecondCallRepaintsTheSame) {
    const Image before = docOf(bench).plShow;
    docOf(bench).state.buttonsOnly = true;
    skin::paintPlaylistPreview(docOf(bench));
    EXPECT_TRUE(before.samePixels(docOf(bench).plShow));

    docOf(bench).state.buttonsOnly = false;
    skin::paintPlaylistPreview(docOf(bench));
    const Image once = docOf(bench).plShow;
    EXPECT_FALSE(once.samePixels(before));
    skin::paintPlaylistPreview(docOf(bench));
    EXPECT_TRUE(once.samePixels(docOf(bench).plShow));
}

// --- the stage inside MakeSkin ---------------------------------------------

TEST(ColourStage, ButtonsOnlyMakeSkinRecoloursGlyphsAndPaintsSliderArtOnly) {
    Workbench bench{qtTextRasteriser()};
    docOf(bench).options.full3D = false;
    paintMask(docOf(bench).templates.textMask);
    MakeSkinClick(bench);

    EXPECT_TRUE(docOf(bench).state.buttonsOnly);
    const Image& text = docOf(bench).templates.text;
    EXPECT_TRUE(matches(text, text, [&](int x, int y) {
        return docOf(bench).templates.textMask.pixel(x, y) == kBlack ? docOf(bench).state.winBackColour : docOf(bench).state.winTextColour;
    }));
    EXPECT_EQ(docOf(bench).templates.exampleSlider.pixel(5, 28), docOf(bench).state.eqHighlightColour);
    EXPECT_EQ(docOf(bench).templates.eqMain.pixel(13, 164), docOf(bench).state.eqBackColour);
    // The sample list's selected band is the one colour no other stage paints.
    EXPECT_NE(docOf(bench).plShow.pixel(12, 73), docOf(bench).state.plSelectedBgColour);
}

} // namespace
