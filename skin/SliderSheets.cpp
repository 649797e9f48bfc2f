// Stage 3 of MakeSkin: the volume, balance, position-bar and mono/stereo
// sheets, each cut from the main-window picture where its control lies, so
// the sheets repeat the picture and the grooves that stage 2 sank into it.
#include "skin/MainWindowGeometry.h"
#include "skin/MakeSkin.h"
#include "skin/Pass.h"

namespace vk::skin {

namespace {

// The volume and balance sheets: 28 frames of 14 rows at a pitch of 15; the
// row between two frames and the knob rows below them stay the template's.
constexpr int kSliderFrames = 28;
constexpr int kSliderFramePitch = 15;
constexpr Rect sliderFrame(const Rect& slider, int k) {
    return {0, kSliderFramePitch * k, slider.width(), kSliderFramePitch * k + slider.height()};
}

// posBar: the background left of the two knobs, and a groove along its middle
// that exists only in the sheet.
constexpr Rect kPosBarBackground{0, 0, 248, 10};
constexpr Rect kPosBarGroove{0, 4, 248, 6};

// monoSter: the stereo lamp on the left, the mono lamp on the right, each as
// an active cell above an inactive one; both cells show the same picture.
constexpr Rect kStereoCells[] = {{0, 0, 29, 12}, {0, 12, 29, 24}};
constexpr Rect kMonoCells[] = {{29, 0, 58, 12}, {29, 12, 58, 24}};

} // namespace

void sliderSheets(SkinDocument& doc) {
    Pass p(doc);
    const Image& main = doc.mainWindow;
    TemplateSet& t = doc.t;

    // 1: every frame of both sliders is the same piece of the picture.
    for (int k = 0; k < kSliderFrames; ++k) {
        p.copy(t.volumeWindow, sliderFrame(kVolumeSlider, k), main, kVolumeSlider);
        p.copy(t.balanceWindow, sliderFrame(kBalanceSlider, k), main, kBalanceSlider);
    }

    // 2-3: the position bar and its groove.
    p.copy(t.posBar, kPosBarBackground, main, kPositionBar);
    p.sink(t.posBar, kPosBarGroove);

    // 4-7: the lamps.
    for (const Rect& cell : kMonoCells) p.copy(t.monoSter, cell, main, kMonoLamp);
    for (const Rect& cell : kStereoCells) p.copy(t.monoSter, cell, main, kStereoLamp);
}

} // namespace vk::skin
