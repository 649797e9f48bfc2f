// Glyphs straight from one font file through FreeType, with no font database
// and no scan of the system's fonts: the playlist's text in the window and on
// the command line alike.
#pragma once
#include "raster/TextRasteriser.h"

#include <memory>
#include <string>

namespace vk::codec {

// A rasteriser that draws every face name from the file's first face: hinted
// for one-bit ink, the largest pixel size whose whole cell (ascent + descent)
// fits the cell height, the baseline at the ascent, and no kerning (the
// player's own text drawing kerns none). None when the file is no font.
// One line at a time: callers that share it between threads serialise it.
std::unique_ptr<TextRasteriser> openFontFile(const std::string& path);

} // namespace vk::codec
