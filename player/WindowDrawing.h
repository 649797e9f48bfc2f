// What the three windows' drawing shares: sprites cut from their sheets and
// placed within a clip, rows of tiles, text in the skin's own glyphs; and each
// window's own drawing, one file a window, for the renderer to compose.
#pragma once
#include "player/ClassicSkin.h"
#include "player/PlayerState.h"
#include "format/TextFont.h"
#include "raster/Image.h"
#include "raster/Utf8.h"

#include <algorithm>
#include <string>

namespace vk {
class TextRasteriser;
}

namespace vk::player {

using namespace vk::format;

// A sprite from its sheet, at a window point, inside the clip; pixels beyond
// the sheet (a sheet smaller than the table) leave the window as it was.
inline void blit(Image& to, Point at, const Image& sheet, const Rect& sprite, const Rect& clip) {
    const int x0 = std::max({at.x, clip.left, 0}), x1 = std::min({at.x + sprite.width(), clip.right, to.width()});
    const int y0 = std::max({at.y, clip.top, 0}), y1 = std::min({at.y + sprite.height(), clip.bottom, to.height()});
    const std::vector<TColor>& src = sheet.pixels();
    for (int y = y0; y < y1; ++y) {
        const int sy = sprite.top + (y - at.y);
        if (sy < 0 || sy >= sheet.height()) continue;
        for (int x = x0; x < x1; ++x) {
            const int sx = sprite.left + (x - at.x);
            if (sx < 0 || sx >= sheet.width()) continue;
            to.setPixel(x, y, src[std::size_t(sy) * std::size_t(sheet.width()) + std::size_t(sx)]);
        }
    }
}
inline void blit(Image& to, Point at, const Image& sheet, const Rect& sprite) { blit(to, at, sheet, sprite, to.bounds()); }

// Repeats a tile from `from` across [from, to) of one row of pieces.
inline void tileAcross(Image& img, int from, int to, int y, const Image& sheet, const Rect& tile) {
    const Rect clip{from, y, to, y + tile.height()};
    for (int x = from; x < to; x += tile.width()) blit(img, {x, y}, sheet, tile, clip);
}

// The same, with whole tiles ending at `to` and the cut one at `from`.
inline void tileBackFrom(Image& img, int from, int to, int y, const Image& sheet, const Rect& tile) {
    const Rect clip{from, y, to, y + tile.height()};
    for (int x = to - tile.width(); x + tile.width() > from; x -= tile.width()) blit(img, {x, y}, sheet, tile, clip);
}

// Text in text.bmp glyphs from x (possibly left of the clip), clipped.
inline void drawGlyphs(Image& img, const Image& font, int x, int y, const std::string& text, const Rect& clip) {
    for (std::size_t i = 0; i < text.size(); x += kGlyphWidth) {
        const char32_t c = nextCodePoint(text, i);
        if (x >= clip.right) break;
        if (const auto g = glyphFor(c)) blit(img, {x, y}, font, glyphCell(g->column, g->row), clip);
    }
}

inline std::string padLeft(std::string s, std::size_t n) {
    if (s.size() > n) return s.substr(0, n);
    return std::string(n - s.size(), ' ') + s;
}

inline bool isHeld(const PlayerState& st, PlayerButton b) { return st.held == b; }
inline bool focusedOn(const PlayerState& st, PlayerWindow w) { return st.anyFocused && st.focused == w; }

// The windows at 1x, full and shaded, drawn onto a black image of their size.
void drawMain(Image& img, const ClassicSkin& skin, const PlayerState& st);
void drawMainShaded(Image& img, const ClassicSkin& skin, const PlayerState& st);
void drawEqualiser(Image& img, const ClassicSkin& skin, const PlayerState& st);
void drawEqualiserShaded(Image& img, const ClassicSkin& skin, const PlayerState& st);
void drawPlaylist(Image& img, const ClassicSkin& skin, const PlayerState& st, TextRasteriser* text);
void drawPlaylistShaded(Image& img, const ClassicSkin& skin, const PlayerState& st);

} // namespace vk::player
