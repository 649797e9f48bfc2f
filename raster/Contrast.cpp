#include "raster/Contrast.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vk {

namespace {
// One linearised value per channel byte: luminance is asked per pixel.
const std::array<double, 256>& linearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            t[std::size_t(v)] = s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}
} // namespace

double linearChannel(int byte) { return linearTable()[std::size_t(std::clamp(byte, 0, 255))]; }

double relativeLuminance(TColor c) {
    const auto& lin = linearTable();
    return 0.2126 * lin[std::size_t(redOf(c))] + 0.7152 * lin[std::size_t(greenOf(c))] + 0.0722 * lin[std::size_t(blueOf(c))];
}

double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

double contrastRatio(TColor a, TColor b) { return contrastRatio(relativeLuminance(a), relativeLuminance(b)); }

} // namespace vk
