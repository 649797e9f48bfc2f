// The one font file the playlist's "Arial" is drawn from: Arial's metric twin,
// the same glyphs in the window and on the command line on every system.
#pragma once
#include "raster/TextRasteriser.h"

namespace vk {

// The file, when it is there to read; else null.
const char* glyphFontFile();
// The file's rasteriser, opened once; null when there is no file or it is no font.
TextRasteriser* glyphFontRasteriser();

} // namespace vk
