// The colour tools as commands: the nine colour settings with their repaint,
// the three slider restylings and the visualisation colours.
#pragma once
#include "app/Workbench.h"

namespace vk {

// Stores the colour in its setting, then runs the setting's repaint routine.
void setColourSetting(Workbench& bench, ColourSetting setting, TColor colour);

// "Volume and Balance", "Equalizer Sliders", "Play List Slider".
void changeMainSlider(Workbench& bench, TColor colour);
void changeEqSliders(Workbench& bench, TColor colour);
void changePlSlider(Workbench& bench, TColor colour);

// The visualisation colour bar.
void paintVisBar(Workbench& bench);
// The entry (1 ... 17) that a click on a row of the bar picks.
int visEntryForRow(int row);
// Stores the colour in entry 1 ... 17 and repaints the bar.
void setVisColour(Workbench& bench, int entry, TColor colour);

} // namespace vk
