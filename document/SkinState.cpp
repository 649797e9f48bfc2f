#include "document/SkinState.h"

namespace vk {

const std::array<ColourSettingInfo, 9>& colourSettings() {
    using C = ColourSetting;
    using S = SkinState;
    static const std::array<ColourSettingInfo, 9> table = {{
        {C::winBackColour, "winBackColour", "Window Background", &S::winBackColour},
        {C::winTextColour, "winTextColour", "Text Color", &S::winTextColour},
        {C::plNormalColour, "plNormalColour", "Normal Song Title", &S::plNormalColour},
        {C::plCurrentColour, "plCurrentColour", "Current Song Title", &S::plCurrentColour},
        {C::plNormalBgColour, "plNormalBgColour", "Normal Background", &S::plNormalBgColour},
        {C::plSelectedBgColour, "plSelectedBgColour", "Selected Background", &S::plSelectedBgColour},
        {C::eqBackColour, "eqBackColour", "Equalizer Background", &S::eqBackColour},
        {C::eqForeColour, "eqForeColour", "Equalizer Foreground", &S::eqForeColour},
        {C::eqHighlightColour, "eqHighlightColour", "Equalizer Highlight", &S::eqHighlightColour},
    }};
    return table;
}

const ColourSettingInfo* findColourSetting(const std::string& name) {
    for (const auto& info : colourSettings())
        if (name == info.name) return &info;
    return nullptr;
}

} // namespace vk
