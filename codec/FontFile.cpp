#include "codec/FontFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vk::codec {

namespace {

// Code points of UTF-8 text; a byte that starts no valid sequence is U+FFFD.
std::vector<char32_t> codePoints(const std::string& text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
        char32_t point = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
        bool valid = extra >= 0 && i + std::size_t(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            valid = (next >> 6) == 0x2;
            point = (point << 6) | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        valid = valid && point >= kLeast[extra] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
        points.push_back(valid ? point : U'\uFFFD');
        i += valid ? std::size_t(extra) + 1 : 1;
    }
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
        const int ascent = sizeForCell(cellHeight);
        struct Placed {
            FT_UInt glyph;
            FT_Pos x;
        };
        std::vector<Placed> line;
        FT_Pos pen = 0;
        for (const char32_t point : codePoints(text)) {
            const FT_UInt glyph = FT_Get_Char_Index(face_, point);
            line.push_back({glyph, pen});
            if (FT_Load_Glyph(face_, glyph, kLoadFlags) == 0) pen += face_->glyph->advance.x;
        }
        run.width = int((pen + 32) >> 6);
        run.ink.assign(std::size_t(run.width) * std::size_t(run.height), 0);
        for (const Placed& placed : line) {
            if (FT_Load_Glyph(face_, placed.glyph, kLoadFlags) != 0 ||
                FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_MONO) != 0)
                continue;
            const FT_Bitmap& bitmap = face_->glyph->bitmap;
            const int left = int((placed.x + 32) >> 6) + face_->glyph->bitmap_left;
            const int top = ascent - face_->glyph->bitmap_top;
            for (unsigned row = 0; row < bitmap.rows; ++row)
                for (unsigned column = 0; column < bitmap.width; ++column) {
                    const int x = left + int(column), y = top + int(row);
                    const std::uint8_t byte = bitmap.buffer[std::ptrdiff_t(row) * bitmap.pitch + column / 8];
                    if ((byte & (0x80 >> (column % 8))) && x >= 0 && x < run.width && y >= 0 && y < run.height)
                        run.ink[std::size_t(y) * std::size_t(run.width) + std::size_t(x)] = 1;
                }
        }
        return run;
    }

private:
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
