#include "app/QtTextRasteriser.h"
#include "app/PictureIntake.h"
#include "app/Workbench.h"
#include "raster/Bmp.h"
#include "raster/Error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace vk;
namespace fs = std::filesystem;

namespace {

// A 3 x 2 picture of black and white in every BMP flavour a user may bring.
// Row 0: B W B; row 1: W W B.
const int kPattern[2][3] = {{0, 1, 0}, {1, 1, 0}};

void put(std::vector<std::uint8_t>& b, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}

std::vector<std::uint8_t> bmpOf(int bits, bool rle8 = false) {
    const int w = 3, h = 2;
    std::vector<std::uint8_t> pixels;
    const bool palette = bits <= 8;
    if (rle8) {
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                pixels.push_back(1);
                pixels.push_back(std::uint8_t(kPattern[y][x]));
            }
            pixels.push_back(0);
            pixels.push_back(0);  // end of line
        }
        pixels.push_back(0);
        pixels.push_back(1);  // end of bitmap
    } else {
        const int stride = ((w * bits + 31) / 32) * 4;
        for (int y = h - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(std::size_t(stride), 0);
            for (int x = 0; x < w; ++x) {
                const int v = kPattern[y][x];
                if (bits < 8) {
                    const int perByte = 8 / bits;
                    row[std::size_t(x / perByte)] |= std::uint8_t(v << (8 - bits * (x % perByte + 1)));
                } else if (bits == 8) {
                    row[std::size_t(x)] = std::uint8_t(v);
                } else if (bits == 16) {
                    const std::uint16_t c = v ? 0x7FFF : 0;
                    row[std::size_t(2 * x)] = std::uint8_t(c);
                    row[std::size_t(2 * x + 1)] = std::uint8_t(c >> 8);
                } else {
                    for (int k = 0; k < 3; ++k) row[std::size_t(x * (bits / 8) + k)] = v ? 255 : 0;
                }
            }
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    const int colours = palette ? (1 << bits) : 0;
    std::vector<std::uint8_t> b;
    const std::uint32_t offset = 54 + 4 * std::uint32_t(colours);
    b.push_back('B');
    b.push_back('M');
    put(b, offset + std::uint32_t(pixels.size()), 4);
    put(b, 0, 4);
    put(b, offset, 4);
    put(b, 40, 4);
    put(b, w, 4);
    put(b, h, 4);
    put(b, 1, 2);
    put(b, std::uint32_t(bits), 2);
    put(b, rle8 ? 1 : 0, 4);
    put(b, std::uint32_t(pixels.size()), 4);
    put(b, 2835, 4);
    put(b, 2835, 4);
    put(b, std::uint32_t(colours), 4);
    put(b, 0, 4);
    for (int i = 0; i < colours; ++i) put(b, i == 1 ? 0xFFFFFF : 0, 4);
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("vk-intake-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const fs::path file = path_ / name;
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return file.string();
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    static inline int counter_ = 0;
};

std::string errorOf(const std::string& path) {
    try {
        loadPictureFile(path);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(PictureIntake, EveryBmpDepthLoadsToTheSamePixels) {
    struct Case {
        const char* name;
        int bits;
        bool rle8;
    } cases[] = {{"1bit", 1, false}, {"4bit", 4, false}, {"8bit", 8, false}, {"rle8", 8, true},
                 {"16bit", 16, false}, {"24bit", 24, false}, {"32bit", 32, false}};
    TempDir dir;
    for (const Case& c : cases) {
        const Image picture = loadPictureFile(dir.write(std::string(c.name) + ".bmp", bmpOf(c.bits, c.rle8)));
        ASSERT_EQ(picture.width(), 3) << c.name;
        ASSERT_EQ(picture.height(), 2) << c.name;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                if (c.bits == 16 && kPattern[y][x])  // five bits a channel: 31 reads back as 248
                    EXPECT_GE(redOf(picture.pixel(x, y)), 248) << c.name;
                else
                    EXPECT_EQ(picture.pixel(x, y), kPattern[y][x] ? kWhite : kBlack) << c.name << " " << x << "," << y;
    }
}

TEST(PictureIntake, FailuresNameTheProblem) {
    TempDir dir;
    auto truncated = bmpOf(24);
    truncated.resize(truncated.size() - 5);
    const std::string missing = (dir.path() / "nope.bmp").string();
    EXPECT_EQ(errorOf(missing), "Cannot open file " + missing);
    EXPECT_EQ(errorOf(dir.path().string()), "Cannot open file " + dir.path().string());
    EXPECT_EQ(errorOf(dir.write("cut.bmp", truncated)), "Bitmap image is not valid");
    EXPECT_EQ(errorOf(dir.write("junk.bmp", {'h', 'e', 'l', 'l', 'o'})), "Bitmap image is not valid");
}

TEST(PictureIntake, OversizedPictureIsRefusedBeforeDecoding) {
    // A header that claims 20000 x 20000 pixels, with no pixel data at all.
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put(b, 54, 4);
    put(b, 0, 4);
    put(b, 54, 4);
    put(b, 40, 4);
    put(b, 20000, 4);
    put(b, 20000, 4);
    put(b, 1, 2);
    put(b, 24, 2);
    put(b, 0, 4);
    for (int i = 0; i < 5; ++i) put(b, 0, 4);
    TempDir dir;
    const std::string message = errorOf(dir.write("huge.bmp", b));
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
}

TEST(PictureIntake, FailedLoadChangesNothing) {
    Workbench bench{qtTextRasteriser()};
    bench.enterMade();
    const Image before = bench.mainWindow;
    const Image sourceBefore = bench.state.sourcePictures.main;
    TempDir dir;
    auto truncated = bmpOf(24);
    truncated.resize(40);
    EXPECT_THROW(bench.loadPicture(WhichPicture::Main, dir.write("cut.bmp", truncated)), Error);
    EXPECT_EQ(bench.workflow(), WorkflowState::Made);
    EXPECT_TRUE(bench.mainWindow.samePixels(before));
    EXPECT_TRUE(bench.state.sourcePictures.main.samePixels(sourceBefore));
}

TEST(PictureIntake, PngAndLoadedPictureKeepItsOwnSize) {
    TempDir dir;
    Image big(300, 7, 24);
    big.setPixel(299, 6, kPureGreen);
    const std::string bmp = dir.write("wide.bmp", encodeBmp(big));
    Workbench bench{qtTextRasteriser()};
    bench.loadPicture(WhichPicture::Equaliser, bmp);
    EXPECT_EQ(bench.state.sourcePictures.equaliser.width(), 300);
    EXPECT_EQ(bench.state.sourcePictures.equaliser.height(), 7);
    EXPECT_EQ(bench.state.sourcePictures.equaliser.pixel(299, 6), kPureGreen);
    EXPECT_TRUE(bench.state.sourcePictures.main.samePixels(bench.t.firstImage));
    EXPECT_EQ(bench.workflow(), WorkflowState::NotMade);
}
