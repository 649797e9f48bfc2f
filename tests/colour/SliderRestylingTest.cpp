// The three knob restylings: exact bevels on the knob sprites, the copies
// into the previews, nothing else touched, and knobs that outlive a remake.
#include "app/qt/QtTextRasteriser.h"
#include "app/ColourPanel.h"
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "tests/app/WorkbenchAccess.h"
#include "skin/MakeSkin.h"
#include "tests/colour/TestImages.h"

#include <deque>
#include <vector>

using namespace vk;
using namespace vk::test;

namespace {

constexpr TColor kGrey64 = rgb(64, 64, 64);

// A knob of grey 64 under a raised frame: light top row and left column,
// dark bottom row and right column, the bottom-left corner darkened and then
// lightened, the bottom-right corner darkened twice.
int raisedGrey64(const Rect& r, int x, int y) {
    const int right = r.right - 1, bottom = r.bottom - 1;
    if (y == r.top) return 159;
    if (x == r.left) return y == bottom ? 95 : 159;
    if (x == right || y == bottom) return 0;
    return 64;
}
TColor grey(int level) { return rgb(level, level, level); }

class SliderRestyling : public ::testing::Test {
protected:
    void SetUp() override {
        for (Image* image : {&docOf(bench).templates.volBut, &docOf(bench).templates.posBar, &docOf(bench).templates.volumeWindow, &docOf(bench).templates.balanceWindow,
                             &docOf(bench).mainWindow, &docOf(bench).templates.eqMain, &docOf(bench).templates.plEdit, &docOf(bench).plShow})
            paintPattern(*image);
    }
    Workbench bench{qtTextRasteriser()};
};

TEST_F(SliderRestyling, DarkGreyVolumeKnobHasTheExactBevel) {
    changeMainSlider(docOf(bench), kGrey64);
    const Image& knob = docOf(bench).templates.volBut;
    ASSERT_EQ(knob.width(), 14);
    ASSERT_EQ(knob.height(), 11);
    EXPECT_TRUE(matches(knob, knob, [&](int x, int y) { return grey(raisedGrey64(knob.bounds(), x, y)); }));
    // The corners the bevel treats twice, by name.
    EXPECT_EQ(knob.pixel(0, 10), grey(95));
    EXPECT_EQ(knob.pixel(13, 10), grey(0));
    EXPECT_EQ(knob.pixel(13, 0), grey(159));
    EXPECT_EQ(knob.pixel(0, 9), grey(159));
}

TEST_F(SliderRestyling, VolumeAndBalanceReachEverySheetAndTheMainWindow) {
    const Image posBar = docOf(bench).templates.posBar, volume = docOf(bench).templates.volumeWindow, balance = docOf(bench).templates.balanceWindow,
                main = docOf(bench).mainWindow, eq = docOf(bench).templates.eqMain;
    changeMainSlider(docOf(bench), kGrey64);
    const Image& knob = docOf(bench).templates.volBut;

    const Rect normal{248, 0, 277, 10}, pressed{278, 0, 307, 10};
    EXPECT_TRUE(matches(posBar, docOf(bench).templates.posBar, [&](int x, int y) -> std::optional<TColor> {
        if (x == 277) return kGrey64;  // filled between the knobs, no bevel
        for (const Rect& r : {normal, pressed})
            if (inside(r, x, y)) return grey(raisedGrey64(r, x, y));
        return std::nullopt;
    }));
    auto knobsAt = [&](std::vector<Point> places) -> Expect {
        return [&knob, places](int x, int y) -> std::optional<TColor> {
            for (Point p : places)
                if (inside({p.x, p.y, p.x + 14, p.y + 11}, x, y)) return knob.pixel(x - p.x, y - p.y);
            return std::nullopt;
        };
    };
    EXPECT_TRUE(matches(volume, docOf(bench).templates.volumeWindow, knobsAt({{0, 422}, {15, 422}})));
    EXPECT_TRUE(matches(balance, docOf(bench).templates.balanceWindow, knobsAt({{0, 422}, {15, 422}})));
    EXPECT_TRUE(matches(main, docOf(bench).mainWindow, knobsAt({{133, 58}, {189, 58}})));
    EXPECT_TRUE(eq.samePixels(docOf(bench).templates.eqMain));
}

TEST_F(SliderRestyling, EqualiserKnobsChangeOnlyInsideTheirOutlines) {
    const Image before = docOf(bench).templates.eqMain, main = docOf(bench).mainWindow;
    changeEqSliders(docOf(bench), kGrey64);
    const Image& eq = docOf(bench).templates.eqMain;

    const Rect normal{0, 164, 11, 175}, pressed{0, 176, 11, 187};
    const Rect normalInside{1, 165, 10, 174}, pressedInside{1, 177, 10, 186};
    std::vector<Point> windowKnobs = {{22, 63}};
    for (int i = 0; i < 10; ++i) windowKnobs.push_back({79 + 18 * i, 63});

    EXPECT_TRUE(matches(before, eq, [&](int x, int y) -> std::optional<TColor> {
        for (const Rect& r : {normalInside, pressedInside})
            if (inside(r, x, y)) return grey(raisedGrey64(r, x, y));
        for (Point p : windowKnobs)  // copies of the whole sprite, its old outline included
            if (inside({p.x, p.y, p.x + 11, p.y + 11}, x, y)) {
                const int sx = x - p.x, sy = y - p.y + 164;
                return onBorder(normal, sx, sy) ? before.pixel(sx, sy) : grey(raisedGrey64(normalInside, sx, sy));
            }
        return std::nullopt;
    }));
    EXPECT_TRUE(onBorder(pressed, 0, 186));
    EXPECT_EQ(eq.pixel(0, 186), before.pixel(0, 186));
    EXPECT_TRUE(main.samePixels(docOf(bench).mainWindow));
}

TEST_F(SliderRestyling, PlaylistKnobChangesTheTwoSpritesAndThePreviewOnly) {
    const Image sheet = docOf(bench).templates.plEdit, preview = docOf(bench).plShow;
    changePlSlider(docOf(bench), kGrey64);

    const Rect normal{52, 53, 60, 71}, pressed{61, 53, 69, 71};
    EXPECT_TRUE(matches(sheet, docOf(bench).templates.plEdit, [&](int x, int y) -> std::optional<TColor> {
        for (const Rect& r : {normal, pressed})
            if (inside(r, x, y)) return grey(raisedGrey64(r, x, y));
        return std::nullopt;
    }));
    EXPECT_TRUE(matches(preview, docOf(bench).plShow, [&](int x, int y) -> std::optional<TColor> {
        if (inside({260, 20, 268, 38}, x, y)) return grey(raisedGrey64({260, 20, 268, 38}, x, y));
        return std::nullopt;
    }));
}

TEST_F(SliderRestyling, ButtonsOnlyGivesFlatBlocksAndStillCopies) {
    docOf(bench).state.buttonsOnly = true;
    const TColor c = rgb(30, 140, 220);
    changeMainSlider(docOf(bench), c);
    changeEqSliders(docOf(bench), c);
    changePlSlider(docOf(bench), c);

    const struct {
        const char* what;
        const Image* image;
        Rect r;
    } blocks[] = {
        {"volBut", &docOf(bench).templates.volBut, {0, 0, 14, 11}},
        {"posBar knobs", &docOf(bench).templates.posBar, {248, 0, 307, 10}},
        {"volume sheet knob", &docOf(bench).templates.volumeWindow, {0, 422, 14, 433}},
        {"volume sheet pressed knob", &docOf(bench).templates.volumeWindow, {15, 422, 29, 433}},
        {"balance sheet knob", &docOf(bench).templates.balanceWindow, {0, 422, 14, 433}},
        {"balance sheet pressed knob", &docOf(bench).templates.balanceWindow, {15, 422, 29, 433}},
        {"main volume knob", &docOf(bench).mainWindow, {133, 58, 147, 69}},
        {"main balance knob", &docOf(bench).mainWindow, {189, 58, 203, 69}},
        {"eq knob inside", &docOf(bench).templates.eqMain, {1, 165, 10, 174}},
        {"eq pressed knob inside", &docOf(bench).templates.eqMain, {1, 177, 10, 186}},
        {"preamp knob inside", &docOf(bench).templates.eqMain, {23, 64, 32, 73}},
        {"last band knob inside", &docOf(bench).templates.eqMain, {242, 64, 251, 73}},
        {"playlist knobs", &docOf(bench).templates.plEdit, {52, 53, 60, 71}},
        {"playlist pressed knob", &docOf(bench).templates.plEdit, {61, 53, 69, 71}},
        {"playlist preview knob", &docOf(bench).plShow, {260, 20, 268, 38}},
    };
    for (const auto& b : blocks)
        for (int y = b.r.top; y < b.r.bottom; ++y)
            for (int x = b.r.left; x < b.r.right; ++x)
                ASSERT_EQ(b.image->pixel(x, y), c) << b.what << " at (" << x << ", " << y << ")";
    // Column 14 of the volume sheet lies between its two knobs.
    EXPECT_EQ(docOf(bench).templates.volumeWindow.pixel(14, 422), patternAt(14, 422));
}

TEST_F(SliderRestyling, AnEarlierChoiceLeavesNoTrace) {
    Workbench fresh{qtTextRasteriser()};
    docOf(fresh).templates = docOf(bench).templates;
    docOf(fresh).mainWindow = docOf(bench).mainWindow;
    docOf(fresh).plShow = docOf(bench).plShow;

    for (SliderKnobs knobs : {SliderKnobs::MainSlider, SliderKnobs::EqSliders, SliderKnobs::PlSlider}) {
        restyleSlider(docOf(bench), knobs, rgb(250, 250, 250));
        restyleSlider(docOf(bench), knobs, kGrey64);
        restyleSlider(docOf(fresh), knobs, kGrey64);
    }
    for (auto image : {&TemplateSet::volBut, &TemplateSet::posBar, &TemplateSet::volumeWindow,
                       &TemplateSet::balanceWindow, &TemplateSet::eqMain, &TemplateSet::plEdit})
        EXPECT_TRUE((docOf(bench).templates.*image).samePixels(docOf(fresh).templates.*image));
    EXPECT_TRUE(docOf(bench).mainWindow.samePixels(docOf(fresh).mainWindow));
    EXPECT_TRUE(docOf(bench).plShow.samePixels(docOf(fresh).plShow));
}

TEST_F(SliderRestyling, KnobsOutliveANewLayoutAndASecondMakeSkin) {
    MakeSkinClick(bench);
    changeMainSlider(docOf(bench), kGrey64);
    changeEqSliders(docOf(bench), kGrey64);
    changePlSlider(docOf(bench), kGrey64);
    const Image volBut = docOf(bench).templates.volBut;
    const Image eqKnob = cut(docOf(bench).templates.eqMain, {0, 164, 11, 175});
    const Image plKnobs = cut(docOf(bench).templates.plEdit, {52, 53, 69, 71});

    bench.layoutPictures();
    MakeSkinClick(bench);

    EXPECT_TRUE(volBut.samePixels(docOf(bench).templates.volBut));
    EXPECT_TRUE(plKnobs.samePixels(cut(docOf(bench).templates.plEdit, {52, 53, 69, 71})));
    // The equaliser pass outlines the knob in the background colour again but
    // keeps its inside, and puts it on every slider of the window.
    const Image knobNow = cut(docOf(bench).templates.eqMain, {0, 164, 11, 175});
    EXPECT_TRUE(matches(eqKnob, knobNow, [&](int x, int y) -> std::optional<TColor> {
        if (onBorder({0, 0, 11, 11}, x, y)) return docOf(bench).state.eqBackColour;
        return std::nullopt;
    }));
    EXPECT_TRUE(knobNow.samePixels(cut(docOf(bench).templates.eqMain, {22, 63, 33, 74})));
    EXPECT_TRUE(knobNow.samePixels(cut(docOf(bench).templates.eqMain, {241, 63, 252, 74})));
}

TEST_F(SliderRestyling, ABadColourOrACancelDrawsNothing) {
    const Image volBut = docOf(bench).templates.volBut, eq = docOf(bench).templates.eqMain, sheet = docOf(bench).templates.plEdit;
    for (SliderKnobs knobs : {SliderKnobs::MainSlider, SliderKnobs::EqSliders, SliderKnobs::PlSlider})
        EXPECT_THROW(restyleSlider(docOf(bench), knobs, 0x7F000000u), Error);
    EXPECT_TRUE(volBut.samePixels(docOf(bench).templates.volBut));

    ColourDialog cancelled([](TColor) { return std::optional<TColor>(); });
    changeMainSlider(docOf(bench), kGrey64);  // an earlier restyling stays as it was
    const Image restyled = docOf(bench).templates.volBut;
    for (SliderKnobs knobs : {SliderKnobs::MainSlider, SliderKnobs::EqSliders, SliderKnobs::PlSlider})
        EXPECT_FALSE(sliderButtonClick(bench, cancelled, knobs));

    EXPECT_FALSE(volBut.samePixels(restyled));
    EXPECT_TRUE(restyled.samePixels(docOf(bench).templates.volBut));
    EXPECT_TRUE(eq.samePixels(docOf(bench).templates.eqMain));
    EXPECT_TRUE(sheet.samePixels(docOf(bench).templates.plEdit));
}

} // namespace
