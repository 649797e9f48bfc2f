#include "app/Legibility.h"

#include "colour/PictureColours.h"
#include "format/SkinTextFiles.h"
#include "raster/Contrast.h"
#include "raster/LegibleShading.h"

#include <map>
#include <utility>

namespace vk {

namespace {

TColor settingOf(const SkinState& state, ColourSetting setting) {
    for (const ColourSettingInfo& info : colourSettings())
        if (info.setting == setting) return state.*info.field;
    return kBlack;
}

// Strokes: ink pixels joined through any of their eight neighbours.
void countStrokes(const StampPlacement& placed, LegibilityCount& count, LegibilityCount& pixels) {
    const std::vector<InkPixel> ink = stampInk(*placed.canvas, placed.x, placed.y, *placed.stamp);
    std::map<std::pair<int, int>, std::size_t> index;
    for (std::size_t i = 0; i < ink.size(); ++i) index[{ink[i].x, ink[i].y}] = i;
    std::vector<bool> seen(ink.size(), false);
    for (std::size_t first = 0; first < ink.size(); ++first) {
        if (seen[first]) continue;
        bool ok = true;
        std::vector<std::size_t> todo{first};
        seen[first] = true;
        while (!todo.empty()) {
            const InkPixel p = ink[todo.back()];
            todo.pop_back();
            const double l = relativeLuminance(placed.canvas->pixel(p.x, p.y));
            const bool shows = contrastRatio(l, p.surroundings) >= kCaptionContrast;
            pixels.add(shows);
            ok = ok && shows;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (const auto it = index.find({p.x + dx, p.y + dy}); it != index.end() && !seen[it->second]) {
                        seen[it->second] = true;
                        todo.push_back(it->second);
                    }
        }
        count.add(ok);
    }
}

} // namespace

Legibility measureLegibility(const SkinState& state, const std::vector<StampPlacement>& stamps, const std::vector<BevelShade>& bevels) {
    Legibility result;
    for (const StampPlacement& placed : stamps) countStrokes(placed, result.captions, result.inkPixels);
    for (const TextPair& pair : textPairs())
        result.textColours.add(contrastRatio(settingOf(state, pair.text), settingOf(state, pair.back)) >= kTextContrast);
    for (int entry = 1; entry <= kVisColourCount; ++entry)
        result.visColours.add(contrastRatio(state.visColour(entry), state.winBackColour) >= kShapeContrast);
    for (const BevelShade& b : bevels) result.bevels.add(contrastRatio(b.shaded, b.face) >= kBevelContrast);
    // The writer keeps the classic oscilloscope colours whatever the settings.
    for (int i = format::kVisScopeFirst; i <= format::kVisScopeLast; ++i)
        result.scopeColours.add(contrastRatio(format::kDefaultVisPalette[std::size_t(i)], state.winBackColour) >= kShapeContrast);
    return result;
}

} // namespace vk
