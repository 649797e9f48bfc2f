// The equaliser's output sheets: the window with its sprites, and the
// shaded equaliser.
#include "Art.h"
#include "Templates.h"
#include "Windows.h"

#include "raster/Primitives.h"

namespace vk::gen {

namespace {

constexpr bool kShade = false;

// The 28 slider frames as the default equaliser colours paint them: black,
// a green level bar 2k rows high (2k - 1 in the second row of frames) and
// dark green ticks over it.
void sliderFrames(Image& sheet) {
    fillRect(sheet, {13, 164, 222, 292}, kBlack);
    for (int i = 0; i < 14; ++i) {
        const int x = 18 + 15 * i;
        fillRect(sheet, {x, 225 - 2 * i, x + 4, 225}, kPureGreen);
        fillRect(sheet, {x, 263 - 2 * i, x + 4, 290}, kPureGreen);
        drawTickLadder(sheet, x, 167, kDarkGreen);
        drawTickLadder(sheet, x, 232, kDarkGreen);
    }
}

// The colours of the response curve, one per graph row: red for the
// strongest boost at the top, through yellow to green at the bottom.
void graphLineColours(Image& sheet) {
    for (int row = 0; row < 19; ++row) sheet.setPixel(115, 294 + row, levelColour(18 - row, 18));
}

// The preamplifier's line across the graph: grey dashes.
void preampLine(Image& sheet) {
    for (int x = 0; x < 113; ++x) sheet.setPixel(x, 314, x % 3 == 2 ? kBlack : rgb(192, 192, 192));
}

} // namespace

Image eqMain() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(275, 315);
    copyTo(sheet, 0, 0, w.eq, {0, 0, 275, 116});

    // Close button, released and pressed.
    copyTo(sheet, 0, 116, w.eq, {264, 3, 273, 12});
    copyTo(sheet, 0, 125, w.eq, {264, 3, 273, 12});
    sinkFrame(sheet, kShade, 0, 125, 9, 134);

    // The on/auto pair: off, on, off pressed, on pressed, 59 pixels apart.
    const Image pairs[] = {offManUp(), onAutoUp(), offManDown(), onAutoDown()};
    for (int i = 0; i < 4; ++i) {
        copyTo(sheet, 10 + 59 * i, 119, w.eqPlain, {14, 18, 72, 30});
        embossStamp(sheet, kShade, 10 + 59 * i, 119, pairs[i]);
    }

    // Title bars, focused and unfocused.
    copyTo(sheet, 0, 134, w.eq, {0, 0, 275, 14});
    copyTo(sheet, 0, 149, w.eq, {0, 0, 275, 14});

    // Slider knob at rest and dragged, and the slider frames.
    put(sheet, 0, 164, eqKnob(false));
    put(sheet, 0, 176, eqKnob(true));
    sliderFrames(sheet);

    // Presets button, released and pressed.
    copyTo(sheet, 224, 164, w.eqPlain, {217, 18, 261, 30});
    embossStamp(sheet, kShade, 224, 164, presetUp());
    copyTo(sheet, 224, 176, w.eqPlain, {217, 18, 261, 30});
    embossStamp(sheet, kShade, 224, 176, presetDown());

    // The response graph: background, curve colours and preamplifier line.
    fillRect(sheet, {0, 294, 113, 314}, kBlack);
    put(sheet, 0, 294, graphBackground());
    graphLineColours(sheet);
    preampLine(sheet);
    return sheet;
}

Image eqEx() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(275, 56);
    // The shaded window, focused and unfocused: the title strip with its
    // buttons, a black outline and the two slider tracks in the window
    // background colour.
    for (int y : {0, 15}) {
        copyTo(sheet, 0, y, w.eqShade, {0, 0, 275, 14});
        sheet.setPen(kBlack);
        sheet.setBrush(kBlack, BrushStyle::Clear);
        sheet.rectangle(0, y, 275, y + 14);
        fillRect(sheet, {61, y + 4, 159, y + 11}, kBlack);
        fillRect(sheet, {163, y + 4, 208, y + 11}, kBlack);
    }
    // The knobs of the two tracks, for the low, middle and high thirds.
    for (int x : {1, 4, 7, 11, 14, 17}) put(sheet, x, 30, eqShadeThumb());
    // Shade and close buttons: released from the bevelled window, pressed
    // from the bare picture with the raised part sunk.
    copyTo(sheet, 0, 38, w.eq, {253, 3, 273, 12});
    copyTo(sheet, 0, 47, firstImage(), {253, 3, 273, 12});
    sinkFrame(sheet, kShade, 11, 47, 20, 56);
    sinkFrame(sheet, kShade, 1, 47, 10, 50);
    return sheet;
}

} // namespace vk::gen
