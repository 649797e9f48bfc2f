// Image helpers for the colour tools' tests: recognisable fills and a
// whole-image comparison that names the first wrong pixel.
#pragma once
#include "raster/Image.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>

namespace vk::test {

// A colour per pixel, so a stray copy or fill shows wherever it lands.
inline TColor patternAt(int x, int y) { return rgb(x % 256, y % 256, 77); }
inline void paintPattern(Image& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, patternAt(x, y));
}
inline void paintAll(Image& image, TColor colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, colour);
}
// Black background with white glyph pixels; (0, 0) is a glyph pixel.
inline void paintMask(Image& mask) {
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) mask.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? kWhite : kBlack);
}

inline bool inside(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
inline bool onBorder(const Rect& r, int x, int y) {
    return inside(r, x, y) && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

// Every pixel of `after` must be what `expect` says, or `before`'s pixel
// where it says nothing.
using Expect = std::function<std::optional<TColor>(int x, int y)>;
inline ::testing::AssertionResult matches(const Image& before, const Image& after, const Expect& expect) {
    int wrong = 0;
    std::ostringstream first;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const TColor want = expect(x, y).value_or(before.pixel(x, y));
            const TColor got = after.pixel(x, y);
            if (got != want && wrong++ == 0)
                first << "first at (" << x << ", " << y << "): got " << std::hex << got << ", want " << want;
        }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " wrong pixels; " << first.str();
}

// The part of `image` under `r`, as an image of its own.
inline Image cut(const Image& image, const Rect& r) {
    Image out(r.width(), r.height());
    out.copyRect(out.bounds(), image, r);
    return out;
}

} // namespace vk::test
