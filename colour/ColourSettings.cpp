// The nine colour pickers: store the colour, then repaint its group.
#include "colour/ColourTools.h"
#include "raster/Error.h"
#include "skin/MakeSkin.h"

#include <cstdio>

namespace vk {

void requirePlainRgb(TColor colour) {
    if (colour <= 0xFFFFFF) return;
    char text[64];
    std::snprintf(text, sizeof text, "Colour 0x%08X is not a plain RGB value", unsigned(colour));
    throw Error(text);
}

RepaintRoutine repaintRoutineFor(ColourSetting setting) {
    switch (setting) {
    case ColourSetting::winBackColour:
    case ColourSetting::winTextColour: return &skin::applyTextColours;
    case ColourSetting::plNormalBgColour:
    case ColourSetting::plNormalColour:
    case ColourSetting::plCurrentColour:
    case ColourSetting::plSelectedBgColour: return &skin::paintPlaylistPreview;
    case ColourSetting::eqBackColour:
    case ColourSetting::eqForeColour:
    case ColourSetting::eqHighlightColour: return &skin::paintEqSliders;
    }
    throw Error("Unknown colour setting");
}

void setColourSetting(SkinDocument& doc, ColourSetting setting, TColor colour) {
    requirePlainRgb(colour);
    const RepaintRoutine repaint = repaintRoutineFor(setting);
    for (const ColourSettingInfo& info : colourSettings())
        if (info.setting == setting) doc.state.*info.field = colour;
    repaint(doc);
}

} // namespace vk
