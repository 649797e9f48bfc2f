// The narrow interface through which text reaches a canvas: a rasteriser turns a
// line of text into glyph coverage; the canvas decides the colours.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vk {

struct GlyphRun {
    int width = 0;   // advance of the whole line in pixels
    int height = 0;  // the cell height
    std::vector<std::uint8_t> ink;  // width * height, row-major; non-zero = glyph pixel

    bool inkAt(int x, int y) const { return ink[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0; }
};

class TextRasteriser {
public:
    virtual ~TextRasteriser() = default;
    virtual GlyphRun render(const std::string& text, const std::string& fontName, int cellHeight) = 0;
};

} // namespace vk
