// Relative luminance and contrast ratio as WCAG 2 defines them, for the
// legible shading and the colours chosen from a picture.
#pragma once
#include "raster/Colour.h"

namespace vk {

// A channel byte as linear light, 0 ... 1.
double linearChannel(int byte);
// 0 (black) ... 1 (white), from the linearised sRGB channels.
double relativeLuminance(TColor colour);
// 1 ... 21, whichever of the two is lighter.
double contrastRatio(double luminanceA, double luminanceB);
double contrastRatio(TColor a, TColor b);

} // namespace vk
