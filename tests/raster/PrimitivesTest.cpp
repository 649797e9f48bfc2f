#include "raster/Error.h"
#include "raster/Primitives.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vk;

namespace {
Image grey(int w, int h, int level) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, rgb(level, level, level));
    return image;
}
std::vector<int> redRows(const Image& image) {
    std::vector<int> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) out.push_back(redOf(image.pixel(x, y)));
    return out;
}
} // namespace

TEST(Primitives, LightenAndDarkenSaturateAtTheStep) {
    struct Case {
        TColor in;
        bool lighten;
        TColor out;
    } cases[] = {
        {rgb(160, 159, 0), true, rgb(255, 254, 95)},
        {rgb(95, 96, 255), false, rgb(0, 1, 160)},
        {rgb(50, 50, 50), false, rgb(0, 0, 0)},
        {rgb(0, 0, 0), true, rgb(95, 95, 95)},
        {rgb(200, 200, 200), true, rgb(255, 255, 255)},
        {rgb(255, 255, 255), false, rgb(160, 160, 160)},
    };
    for (const Case& c : cases) {
        Image image(1, 1);
        image.setPixel(0, 0, c.in);
        c.lighten ? lightenPixel(image, 0, 0) : darkenPixel(image, 0, 0);
        EXPECT_EQ(image.pixel(0, 0), c.out) << std::hex << c.in;
    }
}

TEST(Primitives, ShadingOutsideTheImageIsARangeError) {
    Image image(2, 2);
    for (auto shade : {&lightenPixel, &darkenPixel}) {
        try {
            shade(image, 2, 0);
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Range check error");
        }
    }
    // A frame that runs off the image stops with the error, keeping what it drew.
    Image strip = grey(3, 1, 100);
    EXPECT_THROW(raiseFrame(strip, false, 1, 0, 5, 1), Error);
    EXPECT_EQ(redOf(strip.pixel(1, 0)), 100);  // lightened then darkened
    EXPECT_EQ(redOf(strip.pixel(0, 0)), 100);
}

TEST(Primitives, FramesOnThreeByThreeGrey) {
    struct Case {
        const char* name;
        void (*frame)(Image&, bool, int, int, int, int);
        std::vector<int> levels;
    } cases[] = {
        {"raise", &raiseFrame, {195, 195, 195, 195, 100, 5, 100, 5, 0}},
        {"sink", &sinkFrame, {5, 5, 5, 5, 100, 195, 195, 195, 195}},
    };
    for (const Case& c : cases) {
        Image image = grey(3, 3, 100);
        c.frame(image, false, 0, 0, 3, 3);
        EXPECT_EQ(redRows(image), c.levels) << c.name;
    }
}

TEST(Primitives, FramesOnOnePixelHighStrip) {
    // Each pixel is shaded first as top, then as bottom.
    struct Case {
        void (*frame)(Image&, bool, int, int, int, int);
        int level, expected;
    } cases[] = {
        {&raiseFrame, 100, 100}, {&raiseFrame, 200, 160}, {&raiseFrame, 50, 50},
        {&sinkFrame, 100, 100},  {&sinkFrame, 200, 200},  {&sinkFrame, 50, 95},
    };
    for (const Case& c : cases) {
        Image image = grey(4, 1, c.level);
        c.frame(image, false, 0, 0, 4, 1);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(redOf(image.pixel(x, 0)), c.expected) << c.level;
    }
}

TEST(Primitives, RaiseFrameShadesBottomCornersTwiceSinkOnce) {
    Image raised = grey(4, 4, 200);
    raiseFrame(raised, false, 0, 0, 4, 4);
    EXPECT_EQ(redOf(raised.pixel(0, 3)), 200);  // darkened to 105, then lightened
    Image sunk = grey(4, 4, 200);
    sinkFrame(sunk, false, 0, 0, 4, 4);
    EXPECT_EQ(redOf(sunk.pixel(0, 3)), 255);
    EXPECT_EQ(redOf(sunk.pixel(3, 3)), 255);
    EXPECT_EQ(redOf(raised.pixel(3, 3)), 10);  // darkened twice
    EXPECT_EQ(redOf(sunk.pixel(0, 1)), 105);
    EXPECT_EQ(redOf(sunk.pixel(3, 1)), 255);
}

TEST(Primitives, ButtonsOnlySuppressesFramesAndStampButNotTheRest) {
    Image stamp(2, 1);
    stamp.setPixel(0, 0, kBlack);
    stamp.setPixel(1, 0, kWhite);
    Image image = grey(6, 6, 100);
    const Image before = image;
    raiseFrame(image, true, 0, 0, 6, 6);
    sinkFrame(image, true, 0, 0, 6, 6);
    embossStamp(image, true, 0, 0, stamp);
    EXPECT_TRUE(image.samePixels(before));

    Image mask(2, 1);
    mask.setPixel(0, 0, kBlack);
    Image glyphs(2, 1);
    recolourByMask(glyphs, mask, kPureRed, kPureGreen);
    EXPECT_EQ(glyphs.pixel(0, 0), kPureRed);
    EXPECT_EQ(glyphs.pixel(1, 0), kPureGreen);
    pasteImage(image, 4, 4, stamp);
    EXPECT_EQ(image.pixel(4, 4), kBlack);
    EXPECT_EQ(image.pixel(5, 4), kWhite);
}

TEST(Primitives, EmbossStampColourCode) {
    struct Case {
        TColor stampPixel;
        TColor expected;
    } cases[] = {
        {kBlack, rgb(5, 5, 5)},          {kWhite, rgb(195, 195, 195)},
        {kPureGreen, kPureGreen},        {rgb(255, 0, 0), rgb(100, 100, 100)},
        {rgb(128, 255, 0), rgb(100, 100, 100)}, {rgb(1, 1, 1), rgb(100, 100, 100)},
        {rgb(254, 255, 255), rgb(100, 100, 100)},
    };
    for (const Case& c : cases) {
        Image stamp(1, 1);
        stamp.setPixel(0, 0, c.stampPixel);
        Image target = grey(3, 3, 100);
        embossStamp(target, false, 1, 1, stamp);
        EXPECT_EQ(target.pixel(1, 1), c.expected) << std::hex << c.stampPixel;
        EXPECT_EQ(target.pixel(0, 0), rgb(100, 100, 100));
        EXPECT_EQ(stamp.pixel(0, 0), c.stampPixel);
    }
}

TEST(Primitives, RecolourByMaskDependsOnlyOnMaskAndColours) {
    Image mask(3, 2);
    for (int x = 0; x < 3; ++x) mask.setPixel(x, 0, kBlack);
    mask.setPixel(1, 1, rgb(3, 4, 5));
    Image glyphs(3, 2);
    glyphs.setPixel(2, 1, 0x123456);
    recolourByMask(glyphs, mask, kBlack, kWhite);
    EXPECT_TRUE(glyphs.samePixels([&] {
        Image expected(3, 2);
        for (int x = 0; x < 3; ++x) expected.setPixel(x, 0, kBlack);
        return expected;
    }()));
    const Image once = glyphs;
    recolourByMask(glyphs, mask, kBlack, kWhite);
    EXPECT_TRUE(glyphs.samePixels(once));

    Image allBlack(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) allBlack.setPixel(x, y, kBlack);
    recolourByMask(glyphs, allBlack, 0x422828, kWhite);
    for (TColor c : glyphs.pixels()) EXPECT_EQ(c, 0x422828u);
}

TEST(Primitives, TickLadderDrawsTwentyNineFourPixelTicks) {
    Image image(12, 64);
    drawTickLadder(image, 5, 3, kDarkGreen);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool tick = x >= 5 && x <= 8 && y >= 3 && y <= 59 && (y - 3) % 2 == 0;
            EXPECT_EQ(image.pixel(x, y), tick ? kDarkGreen : kWhite) << x << "," << y;
        }
    EXPECT_EQ(image.penColour(), kDarkGreen);
}
