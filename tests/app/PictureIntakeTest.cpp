#include "app/qt/QtTextRasteriser.h"
#include "app/qt/HeifPicture.h"
#include "app/qt/PictureIntake.h"
#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "raster/Bmp.h"
#include "raster/Error.h"
#include "tests/app/PictureBytes.h"
#include "tests/output/ScratchDirs.h"

#include <QImageReader>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <thread>
#include <string>
#include <vector>

using namespace vk;
using namespace vk::test;

namespace {

// A 3 x 2 picture of black and white in every BMP flavour a user may bring.
// Row 0: B W B; row 1: W W B.
const int kPattern[2][3] = {{0, 1, 0}, {1, 1, 0}};

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
    std::vector<std::uint8_t> b = bmpHeader({.width = w, .height = h, .bits = bits, .compression = rle8 ? 1 : 0, .colours = colours,
                                             .fileSize = 54 + 4 * std::uint32_t(colours) + std::uint32_t(pixels.size()),
                                             .imageSize = std::uint32_t(pixels.size()), .pixelsPerMetre = 2835});
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

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
    EXPECT_EQ(errorOf(dir.write("cut.bmp", truncated)), "Bitmap image is not valid: the file ends before the picture does");
    EXPECT_EQ(errorOf(dir.write("junk.bmp", {'h', 'e', 'l', 'l', 'o'})), "Bitmap image is not valid");
}

TEST(PictureIntake, OversizedPictureIsRefusedBeforeDecoding) {
    // A header that claims 20000 x 20000 pixels, with no pixel data at all.
    const std::vector<std::uint8_t> b = bmpHeader({.width = 20000, .height = 20000, .fileSize = 54});
    TempDir dir;
    const std::string message = errorOf(dir.write("huge.bmp", b));
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
}

TEST(PictureIntake, FailedLoadChangesNothing) {
    Workbench bench{qtTextRasteriser()};
    bench.enterMade();
    const Image before = docOf(bench).mainWindow;
    const Image sourceBefore = docOf(bench).state.sourcePictures.main;
    TempDir dir;
    auto truncated = bmpOf(24);
    truncated.resize(40);
    EXPECT_THROW(bench.loadPicture(WhichPicture::Main, dir.write("cut.bmp", truncated)), Error);
    EXPECT_EQ(bench.workflow(), WorkflowState::Made);
    EXPECT_TRUE(docOf(bench).mainWindow.samePixels(before));
    EXPECT_TRUE(docOf(bench).state.sourcePictures.main.samePixels(sourceBefore));
}

TEST(PictureIntake, PngAndLoadedPictureKeepItsOwnSize) {
    TempDir dir;
    Image big(300, 7, 24);
    big.setPixel(299, 6, kPureGreen);
    const std::string bmp = dir.write("wide.bmp", encodeBmp(big));
    Workbench bench{qtTextRasteriser()};
    bench.loadPicture(WhichPicture::Equaliser, bmp);
    EXPECT_EQ(docOf(bench).state.sourcePictures.equaliser.width(), 300);
    EXPECT_EQ(docOf(bench).state.sourcePictures.equaliser.height(), 7);
    EXPECT_EQ(docOf(bench).state.sourcePictures.equaliser.pixel(299, 6), kPureGreen);
    EXPECT_TRUE(docOf(bench).state.sourcePictures.main.samePixels(docOf(bench).templates.firstImage));
    EXPECT_EQ(bench.workflow(), WorkflowState::NotMade);
}

namespace {

const fs::path kCorpus = fs::path(VK_SOURCE_DIR) / "fuzz" / "corpus" / "picture";

// What the child reports: whether it finished in time, and the load's message.
struct ChildResult {
    bool finished = false;
    std::string message;
};

// Loads the file in a child process, so that a hang or a huge allocation
// cannot take the test down: the child may map at most `extraBytes` more
// than the test already has, and is killed after `timeout`.
ChildResult loadInChild(const std::string& path, std::size_t extraBytes, std::chrono::milliseconds timeout) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
            std::fclose(f);
        }
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + extraBytes;
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        std::string message = "loaded";
        try {
            loadPictureFile(path);
        } catch (const std::exception& e) {
            message = e.what();
        }
        if (write(pipeEnds[1], message.data(), message.size()) < 0) _exit(2);
        _exit(0);
    }
    close(pipeEnds[1]);
    ChildResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (!(result.finished = waitpid(child, &status, WNOHANG) == child) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (!result.finished) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) result.message.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    return result;
}

} // namespace

TEST(PictureIntake, FifoIsAnsweredAtOnce) {
    TempDir dir;
    const std::string fifo = (dir.path() / "pipe.bmp").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const ChildResult result = loadInChild(fifo, std::size_t(1) << 30, std::chrono::seconds(1));
    EXPECT_TRUE(result.finished) << "a FIFO held the load";
    EXPECT_EQ(result.message, "Not a picture file");
}

TEST(PictureIntake, HostileSizeClaimsAreRefusedWithoutTheirMemory) {
    TempDir dir;
    // The plug-ins are loaded before the child's budget is measured.
    loadPictureFile(dir.write("warm.jpg", encoded(testPattern(16, 16), "jpeg")));
    loadPictureFile((kCorpus / "gif-transparent.gif").string());

    // The OS/2 core header: 16-bit sizes, then one byte of the 768 MB of pixels it claims.
    std::vector<std::uint8_t> bmp27{'B', 'M'};
    put(bmp27, 27, 4);
    put(bmp27, 0, 4);
    put(bmp27, 26, 4);
    put(bmp27, 12, 4);
    put(bmp27, 16000, 2);
    put(bmp27, 16000, 2);
    put(bmp27, 1, 2);
    put(bmp27, 24, 2);
    bmp27.push_back(0);

    std::vector<std::uint8_t> jpeg = encoded(testPattern(32, 32), "jpeg", 30);
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // SOF0: height and width
            jpeg[i + 5] = jpeg[i + 7] = 16000 >> 8;
            jpeg[i + 6] = jpeg[i + 8] = 16000 & 0xFF;
            break;
        }

    std::vector<std::uint8_t> rle8 = bmpHeader({.width = 16000, .height = 16000, .bits = 8, .compression = 1, .colours = 2});
    while (rle8.size() < 1022) {
        rle8.push_back(255);
        rle8.push_back(1);
    }
    rle8.push_back(0);
    rle8.push_back(1);

    std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a'};
    put(gif, 16000, 2);
    put(gif, 16000, 2);
    put(gif, 0, 3);
    gif.push_back(0x2C);
    put(gif, 0, 4);
    put(gif, 16000, 2);
    put(gif, 16000, 2);
    gif.insert(gif.end(), {0, 2, 2, 0x4C, 0x01, 0, ';'});

    // 114 bytes of MNG (found by fuzz_picture) for which libmng took 200 MB before any check.
    const std::vector<std::uint8_t> mng = [] {
        std::vector<std::uint8_t> b{0x8A, 'M', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D, 'I', 'H', 'D', 'R', 0x00, 0xEA, 0x00, 0x05,
                                    0, 0, 0, 3, 8, 6, 0, 0, 0, 0x5B, 0x37, 0xC5, 0xF8, 0, 0, 0, 0, 0, 0x94, 0, 0, 0, 0xDA, 0x0D, 0xCA,
                                    0x41, 0x11, 0x59, 0x59, 0, 0, 0x28, 0, 0, 0, 0x29};
        b.resize(108, 0x29);
        b.insert(b.end(), {0, 0, 0, 3, 0xFD, 0xFF});
        return b;
    }();

    const struct {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        std::size_t size;
        const char* message;
    } cases[] = {
        {"claim.mng", mng, 114, "Bitmap image is not valid: MNG and JNG animations are not read"},
        {"claim27.bmp", bmp27, 27, "Bitmap image is not valid: the file ends before the picture does"},
        {"claim.jpg", jpeg, 0, "Bitmap image is not valid: the file is too small for the size it claims"},
        {"claim-rle8.bmp", rle8, 1024, "Bitmap image is not valid: the file is too small for the size it claims"},
        {"claim29.gif", gif, 29, "Bitmap image is not valid: the file is too small for the size it claims"},
    };
    for (const auto& c : cases) {
        if (c.size) {
            ASSERT_EQ(c.bytes.size(), c.size) << c.name;
        }
        const ChildResult result = loadInChild(dir.write(c.name, c.bytes), std::size_t(64) << 20, std::chrono::seconds(10));
        EXPECT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.message, c.message) << c.name;
    }
    EXPECT_LT(jpeg.size(), 1024u);
}

TEST(PictureIntake, ExtremeSizesAreRefusedWithAMessage) {
    TempDir dir;
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    png.insert(png.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 8, 2, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(errorOf(dir.write("widest.png", png)),
              "Picture is too large: 4294967295 x 4294967295 pixels (at most 256 megapixels)");
    EXPECT_EQ(errorOf(dir.write("minwidth.bmp", bmpHeader({.width = INT_MIN, .height = 2}))), "Bitmap image is not valid");
    EXPECT_EQ(errorOf(dir.write("minheight.bmp", bmpHeader({.width = 2, .height = INT_MIN}))),
              "Picture is too large: 2 x 2147483648 pixels (at most 256 megapixels)");
}

TEST(PictureIntake, TruncatedPicturesAreRefused) {
    TempDir dir;
    const std::vector<std::vector<std::uint8_t>> whole{encoded(testPattern(64, 48), "jpeg"), encoded(testPattern(64, 48), "png"),
                                                       readBytes(kCorpus / "gif-transparent.gif")};
    const char* names[] = {"half.jpg", "half.png", "half.gif"};
    for (std::size_t i = 0; i < whole.size(); ++i) {
        EXPECT_NO_THROW(loadPictureFile(dir.write(std::string("whole-") + names[i], whole[i]))) << names[i];
        const std::vector<std::uint8_t> half(whole[i].begin(), whole[i].begin() + std::ptrdiff_t(whole[i].size() * 3 / 4));
        EXPECT_EQ(errorOf(dir.write(names[i], half)), "Bitmap image is not valid: the file ends before the picture does")
            << names[i];
    }
    // Stray bytes before the end marker are the decoder's warning only.
    std::vector<std::uint8_t> extraneous = whole[0];
    extraneous.insert(extraneous.end() - 2, {0x12, 0x34, 0x56});
    EXPECT_EQ(errorOf(dir.write("extra.jpg", extraneous)), "");
}

// Every seed picture (each BMP depth and header layout, RLE4, RLE8, PNG, GIF,
// JPEG) reads as Qt reads it, flattened onto white and turned upright.
TEST(PictureIntake, EverySeedPictureMatchesQtsReading) {
    int seen = 0, os2 = 0;
    for (const auto& entry : fs::directory_iterator(kCorpus)) {
        const std::string path = entry.path().string();
        // Qt reads a 56-byte header only when shown as the 40-byte one whose masks follow it.
        std::vector<std::uint8_t> bytes = readBytes(entry.path());
        if (bytes.size() > 14 && bytes[0] == 'B' && bytes[14] == 56) bytes[14] = 40;
        QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        const QImage qt = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(qt.isNull()) << path;
        const Image ours = loadPictureFile(path);
        ASSERT_EQ(ours.width(), qt.width()) << path;
        ASSERT_EQ(ours.height(), qt.height()) << path;
        Image expected(qt.width(), qt.height());
        for (int y = 0; y < qt.height(); ++y)
            for (int x = 0; x < qt.width(); ++x) {
                const QRgb p = qt.pixel(x, y);
                const int a = qAlpha(p);
                const auto on = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
                expected.setPixel(x, y, rgb(on(qRed(p)), on(qGreen(p)), on(qBlue(p))));
            }
        EXPECT_TRUE(ours.samePixels(expected)) << path;
        ++seen;
        os2 += entry.path().filename().string().rfind("bmp-os2-", 0) == 0;
    }
    EXPECT_GE(seen, 19);
    EXPECT_EQ(os2, 4);
}

TEST(PictureIntake, ExifOrientationIsLaidOutUpright) {
    TempDir dir;
    const std::vector<std::uint8_t> plain = encoded(testPattern(40, 24), "jpeg", 95);
    // An APP1 segment whose one EXIF tag, Orientation = 6, asks for a quarter turn clockwise.
    std::vector<std::uint8_t> app1{0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                   0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0};
    app1[3] = std::uint8_t(app1.size() - 2);
    std::vector<std::uint8_t> tagged(plain.begin(), plain.begin() + 2);
    tagged.insert(tagged.end(), app1.begin(), app1.end());
    tagged.insert(tagged.end(), plain.begin() + 2, plain.end());

    Workbench upright{qtTextRasteriser()};
    upright.loadPicture(WhichPicture::Main, dir.write("tagged.jpg", tagged));
    const Image lying = loadPictureFile(dir.write("plain.jpg", plain));
    Image turned(lying.height(), lying.width());
    for (int y = 0; y < lying.height(); ++y)
        for (int x = 0; x < lying.width(); ++x) turned.setPixel(lying.height() - 1 - y, x, lying.pixel(x, y));
    Workbench expected{qtTextRasteriser()};
    docOf(expected).state.sourcePictures.main = turned;
    expected.layoutPictures();
    EXPECT_EQ(docOf(upright).state.sourcePictures.main.width(), 24);
    EXPECT_TRUE(docOf(upright).mainWindow.samePixels(docOf(expected).mainWindow));
}

TEST(PictureIntake, TransparencyIsFlattenedOntoTheBackground) {
    TempDir dir;
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 128));  // half-transparent red
    image.setPixel(1, 0, qRgba(0, 255, 0, 0));    // a hidden green
    const std::string png = dir.write("half.png", encoded(image, "png"));
    const Image onWhite = loadPictureFile(png);
    EXPECT_EQ(onWhite.pixel(0, 0), rgb(255, 127, 127));
    EXPECT_EQ(onWhite.pixel(1, 0), kWhite);
    Workbench bench{qtTextRasteriser()};
    bench.setPictureOptions({rgb(0, 0, 255)});
    bench.loadPicture(WhichPicture::Main, png);
    EXPECT_EQ(docOf(bench).state.sourcePictures.main.pixel(0, 0), rgb(128, 0, 127));
    EXPECT_EQ(docOf(bench).state.sourcePictures.main.pixel(1, 0), rgb(0, 0, 255));
}

TEST(PictureIntake, FileNameIsReadAsItsBytes) {
    TempDir dir;
    const std::string name = dir.write("picture-\xff\xfe.bmp", bmpOf(24));
    EXPECT_EQ(loadPictureFile(name).pixel(1, 0), kWhite);
}

// Phone photos: HEIC and AVIF (a red-to-blue gradient, 64 x 48, made by
// heif-enc) read through libheif, their size refused before decoding as any other.
TEST(PictureIntake, PhonePhotosAreReadWithinTheSameBounds) {
    const fs::path phone = fs::path(VK_SOURCE_DIR) / "tests" / "app" / "phone";
    if (heifFormats().size() < 3) GTEST_SKIP() << "built without libheif or its decoders";
    for (const char* name : {"heic-gradient.heic", "avif-gradient.avif"}) {
        const Image picture = loadPictureFile((phone / name).string());
        ASSERT_EQ(picture.width(), 64) << name;
        ASSERT_EQ(picture.height(), 48) << name;
        // Lossy: near red at the top, near blue at the bottom.
        EXPECT_GT(redOf(picture.pixel(32, 1)), 200) << name;
        EXPECT_LT(blueOf(picture.pixel(32, 1)), 60) << name;
        EXPECT_GT(blueOf(picture.pixel(32, 46)), 200) << name;
        EXPECT_LT(redOf(picture.pixel(32, 46)), 60) << name;

        // The same file claiming 100000 x 100000 in its size box (libheif takes
        // this HEIC's size from its coded stream instead, so only the AVIF claims).
        if (std::string(name).ends_with(".heic")) continue;
        std::vector<std::uint8_t> bytes = readBytes(phone / name);
        const std::string box = "ispe";
        const auto at = std::search(bytes.begin(), bytes.end(), box.begin(), box.end());
        ASSERT_NE(at, bytes.end()) << name;
        for (std::size_t i = 0; i < 8; ++i) at[std::ptrdiff_t(8 + i)] = std::uint8_t(i % 4 == 1 ? 0x01 : i % 4 == 2 ? 0x86 : i % 4 == 3 ? 0xA0 : 0);
        TempDir dir;
        try {
            loadPictureFile(dir.write(name, bytes));
            ADD_FAILURE() << name << ": a 100000 x 100000 claim was read";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Picture is too large: 100000 x 100000 pixels (at most 256 megapixels)") << name;
        }
    }
}
