// The colour tools panel's handlers: each asks the one shared colour dialog,
// then runs the workbench's command; a cancelled dialog changes nothing.
#pragma once
#include "app/Workbench.h"

#include <functional>
#include <optional>

namespace vk {

// The one colour dialog that every picker shares. It opens with the last
// colour confirmed in it, black at first, never with the value being changed.
class ColourDialog {
public:
    // Shows the dialog opened on `initial`: the confirmed colour, or nothing
    // when the user cancels.
    using Show = std::function<std::optional<TColor>(TColor initial)>;

    explicit ColourDialog(Show show) : show_(std::move(show)) {}

    // Shows the dialog and remembers a confirmed colour.
    std::optional<TColor> execute();
    TColor lastConfirmed() const { return lastConfirmed_; }

private:
    Show show_;
    TColor lastConfirmed_ = kBlack;
};

// They return false, having changed nothing, when the dialog is cancelled.
bool colourButtonClick(Workbench& bench, ColourDialog& dialog, ColourSetting setting);
bool sliderButtonClick(Workbench& bench, ColourDialog& dialog, SliderKnobs knobs);
// Any mouse button; x is ignored, y picks the entry.
bool visiBarMouseDown(Workbench& bench, ColourDialog& dialog, int x, int y);

} // namespace vk
