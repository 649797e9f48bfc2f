#include "colour/PictureColours.h"

#include "format/PlaylistSprites.h"
#include "format/WindowAreas.h"
#include "raster/Contrast.h"

#include <algorithm>
#include <cmath>

namespace vk {

namespace {

struct Lab {
    double L = 0, a = 0, b = 0;
};

Lab toOklab(TColor c) {
    const double r = linearChannel(redOf(c)), g = linearChannel(greenOf(c)), b = linearChannel(blueOf(c));
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s, 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

int encodeChannel(double v) {
    v = std::clamp(v, 0.0, 1.0);
    const double s = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

// Out-of-gamut colours lose chroma first, so the hue and lightness stay.
TColor fromOklab(Lab c) {
    for (int tries = 0;; ++tries) {
        const double l = std::pow(c.L + 0.3963377774 * c.a + 0.2158037573 * c.b, 3);
        const double m = std::pow(c.L - 0.1055613458 * c.a - 0.0638541728 * c.b, 3);
        const double s = std::pow(c.L - 0.0894841775 * c.a - 1.2914855480 * c.b, 3);
        const double r = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
        const double g = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
        const double b = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
        const bool inGamut = std::min({r, g, b}) >= -1e-4 && std::max({r, g, b}) <= 1 + 1e-4;
        if (inGamut || tries == 12) return rgb(encodeChannel(r), encodeChannel(g), encodeChannel(b));
        c.a *= 0.8, c.b *= 0.8;
    }
}

double chroma(const Lab& c) { return std::hypot(c.a, c.b); }
double distance2(const Lab& p, const Lab& q) { return (p.L - q.L) * (p.L - q.L) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b); }

// The colour with its lightness set and its chroma held to at most maxChroma.
Lab toned(Lab c, double L, double maxChroma) {
    const double k = chroma(c) > maxChroma ? maxChroma / chroma(c) : 1.0;
    return {L, c.a * k, c.b * k};
}

// A 40 x 40 grid at most from each picture: large photos cost no more than small ones.
constexpr int kSamplesAcross = 40;
constexpr int kKMeansRounds = 10;

std::vector<Lab> samplePictures(const std::vector<const Image*>& pictures) {
    std::vector<Lab> samples;
    for (const Image* picture : pictures) {
        if (!picture || picture->width() <= 0 || picture->height() <= 0) continue;
        const int nx = std::min(kSamplesAcross, picture->width()), ny = std::min(kSamplesAcross, picture->height());
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i)
                samples.push_back(toOklab(picture->pixel(int((i + 0.5) * picture->width() / nx), int((j + 0.5) * picture->height() / ny))));
    }
    return samples;
}

double luminance(const Lab& c) { return relativeLuminance(fromOklab(c)); }

} // namespace

std::vector<PaletteColour> picturePalette(const std::vector<const Image*>& pictures, int size) {
    std::vector<Lab> samples = samplePictures(pictures);
    if (samples.empty()) return {};
    // Seeds at even steps through the lightness order: the same every run.
    std::vector<Lab> sorted = samples;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Lab& p, const Lab& q) { return p.L < q.L; });
    std::vector<Lab> centres;
    for (int k = 0; k < size; ++k) centres.push_back(sorted[std::size_t((k + 0.5) * sorted.size() / size)]);
    std::vector<int> owner(samples.size(), 0);
    std::vector<int> counts(centres.size(), 0);
    // Bounds on each sample's distance to its own centre and to every other
    // one, carried from round to round by how far the centres moved: a sample
    // whose own centre is still clearly the nearest is not measured again.
    // The margin is far above rounding, so such a sample would have kept its
    // centre when measured; every other sample is measured as before.
    std::vector<double> ownBound(samples.size(), 0.0), otherBound(samples.size(), 0.0);
    std::vector<double> shift(centres.size(), 0.0), halfGap(centres.size(), 0.0);
    const auto clearlyNearer = [](double own, double others) { return own * (1 + 1e-9) + 1e-12 < others; };
    double largestShift = 0;
    for (int round = 0; round < kKMeansRounds; ++round) {
        bool moved = false;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (round > 0) {
                const std::size_t own = std::size_t(owner[i]);
                ownBound[i] += shift[own];
                otherBound[i] -= largestShift;
                // Nearer than half the way to any other centre is nearest too.
                const double others = std::max(otherBound[i], halfGap[own]);
                if (clearlyNearer(ownBound[i], others)) continue;
                ownBound[i] = std::sqrt(distance2(samples[i], centres[own]));
                if (clearlyNearer(ownBound[i], others)) continue;
            }
            int best = 0;
            double nearest = distance2(samples[i], centres[0]), second = HUGE_VAL;
            for (std::size_t k = 1; k < centres.size(); ++k) {
                const double d = distance2(samples[i], centres[k]);
                if (d < nearest) second = nearest, nearest = d, best = int(k);
                else second = std::min(second, d);
            }
            ownBound[i] = std::sqrt(nearest);
            otherBound[i] = std::sqrt(second);
            moved = moved || owner[i] != best;
            owner[i] = best;
        }
        // Settled: the same owners give the same centres as the round before, and every round after.
        if (round > 0 && !moved) break;
        std::vector<Lab> sums(centres.size());
        std::fill(counts.begin(), counts.end(), 0);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            Lab& s = sums[std::size_t(owner[i])];
            s.L += samples[i].L, s.a += samples[i].a, s.b += samples[i].b;
            ++counts[std::size_t(owner[i])];
        }
        largestShift = 0;
        for (std::size_t k = 0; k < centres.size(); ++k) {
            shift[k] = 0;
            if (counts[k] == 0) continue;
            const Lab next{sums[k].L / counts[k], sums[k].a / counts[k], sums[k].b / counts[k]};
            shift[k] = std::sqrt(distance2(centres[k], next));
            largestShift = std::max(largestShift, shift[k]);
            centres[k] = next;
        }
        for (std::size_t k = 0; k < centres.size(); ++k) {
            double gap = HUGE_VAL;
            for (std::size_t other = 0; other < centres.size(); ++other)
                if (other != k) gap = std::min(gap, distance2(centres[k], centres[other]));
            halfGap[k] = std::sqrt(gap) / 2;
        }
    }
    std::vector<PaletteColour> palette;
    for (std::size_t k = 0; k < centres.size(); ++k)
        if (counts[k] > 0) palette.push_back({fromOklab(centres[k]), double(counts[k]) / samples.size()});
    std::stable_sort(palette.begin(), palette.end(), [](const PaletteColour& p, const PaletteColour& q) { return p.share > q.share; });
    return palette;
}

TColor withContrast(TColor colour, const std::vector<TColor>& backs, double ratio) {
    const auto enough = [&](TColor c) {
        return std::all_of(backs.begin(), backs.end(), [&](TColor back) { return contrastRatio(c, back) >= ratio; });
    };
    if (enough(colour)) return colour;
    double lightest = 0;
    for (TColor back : backs) lightest = std::max(lightest, relativeLuminance(back));
    // Dark backs take lighter colours; against a light one only darker can reach the ratio.
    const bool lighter = contrastRatio(1.0, lightest) >= ratio;
    Lab c = toOklab(colour);
    for (int step = 0; step < 100; ++step) {
        c.L = std::clamp(c.L + (lighter ? 0.01 : -0.01), 0.0, 1.0);
        if (const TColor moved = fromOklab(c); enough(moved)) return moved;
    }
    return lighter ? kWhite : kBlack;
}

const std::vector<TextPair>& textPairs() {
    using S = ColourSetting;
    static const std::vector<TextPair> pairs = {
        {S::winTextColour, S::winBackColour},       {S::plNormalColour, S::plNormalBgColour},
        {S::plCurrentColour, S::plNormalBgColour},  {S::plNormalColour, S::plSelectedBgColour},
        {S::plCurrentColour, S::plSelectedBgColour}, {S::eqForeColour, S::eqBackColour},
        {S::eqHighlightColour, S::eqBackColour},
    };
    return pairs;
}

namespace {

TColor meanColour(const Image& image, const Rect& r) {
    double sr = 0, sg = 0, sb = 0;
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const TColor c = image.pixel(x, y);
            if (c == kInvalidColour) continue;
            sr += redOf(c), sg += greenOf(c), sb += blueOf(c), ++n;
        }
    return n ? rgb(int(sr / n + 0.5), int(sg / n + 0.5), int(sb / n + 0.5)) : kBlack;
}

// Darker until its luminance is at most the bound.
TColor atMostLuminance(Lab c, double bound) {
    while (c.L > 0 && luminance(c) > bound) c.L = std::max(0.0, c.L - 0.01);
    return fromOklab(c);
}

std::vector<const Image*> shownPictures(const SkinDocument& doc) {
    const SourcePictures& p = doc.state.sourcePictures;
    switch (doc.options.layout) {
    case LayoutMode::Continuous: return {&p.main};
    case LayoutMode::TwoPlusOne: return {&p.main, &p.playlist};
    case LayoutMode::ThreeWindows: break;
    }
    return {&p.main, &p.equaliser, &p.playlist};
}

} // namespace

PictureColours choosePictureColours(const SkinDocument& doc) {
    std::vector<PaletteColour> palette = picturePalette(shownPictures(doc));
    if (palette.empty()) palette.push_back({kBlack, 1.0});
    std::vector<Lab> labs;
    for (const PaletteColour& p : palette) labs.push_back(toOklab(p.colour));

    // The accent: the most colourful hue that covers a fair part of the picture.
    std::size_t accent = 0;
    for (std::size_t k = 1; k < labs.size(); ++k)
        if (chroma(labs[k]) * std::sqrt(palette[k].share) > chroma(labs[accent]) * std::sqrt(palette[accent].share)) accent = k;
    // The second hue: the one furthest from the accent, weighed by its share.
    std::size_t second = accent;
    double farthest = 0;
    for (std::size_t k = 0; k < labs.size(); ++k)
        if (const double d = std::sqrt(distance2(labs[k], labs[accent]) * palette[k].share); k != accent && d > farthest) {
            farthest = d;
            second = k;
        }

    // Backgrounds in the picture's dominant hue, dark enough for any text and
    // for the oscilloscope's fixed greys (the visualiser's background is winBackColour).
    const TColor back = atMostLuminance(toned(labs[0], 0.22, 0.06), 0.03);
    const TColor selected = atMostLuminance(toned(labs[accent], 0.34, 0.08), 0.08);
    const TColor text = withContrast(fromOklab(toned(labs[second], std::max(labs[second].L, 0.78), 0.12)), {back, selected}, kTextContrast);
    const TColor bright = withContrast(fromOklab(toned(labs[accent], std::max(labs[accent].L, 0.88), 0.14)), {back, selected}, kTextContrast);

    PictureColours chosen{};
    using S = ColourSetting;
    const auto set = [&](S setting, TColor colour) {
        for (std::size_t i = 0; i < colourSettings().size(); ++i)
            if (colourSettings()[i].setting == setting) chosen.settings[i] = colour;
    };
    set(S::winBackColour, back);
    set(S::winTextColour, text);
    set(S::plNormalColour, text);
    set(S::plCurrentColour, bright);
    set(S::plNormalBgColour, back);
    set(S::plSelectedBgColour, selected);
    set(S::eqBackColour, back);
    set(S::eqForeColour, text);
    set(S::eqHighlightColour, bright);

    // Knobs in the accent, apart from the groove each rides in.
    const TColor knob = fromOklab(toned(labs[accent], labs[accent].L, 0.16));
    const TColor grooves[] = {meanColour(doc.mainWindow, format::kVolumeSliderArea), back,
                              meanColour(doc.templates.plEdit, format::kPlRightTile)};
    for (std::size_t k = 0; k < chosen.knobs.size(); ++k) chosen.knobs[k] = withContrast(knob, {grooves[k]}, kShapeContrast);

    // The analyser from the accent at the top to the dominant hue at the bottom, every bar showing on the background.
    for (int i = 0; i < 16; ++i) {
        const double t = i / 15.0;
        const Lab from = labs[accent], to = labs[0];
        const Lab mix{0.86 - 0.22 * t, from.a + (to.a - from.a) * t, from.b + (to.b - from.b) * t};
        chosen.vis[std::size_t(i)] = withContrast(fromOklab(toned(mix, mix.L, 0.2)), {back}, kShapeContrast);
    }
    // The peaks: nearly white in the accent's tint, over everything.
    chosen.vis[16] = withContrast(fromOklab(toned(labs[accent], 0.96, 0.04)), {back}, kTextContrast);
    return chosen;
}

} // namespace vk
