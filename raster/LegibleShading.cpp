#include "raster/LegibleShading.h"

#include "raster/Contrast.h"
#include "raster/Primitives.h"

#include <algorithm>

namespace vk {

namespace {

constexpr int kSurroundRadius = 2;

int shadeChannel(int v, int step, bool lighter) { return lighter ? std::min(255, v + step) : std::max(0, v - step); }

TColor shadeBy(TColor c, int step, bool lighter) {
    return rgb(shadeChannel(redOf(c), step, lighter), shadeChannel(greenOf(c), step, lighter),
               shadeChannel(blueOf(c), step, lighter));
}

bool reaches(TColor c, double against, double ratio) { return contrastRatio(relativeLuminance(c), against) >= ratio; }

// The smallest step from `from` to 255 that reaches the ratio, or 0. Past
// a failing start the contrast only grows with the step, so halving finds it.
int smallestStep(TColor c, bool lighter, double against, double ratio, int from) {
    if (!reaches(shadeBy(c, 255, lighter), against, ratio)) return 0;
    int low = from, high = 255;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (reaches(shadeBy(c, mid, lighter), against, ratio)) high = mid;
        else low = mid + 1;
    }
    return high;
}

} // namespace

TColor legibleShade(TColor c, bool lighter, double against, double ratio) {
    const TColor fixed = shadeBy(c, kShadeStep, lighter);
    if (reaches(fixed, against, ratio)) return fixed;
    if (const int step = smallestStep(c, lighter, against, ratio, kShadeStep + 1)) return shadeBy(c, step, lighter);
    // No step that way shows: the other way does, since black or white reaches 3:1 against anything.
    if (const int step = smallestStep(c, !lighter, against, ratio, 1)) return shadeBy(c, step, !lighter);
    return fixed;
}

void legibleLightenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, legibleShade(c, true, relativeLuminance(c), kBevelContrast));
}

void legibleDarkenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, legibleShade(c, false, relativeLuminance(c), kBevelContrast));
}

std::vector<InkPixel> stampInk(const Image& canvas, int x, int y, const Image& stamp) {
    const int w = stamp.width(), h = stamp.height();
    // Summed tables of the unstamped pixels' luminance and count, one row and column larger.
    std::vector<double> sum(std::size_t((w + 1) * (h + 1)), 0.0);
    std::vector<int> count(sum.size(), 0);
    const auto at = [w](int i, int j) { return std::size_t(i * (w + 1) + j); };
    std::vector<InkPixel> ink;
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const TColor s = stamp.pixel(j, i);
            const TColor c = canvas.pixel(x + j, y + i);
            const bool around = s != kBlack && s != kWhite && s != kPureGreen && c != kInvalidColour;
            sum[at(i + 1, j + 1)] = sum[at(i, j + 1)] + sum[at(i + 1, j)] - sum[at(i, j)] + (around ? relativeLuminance(c) : 0.0);
            count[at(i + 1, j + 1)] = count[at(i, j + 1)] + count[at(i + 1, j)] - count[at(i, j)] + (around ? 1 : 0);
            if (s == kBlack || s == kWhite) ink.push_back({x + j, y + i, s == kWhite, 0.0});
        }
    }
    const auto boxMean = [&](int top, int left, int bottom, int right, double& mean) {
        const int n = count[at(bottom, right)] - count[at(top, right)] - count[at(bottom, left)] + count[at(top, left)];
        if (n == 0) return false;
        mean = (sum[at(bottom, right)] - sum[at(top, right)] - sum[at(bottom, left)] + sum[at(top, left)]) / n;
        return true;
    };
    for (InkPixel& p : ink) {
        const int i = p.y - y, j = p.x - x;
        // A pixel deep inside a solid stroke takes the whole box's surroundings, then its own colour.
        if (!boxMean(std::max(0, i - kSurroundRadius), std::max(0, j - kSurroundRadius), std::min(h, i + kSurroundRadius + 1),
                     std::min(w, j + kSurroundRadius + 1), p.surroundings) &&
            !boxMean(0, 0, h, w, p.surroundings)) {
            const TColor c = canvas.pixel(p.x, p.y);
            p.surroundings = c == kInvalidColour ? 0.0 : relativeLuminance(c);
        }
    }
    return ink;
}

void legibleEmbossStamp(Image& canvas, int x, int y, const Image& stamp) {
    // Every surrounding is read before the first pixel changes.
    const std::vector<InkPixel> ink = stampInk(canvas, x, y, stamp);
    for (const InkPixel& p : ink)
        canvas.setPixel(p.x, p.y, legibleShade(readForShading(canvas, p.x, p.y), p.light, p.surroundings, kCaptionContrast));
    for (int i = 0; i < stamp.height(); ++i)
        for (int j = 0; j < stamp.width(); ++j)
            if (stamp.pixel(j, i) == kPureGreen) canvas.setPixel(x + j, y + i, kPureGreen);
}

} // namespace vk
