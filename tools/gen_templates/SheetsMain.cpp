// The main window's output sheets: title bar, volume, balance, position bar,
// mono/stereo, shuffle/repeat and the transport buttons.
#include "Art.h"
#include "Templates.h"
#include "Windows.h"

#include "raster/Primitives.h"

#include <string>

namespace vk::gen {

namespace {

constexpr bool kShade = false;

// A title button: its place in the window, its released and pressed cells
// in the sheet, and the part of the cell that sinks when pressed (the same
// part that is raised on the window).
struct TitleButton {
    Rect window;
    Point released, pressed;
    Rect sunk;
};

void titleButtons(Image& sheet, const Image& main) {
    const Rect whole = {0, 0, 9, 9}, topBar = {0, 0, 9, 3}, bottomBar = {0, 6, 9, 9};
    const TitleButton buttons[] = {
        {{6, 3, 15, 12}, {0, 0}, {0, 9}, whole},            // menu
        {{244, 3, 253, 12}, {9, 0}, {9, 9}, bottomBar},     // minimise
        {{264, 3, 273, 12}, {18, 0}, {18, 9}, whole},       // close
        {{254, 3, 263, 12}, {0, 18}, {9, 18}, topBar},      // shade
        {{254, 3, 263, 12}, {0, 27}, {9, 27}, topBar},      // unshade, in the shaded window
    };
    for (const TitleButton& b : buttons) {
        copyTo(sheet, b.released.x, b.released.y, main, b.window);
        copyTo(sheet, b.pressed.x, b.pressed.y, main, b.window);
        sinkFrame(sheet, kShade, b.sunk.shifted(b.pressed.x, b.pressed.y));
    }
}

// A caption stamp with no box, centred in a cell of the given size.
Image captionStamp(int width, int height, const std::string& text, Relief relief) {
    StampArt art(width, height);
    art.embossCentred({0, 0, width, height}, layoutText(text, captionGlyph), relief);
    return art.image();
}

// The 28 frames of the volume or balance background, cut from the window,
// each showing its level in the groove (rows 5 and 6 of the frame).
template <typename FillLevel>
Image sliderSheet(int width, const Rect& source, FillLevel fillLevel) {
    Image sheet = gradientImage(width, 433);
    for (int k = 0; k < 28; ++k) {
        // The spare row under each frame continues the picture, so the sheet
        // reads as one strip per step.
        copyTo(sheet, 0, 15 * k, defaultWindows().mainPlain, {source.left, source.top, source.right, source.bottom + 1});
        fillLevel(sheet, k, 15 * k + 5);
    }
    // The knob while dragged, then at rest.
    put(sheet, 0, 422, volButPressed());
    put(sheet, 15, 422, volBut());
    return sheet;
}

// The 29 x 10 position knob: a grey bevelled bar with a grip in the middle.
void positionKnob(Image& sheet, int x, Relief relief) {
    drawKnob(sheet, {x, 0, x + 29, 10}, relief);
    for (int i = 0; i < 3; ++i)
        for (int y = 2; y < 8; ++y) {
            sheet.setPixel(x + 11 + 2 * i, y, rgb(96, 96, 96));
            sheet.setPixel(x + 12 + 2 * i, y, kWhite);
        }
}

} // namespace

Image titleBarImage() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(344, 87);

    // Title strips: focused, unfocused and the two alternates, each showing
    // the title buttons where the players expect them.
    for (int y : {0, 15, 57, 72}) copyTo(sheet, 27, y, w.main, {0, 0, 275, 14});
    // The shaded window, focused and unfocused (the players share row 42):
    // a black outline, the small transport symbols from the playlist strip.
    const Image tools = inDefaultColours(plToolsMask());
    for (int y : {29, 42}) {
        copyTo(sheet, 27, y, w.mainShade, {0, 0, 275, 14});
        copyTo(sheet, 199, y + 4, tools, {0, 1, 55, 8});
    }
    sheet.setPen(kBlack);
    sheet.setBrush(kBlack, BrushStyle::Clear);
    sheet.rectangle(27, 29, 302, 43);
    sheet.rectangle(27, 42, 302, 56);

    titleButtons(sheet, w.main);
    // The shaded window's position bar and its three knobs.
    put(sheet, 0, 36, inDefaultColours(topBitMask()));

    // The O A I D V column: at rest (and its disabled twin), then each
    // letter pressed within its own band of its own column.
    copyTo(sheet, 304, 0, w.main, {10, 22, 18, 65});
    copyTo(sheet, 312, 0, w.main, {10, 22, 18, 65});
    for (int i = 1; i <= 5; ++i) {
        const int x = 296 + 8 * i;
        copyTo(sheet, x, 44, w.mainPlain, {10, 22, 18, 65});
        embossStamp(sheet, kShade, x, 44, choices(i));
    }
    return sheet;
}

Image volumeWindow() {
    // The groove runs over the whole 64 columns of the frame.
    return sliderSheet(68, {107, 57, 175, 71}, [](Image& sheet, int k, int y) {
        fillRect(sheet, {1, y, 1 + k * 62 / 27, y + 2}, levelColour(k, 27));
    });
}

Image balanceWindow() {
    // The groove runs from column 9 to 45; the level spreads from its centre.
    return sliderSheet(47, {168, 57, 215, 71}, [](Image& sheet, int k, int y) {
        if (k == 0) return;
        const int half = k * 17 / 27;
        fillRect(sheet, {27 - half, y, 28 + half, y + 2}, levelColour(k, 27));
    });
}

Image posBar() {
    Image sheet = gradientImage(307, 10);
    copyTo(sheet, 0, 0, defaultWindows().mainPlain, {16, 72, 264, 82});
    sinkFrame(sheet, kShade, 0, 4, 248, 6);
    positionKnob(sheet, 248, Relief::Raised);
    positionKnob(sheet, 278, Relief::Pressed);
    return sheet;
}

Image monoSter() {
    // Stereo on the left of the sheet, mono on the right: lit above, dim below.
    const Image& main = defaultWindows().mainPlain;
    Image sheet = gradientImage(58, 24);
    for (int y : {0, 12}) {
        const Relief relief = y == 0 ? Relief::Raised : Relief::Pressed;
        copyTo(sheet, 0, y, main, {239, 41, 268, 53});
        embossStamp(sheet, kShade, 0, y, captionStamp(29, 12, "STEREO", relief));
        copyTo(sheet, 29, y, main, {212, 41, 241, 53});
        embossStamp(sheet, kShade, 29, y, captionStamp(27, 12, "MONO", relief));
    }
    return sheet;
}

Image shufrep() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(92, 85);
    // Repeat and shuffle: pressed cells from the bare window under the
    // pressed caption, released cells from the captioned window, and the
    // switched-on cells with the released caption once more.
    struct Toggle {
        int x;
        Rect area;
        Image up, down;
    };
    const Toggle toggles[] = {
        {0, {210, 89, 238, 105}, repUpBut(), repDown()},
        {28, {164, 89, 211, 105}, shuffleUpBut(), shuffleDown()},
    };
    for (const Toggle& t : toggles) {
        for (int y : {15, 45}) {
            copyTo(sheet, t.x, y, w.mainPlain, t.area);
            embossStamp(sheet, kShade, t.x, y, t.down);
        }
        const Rect released = {t.area.left, t.area.top, t.area.right, t.area.bottom - 1};
        copyTo(sheet, t.x, 0, w.main, released);
        copyTo(sheet, t.x, 30, w.main, released);
        embossStamp(sheet, kShade, t.x, 30, t.up);
    }
    // The equaliser and playlist window toggles, released and pressed, each twice.
    struct WindowToggle {
        int releasedX, pressedX;
        Rect area;
        Image down;
    };
    const WindowToggle windowToggles[] = {
        {0, 46, {219, 58, 242, 70}, eqButDown()},
        {23, 69, {242, 58, 265, 70}, plButDown()},
    };
    for (const WindowToggle& t : windowToggles)
        for (int y : {61, 73}) {
            copyTo(sheet, t.releasedX, y, w.main, t.area);
            copyTo(sheet, t.pressedX, y, w.mainPlain, t.area);
            embossStamp(sheet, kShade, t.pressedX, y, t.down);
        }
    return sheet;
}

Image cButtons() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(136, 36);
    copyTo(sheet, 0, 0, w.main, {16, 88, 130, 106});
    copyTo(sheet, 114, 0, w.main, {136, 89, 158, 105});
    copyTo(sheet, 0, 18, w.mainPlain, {16, 88, 130, 106});
    embossStamp(sheet, kShade, 0, 18, downButs());
    copyTo(sheet, 114, 16, w.mainPlain, {136, 89, 158, 105});
    embossStamp(sheet, kShade, 114, 16, loadDown());
    return sheet;
}

} // namespace vk::gen
