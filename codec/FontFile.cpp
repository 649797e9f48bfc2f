#include "codec/FontFile.h"

#include "raster/Utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vk::codec {

namespace {

std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) points.push_back(nextCodePoint(text, i));
    return points;
}

constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_MONO;

class FontFileRasteriser final : public TextRasteriser {
public:
    FontFileRasteriser(FT_Library library, FT_Face face) : library_(library), face_(face) {
        // The cell's metrics as the system's text drawing takes them: the
        // OS/2 table's Windows (or, when it says so, typographic) ascent and
        // descent, else the horizontal header's.
        ascentUnits_ = face->ascender;
        descentUnits_ = -face->descender;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
            constexpr FT_UShort kUseTypoMetrics = 0x80;
            if ((os2->fsSelection & kUseTypoMetrics) && (os2->sTypoAscender || os2->sTypoDescender)) {
                ascentUnits_ = os2->sTypoAscender;
                descentUnits_ = -os2->sTypoDescender;
            } else if (os2->usWinAscent || os2->usWinDescent) {
                ascentUnits_ = os2->usWinAscent;
                descentUnits_ = os2->usWinDescent;
            }
        }
    }
    ~FontFileRasteriser() override {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FontFileRasteriser(const FontFileRasteriser&) = delete;
    FontFileRasteriser& operator=(const FontFileRasteriser&) = delete;

    GlyphRun render(const std::string& text, const std::string&, int cellHeight) override {
        GlyphRun run;
        run.height = cellHeight;
        struct Placed {
            const Glyph* glyph;
            FT_Pos x;
        };
        std::vector<Placed> line;
        FT_Pos pen = 0;
        for (const char32_t point : codePoints(text)) {
            const Glyph& glyph = glyphAt(FT_Get_Char_Index(face_, point), cellHeight);
            line.push_back({&glyph, pen});
            pen += glyph.advance;
        }
        run.width = int((pen + 32) >> 6);
        run.ink.assign(std::size_t(run.width) * std::size_t(run.height), 0);
        for (const Placed& placed : line) {
            const Glyph& glyph = *placed.glyph;
            const int left = int((placed.x + 32) >> 6) + glyph.left;
            for (int row = 0; row < glyph.rows; ++row)
                for (int column = 0; column < glyph.width; ++column) {
                    const int x = left + column, y = glyph.top + row;
                    if (glyph.ink[std::size_t(row * glyph.width + column)] && x >= 0 && x < run.width && y >= 0 &&
                        y < run.height)
                        run.ink[std::size_t(y) * std::size_t(run.width) + std::size_t(x)] = 1;
                }
        }
        return run;
    }

private:
    // One glyph drawn for one cell height: its advance, and its ink placed
    // from the pen (left) and the cell's top.
    struct Glyph {
        FT_Pos advance = 0;
        int left = 0, top = 0, width = 0, rows = 0;
        std::vector<std::uint8_t> ink;
    };

    // Hinting and rasterising a glyph costs far more than placing it; the
    // playlist draws the same few dozen glyphs over and over.
    const Glyph& glyphAt(FT_UInt index, int cellHeight) {
        const std::uint64_t key = (std::uint64_t(std::uint32_t(cellHeight)) << 32) | index;
        if (const auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
        Glyph& glyph = glyphs_[key];
        const int ascent = sizeForCell(cellHeight);
        if (FT_Load_Glyph(face_, index, kLoadFlags) != 0) return glyph;
        glyph.advance = face_->glyph->advance.x;
        if (FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_MONO) != 0) return glyph;
        const FT_Bitmap& bitmap = face_->glyph->bitmap;
        glyph.left = face_->glyph->bitmap_left;
        glyph.top = ascent - face_->glyph->bitmap_top;
        glyph.width = int(bitmap.width);
        glyph.rows = int(bitmap.rows);
        glyph.ink.resize(std::size_t(glyph.width) * std::size_t(glyph.rows));
        for (int row = 0; row < glyph.rows; ++row)
            for (int column = 0; column < glyph.width; ++column)
                glyph.ink[std::size_t(row * glyph.width + column)] =
                    (bitmap.buffer[std::ptrdiff_t(row) * bitmap.pitch + column / 8] >> (7 - column % 8)) & 1;
        return glyph;
    }

    // Sets the largest pixel size whose ascent plus descent fits the cell, as a
    // positive font height asks for; returns the ascent in pixels.
    int sizeForCell(int cellHeight) {
        if (cellHeight == cellHeight_) return ascent_;
        int pixelSize = cellHeight;
        for (; pixelSize > 1; --pixelSize)
            if (scaled(ascentUnits_, pixelSize) + scaled(descentUnits_, pixelSize) <= cellHeight) break;
        pixelSize = std::max(pixelSize, 1);
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize));
        cellHeight_ = cellHeight;
        ascent_ = scaled(ascentUnits_, pixelSize);
        return ascent_;
    }
    // Font units at a pixel size, to the nearest pixel.
    int scaled(long units, int pixelSize) const {
        return int((2 * units * pixelSize + face_->units_per_EM) / (2 * long(face_->units_per_EM)));
    }

    FT_Library library_;
    FT_Face face_;
    std::unordered_map<std::uint64_t, Glyph> glyphs_;
    long ascentUnits_ = 0, descentUnits_ = 0;
    int cellHeight_ = 0;
    int ascent_ = 0;
};

} // namespace

std::unique_ptr<TextRasteriser> openFontFile(const std::string& path) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0 || !FT_IS_SCALABLE(face)) {
        if (face) FT_Done_Face(face);
        FT_Done_FreeType(library);
        return nullptr;
    }
    return std::make_unique<FontFileRasteriser>(library, face);
}

} // namespace vk::codec
