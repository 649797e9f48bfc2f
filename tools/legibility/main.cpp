// The legibility measure: makes a corpus of pictures (plain, pastel,
// gradients, noise, stripes under the captions, photo-like), makes a skin of
// each in the three layouts without and with --legible and
// --colours-from-picture, and prints the share of captions, bevels, text
// colours and visualisation colours that reach their contrast, as Markdown tables.
//   legibility_measure [--write-corpus DIR]   (DIR gets the pictures as BMP files)
#include "app/Legibility.h"
#include "app/Workbench.h"
#include "raster/Bmp.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace vk;

// The continuous layout's whole canvas: one picture over all three windows.
constexpr int kWidth = 275, kHeight = 348;

struct Picture {
    std::string name;
    Image image;
};

// A fixed-seed generator: the corpus is the same on every run.
struct Lcg {
    std::uint32_t state;
    int next(int bound) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % std::uint32_t(bound));
    }
};

Image paint(const std::function<TColor(int, int)>& at) {
    Image image(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, at(x, y));
    return image;
}

int clampByte(double v) { return int(std::lround(std::min(255.0, std::max(0.0, v)))); }
TColor mix(TColor a, TColor b, double t) {
    return rgb(clampByte(redOf(a) + (redOf(b) - redOf(a)) * t), clampByte(greenOf(a) + (greenOf(b) - greenOf(a)) * t),
               clampByte(blueOf(a) + (blueOf(b) - blueOf(a)) * t));
}

std::vector<Picture> corpus() {
    std::vector<Picture> pictures;
    const auto add = [&](std::string name, const std::function<TColor(int, int)>& at) { pictures.push_back({std::move(name), paint(at)}); };
    const struct {
        const char* name;
        TColor colour;
    } plain[] = {{"white", kWhite}, {"black", kBlack}, {"mid-grey", rgb(128, 128, 128)}, {"light-grey", rgb(200, 200, 200)},
                 {"dark-grey", rgb(50, 50, 50)}, {"red", rgb(255, 0, 0)}, {"green", rgb(0, 255, 0)}, {"blue", rgb(0, 0, 255)},
                 {"yellow", rgb(255, 255, 0)}, {"cyan", rgb(0, 255, 255)}, {"magenta", rgb(255, 0, 255)},
                 {"pastel-pink", rgb(255, 209, 220)}, {"pastel-blue", rgb(174, 198, 255)}, {"pastel-green", rgb(193, 240, 193)},
                 {"pastel-yellow", rgb(253, 253, 150)}, {"pastel-lilac", rgb(220, 200, 240)}, {"pastel-peach", rgb(255, 218, 185)},
                 {"navy", rgb(0, 0, 128)}, {"maroon", rgb(128, 0, 0)}, {"forest", rgb(34, 80, 34)}, {"brown", rgb(110, 70, 40)}};
    for (const auto& p : plain) add(p.name, [c = p.colour](int, int) { return c; });

    const struct {
        const char* name;
        TColor from, to;
        int direction;  // 0 across, 1 down, 2 diagonal
    } gradients[] = {{"grad-black-white-across", kBlack, kWhite, 0}, {"grad-white-black-down", kWhite, kBlack, 1},
                     {"grad-red-blue-diagonal", rgb(255, 0, 0), rgb(0, 0, 255), 2}, {"grad-sky-down", rgb(40, 90, 200), rgb(230, 240, 255), 1},
                     {"grad-sunset-down", rgb(255, 200, 80), rgb(90, 20, 90), 1}, {"grad-pastel-across", rgb(255, 230, 240), rgb(220, 255, 240), 0},
                     {"grad-grey-diagonal", rgb(100, 100, 100), rgb(160, 160, 160), 2}, {"grad-green-yellow-across", rgb(0, 120, 0), rgb(255, 255, 0), 0}};
    for (const auto& g : gradients)
        add(g.name, [g](int x, int y) {
            const double t = g.direction == 0 ? double(x) / (kWidth - 1) : g.direction == 1 ? double(y) / (kHeight - 1)
                                                                              : double(x + y) / (kWidth + kHeight - 2);
            return mix(g.from, g.to, t);
        });
    add("grad-radial", [](int x, int y) {
        const double d = std::hypot(x - kWidth / 2.0, y - kHeight / 2.0) / std::hypot(kWidth / 2.0, kHeight / 2.0);
        return mix(rgb(255, 255, 220), rgb(20, 20, 60), d);
    });
    add("grad-hue-across", [](int x, int) {
        const double h = 6.0 * x / kWidth;
        const auto channel = [h](double offset) { return clampByte(255 * std::clamp(std::abs(std::fmod(h + offset, 6.0) - 3.0) - 1.0, 0.0, 1.0)); };
        return rgb(channel(0), channel(4), channel(2));
    });

    const struct {
        const char* name;
        TColor base;
        int amplitude;
        bool grey;
    } noises[] = {{"noise-colour", rgb(128, 128, 128), 128, false}, {"noise-grey", rgb(128, 128, 128), 128, true},
                  {"noise-on-white", rgb(235, 235, 235), 20, false}, {"noise-on-black", rgb(20, 20, 20), 20, false},
                  {"noise-on-grey", rgb(128, 128, 128), 40, true}, {"noise-on-blue", rgb(40, 60, 160), 60, false}};
    for (std::size_t i = 0; i < std::size(noises); ++i) {
        Lcg random{std::uint32_t(1234 + i)};
        const auto& n = noises[i];
        add(n.name, [n, random](int, int) mutable {
            const auto jitter = [&] { return random.next(2 * n.amplitude + 1) - n.amplitude; };
            if (n.grey) {
                const int d = jitter();
                return rgb(clampByte(redOf(n.base) + d), clampByte(greenOf(n.base) + d), clampByte(blueOf(n.base) + d));
            }
            return rgb(clampByte(redOf(n.base) + jitter()), clampByte(greenOf(n.base) + jitter()), clampByte(blueOf(n.base) + jitter()));
        });
    }

    const struct {
        const char* name;
        int period;
        bool across;
        TColor a, b;
    } stripes[] = {{"stripes-1px-rows", 2, false, kBlack, kWhite}, {"stripes-2px-rows", 4, false, kBlack, kWhite},
                   {"stripes-3px-rows", 6, false, rgb(40, 40, 40), rgb(220, 220, 220)}, {"stripes-4px-columns", 8, true, kBlack, kWhite},
                   {"stripes-1px-columns", 2, true, rgb(255, 255, 255), rgb(90, 90, 90)}, {"stripes-8px-rows", 16, false, rgb(200, 30, 30), rgb(250, 240, 200)},
                   {"stripes-red-green", 6, true, rgb(255, 0, 0), rgb(0, 160, 0)}, {"stripes-pastel", 4, false, rgb(255, 220, 230), rgb(210, 230, 255)}};
    for (const auto& s : stripes)
        add(s.name, [s](int x, int y) { return ((s.across ? x : y) % s.period) < s.period / 2 ? s.a : s.b; });
    add("checker-1px", [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; });
    add("checker-3px", [](int x, int y) { return (x / 3 + y / 3) % 2 ? rgb(230, 230, 230) : rgb(30, 30, 30); });
    add("half-white-black-down", [](int, int y) { return (y / 8) % 2 ? kWhite : kBlack; });
    add("half-light-dark-across", [](int x, int) { return x < kWidth / 2 ? rgb(240, 240, 230) : rgb(20, 25, 40); });

    // Photo-like: smooth shapes of a scene's colours, with a little grain.
    const struct {
        const char* name;
        TColor low, high;
        double fx, fy;
    } scenes[] = {{"photo-sea", rgb(10, 40, 90), rgb(120, 200, 230), 0.03, 0.05}, {"photo-forest", rgb(10, 40, 10), rgb(140, 190, 80), 0.07, 0.04},
                  {"photo-sunset", rgb(80, 20, 60), rgb(255, 190, 90), 0.02, 0.06}, {"photo-snow", rgb(180, 190, 210), rgb(255, 255, 255), 0.05, 0.03},
                  {"photo-night", rgb(0, 0, 10), rgb(60, 60, 110), 0.04, 0.04}, {"photo-skin", rgb(150, 100, 80), rgb(250, 210, 190), 0.03, 0.02},
                  {"photo-desert", rgb(170, 120, 60), rgb(250, 220, 160), 0.02, 0.08}, {"photo-city", rgb(30, 30, 35), rgb(230, 220, 200), 0.15, 0.12},
                  {"photo-flowers", rgb(200, 20, 90), rgb(250, 230, 60), 0.09, 0.11}, {"photo-fog", rgb(150, 150, 150), rgb(210, 210, 210), 0.02, 0.02},
                  {"photo-lava", rgb(30, 0, 0), rgb(255, 120, 0), 0.06, 0.09}, {"photo-lagoon", rgb(0, 90, 90), rgb(200, 255, 230), 0.05, 0.07}};
    for (std::size_t i = 0; i < std::size(scenes); ++i) {
        Lcg random{std::uint32_t(99 + i)};
        const auto& s = scenes[i];
        add(s.name, [s, random](int x, int y) mutable {
            const double t = 0.5 + 0.25 * std::sin(x * s.fx + 1.3 * std::sin(y * s.fy)) + 0.25 * std::cos(y * s.fy * 1.7 - x * s.fx * 0.6);
            const TColor c = mix(s.low, s.high, t);
            const int grain = random.next(17) - 8;
            return rgb(clampByte(redOf(c) + grain), clampByte(greenOf(c) + grain), clampByte(blueOf(c) + grain));
        });
    }
    Lcg busy{7};
    add("busy", [busy](int x, int y) mutable {
        const int r = (x / 6 + y / 5) % 2 ? (x * 13 + y * 7) % 256 : busy.next(256);
        return rgb(r, (x * y) % 256, (y * 5 + busy.next(60)) % 256);
    });
    return pictures;
}

struct Variant {
    const char* name;
    bool legible, colours;
};
constexpr Variant kVariants[] = {{"default", false, false}, {"--legible", true, false},
                                 {"--colours-from-picture", false, true}, {"both", true, true}};

constexpr struct {
    LayoutMode layout;
    const char* name;
} kLayouts[] = {{LayoutMode::Continuous, "continuous"}, {LayoutMode::TwoPlusOne, "two-plus-one"}, {LayoutMode::ThreeWindows, "three-windows"}};

Legibility measure(const Image& picture, LayoutMode layout, const Variant& variant) {
    // The pictures are made here: no decoder, no text (the playlist's sample songs are not measured).
    Workbench bench(nullptr, nullptr);
    Options options;
    options.layout = layout;
    options.legible = variant.legible;
    bench.setOptions(options);
    // The same picture in every window the layout gives one.
    bench.usePicture(WhichPicture::Main, picture);
    if (layout != LayoutMode::Continuous) bench.usePicture(WhichPicture::Playlist, picture);
    if (layout == LayoutMode::ThreeWindows) bench.usePicture(WhichPicture::Equaliser, picture);
    std::vector<StampPlacement> stamps;
    std::vector<BevelShade> bevels;
    bench.setStampLog(&stamps);
    bench.setBevelLog(&bevels);
    bench.makeSkin();
    if (variant.colours) bench.coloursFromPicture();
    return measureLegibility(bench.document().state, stamps, bevels);
}

std::string percent(const LegibilityCount& c) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", c.total ? 100.0 * c.reached / c.total : 100.0);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<Picture> pictures = corpus();
    if (argc == 3 && std::string(argv[1]) == "--write-corpus") {
        std::filesystem::create_directories(argv[2]);
        for (const Picture& p : pictures) {
            const std::vector<std::uint8_t> bytes = encodeBmp(p.image);
            std::ofstream(std::filesystem::path(argv[2]) / (p.name + ".bmp"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        std::printf("%zu pictures in %s\n", pictures.size(), argv[2]);
        return 0;
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: legibility_measure [--write-corpus DIR]\n");
        return 2;
    }
    for (const auto& layout : kLayouts) {
        std::printf("%zu pictures, %s layout\n\n", pictures.size(), layout.name);
        std::printf("| options | caption and glyph strokes at 3:1 | their pixels at 3:1 | bevel pixels at 1.5:1 | text colours at 4.5:1 | analyser and peak colours at 3:1 | oscilloscope colours at 3:1 | pictures with every caption at 3:1 |\n");
        std::printf("|---|---|---|---|---|---|---|---|\n");
        for (const Variant& variant : kVariants) {
            Legibility total;
            int picturesAllReached = 0;
            std::string failing;
            for (const Picture& p : pictures) {
                const Legibility one = measure(p.image, layout.layout, variant);
                for (auto [sum, part] : {std::pair{&total.captions, &one.captions}, {&total.inkPixels, &one.inkPixels}, {&total.bevels, &one.bevels},
                                         {&total.textColours, &one.textColours}, {&total.visColours, &one.visColours}, {&total.scopeColours, &one.scopeColours}}) {
                    sum->reached += part->reached;
                    sum->total += part->total;
                }
                if (one.captions.reached == one.captions.total) ++picturesAllReached;
                else if (variant.legible) failing += " " + p.name;
            }
            const auto counted = [](const LegibilityCount& c) { return percent(c) + " (" + std::to_string(c.reached) + " of " + std::to_string(c.total) + ")"; };
            std::printf("| %s | %s | %s | %s | %s | %s | %s | %d of %zu |\n", variant.name, counted(total.captions).c_str(), percent(total.inkPixels).c_str(),
                        counted(total.bevels).c_str(), counted(total.textColours).c_str(), counted(total.visColours).c_str(),
                        counted(total.scopeColours).c_str(), picturesAllReached, pictures.size());
            if (!failing.empty()) std::fprintf(stderr, "%s, %s: captions short on%s\n", layout.name, variant.name, failing.c_str());
        }
        std::printf("\n");
    }
    return 0;
}
