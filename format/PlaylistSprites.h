// The playlist editor's sprites in plEdit.bmp and how the player places them
// in a window of any allowed size (playlist-window pixels at 1x). Focused art
// is on the sheet's top row, unfocused art 21 rows below.
#pragma once
#include "format/Geometry.h"

#include <array>

namespace vk::format {

inline constexpr int kPlInactiveDrop = 21;
inline constexpr int kPlTopHeight = 20;
inline constexpr int kPlBottomHeight = 38;
inline constexpr int kPlTileWidth = kPlaylistWidthStep;
inline constexpr int kPlSideTileHeight = kPlaylistHeightStep;

// --- the top row ------------------------------------------------------------------
inline constexpr Rect kPlTopLeftCorner = xywh(0, 0, kPlTileWidth, kPlTopHeight);
inline constexpr Rect kPlTitleBar = xywh(26, 0, 100, kPlTopHeight);
inline constexpr Rect kPlTopTile = xywh(127, 0, kPlTileWidth, kPlTopHeight);
// The web player's title row: a 12-px piece of the tile after the left corner, a 13-px piece
// after the title, then whole tiles ending at the title and at the right corner.
inline constexpr int kPlTopLeftSpacer = 12;
inline constexpr int kPlTopRightSpacer = 13;
inline constexpr Rect kPlTopRightCorner = xywh(153, 0, kPlTileWidth, kPlTopHeight);
constexpr Rect plFocus(const Rect& focused, bool active) { return active ? focused : below(focused, kPlInactiveDrop); }

// --- the sides and the bottom ---------------------------------------------------------
inline constexpr Rect kPlLeftTile = xywh(0, 42, 12, kPlSideTileHeight);
inline constexpr Rect kPlRightTile = xywh(31, 42, 20, kPlSideTileHeight);
inline constexpr Rect kPlBottomTile = xywh(179, 0, kPlTileWidth, kPlBottomHeight);
inline constexpr Rect kPlVisualiser = xywh(205, 0, 75, kPlBottomHeight);
inline constexpr Rect kPlBottomLeftCorner = xywh(0, 72, 125, kPlBottomHeight);
inline constexpr Rect kPlBottomRightCorner = xywh(126, 72, 150, kPlBottomHeight);
// The visualiser piece is shown only from this width on.
inline constexpr int kPlVisualiserMinWidth = 350;

// --- buttons and the scroll handle ----------------------------------------------------
inline constexpr Rect kPlCloseButtonPressed = xywh(52, 42, 9, 9);
inline constexpr Rect kPlShadeButtonPressed = rightOf(kPlCloseButtonPressed, 10);
inline constexpr Rect kPlScrollHandle = xywh(52, 53, 8, 18);
inline constexpr Rect kPlScrollHandlePressed = rightOf(kPlScrollHandle, 9);

// --- the shaded window ----------------------------------------------------------------
inline constexpr Rect kPlShadeLeft = xywh(72, 42, kPlTileWidth, kShadedHeight);
inline constexpr Rect kPlShadeTile = below(kPlShadeLeft, 15);
inline constexpr Rect kPlShadeRightActive = xywh(99, 42, 50, kShadedHeight);
inline constexpr Rect kPlShadeRightInactive = below(kPlShadeRightActive, 15);
inline constexpr Rect kPlUnshadeButtonPressed = xywh(150, 42, 9, 9);

// --- the pop-up menus of the bottom bar -------------------------------------------------
// Each menu: a 3-column bar left of its items, items 22 x 18 one under another
// (19 rows apart on the sheet, 18 in the window), the hovered face 23 columns
// right of the plain one. The bottom-most item sits over its menu's button.
struct PlMenu {
    Rect bar;
    Rect firstItem;
    int items;
    int buttonLeft;    // window x of the items; negative: from the right edge
    int itemsAbove;    // window rows above the bottom edge of the first item
};
inline constexpr int kPlMenuItemPitch = 19;
inline constexpr int kPlMenuWindowPitch = 18;
inline constexpr int kPlMenuHoverShift = 23;
constexpr Rect plMenuItem(const PlMenu& m, int i, bool hovered) {
    return m.firstItem.shifted(hovered ? kPlMenuHoverShift : 0, kPlMenuItemPitch * i);
}
inline constexpr PlMenu kPlAddMenu{xywh(48, 111, 3, 54), xywh(0, 111, 22, 18), 3, 14, 66};
// Its fourth item (misc) is shown on top of the other three.
inline constexpr PlMenu kPlRemoveMenu{xywh(100, 111, 3, 72), xywh(54, 111, 22, 18), 4, 43, 66};
inline constexpr PlMenu kPlSelectMenu{xywh(150, 111, 3, 54), xywh(104, 111, 22, 18), 3, 72, 66};
inline constexpr PlMenu kPlMiscMenu{xywh(200, 111, 3, 54), xywh(154, 111, 22, 18), 3, 101, 66};
inline constexpr PlMenu kPlListMenu{xywh(250, 111, 3, 54), xywh(204, 111, 22, 18), 3, -44, 66};

// --- placing the pieces in a window of a given size ----------------------------------------
constexpr Point plTitleBarAt(Size w) { return {(w.width - kPlTitleBar.width()) / 2, 0}; }
constexpr Point plTopRightCornerAt(Size w) { return {w.width - kPlTileWidth, 0}; }
constexpr Point plLeftTileAt(int k) { return {0, kPlTopHeight + kPlSideTileHeight * k}; }
constexpr Point plRightTileAt(Size w, int k) { return {w.width - kPlRightTile.width(), kPlTopHeight + kPlSideTileHeight * k}; }
constexpr int plSideTileCount(Size w) { return (w.height - kPlTopHeight - kPlBottomHeight) / kPlSideTileHeight; }
constexpr Point plBottomLeftCornerAt(Size w) { return {0, w.height - kPlBottomHeight}; }
constexpr Point plBottomRightCornerAt(Size w) { return {w.width - kPlBottomRightCorner.width(), w.height - kPlBottomHeight}; }
constexpr bool plShowsVisualiser(Size w) { return w.width >= kPlVisualiserMinWidth; }
constexpr Point plVisualiserAt(Size w) { return {w.width - kPlBottomRightCorner.width() - kPlVisualiser.width(), w.height - kPlBottomHeight}; }
constexpr Point plCloseButtonAt(Size w) { return {w.width - 11, 3}; }
constexpr Point plShadeButtonAt(Size w) { return {w.width - 21, 3}; }
// The scroll handle runs in the right tile's groove, from the top row of the list.
constexpr Point plScrollHandleAt(Size w, int s) { return {w.width - 15, kPlTopHeight + s}; }
constexpr int plScrollHandleTravel(Size w) { return w.height - kPlTopHeight - kPlBottomHeight - kPlScrollHandle.height(); }
// The entry list between the frame pieces.
constexpr Rect plListArea(Size w) {
    return {kPlLeftTile.width(), kPlTopHeight, w.width - kPlRightTile.width(), w.height - kPlBottomHeight};
}
// text.bmp fields of the bottom bar: the running time and the mini time.
constexpr Point plRunningTimeAt(Size w) { return {w.width - 143, w.height - 28}; }
// The selected / total field, padded with spaces to its width in characters.
inline constexpr std::size_t kPlRunningTimeChars = 18;
constexpr Point plMiniTimeAt(Size w) { return {w.width - 84, w.height - 15}; }

} // namespace vk::format
