// Where the player's controls sit in their windows: the renderer draws them
// pressed from here, and the mouse finds them here.
#pragma once
#include "format/MainSprites.h"
#include "player/PlayerState.h"
#include "raster/Rect.h"

#include <vector>

namespace vk::player {

// The transport row of cbuttons.bmp: each button's sprites and where it sits.
struct TransportButton {
    PlayerButton button;
    Rect up, down;
    Point at;
};
inline constexpr TransportButton kTransportButtons[] = {
    {PlayerButton::Previous, format::kPreviousButton, format::kPreviousButtonPressed, format::kPreviousButtonAt},
    {PlayerButton::Play, format::kPlayButton, format::kPlayButtonPressed, format::kPlayButtonAt},
    {PlayerButton::Pause, format::kPauseButton, format::kPauseButtonPressed, format::kPauseButtonAt},
    {PlayerButton::Stop, format::kStopButton, format::kStopButtonPressed, format::kStopButtonAt},
    {PlayerButton::Next, format::kNextButton, format::kNextButtonPressed, format::kNextButtonAt},
    {PlayerButton::Eject, format::kEjectButton, format::kEjectButtonPressed, format::kEjectButtonAt},
};

struct Control {
    PlayerButton button;
    Rect area;  // window pixels at 1x
};

// A window's controls, the first of overlapping ones taking the mouse.
std::vector<Control> controlsOf(PlayerWindow window, const PlayerState& state);

// Sliders follow the pointer while held; buttons act when let go over them.
bool isSlider(PlayerButton button);

} // namespace vk::player
