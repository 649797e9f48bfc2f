#include "raster/Contrast.h"

#include <cmath>

namespace vk {

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

double linearChannel(int byte) { return linearTable()[std::size_t(std::clamp(byte, 0, 255))]; }

} // namespace vk
