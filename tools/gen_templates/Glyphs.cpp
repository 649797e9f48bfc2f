// The glyph masks: white ink on black, laid out where the players cut them.
#include "Art.h"
#include "Templates.h"

namespace vk::gen {

Image textMask() {
    // The players' 31 x 3 map of 5 x 6 cells. '~' stands for the ellipsis
    // and a, o, e for the A ring, O umlaut and A umlaut; spaces stay blank,
    // so every unused cell is plain background whichever a player picks.
    static const char* const kRows[] = {
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"@   ",
        "0123456789~.:()-'!_+\\/[]^&%,=$#",
        "aoe?*                          ",
    };
    MaskArt art(155, 18);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 31; ++col) art.draw(5 * col, 6 * row, textGlyph(kRows[row][col]));
    return art.image();
}

Image nums_exMask() {
    // Cells 9 x 13: digits 0 ... 9, a blank cell at 90 and the minus at 99,
    // each glyph one pixel in from the cell's top left.
    MaskArt art(108, 13);
    for (int d = 0; d < 10; ++d) art.draw(9 * d + 1, 1, bigDigit(char('0' + d)));
    art.draw(99 + 1, 1, bigDigit('-'));
    return art.image();
}

Image playPausMask() {
    // Play, pause and stop icons in the 9 x 9 cells at 0, 9 and 18; a blank
    // filler at 27; the steady lamp at 36 and the flashing one at 39, drawn
    // in their first two columns (the icon covers the third).
    static const Glyph kSheet = {
        "..........................................",
        "..#........##.##....................##.##.",
        "..##.......##.##....#####...........##....",
        "..###......##.##....#####...........##.##.",
        "..####.....##.##....#####...........##....",
        "..###......##.##....#####...........##.##.",
        "..##.......##.##....#####...........##....",
        "..#........##.##....................##.##.",
        "..........................................",
    };
    MaskArt art(42, 9);
    art.draw(0, 0, kSheet);
    return art.image();
}

Image plToolsMask() {
    // Six tiny transport symbols centred near columns 2, 10, 19, 28, 37 and 47,
    // where both the shaded main window (x 172 + c) and the playlist's
    // bottom bar (x 130 + c) have those buttons, and the colon of the
    // playlist's mini time between its minutes and seconds boxes.
    static const Glyph kStrip = {
        "...................................................................................",
        "...................................................................................",
        "#..#.....#.......##.##....#####.....#..#.......#............................#......",
        "#.##.....##......##.##....#####.....##.#......###..................................",
        "####.....###.....##.##....#####.....####.....#####..........................#......",
        "#.##.....##......##.##....#####.....##.#...........................................",
        "#..#.....#.......##.##....#####.....#..#.....#####.................................",
        "...................................................................................",
    };
    MaskArt art(83, 8);
    art.draw(0, 0, kStrip);
    return art.image();
}

Image topBitMask() {
    // The shaded main window's position bar: the groove (columns 0 ... 16)
    // and its knob near the start, in the middle and near the end.
    static const Glyph kStrip = {
        "..........................",
        "..................#######.",
        ".................#########",
        "##########################",
        ".................#########",
        "..................#######.",
        "..........................",
    };
    MaskArt art(26, 7);
    art.draw(0, 0, kStrip);
    return art.image();
}

Image vKitMask() {
    // VELLUMKIT three times, each centred in its third of the strip.
    const Glyph word = layoutText("VELLUMKIT", textGlyph);
    MaskArt art(155, 6);
    for (int i = 0; i < 3; ++i) art.draw((2 * i + 1) * 155 / 6 - word.width() / 2, 0, word);
    return art.image();
}

} // namespace vk::gen
