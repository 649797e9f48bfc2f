// The areas of the three windows that a skin is cut from: where each control
// sits in the window picture, derived from the player's "At" points and
// sprite sizes. The MakeSkin pass shades and cuts them, the colour tools
// repaint them. Rectangles are half-open, in window pixels at 1x.
#pragma once
#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlaylistSprites.h"
#include "format/TextFont.h"

namespace vk::format {

constexpr Rect topRows(const Rect& r, int rows) { return {r.left, r.top, r.right, r.top + rows}; }
constexpr Rect bottomRows(const Rect& r, int rows) { return {r.left, r.bottom - rows, r.right, r.bottom}; }
constexpr Rect shrunk(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }
constexpr Rect grown(const Rect& r, int by) { return shrunk(r, -by); }
constexpr Rect tallerBy(const Rect& r, int rows) { return {r.left, r.top, r.right, r.bottom + rows}; }
// The window rectangle stacked k windows down: the layouts' scratch canvases.
constexpr Rect stackedWindows(int count) { return {0, 0, kMainWindow.width(), count * kMainWindow.height()}; }

// --- every window ------------------------------------------------------------------
// The ring one pixel inside the edge, sunk with "Sink Frame".
inline constexpr Rect kInnerRing = shrunk(kMainWindow, 1);
// The previews show the three windows one under another, this many rows
// apart where their pictures do not continue into each other.
inline constexpr int kPreviewWindowGap = 4;

// --- the main window -----------------------------------------------------------------
inline constexpr Rect kOptionsButtonArea = placed(kOptionsButtonAt, kOptionsButton);
inline constexpr Rect kMinimiseButtonArea = placed(kMinimiseButtonAt, kMinimiseButton);
inline constexpr Rect kShadeButtonArea = placed(kShadeButtonAt, kShadeButton);
inline constexpr Rect kCloseButtonArea = placed(kCloseButtonAt, kCloseButton);
inline constexpr Rect kClutterBarArea = placed(kClutterBarAt, kClutterBar);

// Sunken wells and grooves; the readouts are one pixel round their text.
inline constexpr Rect kDisplayPanelArea{23, 24, 101, 60};  // visualisation and time
inline constexpr Rect kSongTitleWell{110, 26, 267, 34};
inline constexpr Rect kKbpsWell = grown(xywh(kKbpsAt.x, kKbpsAt.y, kKbpsChars * kGlyphWidth, kGlyphHeight), 1);
inline constexpr Rect kKhzWell = grown(xywh(kKhzAt.x, kKhzAt.y, kKhzChars * kGlyphWidth, kGlyphHeight), 1);
inline constexpr Rect kVolumeGroove{107, 62, 171, 64};
inline constexpr Rect kBalanceGroove{177, 62, 214, 64};

// What the slider sheets repeat: each frame of the sheet plus the spare row
// below it, the balance from the sheet's own left edge.
inline constexpr Rect kVolumeSliderArea = xywh(kVolumeAt.x, kVolumeAt.y, kVolumeFrame0.width(), kSliderFramePitch - 1);
inline constexpr Rect kBalanceSliderArea =
    xywh(kBalanceAt.x - kBalanceFrame0.left, kBalanceAt.y, kBalanceFrame0.right, kSliderFramePitch - 1);
inline constexpr Rect kPositionBarArea = placed(kPositionBarAt, kPositionBar);
inline constexpr Rect kStereoLampArea = placed(kStereoAt, kStereoLit);
// As wide as the stereo lamp: the mono cell runs on to the sheet's edge.
inline constexpr Rect kMonoLampArea = placed(kMonoAt, kStereoLit);
// Where the knob sits on each slider of the window picture.
inline constexpr Point kVolumeKnobAt{133, 58};
inline constexpr Point kBalanceKnobAt{189, 58};

// Repeat and shuffle are cut a row taller than their sprites; shuffle's last
// column is repeat's first.
inline constexpr Rect kRepeatButtonArea = tallerBy(placed(kRepeatButtonAt, kRepeatButton), 1);
inline constexpr Rect kShuffleButtonArea = tallerBy(placed(kShuffleButtonAt, kShuffleButton), 1);
inline constexpr Rect kEqToggleArea = placed(kEqToggleAt, kEqToggle);
inline constexpr Rect kPlToggleArea = placed(kPlToggleAt, kPlToggle);
// Previous, play, pause, stop and next, side by side.
inline constexpr Rect kTransportButtonsArea{kPreviousButtonAt.x, kPreviousButtonAt.y, kNextButtonAt.x + kNextButton.width(),
                                            kPreviousButtonAt.y + kPreviousButton.height()};
inline constexpr Rect kEjectButtonArea = placed(kEjectButtonAt, kEjectButton);

// --- the equaliser window ---------------------------------------------------------------
inline constexpr Rect kEqCloseButtonArea = placed(kEqCloseButtonAt, kEqCloseButton);
// The shade button's glyph is its top three rows.
inline constexpr int kTitleGlyphBarRows = 3;
inline constexpr Rect kEqShadeButtonArea = placed(kEqShadeButtonAt, kEqCloseButton);
inline constexpr Rect kEqPresetsButtonArea = placed(kEqPresetsButtonAt, kEqPresetsButton);
// ON and AUTO side by side, as one area.
inline constexpr Rect kEqOnAutoArea{kEqOnButtonAt.x, kEqOnButtonAt.y, kEqAutoButtonAt.x + kEqAutoButton.width(),
                                    kEqOnButtonAt.y + kEqOnButton.height()};
// The graph with the preamp line under it, one column wider than the sheet's copy.
inline constexpr Rect kEqGraphSprite = tallerBy(kEqGraphBackground, 1);
inline constexpr Rect kEqGraphArea = xywh(kEqGraphAt.x, kEqGraphAt.y, kEqGraphSprite.width() + 1, kEqGraphSprite.height());
// A slider's strip and the thumb resting on it, released, at its middle.
constexpr Rect eqSliderStrip(Point at) { return placed(at, kEqSliderFrame0); }
constexpr Rect eqSliderWell(Point at) { return grown(eqSliderStrip(at), 1); }
inline constexpr int kEqThumbRestRow = 25;
constexpr Rect eqThumbOnSlider(Point at) {
    return placed(offset(at, kEqThumbInset, kEqThumbRestRow), kEqSliderThumb);
}

// --- the playlist editor at its smallest size ---------------------------------------------
inline constexpr Size kPlPreviewSize = kPlaylistMinimumSize;
inline constexpr Rect kPlScrollHandleArea = placed(plScrollHandleAt(kPlPreviewSize, 0), kPlScrollHandle);
// The bottom bar's two display wells and the transport glyphs in the lower one.
inline constexpr Rect kPlUpperDisplayWell{129, 85, 223, 97};
inline constexpr Rect kPlLowerDisplayWell{129, 99, 223, 111};
inline constexpr Point kPlTransportGlyphsAt{130, 100};
// From a point of the window's bottom-right corner to the same point of its sprite.
inline constexpr Point kPlCornerToSprite{kPlBottomRightCorner.left - plBottomRightCornerAt(kPlPreviewSize).x,
                                         kPlBottomRightCorner.top - plBottomRightCornerAt(kPlPreviewSize).y};
// The well of the visualiser piece, in plEdit.
inline constexpr Rect kPlVisualiserWell{205, 6, 280, 29};

} // namespace vk::format
