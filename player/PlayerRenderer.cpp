#include "player/PlayerRenderer.h"

#include "player/WindowDrawing.h"

#include "format/EqSprites.h"
#include "format/MainSprites.h"
#include "format/PlayerGeometry.h"
#include "format/PlaylistSprites.h"
#include "format/TextFont.h"
#include "player/PlayerControls.h"
#include "raster/TextRasteriser.h"
#include "raster/Utf8.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vk::player {

using namespace vk::format;

namespace {

bool shaded(PlayerWindow window, const PlayerState& st) {
    return window == PlayerWindow::Main ? st.mainShaded : (window == PlayerWindow::Equaliser ? st.equaliserShaded : st.playlistShaded);
}

Image renderAtOne(const ClassicSkin& skin, PlayerWindow window, const PlayerState& state, TextRasteriser* text) {
    const Size size = windowSize(window, state);
    Image img(size.width, size.height);
    img.fill(img.bounds(), kBlack);
    const bool strip = shaded(window, state);
    switch (window) {
    case PlayerWindow::Main: strip ? drawMainShaded(img, skin, state) : drawMain(img, skin, state); break;
    case PlayerWindow::Equaliser: strip ? drawEqualiserShaded(img, skin, state) : drawEqualiser(img, skin, state); break;
    case PlayerWindow::Playlist: strip ? drawPlaylistShaded(img, skin, state) : drawPlaylist(img, skin, state, text); break;
    }
    return img;
}

int effectiveZoom(PlayerWindow window, const PlayerState& state, int zoom) { return std::max(1, zoom) * windowZoom(window, state); }

} // namespace

int windowZoom(PlayerWindow window, const PlayerState& state) { return state.doubleSize && window != PlayerWindow::Playlist ? 2 : 1; }

Size windowSize(PlayerWindow window, const PlayerState& state) {
    if (shaded(window, state))
        return {window == PlayerWindow::Playlist ? snappedPlaylistSize(state.playlistSize).width : kMainWindowSize.width, kShadedHeight};
    switch (window) {
    case PlayerWindow::Main: return kMainWindowSize;
    case PlayerWindow::Equaliser: return kEqWindowSize;
    case PlayerWindow::Playlist: return snappedPlaylistSize(state.playlistSize);
    }
    return {};
}

Image scaledBy(const Image& image, int factor) {
    if (factor <= 1) return image;
    Image out(image.width() * factor, image.height() * factor, image.depth());
    const std::vector<TColor>& src = image.pixels();
    for (int y = 0; y < out.height(); ++y) {
        const std::size_t row = std::size_t(y / factor) * std::size_t(image.width());
        for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, src[row + std::size_t(x / factor)]);
    }
    return out;
}

Image fittedWithin(const Image& image, int size) {
    const int longest = std::max(image.width(), image.height());
    if (longest <= 0 || size <= 0) return image;
    if (size >= longest) return scaledBy(image, size / longest);
    const int w = std::max(1, image.width() * size / longest), h = std::max(1, image.height() * size / longest);
    Image out(w, h, image.depth());
    for (int y = 0; y < h; ++y) {
        const int y0 = y * image.height() / h, y1 = std::max(y0 + 1, (y + 1) * image.height() / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * image.width() / w, x1 = std::max(x0 + 1, (x + 1) * image.width() / w);
            long r = 0, g = 0, b = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const TColor c = image.pixel(sx, sy);
                    r += redOf(c), g += greenOf(c), b += blueOf(c);
                }
            const long n = long(x1 - x0) * long(y1 - y0);
            out.setPixel(x, y, rgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n)));
        }
    }
    return out;
}

Image skinTextLine(const ClassicSkin& skin, const std::string& text, int width) {
    if (!skin.has(Sheet::Text) || width <= 0) return {};
    Image line(width, kGlyphHeight);
    const int columns = (width + kGlyphWidth - 1) / kGlyphWidth;
    drawGlyphs(line, skin.sheet(Sheet::Text), 0, 0, std::string(std::size_t(columns), ' '), line.bounds());
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++chars) nextCodePoint(text, i);
    const int inked = int(chars) * kGlyphWidth;
    drawGlyphs(line, skin.sheet(Sheet::Text), std::max(0, (width - inked) / 2), 0, text, line.bounds());
    return line;
}

Image renderWindow(const ClassicSkin& skin, PlayerWindow window, const PlayerState& state, int zoom, TextRasteriser* text) {
    return scaledBy(renderAtOne(skin, window, state, text), effectiveZoom(window, state, zoom));
}

Image renderPlayer(const ClassicSkin& skin, const PlayerState& state, const std::vector<PlayerWindow>& windows, int zoom,
                   TextRasteriser* text) {
    int width = 0, height = 0;
    for (PlayerWindow w : windows) {
        width = std::max(width, windowSize(w, state).width * effectiveZoom(w, state, zoom));
        height += windowSize(w, state).height * effectiveZoom(w, state, zoom);
    }
    Image stack(width, height);
    stack.fill(stack.bounds(), kBlack);
    int y = 0;
    for (PlayerWindow w : windows) {
        const Image one = renderWindow(skin, w, state, zoom, text);
        blit(stack, {0, y}, one, one.bounds());
        y += one.height();
    }
    return stack;
}

} // namespace vk::player
