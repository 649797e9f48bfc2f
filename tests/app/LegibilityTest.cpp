// Legible captions and colours from the picture, measured on whole skins made
// from the pictures that defeat the fixed step: white, black and mid-grey.
#include "app/Legibility.h"
#include "app/Workbench.h"

#include <gtest/gtest.h>

using namespace vk;

namespace {

struct Made {
    Legibility legibility;
    SkinState state;
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
    bench.setStampLog(&stamps);
    bench.makeSkin();
    if (colours) bench.coloursFromPicture();
    return {measureLegibility(bench.document().state, stamps), bench.document().state};
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
        // The fixed step cannot lighten white or darken black, and the default green text falls short.
        const Made plain = makeFrom(colour, false, false);
        EXPECT_LT(plain.legibility.captions.reached, plain.legibility.captions.total);
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
