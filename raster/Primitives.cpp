#include "raster/Primitives.h"

#include "raster/Error.h"
#include "raster/LegibleShading.h"

namespace vk {

TColor readForShading(const Image& canvas, int x, int y) {
    const TColor c = canvas.pixel(x, y);
    if (c == kInvalidColour) throw Error(kRangeCheckError);
    return c;
}

namespace {
int lighten(int v) { return v >= 255 - kShadeStep ? 255 : v + kShadeStep; }
int darken(int v) { return v <= kShadeStep ? 0 : v - kShadeStep; }

void shade(Image& canvas, int x, int y, bool lighter, Shading shading) {
    if (shading == Shading::Legible)
        lighter ? legibleLightenPixel(canvas, x, y) : legibleDarkenPixel(canvas, x, y);
    else
        lighter ? lightenPixel(canvas, x, y) : darkenPixel(canvas, x, y);
}

void raiseEdges(Image& canvas, int left, int top, int right, int bottom, Shading shading) {
    for (int x = left; x < right; ++x) {
        shade(canvas, x, top, true, shading);
        shade(canvas, x, bottom - 1, false, shading);
    }
    for (int y = top + 1; y < bottom; ++y) {
        shade(canvas, left, y, true, shading);
        // The fixed step darkens the bottom-right corner twice; a legible
        // second step, taken against the first, could turn it back to the face.
        if (shading == Shading::Fixed || y < bottom - 1) shade(canvas, right - 1, y, false, shading);
    }
}

void sinkEdges(Image& canvas, int left, int top, int right, int bottom, Shading shading) {
    for (int x = left; x < right; ++x) {
        shade(canvas, x, top, false, shading);
        shade(canvas, x, bottom - 1, true, shading);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        shade(canvas, left, y, false, shading);
        shade(canvas, right - 1, y, true, shading);
    }
}
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
    if (!buttonsOnly) raiseEdges(canvas, left, top, right, bottom, Shading::Fixed);
}

void raiseFrame(Image& canvas, bool buttonsOnly, const Rect& r, Shading shading) {
    if (!buttonsOnly) raiseEdges(canvas, r.left, r.top, r.right, r.bottom, shading);
}

void sinkFrame(Image& canvas, bool buttonsOnly, int left, int top, int right, int bottom) {
    if (!buttonsOnly) sinkEdges(canvas, left, top, right, bottom, Shading::Fixed);
}

void sinkFrame(Image& canvas, bool buttonsOnly, const Rect& r, Shading shading) {
    if (!buttonsOnly) sinkEdges(canvas, r.left, r.top, r.right, r.bottom, shading);
}

void pasteImage(Image& canvas, int x, int y, const Image& image) {
    canvas.copyRect({x, y, x + image.width(), y + image.height()}, image, image.bounds());
}

void embossStamp(Image& canvas, bool buttonsOnly, int x, int y, const Image& stamp, Shading shading) {
    if (buttonsOnly) return;
    if (shading == Shading::Legible) return legibleEmbossStamp(canvas, x, y, stamp);
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
