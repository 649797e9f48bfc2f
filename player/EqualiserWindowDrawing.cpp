// The equaliser window, full and shaded, with its graph.
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

} // namespace

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

void drawEqualiserShaded(Image& img, const ClassicSkin& skin, const PlayerState& st) {
    const Image& ex = skin.sheet(Sheet::EqEx);
    blit(img, {0, 0}, ex, focusedOn(st, PlayerWindow::Equaliser) ? kEqShadeBarActive : kEqShadeBarInactive);
    const int v = roundHalfUp(clampInt(st.volume, 0, 100) * kEqShadeVolumeTravel / 100.0);
    blit(img, offset(kEqShadeVolumeAt, v, 0), ex,
         eqShadeThumbFace(st.volume, 0, 100, kEqShadeVolumeThumbLeft, kEqShadeVolumeThumb, kEqShadeVolumeThumbRight));
    const int b = roundHalfUp((clampInt(st.balance, -100, 100) + 100) * kEqShadeBalanceTravel / 200.0);
    blit(img, offset(kEqShadeBalanceAt, b, 0), ex,
         eqShadeThumbFace(st.balance, -100, 100, kEqShadeBalanceThumbLeft, kEqShadeBalanceThumb, kEqShadeBalanceThumbRight));
    if (isHeld(st, PlayerButton::EqShade)) blit(img, kEqShadeButtonAt, ex, kEqUnshadeButtonPressed);
    if (isHeld(st, PlayerButton::EqClose)) blit(img, kEqCloseButtonAt, ex, kEqShadeCloseButtonPressed);
}


} // namespace vk::player
