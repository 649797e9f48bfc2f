#include "raster/Image.h"

#include "raster/TextRasteriser.h"

#include <algorithm>
#include <cstdint>

namespace vk {

namespace {
// The source span [first, last) that target index i of n draws from, when
// `sourceSize` items are spread evenly over n.
struct Span {
    int first, last;
};
Span spanFor(int i, int n, int sourceSize) {
    const auto s = std::int64_t(sourceSize);
    int first = int(std::int64_t(i) * s / n);
    int last = int(std::int64_t(i + 1) * s / n);
    if (last <= first) last = first + 1;  // enlarging: repeat
    return {first, last};
}

// Nearest source index for target index i of n: the centre of the target cell.
int nearest(int i, int n, int sourceSize) {
    return int((std::int64_t(2 * i + 1) * sourceSize) / (std::int64_t(2) * n));
}
} // namespace

std::string SizeLimit::refusal(std::int64_t width, std::int64_t height) const {
    if (userPicture)
        return "Picture is too large: " + std::to_string(width) + " x " + std::to_string(height) + " pixels (at most " +
               std::to_string(maxPixels / 1000000) + " megapixels)";
    return "it claims " + std::to_string(width) + " x " + std::to_string(height) + " pixels, more than the " +
           std::to_string(maxSide) + " a side and " + std::to_string(maxPixels) + " in all it may have";
}

Image::Image(int width, int height, int depth)
    : width_(std::max(0, width)), height_(std::max(0, height)), depth_(depth),
      pixels_(std::size_t(width_) * std::size_t(height_), kWhite) {}

TColor Image::pixel(int x, int y) const {
    if (!contains(x, y)) return kInvalidColour;
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void Image::setPixel(int x, int y, TColor colour) {
    if (!contains(x, y)) return;
    pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = colour;
}

void Image::setPen(TColor colour) { penColour_ = colour; }

void Image::setBrush(TColor colour, BrushStyle style) {
    brushColour_ = colour;
    brushStyle_ = style;
}

void Image::setFont(const std::string& name, int height, TColor colour) {
    font_ = Font{name, height, colour};
}

void Image::rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    // Row by row, clipped to the image: the outline's rows whole, then its two columns.
    const int firstX = std::max(left, 0), endX = std::min(right, width_);
    if (firstX >= endX) return;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
        TColor* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        if (y == top || y == bottom - 1) {
            std::fill(row + firstX, row + endX, penColour_);
            continue;
        }
        if (brushStyle_ == BrushStyle::Solid) std::fill(row + firstX, row + endX, brushColour_);
        if (left >= 0) row[left] = penColour_;
        if (right - 1 < width_) row[right - 1] = penColour_;
    }
}

void Image::fill(const Rect& r, TColor colour) {
    setPen(colour);
    setBrush(colour, BrushStyle::Solid);
    rectangle(r);
}

void Image::moveTo(int x, int y) { position_ = {x, y}; }

void Image::lineTo(int x, int y) {
    const int dx = x > position_.x ? 1 : (x < position_.x ? -1 : 0);
    const int dy = y > position_.y ? 1 : (y < position_.y ? -1 : 0);
    int px = position_.x, py = position_.y;
    while (px != x || py != y) {
        setPixel(px, py, penColour_);
        if (px != x) px += dx;
        if (py != y) py += dy;
    }
    position_ = {x, y};
}

void Image::copyRect(const Rect& target, const Image& source, const Rect& sourceRect) {
    const int tw = target.width(), th = target.height();
    const int sw = sourceRect.width(), sh = sourceRect.height();
    if (tw <= 0 || th <= 0 || sw <= 0 || sh <= 0) return;

    // Read the whole source block first: a copy within one canvas stays exact.
    // Outside the source reads as the invalid colour, which is never drawn.
    std::vector<TColor> block(std::size_t(sw) * std::size_t(sh), kInvalidColour);
    const int firstColumn = std::max(sourceRect.left, 0), endColumn = std::min(sourceRect.right, source.width_);
    for (int j = 0; j < sh && firstColumn < endColumn; ++j) {
        const int sy = sourceRect.top + j;
        if (sy < 0 || sy >= source.height_) continue;
        const TColor* from = source.pixels_.data() + std::size_t(sy) * std::size_t(source.width_);
        std::copy(from + firstColumn, from + endColumn,
                  block.begin() + std::ptrdiff_t(std::size_t(j) * std::size_t(sw) + std::size_t(firstColumn - sourceRect.left)));
    }

    if (tw == sw && th == sh) {  // the common case: one source pixel per target pixel
        const int firstX = std::max(target.left, 0), endX = std::min(target.right, width_);
        for (int j = 0; j < th && firstX < endX; ++j) {
            const int y = target.top + j;
            if (y < 0 || y >= height_) continue;
            const TColor* from = block.data() + std::size_t(j) * std::size_t(sw) + std::size_t(firstX - target.left);
            TColor* to = pixels_.data() + std::size_t(y) * std::size_t(width_);
            for (int x = firstX; x < endX; ++x, ++from)
                if (*from != kInvalidColour) to[x] = *from;
        }
        return;
    }

    for (int ty = 0; ty < th; ++ty) {
        const Span ys = spanFor(ty, th, sh);
        for (int tx = 0; tx < tw; ++tx) {
            const Span xs = spanFor(tx, tw, sw);
            TColor merged = kInvalidColour;
            bool any = false;
            for (int sy = ys.first; sy < ys.last; ++sy)
                for (int sx = xs.first; sx < xs.last; ++sx) {
                    const TColor c = block[std::size_t(sy) * std::size_t(sw) + std::size_t(sx)];
                    if (c == kInvalidColour) continue;  // clipped source
                    merged &= c;
                    any = true;
                }
            if (any) setPixel(target.left + tx, target.top + ty, merged);
        }
    }
}

void Image::stretchDraw(const Rect& target, const Image& bitmap) { stretchDraw(target, bitmap, bitmap.bounds()); }

void Image::stretchDraw(const Rect& target, const Image& bitmap, const Rect& source) {
    const int tw = target.width(), th = target.height();
    if (tw <= 0 || th <= 0 || source.width() <= 0 || source.height() <= 0) return;
    // The source column of every target column inside this image, worked out once.
    const int firstX = std::max(target.left, 0), endX = std::min(target.right, width_);
    if (firstX >= endX) return;
    std::vector<int> columns(std::size_t(endX - firstX));
    for (int x = firstX; x < endX; ++x) columns[std::size_t(x - firstX)] = source.left + nearest(x - target.left, tw, source.width());
    for (int ty = 0; ty < th; ++ty) {
        const int y = target.top + ty;
        if (y < 0 || y >= height_) continue;
        const int sy = source.top + nearest(ty, th, source.height());
        TColor* to = pixels_.data() + std::size_t(y) * std::size_t(width_) + std::size_t(firstX);
        if (sy < 0 || sy >= bitmap.height_) {  // a row outside the bitmap reads as the invalid colour
            std::fill(to, to + (endX - firstX), kInvalidColour);
            continue;
        }
        const TColor* from = bitmap.pixels_.data() + std::size_t(sy) * std::size_t(bitmap.width_);
        for (const int sx : columns) *to++ = (sx >= 0 && sx < bitmap.width_) ? from[sx] : kInvalidColour;
    }
}

void Image::textOut(int x, int y, TextRasteriser* rasteriser, const std::string& text) {
    GlyphRun run;
    if (rasteriser) run = rasteriser->render(text, font_.name, font_.height);
    const int cellHeight = run.height > 0 ? run.height : font_.height;
    if (brushStyle_ == BrushStyle::Solid) {
        for (int j = 0; j < cellHeight; ++j)
            for (int i = 0; i < run.width; ++i) setPixel(x + i, y + j, brushColour_);
    }
    for (int j = 0; j < run.height; ++j)
        for (int i = 0; i < run.width; ++i)
            if (run.inkAt(i, j)) setPixel(x + i, y + j, font_.colour);
    position_ = {x + run.width, y};
}

} // namespace vk
