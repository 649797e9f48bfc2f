// Shared helpers of the stage tests: pictures and stamps drawn here, so no
// test depends on the template art, and region comparisons that name the
// first differing pixel.
#pragma once
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "skin/MakeSkin.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace vk::test {

// A colour the stages never produce from the pictures used here.
inline constexpr TColor kSentinel = rgb(1, 2, 3);
inline constexpr TColor kGrey100 = rgb(100, 100, 100);

inline Image uniform(int w, int h, TColor colour) {
    Image image(w, h);
    image.fill(image.bounds(), colour);
    return image;
}

inline Image grey(int level) { return uniform(275, 116, rgb(level, level, level)); }

// Every pixel different, and far enough from 0 and 255 to shade both ways.
inline Image coded() {
    Image image(275, 116);
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x) image.setPixel(x, y, rgb(20 + x % 200, 20 + y, 60 + x / 200 * 40));
    return image;
}

// A stamp with every stamp colour in it: black, white, green and red.
inline Image patternStamp(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = (x + 2 * y) % 7;
            image.setPixel(x, y, k == 0 ? kBlack : k == 1 ? kWhite : k == 2 && y % 3 == 0 ? kPureGreen : kPureRed);
        }
    return image;
}

// Every stamp and the knob of stages 2 to 4, each set to one drawing.
enum class StampArt { Neutral, Pattern };
inline void drawStamps(TemplateSet& t, StampArt art) {
    Image* stamps[] = {&t.choices0,  &t.choices1,    &t.choices2,     &t.choices3,  &t.choices4,   &t.choices5,
                       &t.repUpBut,  &t.repDown,     &t.shuffleUpBut, &t.shuffleDown, &t.eqUpBut,  &t.eqButDown,
                       &t.plUpBut,   &t.plButDown,   &t.buts,         &t.downButs,  &t.loadDown};
    for (Image* stamp : stamps) {
        const int w = stamp->width(), h = stamp->height();
        *stamp = art == StampArt::Neutral ? uniform(w, h, kPureRed) : patternStamp(w, h);
    }
    t.volBut = uniform(14, 11, rgb(7, 77, 177));
}

// The sheets of stages 2 to 4, filled with the sentinel so a test can tell
// what the stages wrote.
inline void fillSheets(TemplateSet& t, TColor colour) {
    for (Image* sheet : {&t.titleBarImage, &t.volumeWindow, &t.balanceWindow, &t.posBar, &t.monoSter, &t.shufrep,
                         &t.cButtons})
        sheet->fill(sheet->bounds(), colour);
}

struct Radios {
    bool full3D = true;
    bool sinkFrame = false;
};

// A workbench with the picture laid out, the test's stamps and sentinel sheets.
inline void prepare(Workbench& bench, const Image& picture, Radios radios, StampArt art = StampArt::Neutral) {
    docOf(bench).state.sourcePictures.main = picture;
    docOf(bench).options.layout = LayoutMode::ThreeWindows;
    docOf(bench).options.full3D = radios.full3D;
    docOf(bench).options.sinkFrame = radios.sinkFrame;
    drawStamps(docOf(bench).templates, art);
    fillSheets(docOf(bench).templates, kSentinel);
    bench.layoutPictures();
}

enum class Upto { Stage2 = 2, Stage3, Stage4 };
inline void runStages(Workbench& bench, Upto last) {
    skin::enterPass(docOf(bench));
    skin::mainFrameAndTitleBar(docOf(bench));
    if (last >= Upto::Stage3) skin::sliderSheets(docOf(bench));
    if (last >= Upto::Stage4) skin::buttonSheets(docOf(bench));
}

inline int level(const Image& image, int x, int y) { return redOf(image.pixel(x, y)); }

inline std::string describe(TColor c) {
    std::ostringstream out;
    out << "(" << redOf(c) << "," << greenOf(c) << "," << blueOf(c) << ")";
    return out.str();
}

// Region `ra` of `a` equals region `rb` of `b`, pixel for pixel.
inline ::testing::AssertionResult sameRegion(const Image& a, Rect ra, const Image& b, Rect rb) {
    if (ra.width() != rb.width() || ra.height() != rb.height())
        return ::testing::AssertionFailure() << "regions of different sizes";
    for (int y = 0; y < ra.height(); ++y)
        for (int x = 0; x < ra.width(); ++x) {
            const TColor ca = a.pixel(ra.left + x, ra.top + y), cb = b.pixel(rb.left + x, rb.top + y);
            if (ca != cb)
                return ::testing::AssertionFailure() << "(" << ra.left + x << "," << ra.top + y << ") is "
                                                     << describe(ca) << " but (" << rb.left + x << "," << rb.top + y
                                                     << ") of the other is " << describe(cb);
        }
    return ::testing::AssertionSuccess();
}

// Every pixel of `r` in `image` has the colour.
inline ::testing::AssertionResult allOf(const Image& image, Rect r, TColor colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (image.pixel(x, y) != colour)
                return ::testing::AssertionFailure()
                       << "(" << x << "," << y << ") is " << describe(image.pixel(x, y)) << ", not " << describe(colour);
    return ::testing::AssertionSuccess();
}

// The pixels where two images of one size differ.
inline std::vector<Point> differences(const Image& a, const Image& b) {
    std::vector<Point> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) out.push_back({x, y});
    return out;
}

inline bool inside(Point p, Rect r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// An expected image drawn as a list of grey blocks over a starting colour;
// later blocks cover earlier ones, as later copies do in the stage.
struct Block {
    Rect r;
    int level;
};
inline Image paintBlocks(int w, int h, TColor background, const std::vector<Block>& blocks) {
    Image image = uniform(w, h, background);
    for (const Block& b : blocks) image.fill(b.r, rgb(b.level, b.level, b.level));
    return image;
}

inline ::testing::AssertionResult sameImage(const Image& actual, const Image& expected) {
    if (actual.width() != expected.width() || actual.height() != expected.height())
        return ::testing::AssertionFailure() << "sizes differ";
    return sameRegion(actual, actual.bounds(), expected, expected.bounds());
}

} // namespace vk::test
