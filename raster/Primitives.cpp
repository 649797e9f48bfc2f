#include "raster/Primitives.h"

#include "raster/Error.h"

namespace vk {

namespace {
TColor readForShading(const Image& canvas, int x, int y) {
    const TColor c = canvas.pixel(x, y);
    if (c == kInvalidColour) throw Error(kRangeCheckError);
    return c;
}
int lighten(int v) { return v >= 255 - kShadeStep ? 255 : v + kShadeStep; }
int darken(int v) { return v <= kShadeStep ? 0 : v - kShadeStep; }
} // namespace

void lightenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, rgb(lighten(redOf(c)), lighten(greenOf(c)), lighten(blueOf(c))));
}

void darkenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, rgb(darken(redOf(c)), darken(greenOf(c)), darken(blueOf(c))));
}

void raiseFrame(Image& canvas, bool buttonsOnly, int left, int top, int right, int bottom) {
    if (buttonsOnly) return;
    for (int x = left; x < right; ++x) {
        lightenPixel(canvas, x, top);
        darkenPixel(canvas, x, bottom - 1);
    }
    for (int y = top + 1; y < bottom; ++y) {
        lightenPixel(canvas, left, y);
        darkenPixel(canvas, right - 1, y);
    }
}

void raiseFrame(Image& canvas, bool buttonsOnly, const Rect& r) {
    raiseFrame(canvas, buttonsOnly, r.left, r.top, r.right, r.bottom);
}

void sinkFrame(Image& canvas, bool buttonsOnly, int left, int top, int right, int bottom) {
    if (buttonsOnly) return;
    for (int x = left; x < right; ++x) {
        darkenPixel(canvas, x, top);
        lightenPixel(canvas, x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        darkenPixel(canvas, left, y);
        lightenPixel(canvas, right - 1, y);
    }
}

void sinkFrame(Image& canvas, bool buttonsOnly, const Rect& r) {
    sinkFrame(canvas, buttonsOnly, r.left, r.top, r.right, r.bottom);
}

void pasteImage(Image& canvas, int x, int y, const Image& image) {
    canvas.copyRect({x, y, x + image.width(), y + image.height()}, image, image.bounds());
}

void embossStamp(Image& canvas, bool buttonsOnly, int x, int y, const Image& stamp) {
    if (buttonsOnly) return;
    for (int i = 0; i < stamp.height(); ++i) {
        for (int j = 0; j < stamp.width(); ++j) {
            const TColor s = stamp.pixel(j, i);
            if (s == kBlack)
                darkenPixel(canvas, x + j, y + i);
            else if (s == kWhite)
                lightenPixel(canvas, x + j, y + i);
            else if (s == kPureGreen)
                canvas.setPixel(x + j, y + i, kPureGreen);
        }
    }
}

void recolourByMask(Image& image, const Image& mask, TColor winBackColour, TColor winTextColour) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, mask.pixel(x, y) == kBlack ? winBackColour : winTextColour);
}

void drawTickLadder(Image& canvas, int x, int y, TColor eqForeColour) {
    canvas.setPen(eqForeColour);
    for (int i = 0; i <= 28; ++i) {
        canvas.moveTo(x, y + 2 * i);
        canvas.lineTo(x + 4, y + 2 * i);
    }
}

} // namespace vk
