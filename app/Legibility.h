// How well a made skin reads: its captions and glyphs against the picture
// around them, its bevels against their faces, its text colours against their
// backgrounds, its analyser, peak and oscilloscope colours against the
// visualiser's background.
#pragma once
#include "document/SkinDocument.h"

#include <vector>

namespace vk {

struct LegibilityCount {
    int reached = 0, total = 0;
    void add(bool ok) { reached += ok, ++total; }
};

struct Legibility {
    // Each connected stroke of every stamp's ink, all its pixels at 3:1 against their surroundings.
    LegibilityCount captions;
    // The same, pixel by pixel: how much of the ink shows where a stroke falls short.
    LegibilityCount inkPixels;
    // The seven text-on-background pairs the player draws, at 4.5:1.
    LegibilityCount textColours;
    // The sixteen analyser colours and the peak colour, at 3:1 on winBackColour.
    LegibilityCount visColours;
    // Each bevel pixel the pass shaded, at 1.5:1 against the face it was shaded from.
    LegibilityCount bevels;
    // The oscilloscope's five fixed colours, at 3:1 on winBackColour.
    LegibilityCount scopeColours;
};

// The stamps as the pass noted them (Workbench::setStampLog), read on their
// canvases as they are now; the bevels as it shaded them (Workbench::setBevelLog).
Legibility measureLegibility(const SkinState& state, const std::vector<StampPlacement>& stamps, const std::vector<BevelShade>& bevels);

} // namespace vk
