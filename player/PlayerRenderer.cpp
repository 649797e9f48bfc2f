#include "player/PlayerRenderer.h"

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

// A sprite from its sheet, at a window point, inside the clip; pixels beyond
// the sheet (a sheet smaller than the table) leave the window as it was.
void blit(Image& to, Point at, const Image& sheet, const Rect& sprite, const Rect& clip) {
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
void blit(Image& to, Point at, const Image& sheet, const Rect& sprite) { blit(to, at, sheet, sprite, to.bounds()); }

// Repeats a tile from `from` across [from, to) of one row of pieces.
void tileAcross(Image& img, int from, int to, int y, const Image& sheet, const Rect& tile) {
    const Rect clip{from, y, to, y + tile.height()};
    for (int x = from; x < to; x += tile.width()) blit(img, {x, y}, sheet, tile, clip);
}

// The same, with whole tiles ending at `to` and the cut one at `from`.
void tileBackFrom(Image& img, int from, int to, int y, const Image& sheet, const Rect& tile) {
    const Rect clip{from, y, to, y + tile.height()};
    for (int x = to - tile.width(); x + tile.width() > from; x -= tile.width()) blit(img, {x, y}, sheet, tile, clip);
}

// Text in text.bmp glyphs from x (possibly left of the clip), clipped.
void drawGlyphs(Image& img, const Image& font, int x, int y, const std::string& text, const Rect& clip) {
    for (std::size_t i = 0; i < text.size(); x += kGlyphWidth) {
        const char32_t c = nextCodePoint(text, i);
        if (x >= clip.right) break;
        if (const auto g = glyphFor(c)) blit(img, {x, y}, font, glyphCell(g->column, g->row), clip);
    }
}

std::string padLeft(std::string s, std::size_t n) {
    if (s.size() > n) return s.substr(0, n);
    return std::string(n - s.size(), ' ') + s;
}

bool isHeld(const PlayerState& st, PlayerButton b) { return st.held == b; }
bool focusedOn(const PlayerState& st, PlayerWindow w) { return st.anyFocused && st.focused == w; }

void drawTime(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const bool extended = skin.has(Sheet::NumsEx);
    const Image& digits = extended ? skin.sheet(Sheet::NumsEx) : skin.sheet(Sheet::Numbers);
    const int total = std::max(0, st.seconds);
    const int minutes = std::min(99, total / 60), secs = total % 60;
    if (extended)
        blit(img, kTimeSignAt, digits, digitCell(st.countingDown ? kMinusDigit : kBlankDigit));
    else
        blit(img, kNumbersMinusAt, digits, st.countingDown ? kNumbersMinus : kNumbersNoMinus);
    blit(img, kMinuteTensAt, digits, digitCell(minutes / 10));
    blit(img, kMinuteUnitsAt, digits, digitCell(minutes % 10));
    blit(img, kSecondTensAt, digits, digitCell(secs / 10));
    blit(img, kSecondUnitsAt, digits, digitCell(secs % 10));
}

void drawVisualiser(Image& img, const ClassicSkin& skin, const VisFrame& vis) {
    if (vis.mode == VisFrame::Mode::Off) return;
    const VisPalette& c = skin.visColours;
    const Rect a = kVisualiserArea;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            img.setPixel(a.left + x, a.top + y, (y % 2 == 1 && x % 2 == 0) ? c[kVisDots] : c[kVisBackground]);
    if (vis.mode == VisFrame::Mode::Spectrum) {
        for (int i = 0; i < kVisBarCount; ++i) {
            const int h = clampInt(vis.bars[std::size_t(i)], 0, kVisHeight), p = clampInt(vis.peaks[std::size_t(i)], 0, kVisHeight);
            for (int x = i * kVisBarPitch; x < i * kVisBarPitch + kVisBarWidth; ++x) {
                for (int y = kVisHeight - h; y < kVisHeight; ++y) img.setPixel(a.left + x, a.top + y, c[std::size_t(visBarColour(y))]);
                if (p > 0) img.setPixel(a.left + x, a.top + kVisHeight - p, c[kVisPeak]);
            }
        }
        return;
    }
    int last = clampInt(vis.samples[0], 0, kVisHeight - 1);
    for (int x = 0; x < a.width(); ++x) {
        const int y = clampInt(vis.samples[std::size_t(x)], 0, kVisHeight - 1);
        for (int r = std::min(y, last); r <= std::max(y, last); ++r)
            img.setPixel(a.left + x, a.top + r, c[std::size_t(kScopeRowColours[std::size_t(r)])]);
        last = y;
    }
}

void drawMain(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& titleBar = skin.sheet(Sheet::TitleBar);
    const bool stopped = st.play == PlayState::Stopped;
    blit(img, {0, 0}, skin.sheet(Sheet::Main), kMainBackground);
    blit(img, {0, 0}, titleBar, focusedOn(st, PlayerWindow::Main) ? kTitleBarActive : kTitleBarInactive);
    // The strip carries the released buttons; only a pressed one is drawn over it.
    if (isHeld(st, PlayerButton::Options)) blit(img, kOptionsButtonAt, titleBar, kOptionsButtonPressed);
    if (isHeld(st, PlayerButton::Minimise)) blit(img, kMinimiseButtonAt, titleBar, kMinimiseButtonPressed);
    if (isHeld(st, PlayerButton::Shade)) blit(img, kShadeButtonAt, titleBar, kShadeButtonPressed);
    if (isHeld(st, PlayerButton::Close)) blit(img, kCloseButtonAt, titleBar, kCloseButtonPressed);

    blit(img, kClutterBarAt, titleBar, kClutterBar);
    for (int letter = 0; letter < kClutterLetterCount; ++letter)
        if (isHeld(st, PlayerButton(int(PlayerButton::ClutterO) + letter)) || (letter == kClutterDoubleSizeLetter && st.doubleSize))
            blit(img, clutterLetterAt(letter), titleBar, clutterLetterPressed(letter));

    const Image& playPaus = skin.sheet(Sheet::PlayPaus);
    blit(img, kPlayStateIconAt, playPaus,
         st.play == PlayState::Playing ? kPlayingIcon : (st.play == PlayState::Paused ? kPausedIcon : kStoppedIcon));
    if (st.play == PlayState::Playing) blit(img, kPlayStateLampAt, playPaus, kSyncedLamp);
    if (!stopped) drawTime(img, skin, st);
    drawVisualiser(img, skin, st.vis);

    const Image& text = skin.sheet(Sheet::Text);
    const Rect titleField = xywh(kSongTitleAt.x, kSongTitleAt.y, kSongTitleWidth, kGlyphHeight);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < st.title.size(); ++chars) nextCodePoint(st.title, i);
    if (int(chars) * kGlyphWidth <= kSongTitleWidth) {
        drawGlyphs(img, text, titleField.left, titleField.top, st.title, titleField);
    } else {
        const std::string loop = st.title + std::string(kMarqueeSeparator);
        const int loopWidth = int(chars + kMarqueeSeparator.size()) * kGlyphWidth;
        const int shift = ((st.titleScroll % loopWidth) + loopWidth) % loopWidth;
        drawGlyphs(img, text, titleField.left - shift, titleField.top, loop, titleField);
        drawGlyphs(img, text, titleField.left - shift + loopWidth, titleField.top, loop, titleField);
    }
    if (!stopped) {
        drawGlyphs(img, text, kKbpsAt.x, kKbpsAt.y, padLeft(std::to_string(st.kbps), kKbpsChars), img.bounds());
        drawGlyphs(img, text, kKhzAt.x, kKhzAt.y, padLeft(std::to_string(st.khz), kKhzChars), img.bounds());
    }
    const Image& monoSter = skin.sheet(Sheet::MonoSter);
    blit(img, kStereoAt, monoSter, !stopped && st.stereo ? kStereoLit : kStereoDim);
    blit(img, kMonoAt, monoSter, !stopped && !st.stereo ? kMonoLit : kMonoDim);

    const Image& volume = skin.sheet(Sheet::Volume);
    blit(img, kVolumeAt, volume, volumeFrame(volumeFrameFor(st.volume)));
    blit(img, offset(kVolumeAt, volumeThumbOffset(st.volume), kSliderThumbDrop), volume,
         isHeld(st, PlayerButton::Volume) ? kVolumeThumbPressed : kVolumeThumb);
    const Image& balance = skin.sheet(Sheet::Balance);
    blit(img, kBalanceAt, balance, balanceFrame(balanceFrameFor(st.balance)));
    blit(img, offset(kBalanceAt, balanceThumbOffset(st.balance), kSliderThumbDrop), balance,
         isHeld(st, PlayerButton::Balance) ? kBalanceThumbPressed : kBalanceThumb);

    const Image& shufRep = skin.sheet(Sheet::ShufRep);
    blit(img, kEqToggleAt, shufRep, windowToggleState(kEqToggle, st.equaliserOpen, isHeld(st, PlayerButton::EqToggle)));
    blit(img, kPlToggleAt, shufRep, windowToggleState(kPlToggle, st.playlistOpen, isHeld(st, PlayerButton::PlaylistToggle)));

    const Image& posBar = skin.sheet(Sheet::PosBar);
    blit(img, kPositionBarAt, posBar, kPositionBar);
    if (!stopped)
        blit(img, offset(kPositionBarAt, positionThumbOffset(st.position), 0), posBar,
             isHeld(st, PlayerButton::Position) ? kPositionThumbPressed : kPositionThumb);

    const Image& cButtons = skin.sheet(Sheet::CButtons);
    for (const TransportButton& t : kTransportButtons) blit(img, t.at, cButtons, isHeld(st, t.button) ? t.down : t.up);
    blit(img, kShuffleButtonAt, shufRep, toggleState(kShuffleButton, st.shuffle, isHeld(st, PlayerButton::Shuffle)));
    blit(img, kRepeatButtonAt, shufRep, toggleState(kRepeatButton, st.repeat, isHeld(st, PlayerButton::Repeat)));
}

// The natural cubic spline's slopes at the knots (a tridiagonal system).
std::vector<double> splineSlopes(const std::vector<double>& xs, const std::vector<double>& ys) {
    const std::size_t n = xs.size();
    std::vector<double> a(n), b(n), c(n), d(n), k(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double hl = i > 0 ? xs[i] - xs[i - 1] : 0, hr = i + 1 < n ? xs[i + 1] - xs[i] : 0;
        a[i] = i > 0 ? 1 / hl : 0;
        c[i] = i + 1 < n ? 1 / hr : 0;
        b[i] = 2 * (a[i] + c[i]);
        d[i] = (i > 0 ? 3 * (ys[i] - ys[i - 1]) / (hl * hl) : 0) + (i + 1 < n ? 3 * (ys[i + 1] - ys[i]) / (hr * hr) : 0);
    }
    for (std::size_t i = 1; i < n; ++i) {
        const double m = a[i] / b[i - 1];
        b[i] -= m * c[i - 1];
        d[i] -= m * d[i - 1];
    }
    k[n - 1] = d[n - 1] / b[n - 1];
    for (std::size_t i = n - 1; i-- > 0;) k[i] = (d[i] - c[i] * k[i + 1]) / b[i];
    return k;
}

void drawEqGraph(Image& img, const Image& eqMain, const PlayerState& st) {
    blit(img, kEqGraphAt, eqMain, kEqGraphBackground);
    blit(img, offset(kEqGraphAt, 0, eqPreampLineRow(st.preamp)), eqMain, kEqPreampLine);
    std::vector<double> xs, ys;
    for (int i = 0; i < kEqBandCount; ++i) {
        xs.push_back(i * kEqGraphKnotPitch);
        // Knots on whole rows, as the web player puts them.
        ys.push_back(roundHalfUp((100 - clampInt(st.bands[std::size_t(i)], 0, 100)) / 100.0 * (kEqGraphBackground.height() - 1)));
    }
    const std::vector<double> k = splineSlopes(xs, ys);
    const int maxRow = kEqGraphBackground.height() - 1;
    int last = clampInt(int(std::lround(ys[0])), 0, maxRow);
    std::size_t i = 1;
    for (int x = 0; x <= int(xs.back()); ++x) {
        while (xs[i] < x) ++i;
        const double h = xs[i] - xs[i - 1], t = (x - xs[i - 1]) / h;
        const double a = k[i - 1] * h - (ys[i] - ys[i - 1]), b = -k[i] * h + (ys[i] - ys[i - 1]);
        const double q = (1 - t) * ys[i - 1] + t * ys[i] + t * (1 - t) * (a * (1 - t) + b * t);
        const int y = clampInt(int(std::floor(q + 0.5)), 0, maxRow);
        for (int r = std::min(y, last); r <= std::max(y, last); ++r) {
            const TColor colour = eqMain.pixel(kEqGraphLineColours.left, kEqGraphLineColours.top + r);
            if (colour != kInvalidColour) img.setPixel(kEqGraphAt.x + kEqGraphCurveLeft + x, kEqGraphAt.y + r, colour);
        }
        last = y;
    }
}

void drawEqualiser(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& eq = skin.sheet(Sheet::EqMain);
    blit(img, {0, 0}, eq, kEqBackground);
    blit(img, {0, 0}, eq, focusedOn(st, PlayerWindow::Equaliser) ? kEqTitleBarActive : kEqTitleBarInactive);
    if (isHeld(st, PlayerButton::EqClose)) blit(img, kEqCloseButtonAt, eq, kEqCloseButtonPressed);
    if (isHeld(st, PlayerButton::EqShade)) {
        if (skin.has(Sheet::EqEx)) blit(img, kEqShadeButtonAt, skin.sheet(Sheet::EqEx), kEqShadeButtonPressed);
        else blit(img, kEqShadeButtonAt, eq, kEqShadeButtonPressedFallback);
    }
    blit(img, kEqOnButtonAt, eq, eqButtonState(kEqOnButton, st.eqOn, isHeld(st, PlayerButton::EqOn)));
    blit(img, kEqAutoButtonAt, eq, eqButtonState(kEqAutoButton, st.eqAuto, isHeld(st, PlayerButton::EqAuto)));
    blit(img, kEqPresetsButtonAt, eq, isHeld(st, PlayerButton::EqPresets) ? kEqPresetsButtonPressed : kEqPresetsButton);
    drawEqGraph(img, eq, st);
    auto slider = [&](Point at, int value, bool held) {
        blit(img, at, eq, eqSliderFrame(eqFrameFor(value)));
        blit(img, offset(at, kEqThumbInset, eqThumbOffset(value)), eq, held ? kEqSliderThumbPressed : kEqSliderThumb);
    };
    slider(kEqPreampAt, st.preamp, isHeld(st, PlayerButton::EqPreamp));
    for (int b = 0; b < kEqBandCount; ++b) slider(eqBandAt(b), st.bands[std::size_t(b)], isHeld(st, eqBandButton(b)));
}

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

void drawMainShaded(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& titleBar = skin.sheet(Sheet::TitleBar);
    blit(img, {0, 0}, titleBar, focusedOn(st, PlayerWindow::Main) ? kShadeBarActive : kShadeBarInactive);
    if (isHeld(st, PlayerButton::Options)) blit(img, kOptionsButtonAt, titleBar, kOptionsButtonPressed);
    if (isHeld(st, PlayerButton::Minimise)) blit(img, kMinimiseButtonAt, titleBar, kMinimiseButtonPressed);
    if (isHeld(st, PlayerButton::Shade)) blit(img, kShadeButtonAt, titleBar, kUnshadeButtonPressed);
    if (isHeld(st, PlayerButton::Close)) blit(img, kCloseButtonAt, titleBar, kCloseButtonPressed);
    if (st.play == PlayState::Stopped) return;
    blit(img, kShadePositionBarAt, titleBar, kShadePositionBar);
    const int p = roundHalfUp(std::clamp(st.position, 0.0, 1.0) * kShadePositionTravel);
    blit(img, offset(kShadePositionBarAt, p, 0), titleBar,
         shadeThumbFace(p, kShadePositionTravel, kShadePositionThumbLeft, kShadePositionThumb, kShadePositionThumbRight));
    const int t = std::min(99 * 60 + 59, std::max(0, st.seconds));
    const char glyphs[5] = {st.countingDown ? '-' : ' ', char('0' + t / 600), char('0' + t / 60 % 10), char('0' + t % 60 / 10),
                            char('0' + t % 10)};
    for (std::size_t k = 0; k < kShadeTimeColumns.size(); ++k)
        drawGlyphs(img, skin.sheet(Sheet::Text), kShadeTimeColumns[k], kShadeTimeRow, std::string(1, glyphs[k]), img.bounds());
}

void drawEqualiserShaded(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& ex = skin.sheet(Sheet::EqEx);
    blit(img, {0, 0}, ex, focusedOn(st, PlayerWindow::Equaliser) ? kEqShadeBarActive : kEqShadeBarInactive);
    const int v = roundHalfUp(clampInt(st.volume, 0, 100) * kEqShadeVolumeTravel / 100.0);
    blit(img, offset(kEqShadeVolumeAt, v, 0), ex,
         shadeThumbFace(v, kEqShadeVolumeTravel, kEqShadeVolumeThumbLeft, kEqShadeVolumeThumb, kEqShadeVolumeThumbRight));
    const int b = roundHalfUp((clampInt(st.balance, -100, 100) + 100) * kEqShadeBalanceTravel / 200.0);
    blit(img, offset(kEqShadeBalanceAt, b, 0), ex,
         shadeThumbFace(b, kEqShadeBalanceTravel, kEqShadeBalanceThumbLeft, kEqShadeBalanceThumb, kEqShadeBalanceThumbRight));
    if (isHeld(st, PlayerButton::EqShade)) blit(img, kEqShadeButtonAt, ex, kEqUnshadeButtonPressed);
    if (isHeld(st, PlayerButton::EqClose)) blit(img, kEqCloseButtonAt, ex, kEqShadeCloseButtonPressed);
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
}

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

int effectiveZoom(const PlayerState& state, int zoom) { return std::max(1, zoom) * (state.doubleSize ? 2 : 1); }

} // namespace

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
    return scaledBy(renderAtOne(skin, window, state, text), effectiveZoom(state, zoom));
}

Image renderPlayer(const ClassicSkin& skin, const PlayerState& state, const std::vector<PlayerWindow>& windows, int zoom,
                   TextRasteriser* text) {
    int width = 0, height = 0;
    for (PlayerWindow w : windows) {
        width = std::max(width, windowSize(w, state).width);
        height += windowSize(w, state).height;
    }
    Image stack(width, height);
    stack.fill(stack.bounds(), kBlack);
    int y = 0;
    for (PlayerWindow w : windows) {
        const Image one = renderAtOne(skin, w, state, text);
        blit(stack, {0, y}, one, one.bounds());
        y += one.height();
    }
    return scaledBy(stack, effectiveZoom(state, zoom));
}

} // namespace vk::player
