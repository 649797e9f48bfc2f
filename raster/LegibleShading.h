// Legible shading: the emboss and bevel steps grown, or turned round, where
// the picture under them is too light or too dark for the fixed step to show.
#pragma once
#include "raster/Image.h"

#include <vector>

namespace vk {

// Each caption and glyph pixel against the picture around it.
inline constexpr double kCaptionContrast = 3.0;
// A bevel edge against the face it was shaded from: enough to see, not to read.
inline constexpr double kBevelContrast = 1.5;

// One pixel a stamp darkens or lightens, with the mean relative luminance of
// the unstamped pixels within two of it (inside the stamp's box).
struct InkPixel {
    int x, y;  // on the canvas
    bool light;
    double surroundings;
};
// The stamp's ink at (x, y) and what lies around each pixel of it, read from the canvas as it is.
std::vector<InkPixel> stampInk(const Image& canvas, int x, int y, const Image& stamp);

// The colour that shading c by at least the fixed step in that direction
// gives, growing the step (or turning it) until it reaches the ratio against
// the luminance; the fixed step's own colour wherever that already does.
TColor legibleShade(TColor c, bool lighter, double againstLuminance, double ratio);

// As lightenPixel and darkenPixel, against the pixel's own colour at kBevelContrast.
void legibleLightenPixel(Image& canvas, int x, int y);
void legibleDarkenPixel(Image& canvas, int x, int y);
// As embossStamp, each ink pixel at kCaptionContrast against its surroundings.
void legibleEmbossStamp(Image& canvas, int x, int y, const Image& stamp);

} // namespace vk
