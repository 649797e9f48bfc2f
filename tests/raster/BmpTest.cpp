#include "raster/Bmp.h"
#include "raster/BmpReader.h"
#include "raster/Error.h"

#include <gtest/gtest.h>

using namespace vk;

namespace {
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
} // namespace

TEST(Bmp, HeaderFieldsAndSizes) {
    struct Case {
        int w, h, depth;
        std::size_t size;
    } cases[] = {
        {275, 116, 24, 96102}, {307, 10, 32, 54 + 307 * 4 * 10}, {42, 9, 24, 54 + 128 * 9}, {1, 1, 24, 58},
    };
    for (const Case& c : cases) {
        const auto bytes = encodeBmp(Image(c.w, c.h, c.depth));
        ASSERT_EQ(bytes.size(), c.size);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(u32(bytes, 2), c.size);
        EXPECT_EQ(u32(bytes, 10), 54u);
        EXPECT_EQ(u32(bytes, 14), 40u);
        EXPECT_EQ(u32(bytes, 18), std::uint32_t(c.w));
        EXPECT_EQ(u32(bytes, 22), std::uint32_t(c.h));
        EXPECT_EQ(bytes[26] | bytes[27] << 8, 1);
        EXPECT_EQ(bytes[28] | bytes[29] << 8, c.depth);
        EXPECT_EQ(u32(bytes, 30), 0u);
    }
}

TEST(Bmp, RowsBottomUpBlueGreenRedWithZeroPadding) {
    Image image(1, 2, 24);
    image.setPixel(0, 0, rgb(1, 2, 3));
    image.setPixel(0, 1, rgb(4, 5, 6));
    const auto bytes = encodeBmp(image);
    const std::vector<std::uint8_t> pixels(bytes.begin() + 54, bytes.end());
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{6, 5, 4, 0, 3, 2, 1, 0}));
}

TEST(Bmp, RoundTripAtBothDepths) {
    for (int depth : {24, 32}) {
        Image image(5, 3, depth);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) image.setPixel(x, y, rgb(x * 50, y * 80, 255 - x));
        const Image back = decodeBmp(encodeBmp(image));
        EXPECT_TRUE(back.samePixels(image)) << depth;
        EXPECT_EQ(back.depth(), depth);
    }
}

TEST(Bmp, TruncatedOrForeignDataIsInvalid) {
    auto bytes = encodeBmp(Image(10, 10, 24));
    bytes.resize(bytes.size() - 1);
    EXPECT_THROW(decodeBmp(bytes), Error);
    EXPECT_THROW(decodeBmp(std::vector<std::uint8_t>{'P', 'N', 'G'}), Error);
    // A height of INT_MIN rows (top down) has no row count at all.
    auto negative = encodeBmp(Image(1, 1, 24));
    for (std::size_t i = 22; i < 26; ++i) negative[i] = i == 25 ? 0x80 : 0;
    EXPECT_THROW(decodeBmp(negative), Error);
}

namespace {
// A two-pixel BMP: the 40-byte header (or a 124-byte one), then `extra` (masks
// or palette) and one row of pixels.
std::vector<std::uint8_t> twoPixels(int bits, int compression, std::uint32_t colours, const std::vector<std::uint8_t>& extra,
                                    const std::vector<std::uint8_t>& row, std::uint32_t infoSize = 40) {
    std::vector<std::uint8_t> b{'B', 'M'};
    auto put = [&b](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    };
    const std::uint32_t offset = 14 + infoSize + (infoSize == 40 ? std::uint32_t(extra.size()) : 0);
    put(offset + std::uint32_t(row.size()), 4), put(0, 4), put(offset, 4);
    put(infoSize, 4), put(2, 4), put(1, 4), put(1, 2), put(std::uint32_t(bits), 2), put(std::uint32_t(compression), 4);
    put(std::uint32_t(row.size()), 4), put(0, 4), put(0, 4), put(colours, 4), put(0, 4);
    b.insert(b.end(), extra.begin(), extra.end());
    b.resize(14 + infoSize + (infoSize == 40 ? extra.size() : 0), 0);
    b.insert(b.end(), row.begin(), row.end());
    return b;
}
Image asSheet(const std::vector<std::uint8_t>& b) { return readAnyBmp(b.data(), b.size(), {64, 4096}); }
Image asPicture(const std::vector<std::uint8_t>& b, TColor background) {
    return readBmpPicture(bytesInMemory(b.data(), b.size()), background);
}
} // namespace

// One reader, two ways: sheets widen channels by rounding and leave what is
// missing black; pictures widen as the image library always has, and lay
// transparency and palette indices past the colours on the background.
TEST(BmpReader, SheetsAndPicturesDifferOnlyWhereTheirReadersAlwaysDid) {
    const auto rgb565 = twoPixels(16, 3, 0, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, {0xFF, 0xFF, 0x1F, 0x00});
    EXPECT_EQ(asSheet(rgb565).pixel(0, 0), kWhite);
    EXPECT_EQ(asPicture(rgb565, kWhite).pixel(0, 0), rgb(248, 252, 248));
    EXPECT_EQ(asSheet(rgb565).pixel(1, 0), rgb(0, 0, 255));
    EXPECT_EQ(asPicture(rgb565, kWhite).pixel(1, 0), rgb(0, 0, 248));

    const auto onePaletteColour = twoPixels(8, 0, 1, {10, 20, 30, 0}, {0, 5, 0, 0});
    EXPECT_EQ(asSheet(onePaletteColour).pixel(0, 0), rgb(30, 20, 10));
    EXPECT_EQ(asSheet(onePaletteColour).pixel(1, 0), kBlack);
    EXPECT_EQ(asPicture(onePaletteColour, rgb(0, 0, 255)).pixel(1, 0), rgb(0, 0, 255));

    // A 124-byte header's alpha mask: half-transparent red, then a hidden green.
    const std::vector<std::uint8_t> masks{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF};
    const auto alpha = twoPixels(32, 3, 0, masks, {0, 0, 0xFF, 0x80, 0, 0xFF, 0, 0}, 124);
    EXPECT_EQ(asPicture(alpha, kWhite).pixel(0, 0), rgb(255, 127, 127));
    EXPECT_EQ(asPicture(alpha, rgb(0, 0, 255)).pixel(1, 0), rgb(0, 0, 255));
    EXPECT_EQ(asSheet(alpha).pixel(1, 0), rgb(0, 255, 0));
}

// Runs index a palette: RLE at a depth without one is refused, not divided by
// zero (found by fuzz_picture), in both readers.
TEST(BmpReader, RunsWithoutAPaletteAreRefused) {
    const std::vector<std::uint8_t> runs{2, 0, 0, 1};
    for (int bits : {16, 24, 32}) {
        const std::vector<std::uint8_t> bmp = twoPixels(bits, 1, 0, {}, runs);
        EXPECT_THROW(asSheet(bmp), Error) << bits;
        try {
            asPicture(bmp, kWhite);
            ADD_FAILURE() << bits << "-bit runs were read";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Bitmap image is not valid: unsupported BMP compression") << bits;
        }
    }
}
