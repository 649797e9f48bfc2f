// The nine colour settings: a checked store; the workbench runs the repaint.
#include "colour/ColourTools.h"
#include "raster/Error.h"

#include <cstdio>

namespace vk {

void requirePlainRgb(TColor colour) {
    if (colour <= 0xFFFFFF) return;
    char text[64];
    std::snprintf(text, sizeof text, "Colour 0x%08X is not a plain RGB value", unsigned(colour));
    throw Error(text);
}

void setColourSetting(SkinDocument& doc, ColourSetting setting, TColor colour) {
    requirePlainRgb(colour);
    for (const ColourSettingInfo& info : colourSettings())
        if (info.setting == setting) doc.state.*info.field = colour;
}

} // namespace vk
