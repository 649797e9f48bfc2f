// The colour tools as commands on a made skin: the nine colour settings, the
// three slider restylings and the visualisation colours. Each takes the
// colour the dialog answered as an argument.
#pragma once
#include "document/SkinDocument.h"


namespace vk {

// Throws Error unless the colour is plain RGB (top byte 0), which every
// stored setting and every painted pixel must be.
void requirePlainRgb(TColor colour);

// Stores the colour in its setting and paints nothing: the repaint is the
// MakeSkin pass's, which lies beside this layer (Workbench::setColour runs
// both). A colour that is not plain RGB is refused before anything changes.
void setColourSetting(SkinDocument& doc, ColourSetting setting, TColor colour);

// "Volume and Balance", "Equalizer Sliders", "Play List Slider": solid knobs
// of the colour with a raised bevel (flat while buttonsOnly), copied into the
// window previews. The colour lives only in those pixels.
void changeMainSlider(SkinDocument& doc, TColor colour);
void changeEqSliders(SkinDocument& doc, TColor colour);
void changePlSlider(SkinDocument& doc, TColor colour);

void restyleSlider(SkinDocument& doc, SliderKnobs knobs, TColor colour);

// The visualisation colour bar (t.visiBar): all seventeen cells from visColours.
void paintVisBar(SkinDocument& doc);
// The entry (1 ... 17) that a click on row 0 ... 339 of the bar picks: the
// peak colour 17 above row 20, else row / 20.
int visEntryForRow(int row);
// Stores the colour in entry 1 ... 17 and repaints the bar. An entry out of
// range or a colour that is not plain RGB is refused before anything changes.
void setVisColour(SkinDocument& doc, int entry, TColor colour);

} // namespace vk
