#include "raster/Bmp.h"
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
