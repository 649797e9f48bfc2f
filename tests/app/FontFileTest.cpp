#include "app/GlyphFont.h"
#include "app/QtTextRasteriser.h"
#include "codec/FontFile.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace vk;

// The file's glyphs are the ones Qt draws from the same face, at every cell
// height: the same size rule, hinting, advances, baseline and missing glyphs.
TEST(FontFile, DrawsWhatQtDrawsFromTheSameFaceAtEveryCellHeight) {
    const char* file = glyphFontFile();
    if (!file) GTEST_SKIP() << "no LiberationSans-Regular.ttf at build time";
    if (QFontInfo(QFont("Liberation Sans")).family() != "Liberation Sans") GTEST_SKIP() << "Qt finds no Liberation Sans";
    const std::unique_ptr<TextRasteriser> fromFile = codec::openFontFile(file);
    ASSERT_TRUE(fromFile);
    QtTextRasteriser qt;
    const std::string text = "1. office fifty AVATAR To Wa - Caf\xC3\xA9 (f\xEF\xAC\x81) 3:45 jq|@_ \xE2\x82\xAC";
    for (int cell = 6; cell <= 30; ++cell) {
        const GlyphRun expected = qt.render(text, "Liberation Sans", cell), got = fromFile->render(text, "Any", cell);
        EXPECT_EQ(got.width, expected.width) << "cell " << cell;
        EXPECT_EQ(got.height, cell);
        EXPECT_TRUE(got.ink == expected.ink) << "cell " << cell;
    }
}

TEST(FontFile, WhatIsNoFontOpensAsNone) {
    EXPECT_FALSE(codec::openFontFile(VK_SOURCE_DIR "/README.md"));
    EXPECT_FALSE(codec::openFontFile(VK_SOURCE_DIR "/no such font.ttf"));
}
