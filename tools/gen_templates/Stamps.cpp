// The emboss stamps: button captions and glyphs with a one-pixel relief.
// Every stamp that covers a whole button draws the button's bevelled
// outline too, since MakeSkin bevels no button of the main window itself.
#include "Art.h"
#include "Templates.h"

#include <vector>

namespace vk::gen {

namespace {

// The six transport glyphs, 9 rows tall.
const Glyph kPrevious = {
    "#.....#....#",
    "#....##...##",
    "#...###..###",
    "#..####.####",
    "#.##########",
    "#..####.####",
    "#...###..###",
    "#....##...##",
    "#.....#....#",
};
const Glyph kPlay = {
    "#....",
    "##...",
    "###..",
    "####.",
    "#####",
    "####.",
    "###..",
    "##...",
    "#....",
};
const Glyph kPause = {
    "##..##",
    "##..##",
    "##..##",
    "##..##",
    "##..##",
    "##..##",
    "##..##",
    "##..##",
    "##..##",
};
const Glyph kStop = {
    "........",
    "########",
    "########",
    "########",
    "########",
    "########",
    "########",
    "########",
    "########",
};
const Glyph kNext = {
    "#....#.....#",
    "##...##....#",
    "###..###...#",
    "####.####..#",
    "##########.#",
    "####.####..#",
    "###..###...#",
    "##...##....#",
    "#....#.....#",
};
const Glyph kEject = {
    "....#....",
    "...###...",
    "..#####..",
    ".#######.",
    "#########",
    ".........",
    "#########",
    "#########",
};

// The transport buttons in `buts` and `downButs`: the main window's buttons
// at (16, 88), 23 pixels apart, the last one 22 wide; 17 of their 18 rows.
struct TransportButton {
    Rect box;
    const Glyph* glyph;
};
const std::vector<TransportButton>& transportButtons() {
    static const std::vector<TransportButton> buttons = {
        {{0, 0, 23, 17}, &kPrevious}, {{23, 0, 46, 17}, &kPlay}, {{46, 0, 69, 17}, &kPause},
        {{69, 0, 92, 17}, &kStop},    {{92, 0, 114, 17}, &kNext},
    };
    return buttons;
}
// The eject button lies at (136, 89) of the window: (120, 1) of `buts`.
constexpr Rect kEjectBox = {120, 1, 142, 17};

Rect inside(const Rect& r) { return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; }

void button(StampArt& art, const Rect& box, const Glyph& glyph, Relief relief) {
    art.box(box, relief);
    art.embossCentred(inside(box), glyph, relief);
}

Glyph caption(const std::string& text) { return layoutText(text, captionGlyph); }

// A stamp that is one captioned button over its whole area.
Image captionButton(int width, int height, const std::string& text, Relief relief) {
    StampArt art(width, height);
    button(art, {0, 0, width, height}, caption(text), relief);
    return art.image();
}

// The equaliser's on/auto pair (58 x 12): players split it after column 25
// or 26, so that column stays plain between the two boxes.
Image onAutoPair(const std::string& left, const std::string& right, Relief relief) {
    StampArt art(58, 12);
    button(art, {0, 0, 25, 12}, caption(left), relief);
    button(art, {26, 0, 58, 12}, caption(right), relief);
    return art.image();
}

} // namespace

Image buts() {
    StampArt art(142, 17);
    for (const TransportButton& b : transportButtons()) button(art, b.box, *b.glyph, Relief::Raised);
    button(art, kEjectBox, kEject, Relief::Raised);
    return art.image();
}

Image downButs() {
    StampArt art(114, 17);
    for (const TransportButton& b : transportButtons()) button(art, b.box, *b.glyph, Relief::Pressed);
    return art.image();
}

Image loadDown() {
    StampArt art(22, 15);
    button(art, {0, 0, 22, 15}, kEject, Relief::Pressed);
    return art.image();
}

Image shuffleUpBut() { return captionButton(41, 12, "SHUFFLE", Relief::Raised); }
Image shuffleDown() { return captionButton(41, 12, "SHUFFLE", Relief::Pressed); }
Image repUpBut() { return captionButton(20, 11, "REP", Relief::Raised); }
Image repDown() { return captionButton(20, 11, "REP", Relief::Pressed); }
Image eqUpBut() { return captionButton(16, 10, "EQ", Relief::Raised); }
Image eqButDown() { return captionButton(16, 10, "EQ", Relief::Pressed); }
Image plUpBut() { return captionButton(14, 9, "PL", Relief::Raised); }
Image plButDown() { return captionButton(14, 9, "PL", Relief::Pressed); }
Image presetUp() { return captionButton(40, 10, "PRESETS", Relief::Raised); }
Image presetDown() { return captionButton(40, 10, "PRESETS", Relief::Pressed); }
Image offManUp() { return onAutoPair("OFF", "MANUAL", Relief::Raised); }
Image offManDown() { return onAutoPair("OFF", "MANUAL", Relief::Pressed); }
Image onAutoUp() { return onAutoPair("ON", "AUTO", Relief::Raised); }
Image onAutoDown() { return onAutoPair("ON", "AUTO", Relief::Pressed); }

Image choices(int pressed) {
    // The players' bands of the five buttons within the 43-row column.
    struct Band {
        char letter;
        int top, bottom;
    };
    static constexpr Band kBands[] = {{'O', 3, 11}, {'A', 11, 18}, {'I', 18, 25}, {'D', 25, 33}, {'V', 33, 40}};
    StampArt art(8, 43);
    art.box({0, 0, 8, 43}, Relief::Raised);
    for (int i = 0; i < 5; ++i) {
        const Band& band = kBands[i];
        const Rect r = {0, band.top, 8, band.bottom};
        const Glyph& letter = captionGlyph(band.letter);
        if (i + 1 != pressed) {
            art.embossCentred(r, letter, Relief::Raised);
            continue;
        }
        // Pressed: a sunk, darkened band; the letter itself is left as the
        // picture shows it, so it stands out light against the dark.
        art.fill(r, kBlack);
        for (int x = r.left; x < r.right; ++x) art.set(x, r.bottom - 1, kWhite);
        for (int y = r.top; y < r.bottom; ++y) art.set(r.right - 1, y, kWhite);
        const int x0 = (r.width() - letter.width() - 1) / 2, y0 = r.top + (r.height() - letter.height() - 1) / 2;
        for (int y = 0; y < letter.height(); ++y)
            for (int x = 0; x < letter.width(); ++x)
                if (letter.ink(x, y)) art.set(x0 + x, y0 + y, kKeepColour);
    }
    return art.image();
}

Image puller() {
    static const Glyph kGrip = {
        "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#",
    };
    StampArt art(8, 9);
    art.emboss(1, 1, kGrip, Relief::Raised);
    return art.image();
}

Image cornerPull() {
    static const Glyph kDots = {
        "............",
        "..........#.",
        "............",
        "............",
        ".......#..#.",
        "............",
        "............",
        "....#..#..#.",
        "............",
        "............",
        ".#..#..#..#.",
        "............",
    };
    StampArt art(13, 13);
    art.emboss(0, 0, kDots, Relief::Raised);
    return art.image();
}

Image plButs1() {
    // Centred over the four button faces at window x 14, 43, 72 and 101 (22
    // wide); MISC is pulled in to end at the stamp's edge.
    struct Label {
        const char* text;
        int x;
    };
    static constexpr Label kLabels[] = {{"ADD", 4}, {"REM", 33}, {"SEL", 62}, {"MISC", 86}};
    StampArt art(104, 8);
    for (const Label& label : kLabels) art.emboss(label.x, 1, caption(label.text), Relief::Raised);
    return art.image();
}

Image plButs2() {
    StampArt art(17, 13);
    art.embossCentred({0, 0, 17, 13}, layoutLines({"LIST", "OPTS"}, captionGlyph, 1), Relief::Raised);
    return art.image();
}

} // namespace vk::gen
