// Colour tools not yet written; replaced by their own files.
#include "colour/ColourTools.h"

namespace vk {
void setColourSetting(Workbench& bench, ColourSetting setting, TColor colour) {
    for (const auto& info : colourSettings())
        if (info.setting == setting) bench.state.*info.field = colour;
}
void changeMainSlider(Workbench&, TColor) {}
void changeEqSliders(Workbench&, TColor) {}
void changePlSlider(Workbench&, TColor) {}
void paintVisBar(Workbench&) {}
int visEntryForRow(int row) { return row < 20 ? 17 : row / 20; }
void setVisColour(Workbench& bench, int entry, TColor colour) { bench.state.visColour(entry) = colour; }
} // namespace vk
