// Set-up shared by the equaliser and playlist stage tests: a workbench whose
// window pictures, sheets and stamps are drawn here, so every expected pixel
// follows from these tests and not from the template art.
#pragma once
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "tests/skin/StageTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace vk::windowstage {

// The sheets' own art, where a stage must leave it alone.
inline constexpr TColor kSheetArt = rgb(7, 77, 177);
inline constexpr TColor kScrollKnobArt = rgb(33, 66, 99);
inline constexpr TColor kToolsArt = rgb(20, 200, 120);
inline constexpr Rect kScrollKnobSprite{52, 53, 60, 71};

// Stamp marks: each stamp lightens one column of its row 0 and darkens the
// same column of row 1, so a sprite shows which stamp reached it.
enum StampId {
    kPresetUpId = 1,
    kPresetDownId,
    kOnAutoUpId,
    kOnAutoDownId,
    kOffManUpId,
    kOffManDownId,
    kPullerId,
    kPlButs1Id,
    kPlButs2Id,
    kCornerPullId,
};

constexpr TColor grey(int level) { return rgb(level, level, level); }

// The same helpers as the main-window stage tests.
using test::sameRegion;
using test::uniform;

// Every pixel its own colour, none black or white.
inline Image positionCoded() {
    Image picture(275, 116);
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x) picture.setPixel(x, y, rgb(x & 0xFF, y + 1, 0x40 | x >> 8));
    return picture;
}

// Red (ignored) with the mark of `id`, and white in the bottom-right corner
// to show where the stamp ends.
inline Image signatureStamp(int w, int h, int id) {
    Image stamp = uniform(w, h, kPureRed);
    stamp.setPixel(id, 0, kWhite);
    stamp.setPixel(id, 1, kBlack);
    stamp.setPixel(w - 1, h - 1, kWhite);
    return stamp;
}

struct StageOptions {
    bool full3D = true;
    bool sinkFrame = false;
};

// The four frame/shading combinations on a grey-100 picture, each checked
// against the probes that hold for it: both full-3D runs share `bothFrames`.
template <class Probes, class Run, class Expect>
void checkFrameScenarios(Run runStage, Expect expectProbes, const Probes& bothFrames, const Probes& raiseOnly,
                         const Probes& sinkOnly, const Probes& buttonsOnly) {
    struct Scenario {
        const char* name;
        StageOptions options;
        std::vector<const Probes*> probes;
    } scenarios[] = {
        {"full 3D, raise frame", {true, false}, {&bothFrames, &raiseOnly}},
        {"full 3D, sink frame", {true, true}, {&bothFrames, &sinkOnly}},
        {"buttons only, raise frame", {false, false}, {&buttonsOnly}},
        {"buttons only, sink frame", {false, true}, {&buttonsOnly}},
    };
    for (const Scenario& s : scenarios) {
        Workbench bench{qtTextRasteriser()};
        runStage(bench, uniform(275, 116, rgb(100, 100, 100)), s.options);
        for (const Probes* probes : s.probes) expectProbes(bench, *probes, s.name);
    }
}

// Lays `picture` out as the equaliser and playlist windows over drawn sheets
// and stamps, with the flags MakeSkin's entry would set.
inline void prepareBench(Workbench& bench, const Image& picture, StageOptions options) {
    docOf(bench).options.layout = LayoutMode::ThreeWindows;
    docOf(bench).options.full3D = options.full3D;
    docOf(bench).options.sinkFrame = options.sinkFrame;
    docOf(bench).state.sourcePictures.equaliser = picture;
    docOf(bench).state.sourcePictures.playlist = picture;

    TemplateSet& t = docOf(bench).templates;
    t.eqMain = uniform(275, 315, kSheetArt);
    t.eqEx = uniform(275, 56, kSheetArt);
    t.plEdit = uniform(280, 186, kSheetArt);
    t.plEdit.fill(kScrollKnobSprite, kScrollKnobArt);
    t.plTools = uniform(83, 8, kToolsArt);
    t.presetUp = signatureStamp(40, 10, kPresetUpId);
    t.presetDown = signatureStamp(40, 10, kPresetDownId);
    t.onAutoUp = signatureStamp(58, 12, kOnAutoUpId);
    t.onAutoDown = signatureStamp(58, 12, kOnAutoDownId);
    t.offManUp = signatureStamp(58, 12, kOffManUpId);
    t.offManDown = signatureStamp(58, 12, kOffManDownId);
    t.puller = signatureStamp(8, 9, kPullerId);
    t.plButs1 = signatureStamp(104, 8, kPlButs1Id);
    t.plButs2 = signatureStamp(17, 13, kPlButs2Id);
    t.cornerPull = signatureStamp(13, 13, kCornerPullId);

    bench.layoutPictures();
    docOf(bench).state.buttonsOnly = !options.full3D;
}

inline std::string hex(TColor c) {
    std::ostringstream out;
    out << "0x" << std::hex << c;
    return out.str();
}

// The pixels of `area` that no rectangle of `written` covers.
inline std::vector<Point> uncovered(const Rect& area, const std::vector<Rect>& written) {
    std::vector<Point> out;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            bool covered = false;
            for (const Rect& r : written)
                covered = covered || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            if (!covered) out.push_back({x, y});
        }
    return out;
}

} // namespace vk::windowstage
