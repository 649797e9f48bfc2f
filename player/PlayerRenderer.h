// Draws the classic player's three windows from a skin and a player state,
// sprite by sprite as the player composes them, at 1x or any integer zoom.
#pragma once
#include "player/ClassicSkin.h"
#include "player/PlayerState.h"

#include <string>
#include <vector>

namespace vk {
class TextRasteriser;
}

namespace vk::player {

// The window's size at 1x (the playlist's snapped to the player's steps).
format::Size windowSize(PlayerWindow window, const PlayerState& state);

// How many times over double size draws the window: 2 for the main window and the
// equaliser when the state asks for it; the playlist editor keeps its size.
int windowZoom(PlayerWindow window, const PlayerState& state);

// One window. The zoom is doubled as windowZoom says;
// without a rasteriser the playlist entries show as their colours only.
Image renderWindow(const ClassicSkin& skin, PlayerWindow window, const PlayerState& state, int zoom = 1,
                   TextRasteriser* text = nullptr);

// The windows given, docked one under another in the order given, on black.
Image renderPlayer(const ClassicSkin& skin, const PlayerState& state, const std::vector<PlayerWindow>& windows, int zoom = 1,
                   TextRasteriser* text = nullptr);

// A line of text in the skin's own text.bmp glyphs, `width` pixels wide, filled
// out with its blank glyph; empty when the skin has no text sheet.
Image skinTextLine(const ClassicSkin& skin, const std::string& text, int width);

// Nearest-neighbour enlargement by a whole factor.
Image scaledBy(const Image& image, int factor);

// The picture fitted within size x size pixels, its proportions kept: enlarged by the largest
// whole factor that fits, or reduced by averaging the pixels each new pixel covers.
Image fittedWithin(const Image& image, int size);

} // namespace vk::player
