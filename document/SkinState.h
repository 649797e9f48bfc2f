// The one record of mutable state: source pictures, the shading flag, the
// nine colour settings and the seventeen visualisation colours.
#pragma once
#include "raster/Image.h"

#include <array>
#include <string>

namespace vk {

struct SourcePictures {
    Image main, equaliser, playlist;
};

inline constexpr int kVisColourCount = 17;

struct SkinState {
    SourcePictures sourcePictures;
    bool buttonsOnly = false;
    TColor winBackColour = 0x000000;
    TColor winTextColour = 0x008000;
    TColor plNormalColour = 0x00FF00;
    TColor plCurrentColour = 0xFF8000;
    TColor plNormalBgColour = 0x000000;
    TColor plSelectedBgColour = 0x422828;
    TColor eqBackColour = 0x000000;
    TColor eqForeColour = 0x008000;
    TColor eqHighlightColour = 0x00FF00;
    // Entries 1 ... 17 live at indices 0 ... 16; use visColour(n) to read by entry.
    std::array<TColor, kVisColourCount> visColours = defaultVisColours();
    std::string startDirectory;

    TColor& visColour(int entry) { return visColours.at(std::size_t(entry - 1)); }
    TColor visColour(int entry) const { return visColours.at(std::size_t(entry - 1)); }

    static constexpr std::array<TColor, kVisColourCount> defaultVisColours() {
        return {0x1031EF, 0x1029CE, 0x005AD6, 0x0066D6, 0x0073D6, 0x087BC6, 0x18A5DE, 0x21B5D6, 0x29DEBD,
                0x21DE94, 0x10CE29, 0x10BE32, 0x10B539, 0x089C31, 0x009429, 0x088418, 0x969696};
    }
};

// The nine colour settings by the names the command line and the panel use.
enum class ColourSetting {
    winBackColour,
    winTextColour,
    plNormalColour,
    plCurrentColour,
    plNormalBgColour,
    plSelectedBgColour,
    eqBackColour,
    eqForeColour,
    eqHighlightColour,
};

struct ColourSettingInfo {
    ColourSetting setting;
    const char* name;     // field name
    const char* caption;  // the picker button's caption
    TColor SkinState::*field;
};

const std::array<ColourSettingInfo, 9>& colourSettings();
const ColourSettingInfo* findColourSetting(const std::string& name);

// The three groups of slider knobs the colour tools restyle, by the short
// names the command line uses.
enum class SliderKnobs { MainSlider, EqSliders, PlSlider };
struct SliderKnobsInfo {
    SliderKnobs knobs;
    const char* name;
};
inline constexpr SliderKnobsInfo kSliderKnobs[] = {
    {SliderKnobs::MainSlider, "main"}, {SliderKnobs::EqSliders, "eq"}, {SliderKnobs::PlSlider, "playlist"}};

} // namespace vk
