#include "app/ColourPanel.h"

#include "colour/ColourTools.h"

namespace vk {

std::optional<TColor> ColourDialog::execute() {
    std::optional<TColor> chosen = show_ ? show_(lastConfirmed_) : std::nullopt;
    if (chosen) {
        requirePlainRgb(*chosen);
        lastConfirmed_ = *chosen;
    }
    return chosen;
}

bool colourButtonClick(Workbench& bench, ColourDialog& dialog, ColourSetting setting) {
    const std::optional<TColor> colour = dialog.execute();
    if (!colour) return false;
    bench.setColour(setting, *colour);
    return true;
}

bool sliderButtonClick(Workbench& bench, ColourDialog& dialog, SliderKnobs knobs) {
    const std::optional<TColor> colour = dialog.execute();
    if (!colour) return false;
    bench.restyleSlider(knobs, *colour);
    return true;
}

bool visiBarMouseDown(Workbench& bench, ColourDialog& dialog, int /*x*/, int y) {
    const std::optional<TColor> colour = dialog.execute();
    if (!colour) return false;
    bench.setVisColour(visEntryForRow(y), *colour);
    return true;
}

} // namespace vk
