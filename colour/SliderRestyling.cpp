// The three knob restylings: solid knobs of one colour with a raised bevel,
// then copied into the window previews. Each repaints the whole knob, so an
// earlier choice leaves no trace.
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "raster/Primitives.h"
#include "skin/EqSliderArt.h"
#include "skin/MainWindowGeometry.h"
#include "skin/SharedSprites.h"

namespace vk {

namespace {

// The volume and balance knob is the template volBut itself, 14 x 11; the
// sheets hold it released and pressed side by side.
constexpr Point kVolumeKnobSprites[] = {{0, 422}, {15, 422}};

// Both position knobs of posBar and the column 277 between them.
constexpr Rect kPosBarKnobs{248, 0, 307, 10};
constexpr Rect kPosBarKnob{248, 0, 277, 10};
constexpr Rect kPosBarKnobPressed{278, 0, 307, 10};

// The knob sprites' 9 x 9 insides; their outlines keep what they had.
constexpr Rect kEqKnobInside{1, 165, 10, 174};
constexpr Rect kEqKnobPressedInside{1, 177, 10, 186};

// A solid block of the colour with a raised bevel on it.
void paintKnob(Image& image, const Rect& r, TColor colour, bool buttonsOnly) {
    image.fill(r, colour);
    raiseFrame(image, buttonsOnly, r);
}

} // namespace

void changeMainSlider(SkinDocument& doc, TColor colour) {
    requirePlainRgb(colour);
    TemplateSet& t = doc.t;
    const bool flat = doc.state.buttonsOnly;

    paintKnob(t.volBut, t.volBut.bounds(), colour, flat);
    t.posBar.fill(kPosBarKnobs, colour);
    raiseFrame(t.posBar, flat, kPosBarKnob);
    raiseFrame(t.posBar, flat, kPosBarKnobPressed);
    for (const Point at : kVolumeKnobSprites) {
        pasteImage(t.volumeWindow, at.x, at.y, t.volBut);
        pasteImage(t.balanceWindow, at.x, at.y, t.volBut);
    }
    pasteImage(doc.mainWindow, skin::kVolumeKnobAt.x, skin::kVolumeKnobAt.y, t.volBut);
    pasteImage(doc.mainWindow, skin::kBalanceKnobAt.x, skin::kBalanceKnobAt.y, t.volBut);
}

void changeEqSliders(SkinDocument& doc, TColor colour) {
    using namespace eqSliders;
    requirePlainRgb(colour);
    Image& eq = doc.t.eqMain;
    const bool flat = doc.state.buttonsOnly;

    paintKnob(eq, kEqKnobInside, colour, flat);
    paintKnob(eq, kEqKnobPressedInside, colour, flat);
    eq.copyRect(knobOnSlider(kPreampLeft), eq, kKnobNormal);
    for (int i = 0; i < kBandCount; ++i) eq.copyRect(knobOnSlider(bandLeft(i)), eq, kKnobNormal);
}

void changePlSlider(SkinDocument& doc, TColor colour) {
    requirePlainRgb(colour);
    Image& sheet = doc.t.plEdit;
    const bool flat = doc.state.buttonsOnly;

    paintKnob(sheet, skin::kPlScrollKnobSprite, colour, flat);
    paintKnob(sheet, skin::kPlScrollKnobPressedSprite, colour, flat);
    doc.plShow.copyRect(skin::kPlScrollKnobOnPreview, sheet, skin::kPlScrollKnobSprite);
}

void restyleSlider(SkinDocument& doc, SliderKnobs knobs, TColor colour) {
    switch (knobs) {
    case SliderKnobs::MainSlider: changeMainSlider(doc, colour); return;
    case SliderKnobs::EqSliders: changeEqSliders(doc, colour); return;
    case SliderKnobs::PlSlider: changePlSlider(doc, colour); return;
    }
    throw Error("Unknown slider");
}

} // namespace vk
