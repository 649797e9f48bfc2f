#include "Art.h"

#include "raster/Primitives.h"

#include <algorithm>

namespace vk::gen {

Glyph::Glyph(std::initializer_list<const char*> rows) : Glyph(std::vector<std::string>(rows.begin(), rows.end())) {}

Glyph::Glyph(std::vector<std::string> rows) : rows_(std::move(rows)) {
    for (const std::string& row : rows_) width_ = std::max(width_, int(row.size()));
}

bool Glyph::ink(int x, int y) const {
    if (y < 0 || y >= height() || x < 0) return false;
    const std::string& row = rows_[std::size_t(y)];
    return x < int(row.size()) && row[std::size_t(x)] == '#';
}

Glyph layoutText(const std::string& text, const Glyph& (*font)(char)) {
    int width = 0, height = 0;
    for (char c : text) {
        width += font(c).width() + 1;
        height = std::max(height, font(c).height());
    }
    width = std::max(0, width - 1);
    std::vector<std::string> rows(std::size_t(height), std::string(std::size_t(width), '.'));
    int x = 0;
    for (char c : text) {
        const Glyph& g = font(c);
        for (int y = 0; y < g.height(); ++y)
            for (int i = 0; i < g.width(); ++i)
                if (g.ink(i, y)) rows[std::size_t(y)][std::size_t(x + i)] = '#';
        x += g.width() + 1;
    }
    return Glyph(std::move(rows));
}

Glyph layoutLines(const std::vector<std::string>& lines, const Glyph& (*font)(char), int gap) {
    std::vector<Glyph> laid;
    int width = 0;
    for (const std::string& line : lines) {
        laid.push_back(layoutText(line, font));
        width = std::max(width, laid.back().width());
    }
    std::vector<std::string> rows;
    for (std::size_t n = 0; n < laid.size(); ++n) {
        if (n > 0)
            for (int i = 0; i < gap; ++i) rows.emplace_back(std::size_t(width), '.');
        const Glyph& g = laid[n];
        const int indent = (width - g.width()) / 2;
        for (int y = 0; y < g.height(); ++y) {
            std::string row(std::size_t(width), '.');
            for (int x = 0; x < g.width(); ++x)
                if (g.ink(x, y)) row[std::size_t(indent + x)] = '#';
            rows.push_back(row);
        }
    }
    return Glyph(std::move(rows));
}

namespace {
TColor litColour(Relief relief) { return relief == Relief::Raised ? kWhite : kBlack; }
TColor shadowColour(Relief relief) { return relief == Relief::Raised ? kBlack : kWhite; }
} // namespace

StampArt::StampArt(int width, int height) : image_(width, height, 24) { fill(image_.bounds(), kPureRed); }

void StampArt::box(const Rect& r, Relief relief) {
    const TColor lit = litColour(relief), shadow = shadowColour(relief);
    for (int x = r.left; x < r.right; ++x) {
        image_.setPixel(x, r.top, x < r.right - 1 ? lit : shadow);
        image_.setPixel(x, r.bottom - 1, shadow);
    }
    for (int y = r.top; y < r.bottom - 1; ++y) {
        image_.setPixel(r.left, y, lit);
        image_.setPixel(r.right - 1, y, shadow);
    }
}

void StampArt::emboss(int x, int y, const Glyph& ink, Relief relief) {
    for (int j = 0; j < ink.height(); ++j)
        for (int i = 0; i < ink.width(); ++i)
            if (ink.ink(i, j) && !ink.ink(i + 1, j + 1)) image_.setPixel(x + i + 1, y + j + 1, shadowColour(relief));
    for (int j = 0; j < ink.height(); ++j)
        for (int i = 0; i < ink.width(); ++i)
            if (ink.ink(i, j)) image_.setPixel(x + i, y + j, litColour(relief));
}

void StampArt::embossCentred(const Rect& r, const Glyph& ink, Relief relief) {
    emboss(r.left + (r.width() - ink.width() - 1) / 2, r.top + (r.height() - ink.height() - 1) / 2, ink, relief);
}

void StampArt::fill(const Rect& r, TColor colour) { fillRect(image_, r, colour); }

MaskArt::MaskArt(int width, int height) : image_(width, height, 24) { fillRect(image_, image_.bounds(), kBlack); }

void MaskArt::draw(int x, int y, const Glyph& ink) {
    for (int j = 0; j < ink.height(); ++j)
        for (int i = 0; i < ink.width(); ++i)
            if (ink.ink(i, j)) image_.setPixel(x + i, y + j, kWhite);
}

Image gradientImage(int width, int height) {
    // Position along the diagonal, 0 at the top left and 765 at the bottom
    // right: three legs of 255 steps, one channel changing on each.
    Image image(width, height, 24);
    const long long w = std::max(1, width - 1), h = std::max(1, height - 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int u = int(765LL * (x * h + y * w) / (2 * w * h));
            TColor c;
            if (u <= 255) c = rgb(255, 255 - u, 0);       // yellow to red
            else if (u <= 510) c = rgb(255, 0, u - 255);  // red to magenta
            else c = rgb(765 - u, 0, 255);                // magenta to blue
            image.setPixel(x, y, c);
        }
    }
    return image;
}

void put(Image& target, int x, int y, const Image& piece) { pasteImage(target, x, y, piece); }

void copyTo(Image& target, int x, int y, const Image& source, const Rect& r) {
    target.copyRect({x, y, x + r.width(), y + r.height()}, source, r);
}

Image inDefaultColours(const Image& mask) {
    // The window colours the program starts with: black ground, dark green text.
    Image glyphs(mask.width(), mask.height(), 24);
    recolourByMask(glyphs, mask, kBlack, kDarkGreen);
    return glyphs;
}

void fillRect(Image& target, const Rect& r, TColor colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) target.setPixel(x, y, colour);
}

void drawKnob(Image& target, const Rect& r, Relief relief) {
    const bool raised = relief == Relief::Raised;
    const TColor face = raised ? rgb(192, 192, 192) : rgb(224, 224, 224);
    const TColor lit = raised ? kWhite : rgb(96, 96, 96);
    const TColor shade = raised ? rgb(96, 96, 96) : kWhite;
    fillRect(target, r, face);
    for (int x = r.left; x < r.right; ++x) {
        target.setPixel(x, r.top, x < r.right - 1 ? lit : shade);
        target.setPixel(x, r.bottom - 1, shade);
    }
    for (int y = r.top; y < r.bottom - 1; ++y) {
        target.setPixel(r.left, y, lit);
        target.setPixel(r.right - 1, y, shade);
    }
}

} // namespace vk::gen
