// The classic player's window sizes in its own 1x pixels.
#pragma once
#include "raster/Rect.h"

namespace vk::format {

inline constexpr int kWindowWidth = 275;
inline constexpr int kWindowHeight = 116;
// The main window, the equaliser and the playlist editor at its smallest size
// all share this rectangle.
inline constexpr Rect kWindowRect{0, 0, kWindowWidth, kWindowHeight};

} // namespace vk::format
