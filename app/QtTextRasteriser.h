// Text for the playlist preview, drawn by Qt's font engine without smoothing.
#pragma once
#include "raster/TextRasteriser.h"

namespace vk {

class QtTextRasteriser : public TextRasteriser {
public:
    GlyphRun render(const std::string& text, const std::string& fontName, int cellHeight) override;
};

// Installs one Qt rasteriser for every canvas; needs a QGuiApplication.
void installQtTextRasteriser();

} // namespace vk
