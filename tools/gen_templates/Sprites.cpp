// Sprites pasted whole (the knobs and the equaliser slider strip), the
// default picture and the visualisation colour bar.
#include "Art.h"
#include "Templates.h"

#include "raster/Primitives.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vk::gen {

namespace {

// Knob art in greys, one letter a pixel: W white, l light, g grey, d dark,
// K black.
TColor knobColour(char c) {
    switch (c) {
    case 'W': return kWhite;
    case 'l': return rgb(224, 224, 224);
    case 'g': return rgb(192, 192, 192);
    case 'd': return rgb(96, 96, 96);
    default: return kBlack;
    }
}

Image knobArt(const std::vector<std::string>& rows) {
    for (const std::string& row : rows)
        if (row.size() != rows.front().size()) throw std::logic_error("knob art rows differ in length: " + row);
    Image image(int(rows.front().size()), int(rows.size()), 24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, knobColour(rows[std::size_t(y)][std::size_t(x)]));
    return image;
}

} // namespace

Image volBut() {
    return knobArt({
        "WWWWWWWWWWWWWK",
        "WgggggggggggdK",
        "WgggggggggggdK",
        "WgggdWdWdWggdK",
        "WgggdWdWdWggdK",
        "WgggdWdWdWggdK",
        "WgggdWdWdWggdK",
        "WgggdWdWdWggdK",
        "WgggggggggggdK",
        "WddddddddddddK",
        "KKKKKKKKKKKKKK",
    });
}

// The knob while it is dragged: lighter, and sunk.
Image volButPressed() {
    return knobArt({
        "KKKKKKKKKKKKKK",
        "KddddddddddddW",
        "KdlllllllllllW",
        "KdlldWdWdWlllW",
        "KdlldWdWdWlllW",
        "KdlldWdWdWlllW",
        "KdlldWdWdWlllW",
        "KdlldWdWdWlllW",
        "KdlllllllllllW",
        "KdlllllllllllW",
        "WWWWWWWWWWWWWW",
    });
}

Image eqKnob(bool pressed) {
    if (pressed)
        return knobArt({
            "KKKKKKKKKKK",
            "KdddddddddK",
            "KdlllllllWK",
            "KdldddddlWK",
            "KdlWWWWWlWK",
            "KdldddddlWK",
            "KdlWWWWWlWK",
            "KdldddddlWK",
            "KdlWWWWWlWK",
            "KWWWWWWWWWK",
            "KKKKKKKKKKK",
        });
    return knobArt({
        "KKKKKKKKKKK",
        "KWWWWWWWWdK",
        "KWgggggggdK",
        "KWgdddddgdK",
        "KWgWWWWWgdK",
        "KWgdddddgdK",
        "KWgWWWWWgdK",
        "KWgdddddgdK",
        "KWgWWWWWgdK",
        "KdddddddddK",
        "KKKKKKKKKKK",
    });
}

// The knob of the shaded equaliser's two small sliders.
Image eqShadeThumb() {
    return knobArt({"WWd", "Wgd", "Wgd", "Wgd", "Wgd", "Wgd", "ddd"});
}

Image exampleSlider() {
    // As the equaliser colours paint it with their defaults: black ground,
    // a 33-row level bar in pure green with dark green ticks over it; and the
    // window's knob where the equaliser shows it, one column in from the left.
    Image slider(14, 63, 24);
    fillRect(slider, slider.bounds(), kBlack);
    fillRect(slider, {5, 28, 9, 61}, kPureGreen);
    drawTickLadder(slider, 5, 3, kDarkGreen);
    put(slider, 1, 25, eqKnob(false));
    return slider;
}

Image firstImage() { return gradientImage(275, 116); }

Image visiBar() {
    Image bar(20, 340, 24);
    fillRect(bar, bar.bounds(), kSilver);
    return bar;
}

} // namespace vk::gen
