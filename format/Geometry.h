// The classic player's window sizes and the small helpers every sprite table
// uses. Rectangles are half-open (left, top, right, bottom); sprite rectangles
// are in their sheet's pixels, "At" points are where the player draws a sprite
// in its window at 1x.
#pragma once
#include "raster/Rect.h"

namespace vk::format {

// A rectangle written the way sprite tables list them: corner, width, height.
constexpr Rect xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
// Where a sprite of this size lands when drawn at a point.
constexpr Rect placed(Point at, const Rect& sprite) { return xywh(at.x, at.y, sprite.width(), sprite.height()); }
// The same sprite moved along its sheet (the pressed or lit variant next to it).
constexpr Rect below(const Rect& r, int rows) { return r.shifted(0, rows); }
constexpr Rect rightOf(const Rect& r, int columns) { return r.shifted(columns, 0); }
constexpr Point offset(Point p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

struct Size {
    int width = 0, height = 0;
    constexpr bool operator==(const Size&) const = default;
};

// --- windows ------------------------------------------------------------------
inline constexpr Size kMainWindowSize{275, 116};
inline constexpr Size kEqWindowSize = kMainWindowSize;
inline constexpr Rect kMainWindow{0, 0, kMainWindowSize.width, kMainWindowSize.height};
inline constexpr Rect kEqWindow = kMainWindow;
// Every window's title strip, and the whole window when it is shaded.
inline constexpr int kTitleBarHeight = 14;
inline constexpr Rect kTitleStrip{0, 0, kMainWindowSize.width, kTitleBarHeight};
inline constexpr int kShadedHeight = kTitleBarHeight;

// The playlist editor grows in whole tiles: 25 across, 29 down, from the
// main window's size.
inline constexpr Size kPlaylistMinimumSize = kMainWindowSize;
inline constexpr int kPlaylistWidthStep = 25;
inline constexpr int kPlaylistHeightStep = 29;
constexpr Size playlistSize(int widthSteps, int heightSteps) {
    return {kPlaylistMinimumSize.width + kPlaylistWidthStep * widthSteps,
            kPlaylistMinimumSize.height + kPlaylistHeightStep * heightSteps};
}
// The size the player snaps a requested one to: whole steps, never below the minimum.
constexpr Size snappedPlaylistSize(Size wanted) {
    const int i = wanted.width > kPlaylistMinimumSize.width ? (wanted.width - kPlaylistMinimumSize.width) / kPlaylistWidthStep : 0;
    const int j = wanted.height > kPlaylistMinimumSize.height ? (wanted.height - kPlaylistMinimumSize.height) / kPlaylistHeightStep : 0;
    return playlistSize(i, j);
}

} // namespace vk::format
