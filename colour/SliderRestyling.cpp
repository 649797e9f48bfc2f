// The three knob restylings: solid knobs of one colour with a raised bevel,
// then copied into the window previews. Each repaints the whole knob, so an
// earlier choice leaves no trace.
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "raster/Primitives.h"
#include "format/WindowAreas.h"

namespace vk {

namespace {

using namespace format;

// The volume and balance knob is the template volBut itself; the sheets hold
// it pressed and released side by side.
constexpr Point kVolumeKnobSprites[] = {topLeft(kVolumeThumbPressed), topLeft(kVolumeThumb)};

// Both position knobs of posBar and the column between them.
constexpr Rect kPosBarKnobs{kPositionThumb.left, kPositionThumb.top, kPositionThumbPressed.right, kPositionThumb.bottom};

// A solid block of the colour with a raised bevel on it.
void paintKnob(Image& image, const Rect& r, TColor colour, bool buttonsOnly) {
    image.fill(r, colour);
    raiseFrame(image, buttonsOnly, r);
}

} // namespace

void changeMainSlider(SkinDocument& doc, TColor colour) {
    requirePlainRgb(colour);
    TemplateSet& t = doc.templates;
    const bool flat = doc.state.buttonsOnly;

    paintKnob(t.volBut, t.volBut.bounds(), colour, flat);
    t.posBar.fill(kPosBarKnobs, colour);
    raiseFrame(t.posBar, flat, kPositionThumb);
    raiseFrame(t.posBar, flat, kPositionThumbPressed);
    for (const Point at : kVolumeKnobSprites) {
        pasteImage(t.volumeWindow, at.x, at.y, t.volBut);
        pasteImage(t.balanceWindow, at.x, at.y, t.volBut);
    }
    pasteImage(doc.mainWindow, kVolumeKnobAt.x, kVolumeKnobAt.y, t.volBut);
    pasteImage(doc.mainWindow, kBalanceKnobAt.x, kBalanceKnobAt.y, t.volBut);
}

void changeEqSliders(SkinDocument& doc, TColor colour) {
    requirePlainRgb(colour);
    Image& eq = doc.templates.eqMain;
    const bool flat = doc.state.buttonsOnly;

    // Only the knobs' insides: their outlines keep what they had.
    paintKnob(eq, shrunk(kEqSliderThumb, 1), colour, flat);
    paintKnob(eq, shrunk(kEqSliderThumbPressed, 1), colour, flat);
    eq.copyRect(eqThumbOnSlider(kEqPreampAt), eq, kEqSliderThumb);
    for (int i = 0; i < kEqBandCount; ++i) eq.copyRect(eqThumbOnSlider(eqBandAt(i)), eq, kEqSliderThumb);
}

void changePlSlider(SkinDocument& doc, TColor colour) {
    requirePlainRgb(colour);
    Image& sheet = doc.templates.plEdit;
    const bool flat = doc.state.buttonsOnly;

    paintKnob(sheet, kPlScrollHandle, colour, flat);
    paintKnob(sheet, kPlScrollHandlePressed, colour, flat);
    doc.plShow.copyRect(kPlScrollHandleArea, sheet, kPlScrollHandle);
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
