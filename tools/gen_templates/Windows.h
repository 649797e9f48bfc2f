// The three player windows in the templates' default look: the default
// picture with white and black bevels, display areas in the starting window
// colours and the template captions. The output sheets cut their sprites
// from these at the places where the players show them, so sprites and
// window backgrounds meet without seams.
#pragma once
#include "raster/Image.h"

namespace vk::gen {

struct DefaultWindows {
    // Each window in three states: `shade` has only its title buttons
    // bevelled (the shaded bars are cut from it), `plain` is framed with its
    // wells sunk but carries no button art (pressed buttons are cut from
    // it), and the finished window carries everything.
    Image mainShade, mainPlain, main;
    Image eqShade, eqPlain, eq;
    Image plShade, plPlain, pl;
};

const DefaultWindows& defaultWindows();

// The equaliser's response graph background, 113 x 19.
Image graphBackground();

// The colour of a slider level from 0 (quiet, green) to `top` (loud, red),
// along the default analyser colours.
TColor levelColour(int level, int top);

} // namespace vk::gen
