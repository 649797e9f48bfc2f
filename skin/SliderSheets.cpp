// Stage 3 of MakeSkin: the volume, balance, position-bar and mono/stereo
// sheets, each cut from the main-window picture where its control lies, so
// the sheets repeat the picture and the grooves that stage 2 sank into it.
#include "format/WindowAreas.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

using namespace format;

// The volume and balance sheets: every frame with the spare row below it;
// the row between two frames and the knob rows below them stay the template's.
constexpr Rect sliderFrame(const Rect& slider, int k) { return xywh(0, kSliderFramePitch * k, slider.width(), slider.height()); }

// posBar: a groove along the middle of the background that exists only in the sheet.
constexpr Rect kPosBarGroove{kPositionBar.left, 4, kPositionBar.right, 6};

// monoSter: each lamp as an active cell above an inactive one, both showing
// the same picture; the mono cells run on to the sheet's edge.
constexpr Rect kStereoCells[] = {kStereoLit, kStereoDim};
constexpr Rect kMonoCells[] = {rightOf(kStereoLit, kStereoLit.width()), rightOf(kStereoDim, kStereoDim.width())};

} // namespace

void sliderSheets(SkinDocument& doc) {
    Pass pass(doc);
    const Image& main = doc.mainWindow;
    TemplateSet& t = doc.templates;

    // 1: every frame of both sliders is the same piece of the picture.
    for (int k = 0; k < kSliderFrameCount; ++k) {
        pass.copy(t.volumeWindow, sliderFrame(kVolumeSliderArea, k), main, kVolumeSliderArea);
        pass.copy(t.balanceWindow, sliderFrame(kBalanceSliderArea, k), main, kBalanceSliderArea);
    }

    // 2-3: the position bar and its groove.
    pass.copy(t.posBar, kPositionBar, main, kPositionBarArea);
    pass.sink(t.posBar, kPosBarGroove);

    // 4-7: the lamps.
    for (const Rect& cell : kMonoCells) pass.copy(t.monoSter, cell, main, kMonoLampArea);
    for (const Rect& cell : kStereoCells) pass.copy(t.monoSter, cell, main, kStereoLampArea);
}

} // namespace vk::skin
