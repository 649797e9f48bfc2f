// Everything the classic player shows that is not in the skin: one moment of
// playback, the window toggles and sliders, the playlist and one frame of the
// visualiser. A plain value: a caller changes fields and renders again.
#pragma once
#include "format/EqSprites.h"
#include "format/Geometry.h"
#include "format/PlayerGeometry.h"

#include <array>
#include <string>
#include <vector>

namespace vk::player {

enum class PlayState { Stopped, Playing, Paused };
enum class PlayerWindow { Main, Equaliser, Playlist };

// The one control held down by the mouse, drawn in its pressed state.
enum class PlayerButton {
    None,
    // main window
    Options, Minimise, Shade, Close,
    ClutterO, ClutterA, ClutterI, ClutterD, ClutterV,
    Previous, Play, Pause, Stop, Next, Eject,
    Shuffle, Repeat, EqToggle, PlaylistToggle,
    Volume, Balance, Position,
    // equaliser
    EqOn, EqAuto, EqPresets, EqClose, EqShade, EqPreamp,
    EqBand1, EqBand2, EqBand3, EqBand4, EqBand5, EqBand6, EqBand7, EqBand8, EqBand9, EqBand10,
    // playlist
    PlaylistClose, PlaylistShade, PlaylistScroll,
};
constexpr PlayerButton eqBandButton(int band) { return PlayerButton(int(PlayerButton::EqBand1) + band); }

struct VisFrame {
    enum class Mode { Off, Spectrum, Oscilloscope };
    Mode mode = Mode::Off;
    // Spectrum: bar heights and peak heights, 0 (nothing) to 16 (full).
    std::array<int, format::kVisBarCount> bars{};
    std::array<int, format::kVisBarCount> peaks{};
    // Oscilloscope: one display row (0 top .. 15 bottom) per column.
    std::array<int, format::kVisualiserArea.width()> samples{};
};

// A length as the playlist shows it: minutes, then two digits of seconds ("3:45").
inline std::string clockText(int seconds) {
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

struct PlaylistEntry {
    std::string title;
    int seconds = 0;  // negative: length unknown, none shown
};

struct PlayerState {
    // --- what plays
    PlayState play = PlayState::Playing;
    int seconds = 0;             // elapsed, or remaining when counting down
    bool countingDown = false;   // the minus sign
    std::string title = "vellumKit";
    int titleScroll = 0;         // marquee offset in pixels, for titles too long for the field
    int kbps = 128;
    int khz = 44;
    bool stereo = true;
    double position = 0;         // 0..1 of the track

    // --- the main window's controls
    int volume = 78;             // 0..100
    int balance = 0;             // -100 (left) .. 100 (right)
    bool shuffle = false;
    bool repeat = false;
    bool equaliserOpen = true;   // lights the EQ toggle
    bool playlistOpen = true;    // lights the PL toggle

    // --- the equaliser: 0 is -12 dB, 50 flat, 100 +12 dB
    bool eqOn = true;
    bool eqAuto = false;
    int preamp = 50;
    std::array<int, format::kEqBandCount> bands{50, 50, 50, 50, 50, 50, 50, 50, 50, 50};

    // --- the playlist editor
    std::vector<PlaylistEntry> entries;
    int currentEntry = 0;              // the playing entry, in the Current colour; -1: none
    std::vector<bool> selectedEntries; // by index; missing ones are not selected
    int firstVisibleEntry = 0;
    double scroll = 0;                 // 0..1: where the scroll handle sits
    format::Size playlistSize = format::kPlaylistMinimumSize;  // snapped to the player's steps when drawn

    VisFrame vis;
    PlayerButton held = PlayerButton::None;
    PlayerWindow focused = PlayerWindow::Main;
    bool anyFocused = true;      // false: every title bar inactive
    bool doubleSize = false;     // windows drawn twice as large, the "D" lamp lit
    bool mainShaded = false, equaliserShaded = false, playlistShaded = false;  // shown as their 14-row strips
};

} // namespace vk::player
