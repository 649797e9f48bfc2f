#include "app/GlyphFont.h"

#include "codec/FontFile.h"

#include <memory>

#include <unistd.h>

namespace vk {

const char* glyphFontFile() {
    static const bool readable = *VK_GLYPH_FONT_FILE && ::access(VK_GLYPH_FONT_FILE, R_OK) == 0;
    return readable ? VK_GLYPH_FONT_FILE : nullptr;
}

TextRasteriser* glyphFontRasteriser() {
    static const std::unique_ptr<TextRasteriser> face = glyphFontFile() ? codec::openFontFile(glyphFontFile()) : nullptr;
    return face.get();
}

} // namespace vk
