// The eight shading and stamping primitives every 3D effect is made of.
// The frames and the stamp do nothing while buttonsOnly is set.
#pragma once
#include "raster/Image.h"

namespace vk {

inline constexpr int kShadeStep = 95;

// Fixed: the step of 95 everywhere. Legible: the step grows, or turns round,
// where the picture is too light or too dark for it to show.
enum class Shading { Fixed, Legible };

// The pixel a shading step starts from; Error(kRangeCheckError) outside the image.
TColor readForShading(const Image& canvas, int x, int y);
// Throw Error(kRangeCheckError) outside the image.
void lightenPixel(Image& canvas, int x, int y);
void darkenPixel(Image& canvas, int x, int y);

// Light top and left, dark bottom and right; the vertical pass includes the
// bottom row, so the bottom corners are shaded twice.
void raiseFrame(Image& canvas, bool buttonsOnly, int left, int top, int right, int bottom);
void raiseFrame(Image& canvas, bool buttonsOnly, const Rect& r, Shading shading = Shading::Fixed);
// Dark top and left, light bottom and right; each border pixel touched once.
void sinkFrame(Image& canvas, bool buttonsOnly, int left, int top, int right, int bottom);
void sinkFrame(Image& canvas, bool buttonsOnly, const Rect& r, Shading shading = Shading::Fixed);

// The whole template copied with its top-left corner at (x, y).
void pasteImage(Image& canvas, int x, int y, const Image& image);
// Black darkens, white lightens, pure green is written, anything else is left.
void embossStamp(Image& canvas, bool buttonsOnly, int x, int y, const Image& stamp, Shading shading = Shading::Fixed);
// Black mask pixels take the back colour, all others the text colour.
void recolourByMask(Image& image, const Image& mask, TColor winBackColour, TColor winTextColour);
// 29 four-pixel ticks on every other row from (x, y), pen left at eqForeColour.
void drawTickLadder(Image& canvas, int x, int y, TColor eqForeColour);

} // namespace vk
