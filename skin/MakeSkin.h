// MakeSkin: the one pass that turns the laid-out window canvases into the
// skin's sprite sheets, in eight stages run in a fixed order.
#pragma once
#include "app/Workbench.h"

namespace vk {

// The whole pass; reads the options at the moment of the call.
void MakeSkinClick(Workbench& bench);

namespace skin {
void enterPass(Workbench& bench);          // stage 1: workflow Made, buttonsOnly
void mainFrameAndTitleBar(Workbench& bench);  // stage 2
void sliderSheets(Workbench& bench);       // stage 3
void buttonSheets(Workbench& bench);       // stage 4
void equaliserWindow(Workbench& bench);    // stage 5
void playlistEditor(Workbench& bench);     // stage 6
} // namespace skin

// Stage 7's routines, also run by the colour pickers.
void applyTextColours(Workbench& bench);
void paintEqSliders(Workbench& bench);
void paintPlaylistPreview(Workbench& bench);

} // namespace vk
