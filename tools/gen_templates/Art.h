// Drawing helpers shared by the template generator: ASCII-art glyphs, the
// fonts, emboss stamps, glyph masks and the default picture's gradient.
#pragma once
#include "raster/Image.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace vk::gen {

// A one-bit picture written as rows of text: '#' is ink, anything else blank.
class Glyph {
public:
    Glyph() = default;
    Glyph(std::initializer_list<const char*> rows);
    explicit Glyph(std::vector<std::string> rows);

    int width() const { return width_; }
    int height() const { return int(rows_.size()); }
    bool ink(int x, int y) const;

private:
    std::vector<std::string> rows_;
    int width_ = 0;
};

// The player's 5 x 6 text font: the glyph of one character, blank if none.
const Glyph& textGlyph(char c);
// The narrow capitals the button captions are written in (5 rows tall).
const Glyph& captionGlyph(char c);
// The large time digits: '0' ... '9' and '-', 7 x 11.
const Glyph& bigDigit(char c);

// Ink of a line of text, glyphs side by side one blank column apart.
Glyph layoutText(const std::string& text, const Glyph& (*font)(char));
// Ink of several lines, each centred, `gap` blank rows apart.
Glyph layoutLines(const std::vector<std::string>& lines, const Glyph& (*font)(char), int gap);

// How an emboss stands out: raised art is lit on its upper-left and
// shadowed on its lower-right, pressed art the other way round.
enum class Relief { Raised, Pressed };

// The colour of choices1 ... choices5's pressed letter: the stamp leaves it alone.
inline constexpr TColor kKeepColour = rgb(128, 255, 0);

// An emboss stamp being drawn: pure red ground, exact white and black relief.
class StampArt {
public:
    StampArt(int width, int height);

    // A bevelled outline on the border of r.
    void box(const Rect& r, Relief relief);
    // A glyph with its upper-left corner at (x, y): ink in the lit colour
    // and a one-pixel shadow below and to the right of it.
    void emboss(int x, int y, const Glyph& ink, Relief relief);
    // The glyph centred inside r (its shadow included).
    void embossCentred(const Rect& r, const Glyph& ink, Relief relief);
    void fill(const Rect& r, TColor colour);
    void set(int x, int y, TColor colour) { image_.setPixel(x, y, colour); }

    const Image& image() const { return image_; }

private:
    Image image_;
};

// A glyph mask being drawn: white ink on black.
class MaskArt {
public:
    MaskArt(int width, int height);
    void draw(int x, int y, const Glyph& ink);
    const Image& image() const { return image_; }

private:
    Image image_;
};

// The default picture's diagonal gradient (yellow, red, magenta, blue) over
// an image of any size.
Image gradientImage(int width, int height);

// Copies all of `piece` to (x, y) of `target`.
void put(Image& target, int x, int y, const Image& piece);
// Copies `source`'s rectangle r to (x, y) of `target`.
void copyTo(Image& target, int x, int y, const Image& source, const Rect& r);
// A glyph sheet in the window colours that the program starts with.
Image inDefaultColours(const Image& mask);
// A solid rectangle.
void fillRect(Image& target, const Rect& r, TColor colour);
// A grey bevelled knob: lit top and left, dark bottom and right, in greys
// only. Pressed knobs are lighter and sunk.
void drawKnob(Image& target, const Rect& r, Relief relief);

} // namespace vk::gen
