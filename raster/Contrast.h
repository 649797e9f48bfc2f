// Relative luminance and contrast ratio as WCAG 2 defines them, for the
// legible shading and the colours chosen from a picture.
#pragma once
#include "raster/Colour.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vk {

// Each channel byte as linear light, 0 ... 1.
const std::array<double, 256>& linearTable();
// A channel byte as linear light, 0 ... 1.
double linearChannel(int byte);

// Inline: the legible shading asks these for every pixel it shades, many times over.
// 0 (black) ... 1 (white), from the linearised sRGB channels; a loop passes the table it fetched once.
inline double relativeLuminance(const std::array<double, 256>& lin, int red, int green, int blue) {
    return 0.2126 * lin[std::size_t(red)] + 0.7152 * lin[std::size_t(green)] + 0.0722 * lin[std::size_t(blue)];
}
inline double relativeLuminance(TColor c) { return relativeLuminance(linearTable(), redOf(c), greenOf(c), blueOf(c)); }
// 1 ... 21, whichever of the two is lighter.
inline double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }
inline double contrastRatio(TColor a, TColor b) { return contrastRatio(relativeLuminance(a), relativeLuminance(b)); }

} // namespace vk
