// Legible captions and colours from the picture, measured on whole skins made
// from the pictures that defeat the fixed step: white, black and mid-grey.
#include "app/Legibility.h"
#include "app/Workbench.h"
#include "colour/PictureColours.h"
#include "format/EqSprites.h"
#include "format/PlaylistSprites.h"
#include "raster/Contrast.h"

#include <gtest/gtest.h>

using namespace vk;

namespace {

struct Made {
    Legibility legibility;
    SkinState state;
    SkinDocument doc;
};

Made makeFrom(TColor colour, bool legible, bool colours) {
    Image picture(275, 348);
    picture.fill(picture.bounds(), colour);
    Workbench bench(nullptr, nullptr);
    Options options;
    options.layout = LayoutMode::Continuous;
    options.legible = legible;
    bench.setOptions(options);
    bench.usePicture(WhichPicture::Main, picture);
    std::vector<StampPlacement> stamps;
    std::vector<BevelShade> bevels;
    bench.setStampLog(&stamps);
    bench.setBevelLog(&bevels);
    bench.makeSkin();
    if (colours) bench.coloursFromPicture();
    return {measureLegibility(bench.document().state, stamps, bevels), bench.document().state, bench.document()};
}

bool all(const LegibilityCount& c) { return c.total > 0 && c.reached == c.total; }

} // namespace

TEST(Legibility, WhiteBlackAndGreyPicturesReachEveryThresholdWithBothOptionsAndFallShortWithout) {
    for (const TColor colour : {kWhite, kBlack, rgb(128, 128, 128)}) {
        SCOPED_TRACE(colour);
        const Made legible = makeFrom(colour, true, false);
        EXPECT_TRUE(all(legible.legibility.captions)) << legible.legibility.captions.reached << " of " << legible.legibility.captions.total;
        const Made both = makeFrom(colour, true, true);
        EXPECT_TRUE(all(both.legibility.captions));
        EXPECT_TRUE(all(both.legibility.textColours));
        EXPECT_TRUE(all(both.legibility.visColours));
        EXPECT_TRUE(all(both.legibility.bevels)) << both.legibility.bevels.reached << " of " << both.legibility.bevels.total;
        EXPECT_TRUE(all(both.legibility.scopeColours));
        // The fixed step cannot lighten white or darken black, and the default green text falls short.
        const Made plain = makeFrom(colour, false, false);
        EXPECT_LT(plain.legibility.captions.reached, plain.legibility.captions.total);
        if (colour != rgb(128, 128, 128)) {
            EXPECT_LT(plain.legibility.bevels.reached, plain.legibility.bevels.total);
        }
        EXPECT_LT(plain.legibility.textColours.reached, plain.legibility.textColours.total);
    }
}

TEST(Legibility, ColoursFromAPictureAreTheSameOnEveryRunAndFollowThePicture) {
    const Made first = makeFrom(rgb(30, 90, 200), false, true);
    const Made again = makeFrom(rgb(30, 90, 200), false, true);
    const Made other = makeFrom(rgb(220, 60, 20), false, true);
    for (const ColourSettingInfo& info : colourSettings()) {
        EXPECT_EQ(first.state.*info.field, again.state.*info.field) << info.name;
    }
    EXPECT_EQ(first.state.visColours, again.state.visColours);
    EXPECT_NE(first.state.visColours, other.state.visColours);
    EXPECT_NE(first.state.plSelectedBgColour, other.state.plSelectedBgColour);
}

namespace {

TColor meanOf(const Image& image, const Rect& r, const Rect& leaving = {}) {
    double red = 0, green = 0, blue = 0;
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (!(x >= leaving.left && x < leaving.right && y >= leaving.top && y < leaving.bottom)) {
                const TColor c = image.pixel(x, y);
                red += redOf(c), green += greenOf(c), blue += blueOf(c), ++n;
            }
    return rgb(int(red / n + 0.5), int(green / n + 0.5), int(blue / n + 0.5));
}

Point centreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

} // namespace

TEST(Legibility, KnobsFromThePictureStandOutFromTheGrooveTheyRideIn) {
    for (const TColor colour : {kWhite, kBlack, rgb(128, 128, 128), rgb(30, 90, 200), rgb(250, 230, 60)}) {
        SCOPED_TRACE(colour);
        const SkinDocument& doc = makeFrom(colour, false, true).doc;
        const TemplateSet& t = doc.templates;
        // Each knob's face as the skin's sprites hold it, and the groove around it without the knob.
        const Rect volumeKnob = format::placed(format::kVolumeKnobAt, t.volBut.bounds());
        const Point main = centreOf(t.volBut.bounds()), eq = centreOf(format::kEqSliderThumb), pl = centreOf(format::kPlScrollHandle);
        EXPECT_GE(contrastRatio(t.volBut.pixel(main.x, main.y), meanOf(doc.mainWindow, format::kVolumeSliderArea, volumeKnob)), kShapeContrast);
        EXPECT_GE(contrastRatio(t.eqMain.pixel(eq.x, eq.y), doc.state.eqBackColour), kShapeContrast);
        EXPECT_GE(contrastRatio(t.plEdit.pixel(pl.x, pl.y), meanOf(t.plEdit, format::kPlRightTile)), kShapeContrast);
    }
}
