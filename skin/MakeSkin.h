// MakeSkin: the one pass that turns the laid-out window canvases into the
// skin's sprite sheets, in stages run in a fixed order.
#pragma once
#include "document/SkinDocument.h"

namespace vk::skin {

// Stages 1 to 7 on the document; reads the options at the moment of the call.
// The workflow and the busy cursor around it belong to the workbench.
void makeSkin(SkinDocument& doc);

void enterPass(SkinDocument& doc);             // stage 1: buttonsOnly from the options
void mainFrameAndTitleBar(SkinDocument& doc);  // stage 2
void sliderSheets(SkinDocument& doc);          // stage 3
void buttonSheets(SkinDocument& doc);          // stage 4
void equaliserWindow(SkinDocument& doc);       // stage 5
void playlistEditor(SkinDocument& doc);        // stage 6

// Stage 7's routines, also run by the colour pickers.
void applyTextColours(SkinDocument& doc);
void paintEqSliders(SkinDocument& doc);
void paintPlaylistPreview(SkinDocument& doc);

// The one of them that a colour setting's picker runs after storing it.
using RepaintRoutine = void (*)(SkinDocument&);
RepaintRoutine repaintRoutineFor(ColourSetting setting);

} // namespace vk::skin
