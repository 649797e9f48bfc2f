// The main window, full and shaded.
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

} // namespace

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

void drawMainShaded(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& titleBar = skin.sheet(Sheet::TitleBar);
    const bool active = focusedOn(st, PlayerWindow::Main);
    blit(img, {0, 0}, titleBar, active ? kShadeBarActive : kShadeBarInactive);
    if (isHeld(st, PlayerButton::Options)) blit(img, kOptionsButtonAt, titleBar, kOptionsButtonPressed);
    if (isHeld(st, PlayerButton::Minimise)) blit(img, kMinimiseButtonAt, titleBar, kMinimiseButtonPressed);
    // The unshade face shows on the focused strip only; an inactive strip keeps its own pixels.
    if (isHeld(st, PlayerButton::Shade)) blit(img, kShadeButtonAt, titleBar, kUnshadeButtonPressed);
    else if (active) blit(img, kShadeButtonAt, titleBar, kUnshadeButton);
    if (isHeld(st, PlayerButton::Close)) blit(img, kCloseButtonAt, titleBar, kCloseButtonPressed);
    // The bar stands when stopped too; only the thumb and the digits need a track.
    blit(img, kShadePositionBarAt, titleBar, kShadePositionBar);
    const bool stopped = st.play == PlayState::Stopped;
    if (!stopped) {
        const double position = std::clamp(st.position, 0.0, 1.0);
        const int p = roundHalfUp(position * kShadePositionTravel);
        blit(img, offset(kShadePositionBarAt, p, 0), titleBar,
             shadePositionThumbFace(position, kShadePositionThumbLeft, kShadePositionThumb, kShadePositionThumbRight));
    }
    const int t = std::min(99 * 60 + 59, std::max(0, st.seconds));
    const char glyphs[5] = {st.countingDown ? '-' : ' ', char('0' + t / 600), char('0' + t / 60 % 10), char('0' + t % 60 / 10),
                            char('0' + t % 10)};
    // Stopped, the five places show blank glyphs.
    for (std::size_t k = 0; k < kShadeTimeColumns.size(); ++k)
        drawGlyphs(img, skin.sheet(Sheet::Text), kShadeTimeColumns[k], kShadeTimeRow, std::string(1, stopped ? ' ' : glyphs[k]), img.bounds());
}


} // namespace vk::player
