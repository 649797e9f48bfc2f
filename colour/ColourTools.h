// The colour tools as commands: the nine colour settings with their repaint,
// the three slider restylings and the visualisation colours. Each command
// takes the dialog's answer as an argument; the *Click handlers below ask the
// shared colour dialog first and do nothing when it is cancelled.
#pragma once
#include "app/Workbench.h"

#include <functional>
#include <optional>

namespace vk {

// Throws Error unless the colour is plain RGB (top byte 0), which every
// stored setting and every painted pixel must be.
void requirePlainRgb(TColor colour);

// Stores the colour in its setting, then runs the setting's repaint routine
// (applyTextColours, paintEqSliders or paintPlaylistPreview). A colour that
// is not plain RGB is refused before anything changes.
void setColourSetting(Workbench& bench, ColourSetting setting, TColor colour);
// The routine that a setting's picker runs after storing it.
using RepaintRoutine = void (*)(Workbench&);
RepaintRoutine repaintRoutineFor(ColourSetting setting);

// "Volume and Balance", "Equalizer Sliders", "Play List Slider": solid knobs
// of the colour with a raised bevel (flat while buttonsOnly), copied into the
// window previews. The colour lives only in those pixels.
void changeMainSlider(Workbench& bench, TColor colour);
void changeEqSliders(Workbench& bench, TColor colour);
void changePlSlider(Workbench& bench, TColor colour);

enum class SliderKnobs { MainSlider, EqSliders, PlSlider };
void restyleSlider(Workbench& bench, SliderKnobs knobs, TColor colour);

// The visualisation colour bar (t.visiBar): all seventeen cells from visColours.
void paintVisBar(Workbench& bench);
// The entry (1 ... 17) that a click on row 0 ... 339 of the bar picks: the
// peak colour 17 above row 20, else row / 20.
int visEntryForRow(int row);
// Stores the colour in entry 1 ... 17 and repaints the bar. An entry out of
// range or a colour that is not plain RGB is refused before anything changes.
void setVisColour(Workbench& bench, int entry, TColor colour);

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

// The panel's handlers: ask the dialog, then run the command. They return
// false, having changed nothing, when the dialog is cancelled.
bool colourButtonClick(Workbench& bench, ColourDialog& dialog, ColourSetting setting);
bool sliderButtonClick(Workbench& bench, ColourDialog& dialog, SliderKnobs knobs);
// Any mouse button; x is ignored, y picks the entry.
bool visiBarMouseDown(Workbench& bench, ColourDialog& dialog, int x, int y);

} // namespace vk
