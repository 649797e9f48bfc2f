// The playlist editor, full and shaded.
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

namespace {

// One line of entry text in the playlist font, clipped to the list.
void drawEntryText(Image& img, TextRasteriser* text, const std::string& line, const std::string& font, int x, int y,
                   TColor colour, const Rect& clip, bool alignRight) {
    const GlyphRun run = text->render(line, font, kPlEntryFontHeight);
    if (alignRight) x -= run.width;
    for (int j = 0; j < run.height; ++j)
        for (int i = 0; i < run.width; ++i)
            if (run.inkAt(i, j) && x + i >= clip.left && x + i < clip.right && y + j >= clip.top && y + j < clip.bottom)
                img.setPixel(x + i, y + j, colour);
}

} // namespace

void drawPlaylist(Image& img, const ClassicSkin& skin, const PlayerState& st, TextRasteriser* text) {
    const Image& pl = skin.sheet(Sheet::PlEdit);
    const Size size{img.width(), img.height()};
    const bool active = focusedOn(st, PlayerWindow::Playlist);
    const PlaylistColours& colours = skin.playlistColours;
    const Rect list = plListArea(size);
    img.fill(list, colours.normalBg);

    const Point titleAt = plTitleBarAt(size);
    blit(img, {0, 0}, pl, plFocus(kPlTopLeftCorner, active));
    const Rect topTile = plFocus(kPlTopTile, active);
    const int titleEnd = titleAt.x + kPlTitleBar.width();
    tileAcross(img, kPlTileWidth, std::min(kPlTileWidth + kPlTopLeftSpacer, titleAt.x), 0, pl, topTile);
    tileBackFrom(img, kPlTileWidth + kPlTopLeftSpacer, titleAt.x, 0, pl, topTile);
    tileAcross(img, titleEnd, std::min(titleEnd + kPlTopRightSpacer, plTopRightCornerAt(size).x), 0, pl, topTile);
    tileBackFrom(img, titleEnd + kPlTopRightSpacer, plTopRightCornerAt(size).x, 0, pl, topTile);
    blit(img, titleAt, pl, plFocus(kPlTitleBar, active));
    blit(img, plTopRightCornerAt(size), pl, plFocus(kPlTopRightCorner, active));
    for (int k = 0; k < plSideTileCount(size); ++k) {
        blit(img, plLeftTileAt(k), pl, kPlLeftTile);
        blit(img, plRightTileAt(size, k), pl, kPlRightTile);
    }
    const Point bottomLeft = plBottomLeftCornerAt(size), bottomRight = plBottomRightCornerAt(size);
    blit(img, bottomLeft, pl, kPlBottomLeftCorner);
    tileAcross(img, kPlBottomLeftCorner.width(), bottomRight.x, bottomLeft.y, pl, kPlBottomTile);
    if (plShowsVisualiser(size)) blit(img, plVisualiserAt(size), pl, kPlVisualiser);
    blit(img, bottomRight, pl, kPlBottomRightCorner);
    blit(img, plScrollHandleAt(size, int(std::lround(std::clamp(st.scroll, 0.0, 1.0) * plScrollHandleTravel(size)))), pl,
         isHeld(st, PlayerButton::PlaylistScroll) ? kPlScrollHandlePressed : kPlScrollHandle);
    if (isHeld(st, PlayerButton::PlaylistClose)) blit(img, plCloseButtonAt(size), pl, kPlCloseButtonPressed);
    if (isHeld(st, PlayerButton::PlaylistShade)) blit(img, plShadeButtonAt(size), pl, kPlShadeButtonPressed);

    // The bottom bar's text fields: selected / total length, and the playing time.
    const Image& font = skin.sheet(Sheet::Text);
    int selected = 0, total = 0;
    for (std::size_t i = 0; i < st.entries.size(); ++i) {
        const int length = std::max(0, st.entries[i].seconds);
        total += length;
        if (i < st.selectedEntries.size() && st.selectedEntries[i]) selected += length;
    }
    const Point running = plRunningTimeAt(size);
    std::string runningText = clockText(selected) + "/" + clockText(total);
    runningText.resize(std::max(runningText.size(), kPlRunningTimeChars), ' ');
    drawGlyphs(img, font, running.x, running.y, runningText, img.bounds());
    const Point mini = plMiniTimeAt(size);
    const int elapsed = std::min(99 * 60 + 59, std::max(0, st.seconds));
    const bool stopped = st.play == PlayState::Stopped;
    const char glyphs[5] = {stopped || !st.countingDown ? ' ' : '-', char('0' + elapsed / 600), char('0' + elapsed / 60 % 10),
                            char('0' + elapsed % 60 / 10), char('0' + elapsed % 10)};
    for (std::size_t k = 0; k < kPlMiniTimeColumns.size(); ++k)
        drawGlyphs(img, font, mini.x + kPlMiniTimeColumns[k], mini.y, std::string(1, stopped ? ' ' : glyphs[k]), img.bounds());

    for (int row = 0;; ++row) {
        const int index = st.firstVisibleEntry + row;
        const int top = list.top + row * kPlEntryHeight;
        if (index < 0 || index >= int(st.entries.size()) || top >= list.bottom) break;
        const Rect line{list.left, top, list.right, std::min(top + kPlEntryHeight, list.bottom)};
        if (std::size_t(index) < st.selectedEntries.size() && st.selectedEntries[std::size_t(index)])
            img.fill(line, colours.selectedBg);
        if (!text) continue;
        const PlaylistEntry& e = st.entries[std::size_t(index)];
        const TColor colour = index == st.currentEntry ? colours.current : colours.normal;
        const int y = top + (kPlEntryHeight - kPlEntryFontHeight) / 2;
        drawEntryText(img, text, std::to_string(index + 1) + ". " + e.title, skin.playlistFont, line.left + kPlEntryInset, y, colour,
                      line, false);
        if (e.seconds >= 0)
            drawEntryText(img, text, clockText(e.seconds), skin.playlistFont, line.right - kPlEntryInset, y, colour, line, true);
    }
}

void drawPlaylistShaded(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& pl = skin.sheet(Sheet::PlEdit);
    const Size size{img.width(), img.height()};
    blit(img, {0, 0}, pl, kPlShadeLeft);
    tileAcross(img, kPlShadeLeft.width(), size.width - kPlShadeRightActive.width(), 0, pl, kPlShadeTile);
    blit(img, {size.width - kPlShadeRightActive.width(), 0}, pl,
         focusedOn(st, PlayerWindow::Playlist) ? kPlShadeRightActive : kPlShadeRightInactive);
    if (isHeld(st, PlayerButton::PlaylistShade)) blit(img, plShadeButtonAt(size), pl, kPlUnshadeButtonPressed);
    if (isHeld(st, PlayerButton::PlaylistClose)) blit(img, plCloseButtonAt(size), pl, kPlCloseButtonPressed);

    // The current entry's number, title and length in the skin's glyphs.
    const Image& font = skin.sheet(Sheet::Text);
    const bool current = st.currentEntry >= 0 && st.currentEntry < int(st.entries.size());
    std::vector<char32_t> name;
    const std::string line = current ? std::to_string(st.currentEntry + 1) + ". " + st.entries[std::size_t(st.currentEntry)].title : "[No file]";
    for (std::size_t i = 0; i < line.size();) name.push_back(nextCodePoint(line, i));
    const std::size_t fits = std::size_t((kPlShadeTitleWidth + size.width - kPlaylistMinimumSize.width) / kGlyphWidth);
    if (name.size() > fits) {
        name.resize(fits - 1);
        name.push_back(U'\u2026');
    }
    for (std::size_t k = 0; k < name.size(); ++k)
        if (const auto g = glyphFor(name[k]))
            blit(img, {kPlShadeTitleAt.x + int(k) * kGlyphWidth, kPlShadeTitleAt.y}, font, glyphCell(g->column, g->row));
    if (current && st.entries[std::size_t(st.currentEntry)].seconds >= 0) {
        const std::string length = clockText(st.entries[std::size_t(st.currentEntry)].seconds);
        drawGlyphs(img, font, size.width - kPlShadeTimeRightInset - int(length.size()) * kGlyphWidth, kPlShadeTitleAt.y, length,
                   img.bounds());
    }
}


} // namespace vk::player
