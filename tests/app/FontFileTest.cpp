#include "app/GlyphFont.h"
#include "app/qt/QtTextRasteriser.h"
#include "codec/FontFile.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace vk;

// The file's glyphs are the ones Qt draws from the same face, at every cell
// height: the same size rule, hinting, advances and baseline.
TEST(FontFile, DrawsWhatQtDrawsFromTheSameFaceAtEveryCellHeight) {
    const char* file = glyphFontFile();
    if (!file) GTEST_SKIP() << "no LiberationSans-Regular.ttf at build time";
    if (QFontInfo(QFont("Liberation Sans")).family() != "Liberation Sans") GTEST_SKIP() << "Qt finds no Liberation Sans";
    const std::unique_ptr<TextRasteriser> fromFile = codec::openFontFile(file);
    ASSERT_TRUE(fromFile);
    QtTextRasteriser qt;
    // Letters, ligature-prone and kerning pairs, and UTF-8.
    const std::string text = "1. office fifty AVATAR To Wa - Caf\xC3\xA9 (f\xEF\xAC\x81) 3:45 jq|@_ \xE2\x82\xAC";
    for (int cell = 6; cell <= 30; ++cell) {
        const GlyphRun expected = qt.render(text, "Liberation Sans", cell), got = fromFile->render(text, "Any", cell);
        EXPECT_EQ(got.width, expected.width) << "cell " << cell;
        EXPECT_EQ(got.height, cell);
        EXPECT_TRUE(got.ink == expected.ink) << "cell " << cell;
    }
    // Broken UTF-8 gives a replacement character where Qt's decoder gives one
    // (Qt draws those from another font, as the file has none).
    const auto replacements = [](int n) {
        std::string out;
        while (n-- > 0) out += "\xEF\xBF\xBD";
        return out;
    };
    const std::string expectedText = "a" + replacements(1) + "b" + replacements(1) + "(c" + replacements(5) + "d" +
                                     replacements(4) + "e" + replacements(2);
    EXPECT_TRUE(fromFile->render("a\x80" "b\xC3(c\xC0\xAF\xED\xA0\x80" "d\xF4\x90\x80\x80" "e\xE2\x82", "Any", 12).ink ==
                fromFile->render(expectedText, "Any", 12).ink);
}

TEST(FontFile, WhatIsNoFontOpensAsNone) {
    EXPECT_FALSE(codec::openFontFile(VK_SOURCE_DIR "/README.md"));
    EXPECT_FALSE(codec::openFontFile(VK_SOURCE_DIR "/no such font.ttf"));
}
