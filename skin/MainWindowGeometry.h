// Where things are in the player's 275 x 116 main window: the areas that the
// MakeSkin stages shade, stamp and cut their sheets from. Rectangles are
// half-open (left, top, right, bottom), in mainWindow pixels.
#pragma once
#include "raster/Rect.h"

namespace vk::skin {

// --- small rectangle helpers -------------------------------------------------
constexpr Rect topRows(const Rect& r, int rows) { return {r.left, r.top, r.right, r.top + rows}; }
constexpr Rect bottomRows(const Rect& r, int rows) { return {r.left, r.bottom - rows, r.right, r.bottom}; }
constexpr Rect shrunk(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// --- the window as a whole -----------------------------------------------------
inline constexpr Rect kMainWindowArea{0, 0, 275, 116};
// The ring one pixel inside the edge, sunk with "Sink Frame".
inline constexpr Rect kInnerRing = shrunk(kMainWindowArea, 1);
// The whole top of the window that the title bar covers.
inline constexpr Rect kTitleStrip{0, 0, 275, 14};

// --- title-bar buttons ---------------------------------------------------------
inline constexpr Rect kTitleButtonLeft{6, 3, 15, 12};      // options menu
inline constexpr Rect kTitleButtonRight1{244, 3, 253, 12};  // minimise
inline constexpr Rect kTitleButtonRight2{254, 3, 263, 12};  // shade
inline constexpr Rect kTitleButtonRight3{264, 3, 273, 12};  // close

// --- the choices column (the O A I D V letter buttons) -------------------------
inline constexpr Rect kChoicesColumn{10, 22, 18, 65};

// --- sunken wells and grooves --------------------------------------------------
inline constexpr Rect kDisplayPanel{23, 24, 101, 60};  // visualisation and time
inline constexpr Rect kTextStrip{110, 26, 267, 34};    // scrolling song title
inline constexpr Rect kLeftReadout{110, 42, 127, 50};  // kbps
inline constexpr Rect kRightReadout{155, 42, 167, 50}; // kHz
inline constexpr Rect kVolumeGroove{107, 62, 171, 64};
inline constexpr Rect kBalanceGroove{177, 62, 214, 64};

// --- sliders and indicators: what their sheets repeat --------------------------
inline constexpr Rect kVolumeSlider{107, 57, 175, 71};
// Starts three columns early, so its frames show the end of the volume groove.
inline constexpr Rect kBalanceSlider{168, 57, 215, 71};
inline constexpr Rect kPositionBar{16, 72, 264, 82};
inline constexpr Rect kMonoLamp{212, 41, 241, 53};
inline constexpr Rect kStereoLamp{239, 41, 268, 53};
// Where the knob sits on each slider of the window picture.
inline constexpr Point kVolumeKnobAt{133, 58};
inline constexpr Point kBalanceKnobAt{189, 58};

// --- buttons -------------------------------------------------------------------
inline constexpr Rect kRepeatButton{210, 89, 238, 105};
// Shares its last column with the repeat button.
inline constexpr Rect kShuffleButton{164, 89, 211, 105};
inline constexpr Rect kEqToggle{219, 58, 242, 70};
inline constexpr Rect kPlToggle{242, 58, 265, 70};
// Previous, play, pause, stop and next, side by side.
inline constexpr Rect kTransportButtons{16, 88, 130, 106};
inline constexpr Rect kLoadButton{136, 89, 158, 105};
// One stamp carries the released art of all six control buttons.
inline constexpr Point kControlButtonArtAt = topLeft(kTransportButtons);

} // namespace vk::skin
