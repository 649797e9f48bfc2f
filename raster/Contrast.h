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
// 0 (black) ... 1 (white), from the linearised sRGB channels.
inline double relativeLuminance(TColor c) {
    const std::array<double, 256>& lin = linearTable();
    return 0.2126 * lin[std::size_t(redOf(c))] + 0.7152 * lin[std::size_t(greenOf(c))] + 0.0722 * lin[std::size_t(blueOf(c))];
}
// 1 ... 21, whichever of the two is lighter.
inline double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }
inline double contrastRatio(TColor a, TColor b) { return contrastRatio(relativeLuminance(a), relativeLuminance(b)); }

} // namespace vk
