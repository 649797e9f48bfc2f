#include "raster/Image.h"

#include <gtest/gtest.h>

using namespace vk;

TEST(Image, BlankImageIsWhiteAndReadsOutsideAreInvalid) {
    Image image(4, 3);
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(3, 2), kWhite);
    EXPECT_EQ(image.pixel(-1, 0), kInvalidColour);
    EXPECT_EQ(image.pixel(4, 0), kInvalidColour);
    EXPECT_EQ(image.pixel(0, 3), kInvalidColour);
    image.setPixel(4, 0, kBlack);
    image.setPixel(-1, 0, kBlack);
    for (TColor c : image.pixels()) EXPECT_EQ(c, kWhite);
}

TEST(Image, RectangleOutlineAndSolidBrush) {
    Image image(25, 15);
    image.setPen(kBlack);
    image.setBrush(kPureRed, BrushStyle::Solid);
    image.rectangle(0, 0, 20, 10);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(image.pixel(x, 0), kBlack);
        EXPECT_EQ(image.pixel(x, 9), kBlack);
        EXPECT_EQ(image.pixel(x, 10), kWhite);
    }
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(image.pixel(0, y), kBlack);
        EXPECT_EQ(image.pixel(19, y), kBlack);
        EXPECT_EQ(image.pixel(20, y), kWhite);
    }
    for (int y = 1; y <= 8; ++y)
        for (int x = 1; x <= 18; ++x) EXPECT_EQ(image.pixel(x, y), kPureRed);
}

TEST(Image, RectangleWithClearBrushKeepsInterior) {
    Image image(25, 15);
    image.setPixel(5, 5, 0x123456);
    image.setPen(kBlack);
    image.setBrush(kPureRed, BrushStyle::Clear);
    image.rectangle(0, 0, 20, 10);
    EXPECT_EQ(image.pixel(5, 5), 0x123456u);
    EXPECT_EQ(image.pixel(1, 1), kWhite);
    EXPECT_EQ(image.pixel(18, 8), kWhite);
    EXPECT_EQ(image.pixel(19, 8), kBlack);
}

TEST(Image, LineExcludesEndPoint) {
    Image image(12, 6);
    image.setPen(kBlack);
    image.moveTo(5, 3);
    image.lineTo(9, 3);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(image.pixel(x, y), (y == 3 && x >= 5 && x <= 8) ? kBlack : kWhite) << x << "," << y;
    EXPECT_EQ(image.currentPosition(), (Point{9, 3}));
}

TEST(Image, CopyWithinOneImageIsExact) {
    Image image(40, 200);
    for (int y = 164; y < 175; ++y)
        for (int x = 0; x < 11; ++x) image.setPixel(x, y, rgb(x * 20, y, 7));
    image.copyRect({22, 63, 33, 74}, image, {0, 164, 11, 175});
    for (int j = 0; j < 11; ++j)
        for (int i = 0; i < 11; ++i) EXPECT_EQ(image.pixel(22 + i, 63 + j), rgb(i * 20, 164 + j, 7));
    EXPECT_EQ(image.pixel(33, 63), kWhite);
    EXPECT_EQ(image.pixel(21, 63), kWhite);
}

TEST(Image, ShrinkByOneColumnAndMergesTheDroppedColumn) {
    // 4 columns into 3: exactly one source column is dropped and ANDed into a
    // neighbour; the other target columns are exact copies.
    Image source(4, 1);
    const TColor colours[] = {0x00FFF0, 0x0FFF0F, 0xF0F0FF, 0xFF00FF};  // neighbours' ANDs all differ
    for (int x = 0; x < 4; ++x) source.setPixel(x, 0, colours[x]);
    Image target(3, 1);
    target.copyRect({0, 0, 3, 1}, source, {0, 0, 4, 1});
    int merged = 0, exact = 0;
    for (int x = 0; x < 3; ++x) {
        const TColor c = target.pixel(x, 0);
        bool isExact = false;
        for (TColor s : colours) isExact |= (c == s);
        if (isExact) ++exact;
        for (int k = 0; k < 3; ++k)
            if (c == (colours[k] & colours[k + 1])) ++merged;
    }
    EXPECT_EQ(exact, 2);
    EXPECT_EQ(merged, 1);
}

TEST(Image, StretchDrawIsNearestNeighbourWithoutBlending) {
    Image picture(2, 2);
    picture.setPixel(0, 0, kBlack);
    picture.setPixel(1, 0, kPureRed);
    picture.setPixel(0, 1, kPureGreen);
    picture.setPixel(1, 1, 0xFF0000);
    Image canvas(4, 4);
    canvas.stretchDraw({0, 0, 4, 4}, picture);
    EXPECT_EQ(canvas.pixel(0, 0), kBlack);
    EXPECT_EQ(canvas.pixel(1, 1), kBlack);
    EXPECT_EQ(canvas.pixel(2, 0), kPureRed);
    EXPECT_EQ(canvas.pixel(3, 1), kPureRed);
    EXPECT_EQ(canvas.pixel(0, 2), kPureGreen);
    EXPECT_EQ(canvas.pixel(3, 3), 0xFF0000u);

    Image same(3, 2);
    same.stretchDraw({0, 0, 3, 2}, [] {
        Image p(3, 2);
        for (int x = 0; x < 3; ++x) p.setPixel(x, 1, rgb(x, x, x));
        return p;
    }());
    for (int x = 0; x < 3; ++x) EXPECT_EQ(same.pixel(x, 1), rgb(x, x, x));
}

TEST(Image, StretchDrawHalvesHeightByDroppingRows) {
    Image picture(1, 4);
    for (int y = 0; y < 4; ++y) picture.setPixel(0, y, rgb(y * 10, 0, 0));
    Image canvas(1, 2);
    canvas.stretchDraw({0, 0, 1, 2}, picture);
    // Each target row is one of the source rows, never a mix.
    for (int y = 0; y < 2; ++y) {
        const int r = redOf(canvas.pixel(0, y));
        EXPECT_TRUE(r == y * 20 || r == y * 20 + 10) << r;
    }
}

// The row-at-a-time drawing against the per-pixel rule it replaces, over
// rectangles that leave the image on every side, copies within one image and
// sources partly outside (which read as the invalid colour).
TEST(Image, RowDrawingMatchesThePixelRuleWhereverItIsClipped) {
    auto pattern = [](int w, int h, TColor seed) {
        Image image(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, (seed + TColor(x * 7919 + y * 104729)) & 0xFFFFFF);
        return image;
    };
    const Rect rects[] = {{-3, -2, 5, 4}, {10, 6, 25, 15}, {-4, 3, 22, 9}, {2, -5, 9, 20}, {0, 0, 20, 12}, {5, 5, 6, 6}};
    for (const Rect& target : rects)
        for (const Rect& source : rects) {
            const Image from = pattern(16, 10, 0x123456);
            Image copied = pattern(20, 12, 0xABCDEF), stretched = copied, outlined = copied, self = copied;
            Image expectCopy = copied, expectStretch = copied, expectOutline = copied;
            copied.copyRect(target, from, source);
            stretched.stretchDraw(target, from, source);
            outlined.setPen(0x0000FF);
            outlined.setBrush(0x00FF00);
            outlined.rectangle(target);
            const int tw = target.width(), th = target.height(), sw = source.width(), sh = source.height();
            for (int j = 0; j < th; ++j)
                for (int i = 0; i < tw; ++i) {
                    const int x = target.left + i, y = target.top + j;
                    const TColor nearest = from.pixel(source.left + int((2 * i + 1) * sw / (2 * tw)), source.top + int((2 * j + 1) * sh / (2 * th)));
                    expectStretch.setPixel(x, y, nearest);
                    const bool edge = i == 0 || j == 0 || i == tw - 1 || j == th - 1;
                    expectOutline.setPixel(x, y, edge ? 0x0000FF : 0x00FF00);
                    if (tw == sw && th == sh && from.pixel(source.left + i, source.top + j) != kInvalidColour)
                        expectCopy.setPixel(x, y, from.pixel(source.left + i, source.top + j));
                }
            if (tw == sw && th == sh) {
                EXPECT_TRUE(copied.samePixels(expectCopy)) << target.left << "," << target.top << " from " << source.left << "," << source.top;
                // Within one image the source is read whole before anything is written.
                Image expectSelf = self;
                const Image before = self;
                expectSelf.copyRect(target, before, source);
                self.copyRect(target, self, source);
                EXPECT_TRUE(self.samePixels(expectSelf));
            }
            EXPECT_TRUE(stretched.samePixels(expectStretch)) << target.left << "," << target.top << " from " << source.left << "," << source.top;
            EXPECT_TRUE(outlined.samePixels(expectOutline)) << target.left << "," << target.top;
        }
}
