#include "player/PlayerControls.h"

#include "format/EqSprites.h"
#include "format/PlayerGeometry.h"
#include "format/PlaylistSprites.h"

namespace vk::player {

using namespace vk::format;

std::vector<Control> controlsOf(PlayerWindow window, const PlayerState& st) {
    std::vector<Control> c;
    switch (window) {
    case PlayerWindow::Main:
        c = {{PlayerButton::Options, placed(kOptionsButtonAt, kOptionsButton)},
             {PlayerButton::Minimise, placed(kMinimiseButtonAt, kMinimiseButton)},
             {PlayerButton::Shade, placed(kShadeButtonAt, kShadeButton)},
             {PlayerButton::Close, placed(kCloseButtonAt, kCloseButton)}};
        for (const TransportButton& t : kTransportButtons) c.push_back({t.button, placed(t.at, t.up)});
        c.insert(c.end(), {{PlayerButton::Shuffle, placed(kShuffleButtonAt, kShuffleButton)},
                           {PlayerButton::Repeat, placed(kRepeatButtonAt, kRepeatButton)},
                           {PlayerButton::EqToggle, placed(kEqToggleAt, kEqToggle)},
                           {PlayerButton::PlaylistToggle, placed(kPlToggleAt, kPlToggle)},
                           {PlayerButton::Volume, placed(kVolumeAt, kVolumeFrame0)},
                           {PlayerButton::Balance, placed(kBalanceAt, kBalanceFrame0)},
                           {PlayerButton::Position, placed(kPositionBarAt, kPositionBar)}});
        for (int letter = 0; letter < kClutterLetterCount; ++letter)
            c.push_back({PlayerButton(int(PlayerButton::ClutterO) + letter), placed(clutterLetterAt(letter), clutterLetterPressed(letter))});
        break;
    case PlayerWindow::Equaliser:
        c = {{PlayerButton::EqOn, placed(kEqOnButtonAt, kEqOnButton)},
             {PlayerButton::EqAuto, placed(kEqAutoButtonAt, kEqAutoButton)},
             {PlayerButton::EqPresets, placed(kEqPresetsButtonAt, kEqPresetsButton)},
             {PlayerButton::EqClose, placed(kEqCloseButtonAt, kEqCloseButton)},
             {PlayerButton::EqShade, placed(kEqShadeButtonAt, kEqShadeButtonPressed)},
             {PlayerButton::EqPreamp, placed(kEqPreampAt, kEqSliderFrame0)}};
        for (int band = 0; band < kEqBandCount; ++band) c.push_back({eqBandButton(band), placed(eqBandAt(band), kEqSliderFrame0)});
        break;
    case PlayerWindow::Playlist: {
        const Size size = snappedPlaylistSize(st.playlistSize);
        const Point groove = plScrollHandleAt(size, 0);
        c = {{PlayerButton::PlaylistClose, placed(plCloseButtonAt(size), kPlCloseButtonPressed)},
             {PlayerButton::PlaylistShade, placed(plShadeButtonAt(size), kPlShadeButtonPressed)},
             {PlayerButton::PlaylistScroll,
              xywh(groove.x, groove.y, kPlScrollHandle.width(), plScrollHandleTravel(size) + kPlScrollHandle.height())}};
        break;
    }
    }
    return c;
}

bool isSlider(PlayerButton b) {
    return b == PlayerButton::Volume || b == PlayerButton::Balance || b == PlayerButton::Position || b == PlayerButton::EqPreamp ||
           b == PlayerButton::PlaylistScroll || (b >= PlayerButton::EqBand1 && b <= PlayerButton::EqBand10);
}

} // namespace vk::player
