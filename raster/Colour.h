// TColor: the 0x00BBGGRR colour value that every pixel, pen and setting uses.
#pragma once
#include <cstdint>

namespace vk {

using TColor = std::uint32_t;

// What a read outside an image returns; never a stored pixel.
inline constexpr TColor kInvalidColour = 0xFFFFFFFFu;

inline constexpr TColor kBlack = 0x000000;
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kPureGreen = 0x00FF00;
inline constexpr TColor kDarkGreen = 0x008000;
inline constexpr TColor kPureRed = 0x0000FF;
inline constexpr TColor kSilver = 0xC0C0C0;

constexpr TColor rgb(int r, int g, int b) {
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}
constexpr int redOf(TColor c) { return int(c & 0xFF); }
constexpr int greenOf(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(TColor c) { return int((c >> 16) & 0xFF); }

} // namespace vk
