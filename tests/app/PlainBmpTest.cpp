#include "app/qt/PictureIntake.h"
#include "app/PlainBmp.h"
#include "tests/app/PictureBytes.h"
#include "tests/output/ScratchDirs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vk::test {
namespace {

// A 24-bit BMP of the given height's sign, its pixel bytes all different, then two bytes more.
std::vector<std::uint8_t> plainBmp(int width, int height) {
    std::vector<std::uint8_t> b = bmpHeader({width, height});
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    for (std::size_t i = 0; i < stride * std::size_t(height < 0 ? -height : height) + 2; ++i) b.push_back(std::uint8_t(i * 37 + 11));
    return b;
}

} // namespace

TEST(PlainBmp, ReadsWhatTheIntakeReadsAndLeavesEveryOtherFileToIt) {
    TempDir dir;
    // Row padding (5 pixels), bottom-up and top-down, one pixel.
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{5, 3}, {5, -3}, {1, 1}}) {
        const std::vector<std::uint8_t> bytes = plainBmp(w, h);
        const std::optional<Image> plain = readPlainBmpFile(dir.write("plain.bmp", bytes));
        ASSERT_TRUE(plain) << w << " x " << h;
        EXPECT_TRUE(plain->samePixels(loadPictureData(std::string(bytes.begin(), bytes.end())))) << w << " x " << h;
    }

    std::vector<std::uint8_t> short1 = plainBmp(5, 3);
    short1.resize(54 + 16 * 3 - 1);
    std::vector<std::uint8_t> gap = plainBmp(5, 3);
    gap[10] = 56;  // pixels two bytes further on
    std::vector<std::uint8_t> core = plainBmp(5, 3);
    core[14] = 12;
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> others{
        {"one byte short", short1},
        {"pixels elsewhere", gap},
        {"another header", core},
        {"32 bits", bmpHeader({5, 3, 32})},
        {"RLE", bmpHeader({5, 3, 24, 1})},
        {"a colour table", bmpHeader({5, 3, 24, 0, 2})},
        {"no width", bmpHeader({0, 3})},
        {"too large", bmpHeader({100000, 100000})},
        {"no BMP", {'P', 'K', 3, 4}},
    };
    for (const auto& [what, bytes] : others) EXPECT_FALSE(readPlainBmpFile(dir.write("other.bmp", bytes))) << what;
    EXPECT_FALSE(readPlainBmpFile(dir.path().string())) << "a folder";
    EXPECT_FALSE(readPlainBmpFile((dir / "missing.bmp").string())) << "no file";
}

} // namespace vk::test
