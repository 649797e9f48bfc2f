// What the two text files of a skin mean: the 24 visualiser colours of
// viscolor.txt and the playlist colours of plEdit.txt, with the values players
// use when a file or a line is missing.
#pragma once
#include "raster/Colour.h"

#include <array>
#include <string_view>

namespace vk::format {

// --- viscolor.txt: one "R,G,B," line per colour, 24 lines ---------------------------
inline constexpr int kVisColourCount = 24;
inline constexpr int kVisBackground = 0;
inline constexpr int kVisDots = 1;          // at even columns of odd rows of the display
inline constexpr int kVisBarTop = 2;        // the top of a full-height bar ...
inline constexpr int kVisBarBottom = 17;    // ... down to the bottom of every bar
inline constexpr int kVisScopeFirst = 18;   // the oscilloscope's five colours
inline constexpr int kVisScopeLast = 22;
inline constexpr int kVisPeak = 23;
using VisPalette = std::array<TColor, kVisColourCount>;
// The classic base skin's palette: what players use for lines a skin lacks.
inline constexpr VisPalette kDefaultVisPalette{{
    rgb(0, 0, 0), rgb(24, 33, 41), rgb(239, 49, 16), rgb(206, 41, 16),
    rgb(214, 90, 0), rgb(214, 102, 0), rgb(214, 115, 0), rgb(198, 123, 8),
    rgb(222, 165, 24), rgb(214, 181, 33), rgb(189, 222, 41), rgb(148, 222, 33),
    rgb(41, 206, 16), rgb(50, 190, 16), rgb(57, 181, 16), rgb(49, 156, 8),
    rgb(41, 148, 0), rgb(24, 132, 8), rgb(255, 255, 255), rgb(214, 214, 222),
    rgb(181, 189, 189), rgb(160, 170, 175), rgb(148, 156, 165), rgb(150, 150, 150),
}};

// --- plEdit.txt: an INI file whose [Text] section names the list colours -------------
inline constexpr std::string_view kPlEditSection = "Text";
inline constexpr std::string_view kPlNormalKey = "Normal";
inline constexpr std::string_view kPlCurrentKey = "Current";
inline constexpr std::string_view kPlNormalBgKey = "NormalBG";
inline constexpr std::string_view kPlSelectedBgKey = "SelectedBG";
inline constexpr std::string_view kPlFontKey = "Font";
struct PlaylistColours {
    TColor normal = kPureGreen;
    TColor current = kWhite;
    TColor normalBg = kBlack;
    TColor selectedBg = rgb(0, 0, 255);
};
// What players show when a skin has no plEdit.txt or no [Text] section.
inline constexpr PlaylistColours kDefaultPlaylistColours{};
inline constexpr std::string_view kDefaultPlaylistFont = "Arial";

} // namespace vk::format
