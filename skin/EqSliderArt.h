// Where the equaliser's slider art lives, in eqMain's pixels: the two knob
// sprites, the 28 bar frames of the sheet and the eleven strips of the window.
// Shared by the equaliser preview and the knob restyling.
#pragma once
#include "raster/Rect.h"

namespace vk::eqSliders {

// The knob sprites of the sheet, 11 x 11, released and pressed.
inline constexpr Rect kKnobNormal{0, 164, 11, 175};
inline constexpr Rect kKnobPressed{0, 176, 11, 187};

// All 28 bar frames with the gaps between them: two rows of 14 cells of
// 14 x 63, 15 pixels apart across.
inline constexpr Rect kFrameArea{13, 164, 222, 292};
inline constexpr int kFramesPerRow = 14;
inline constexpr int kFrameWidth = 14;
inline constexpr int kFramePitch = 15;
inline constexpr int kFirstRowTop = 164;
inline constexpr int kSecondRowTop = 229;

constexpr int frameLeft(int column) { return 13 + kFramePitch * column; }
// Frame k = 0 ... 27 of the sheet.
constexpr Point frameOrigin(int k) {
    return {frameLeft(k % kFramesPerRow), k < kFramesPerRow ? kFirstRowTop : kSecondRowTop};
}

// Inside a frame or a strip (cell coordinates): the level bar and the ticks
// run on columns 5 ... 8, the bar ends on row 60, the ticks start on row 3.
inline constexpr int kBarLeft = 5;
inline constexpr int kBarWidth = 4;
inline constexpr int kBarBottomRow = 60;
inline constexpr int kFirstTickRow = 3;
// The strip template's bar starts here: 33 rows, the same art as frame 17.
inline constexpr int kStripBarTop = 28;

// The sliders of the equaliser window: 14 x 63 strips from row 38, the
// preamplifier at x = 21 and ten bands 18 pixels apart from x = 78.
inline constexpr int kBandCount = 10;
inline constexpr int kSliderTop = 38;
inline constexpr int kPreampLeft = 21;
constexpr int bandLeft(int i) { return 78 + 18 * i; }

// The released knob sits on its strip at row 63, one column in from its left edge.
inline constexpr int kKnobRow = 63;
constexpr Rect knobOnSlider(int sliderLeft) {
    return {sliderLeft + 1, kKnobRow, sliderLeft + 1 + kKnobNormal.width(), kKnobRow + kKnobNormal.height()};
}

} // namespace vk::eqSliders
