// An image with its canvas: fixed size, exact pixels and the drawing state
// (pen, brush, font, current position) that persists for the image's life.
#pragma once
#include "raster/Colour.h"
#include "raster/Rect.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vk {

// The largest picture a decoder may make, checked against the size a file
// claims before any pixel memory exists.
struct SizeLimit {
    int maxSide = 0;
    std::int64_t maxPixels = 0;
    // A user's pictures are refused in a sentence of their own, which names the picture.
    bool userPicture = false;
    bool allows(std::int64_t width, std::int64_t height) const {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide && width * height <= maxPixels;
    }
    // Why a claimed size is refused, for a warning that names the file.
    std::string refusal(std::int64_t width, std::int64_t height) const;
};

// Every picture a user brings, whatever its format.
inline constexpr SizeLimit kPictureSizeLimit{256'000'000, 256'000'000, true};

class TextRasteriser;

enum class BrushStyle { Solid, Clear };

struct Font {
    std::string name = "Arial";
    int height = 13;
    TColor colour = kBlack;
};

class Image {
public:
    Image() = default;
    // A blank picture: white, of the nominal size; depth is what saving uses.
    Image(int width, int height, int depth = 24);

    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return depth_; }
    void setDepth(int depth) { depth_ = depth; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // kInvalidColour outside the image.
    TColor pixel(int x, int y) const;
    // Ignored outside the image.
    void setPixel(int x, int y, TColor colour);

    // Canvas state.
    void setPen(TColor colour);
    void setBrush(TColor colour, BrushStyle style = BrushStyle::Solid);
    void setFont(const std::string& name, int height, TColor colour);
    TColor penColour() const { return penColour_; }
    TColor brushColour() const { return brushColour_; }
    BrushStyle brushStyle() const { return brushStyle_; }
    const Font& font() const { return font_; }
    Point currentPosition() const { return position_; }

    // Outline in the pen colour; interior in the brush colour unless clear.
    void rectangle(int left, int top, int right, int bottom);
    void rectangle(const Rect& r) { rectangle(r.left, r.top, r.right, r.bottom); }
    // Sets pen and brush to one colour and draws a solid block.
    void fill(const Rect& r, TColor colour);

    void moveTo(int x, int y);
    // Horizontal and vertical lines; the end point is not drawn.
    void lineTo(int x, int y);

    // Equal sizes copy exactly; unequal sizes repeat or drop whole rows and
    // columns evenly, AND-merging the dropped ones into a kept neighbour.
    void copyRect(const Rect& target, const Image& source, const Rect& sourceRect);
    // The whole bitmap scaled into the target by nearest neighbour.
    void stretchDraw(const Rect& target, const Image& bitmap);
    // The same from a part of the bitmap only.
    void stretchDraw(const Rect& target, const Image& bitmap, const Rect& source);
    // One line of text in the current font, cells starting at (x, y); with
    // no rasteriser no glyphs are drawn and the line is zero-wide.
    void textOut(int x, int y, TextRasteriser* rasteriser, const std::string& text);

    const std::vector<TColor>& pixels() const { return pixels_; }
    // Row-major pixels for a decoder that fills the image in place.
    TColor* data() { return pixels_.data(); }
    bool samePixels(const Image& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    int width_ = 0;
    int height_ = 0;
    int depth_ = 24;
    std::vector<TColor> pixels_;

    TColor penColour_ = kBlack;
    TColor brushColour_ = kWhite;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Font font_;
    Point position_;
};

} // namespace vk
