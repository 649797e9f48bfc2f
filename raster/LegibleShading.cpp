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

// Whether a colour shaded by a step reaches the ratio against a luminance.
// Asked up to twenty times a pixel: the channels are taken apart once and
// the direction is fixed at compile time.
template <bool Lighter> struct StepTest {
    const std::array<double, 256>& lin;
    int r, g, b;
    double against, ratio;
    // The luminances at which the ratio is reached, lighter and darker than
    // `against`: a luminance clearly past or short of them is decided without
    // the division; only one within rounding of them asks contrastRatio.
    double lightEnough = ratio * (against + 0.05) - 0.05, darkEnough = (against + 0.05) / ratio - 0.05;
    static constexpr double kRounding = 1e-12;

    static int channel(int v, int step) { return Lighter ? std::min(255, v + step) : std::max(0, v - step); }
    bool luminanceReaches(double luminance) const {
        if (luminance > lightEnough + kRounding || luminance < darkEnough - kRounding) return true;
        if (luminance < lightEnough - kRounding && luminance > darkEnough + kRounding) return false;
        return contrastRatio(luminance, against) >= ratio;
    }
    bool reaches(int step) const {
        return luminanceReaches(relativeLuminance(lin, channel(r, step), channel(g, step), channel(b, step)));
    }
    // The smallest step from `from` to 255 that reaches the ratio, or 0. Past
    // a failing start the contrast only grows with the step, so halving finds it.
    int smallestStep(int from, double whiteLuminance) const {
        // The whole step is white or black, whatever the colour.
        if (!luminanceReaches(Lighter ? whiteLuminance : 0.0)) return 0;
        int low = from, high = 255;
        while (low < high) {
            const int mid = (low + high) / 2;
            if (reaches(mid)) high = mid;
            else low = mid + 1;
        }
        return high;
    }
};

template <bool Lighter> TColor shadeLegibly(TColor c, double against, double ratio) {
    static const double white = relativeLuminance(kWhite);
    const std::array<double, 256>& lin = linearTable();
    const StepTest<Lighter> ahead{lin, redOf(c), greenOf(c), blueOf(c), against, ratio};
    if (ahead.reaches(kShadeStep)) return shadeBy(c, kShadeStep, Lighter);
    if (const int step = ahead.smallestStep(kShadeStep + 1, white)) return shadeBy(c, step, Lighter);
    // No step that way shows: the other way does, since black or white reaches 3:1 against anything.
    const StepTest<!Lighter> back{lin, redOf(c), greenOf(c), blueOf(c), against, ratio};
    if (const int step = back.smallestStep(1, white)) return shadeBy(c, step, !Lighter);
    return shadeBy(c, kShadeStep, Lighter);
}

} // namespace

TColor legibleShade(TColor c, bool lighter, double against, double ratio) {
    return lighter ? shadeLegibly<true>(c, against, ratio) : shadeLegibly<false>(c, against, ratio);
}

void legibleLightenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, shadeLegibly<true>(c, relativeLuminance(c), kBevelContrast));
}

void legibleDarkenPixel(Image& canvas, int x, int y) {
    const TColor c = readForShading(canvas, x, y);
    canvas.setPixel(x, y, shadeLegibly<false>(c, relativeLuminance(c), kBevelContrast));
}

std::vector<InkPixel> stampInk(const Image& canvas, int x, int y, const Image& stamp) {
    const int w = stamp.width(), h = stamp.height();
    const int canvasWidth = canvas.width(), canvasHeight = canvas.height();
    const TColor* stampPixels = stamp.pixels().data();
    const TColor* canvasPixels = canvas.pixels().data();
    // Summed tables of the unstamped pixels' luminance and count, one row and column larger.
    std::vector<double> sum(std::size_t((w + 1) * (h + 1)), 0.0);
    std::vector<int> count(sum.size(), 0);
    const auto at = [w](int i, int j) { return std::size_t(i * (w + 1) + j); };
    std::vector<InkPixel> ink;
    const std::array<double, 256>& lin = linearTable();
    for (int i = 0; i < h; ++i) {
        const int cy = y + i;
        const bool rowInside = cy >= 0 && cy < canvasHeight;
        const TColor* stampRow = stampPixels + std::size_t(i) * std::size_t(w);
        const double* sumAbove = &sum[at(i, 0)];
        double* sumRow = &sum[at(i + 1, 0)];
        const int* countAbove = &count[at(i, 0)];
        int* countRow = &count[at(i + 1, 0)];
        for (int j = 0; j < w; ++j) {
            const TColor s = stampRow[j];
            const int cx = x + j;
            const TColor c = rowInside && cx >= 0 && cx < canvasWidth ? canvasPixels[std::size_t(cy) * std::size_t(canvasWidth) + std::size_t(cx)]
                                                                      : kInvalidColour;
            const bool around = s != kBlack && s != kWhite && s != kPureGreen && c != kInvalidColour;
            sumRow[j + 1] = sumAbove[j + 1] + sumRow[j] - sumAbove[j] + (around ? relativeLuminance(lin, redOf(c), greenOf(c), blueOf(c)) : 0.0);
            countRow[j + 1] = countAbove[j + 1] + countRow[j] - countAbove[j] + (around ? 1 : 0);
            if (s == kBlack || s == kWhite) ink.push_back({cx, cy, s == kWhite, 0.0});
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
    const TColor* stampPixels = stamp.pixels().data();
    for (int i = 0; i < stamp.height(); ++i)
        for (int j = 0; j < stamp.width(); ++j)
            if (stampPixels[std::size_t(i) * std::size_t(stamp.width()) + std::size_t(j)] == kPureGreen) canvas.setPixel(x + j, y + i, kPureGreen);
}

} // namespace vk
