// Text for the playlist preview, drawn by Qt's font engine without smoothing.
#pragma once
#include "raster/TextRasteriser.h"

namespace vk {

class QtTextRasteriser : public TextRasteriser {
public:
    GlyphRun render(const std::string& text, const std::string& fontName, int cellHeight) override;
};

// The program's one Qt rasteriser, for a workbench to draw with; needs a
// QGuiApplication. Qt's font engine is not thread-safe, so batch serialises it.
TextRasteriser* qtTextRasteriser();
// The same when a QGuiApplication runs, else none: a command whose glyphs reach
// no output starts no GUI and draws none.
TextRasteriser* qtTextRasteriserIfRunning();

} // namespace vk
