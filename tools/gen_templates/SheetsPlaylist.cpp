// The playlist editor's output sheet: frame pieces, shaded bar, buttons,
// scroll-bar knobs and the pop-up menu items.
#include "Art.h"
#include "Templates.h"
#include "Windows.h"

#include "raster/Primitives.h"

#include <string>
#include <vector>

namespace vk::gen {

namespace {

constexpr bool kShade = false;

// The 8 x 18 scroll-bar knob with a grip of three ridges across it.
void scrollKnob(Image& sheet, int x, int y, Relief relief) {
    drawKnob(sheet, {x, y, x + 8, y + 18}, relief);
    for (int i = 0; i < 3; ++i)
        for (int gx = x + 2; gx < x + 6; ++gx) {
            sheet.setPixel(gx, y + 6 + 2 * i, rgb(96, 96, 96));
            sheet.setPixel(gx, y + 7 + 2 * i, kWhite);
        }
}

// One item of a pop-up menu, 22 x 18, with a caption of one or two lines.
// Each menu pops up over the window at `windowX`; the item takes the
// picture it covers there as its ground.
struct MenuItem {
    int sheetY, windowY;
    std::vector<std::string> caption;
};
struct Menu {
    int sheetX, windowX;
    int barX, barHeight;
    std::vector<MenuItem> items;
};

void menuItem(Image& sheet, int x, int y, const Point& window, const std::vector<std::string>& caption,
              Relief relief) {
    copyTo(sheet, x, y, firstImage(), {window.x, window.y, window.x + 22, window.y + 18});
    if (relief == Relief::Raised) raiseFrame(sheet, kShade, x, y, x + 22, y + 18);
    else sinkFrame(sheet, kShade, x, y, x + 22, y + 18);
    StampArt art(22, 18);
    art.embossCentred({1, 1, 21, 17}, layoutLines(caption, captionGlyph, 1), relief);
    embossStamp(sheet, kShade, x, y, art.image());
}

void menus(Image& sheet) {
    // Sheet rows 111, 130, 149 and 168 show at window rows 50, 68, 86 and 32
    // of the 116-row playlist.
    const std::vector<Menu> all = {
        {0, 14, 48, 54, {{111, 50, {"ADD", "URL"}}, {130, 68, {"ADD", "DIR"}}, {149, 86, {"ADD", "FILE"}}}},
        {54, 43, 100, 72,
         {{111, 50, {"REM", "ALL"}}, {130, 68, {"CROP"}}, {149, 86, {"REM", "SEL"}}, {168, 32, {"REM", "MISC"}}}},
        {104, 72, 150, 54, {{111, 50, {"INV", "SEL"}}, {130, 68, {"SEL", "ZERO"}}, {149, 86, {"SEL", "ALL"}}}},
        {154, 101, 200, 54, {{111, 50, {"SORT", "LIST"}}, {130, 68, {"FILE", "INFO"}}, {149, 86, {"MISC", "OPTS"}}}},
        {204, 231, 250, 54, {{111, 50, {"NEW", "LIST"}}, {130, 68, {"SAVE", "LIST"}}, {149, 86, {"LOAD", "LIST"}}}},
    };
    for (const Menu& menu : all) {
        for (const MenuItem& item : menu.items) {
            const Point window = {menu.windowX, item.windowY};
            menuItem(sheet, menu.sheetX, item.sheetY, window, item.caption, Relief::Raised);
            menuItem(sheet, menu.sheetX + 23, item.sheetY, window, item.caption, Relief::Pressed);
        }
        // The bar at the menu's left edge, as tall as the menu.
        const int barX = menu.barX, top = 111;
        const int windowTop = 104 - menu.barHeight;
        copyTo(sheet, barX, top, firstImage(), {menu.windowX - 3, windowTop, menu.windowX, windowTop + menu.barHeight});
        raiseFrame(sheet, kShade, barX, top, barX + 3, top + menu.barHeight);
    }
}

} // namespace

Image plEdit() {
    const DefaultWindows& w = defaultWindows();
    Image sheet = gradientImage(280, 186);

    // Title strip pieces, focused (row 0) and unfocused (row 21): left
    // corner, centre title, filler and right corner with its buttons.
    for (int y : {0, 21}) {
        copyTo(sheet, 0, y, w.pl, {0, 0, 25, 20});
        copyTo(sheet, 26, y, w.pl, {87, 0, 187, 20});
        copyTo(sheet, 127, y, w.pl, {25, 0, 50, 20});
        copyTo(sheet, 153, y, w.pl, {250, 0, 275, 20});
    }
    // Bottom filler and the visualisation piece with its display.
    copyTo(sheet, 179, 0, w.plPlain, {125, 78, 150, 116});
    copyTo(sheet, 205, 0, w.plPlain, {125, 78, 200, 116});
    sinkFrame(sheet, kShade, 205, 6, 280, 29);
    fillRect(sheet, {206, 7, 279, 28}, kBlack);

    // Side tiles: the list's left edge, and its right edge with the scroll groove.
    copyTo(sheet, 0, 42, w.pl, {0, 49, 25, 78});
    copyTo(sheet, 26, 42, w.pl, {250, 49, 275, 78});

    // Pressed close and shade buttons (the shade button twice: for the
    // window and for the shaded bar).
    copyTo(sheet, 52, 42, w.pl, {264, 3, 273, 12});
    sinkFrame(sheet, kShade, 52, 42, 61, 51);
    for (int x : {62, 150}) {
        copyTo(sheet, x, 42, w.pl, {255, 3, 264, 12});
        sinkFrame(sheet, kShade, x, 42, x + 9, 45);
    }

    // Scroll-bar knob at rest and dragged.
    scrollKnob(sheet, 52, 53, Relief::Raised);
    scrollKnob(sheet, 61, 53, Relief::Pressed);

    // The shaded bar: left end, middle tile, right end with its grip and
    // buttons (focused and unfocused), outlined in black.
    copyTo(sheet, 72, 42, w.plShade, {0, 0, 25, 14});
    copyTo(sheet, 72, 57, w.plShade, {25, 0, 50, 14});
    for (int y : {42, 57}) {
        copyTo(sheet, 99, y, w.plShade, {225, 0, 275, 14});
        embossStamp(sheet, kShade, 121, y + 3, puller());
    }
    sheet.setPen(kBlack);
    sheet.setBrush(kBlack, BrushStyle::Clear);
    sheet.rectangle(72, 42, 149, 56);
    sheet.rectangle(71, 57, 149, 71);

    // Bottom corners: the menu buttons on the left; the list options
    // button, time displays, transport symbols and resize grip on the right.
    copyTo(sheet, 0, 72, w.pl, {0, 78, 125, 116});
    copyTo(sheet, 126, 72, w.pl, {125, 78, 275, 116});

    menus(sheet);
    return sheet;
}

} // namespace vk::gen
