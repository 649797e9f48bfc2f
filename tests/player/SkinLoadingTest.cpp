// Skins read as players read third-party ones: folders and archives, names in
// any case and folder, palette and RLE bitmaps, PNG sheets, missing sheets;
// and the render command on a skin the maker made.
#include "player/PlayerRenderer.h"
#include "codec/Png.h"
#include "output/WszArchive.h"
#include "raster/Bmp.h"
#include "raster/Error.h"
#include "tests/cli/CliRunner.h"
#include "tests/player/SyntheticSkin.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QColor>
#include <QImage>
#include <zlib.h>

#include <map>

namespace vk::test {
namespace {

using player::PlayerWindow;
const std::vector<PlayerWindow> kAll{PlayerWindow::Main, PlayerWindow::Equaliser, PlayerWindow::Playlist};

void put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) { b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8); }
void put32(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) { for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i)); }

// A palette BMP of an image with few colours: 1, 4 or 8 bits, or RLE8 (runs of one pixel).
std::vector<std::uint8_t> paletteBmp(const Image& img, int depth, bool rle8 = false) {
    std::map<TColor, int> index;
    for (TColor c : img.pixels()) index.emplace(c, int(index.size()));
    EXPECT_LE(index.size(), std::size_t(1) << depth);
    const int w = img.width(), h = img.height();
    std::vector<std::uint8_t> pixels;
    if (rle8) {
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) pixels.insert(pixels.end(), {1, std::uint8_t(index[img.pixel(x, y)])});
            pixels.insert(pixels.end(), {0, 0});
        }
        pixels.insert(pixels.end(), {0, 1});
    } else {
        const std::size_t stride = ((std::size_t(w) * std::size_t(depth) + 31) / 32) * 4;
        pixels.assign(stride * std::size_t(h), 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t bit = std::size_t(x) * std::size_t(depth);
                pixels[std::size_t(h - 1 - y) * stride + bit / 8] |= std::uint8_t(index[img.pixel(x, y)] << (8 - depth - int(bit % 8)));
            }
    }
    const std::size_t paletteSize = (std::size_t(1) << depth) * 4, offset = 54 + paletteSize;
    std::vector<std::uint8_t> out(offset, 0);
    out[0] = 'B', out[1] = 'M';
    put32(out, 10, unsigned(offset));
    put32(out, 14, 40);
    put32(out, 18, unsigned(w));
    put32(out, 22, unsigned(h));
    put16(out, 26, 1);
    put16(out, 28, unsigned(depth));
    put32(out, 30, rle8 ? 1 : 0);
    for (const auto& [c, i] : index) {
        out[54 + std::size_t(i) * 4] = std::uint8_t(blueOf(c));
        out[55 + std::size_t(i) * 4] = std::uint8_t(greenOf(c));
        out[56 + std::size_t(i) * 4] = std::uint8_t(redOf(c));
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// A synthetic skin with few colours per sheet, so that every palette depth can hold it.
SyntheticSkin fewColourSkin() {
    SyntheticSkin s;
    for (Image& sheet : s.skin.sheets) sheet.fill(sheet.bounds(), rgb(20, 30, 40));
    s.paint(Sheet::Main, format::kVisualiserArea);
    s.paint(Sheet::CButtons, format::kPlayButton);
    s.paint(Sheet::Volume, format::volumeFrame(format::volumeFrameFor(78)));
    s.paint(Sheet::EqMain, format::kEqPresetsButton);
    s.paint(Sheet::PlEdit, format::kPlBottomLeftCorner);
    return s;
}

TEST(SkinLoading, FolderAndArchiveInAnyCaseAndDepthRenderAsTheSkin) {
    const SyntheticSkin s = fewColourSkin();
    const Image expected = player::renderPlayer(s.skin, {}, kAll);
    TempDir dir;
    fs::create_directories(dir / "skin");
    std::vector<SkinFile> archived;
    int n = 0;
    for (const format::SheetFile& f : format::kWrittenSheets) {
        const Image& sheet = s.skin.sheet(f.sheet);
        // Every reader in turn (1 bit below, where two colours suffice).
        std::vector<std::uint8_t> bytes;
        Image deep = sheet;
        deep.setDepth(32);
        switch (n++ % 5) {
        case 0: bytes = encodeBmp(sheet); break;
        case 4: bytes = encodeBmp(deep); break;
        case 1: bytes = paletteBmp(sheet, 8); break;
        case 2: bytes = paletteBmp(sheet, 8, true); break;
        default: bytes = paletteBmp(sheet, 4); break;
        }
        writeBinaryFile(dir / "skin" / std::string(f.fileName), bytes);
        std::string upper(f.fileName);
        for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        archived.push_back({"My Skin/" + upper, bytes});
    }
    archived.push_back({"My Skin/readme.txt", {'h', 'i'}});
    archived.push_back({"My Skin/skin.hints", {'[', ']'}});
    writeBinaryFile(dir / "skin.wsz", encodeWsz(archived));

    const player::ClassicSkin fromFolder = player::loadClassicSkin(dir / "skin");
    EXPECT_TRUE(player::missingSheets(fromFolder).empty());
    EXPECT_TRUE(player::renderPlayer(fromFolder, {}, kAll).samePixels(expected));
    EXPECT_TRUE(player::renderPlayer(player::loadClassicSkin(dir / "skin.wsz"), {}, kAll).samePixels(expected));

    // A two-colour sheet as 1 bit, and the balance sheet taken from volume when missing.
    Image twoColour(format::kWrittenSheets[11].size.width, format::kWrittenSheets[11].size.height);
    twoColour.fill(twoColour.bounds(), rgb(9, 9, 9));
    twoColour.fill(format::kPausedIcon, rgb(200, 100, 0));
    writeBinaryFile(dir / "skin" / "playPaus.bmp", paletteBmp(twoColour, 1));
    fs::remove(dir / "skin" / "balance.bmp");
    const player::ClassicSkin patched = player::loadClassicSkin(dir / "skin");
    EXPECT_TRUE(patched.sheet(Sheet::PlayPaus).samePixels(twoColour));
    EXPECT_TRUE(patched.sheet(Sheet::Balance).samePixels(s.skin.sheet(Sheet::Volume)));

    // A sheet shorter than the table: drawn as far as it reaches, the rest left as it was.
    fs::remove(dir / "skin" / "cButtons.bmp");
    Image shortSheet(136, 10);
    shortSheet.fill(shortSheet.bounds(), rgb(0, 250, 0));
    writeBinaryFile(dir / "skin" / "CBUTTONS.BMP", encodeBmp(shortSheet));
    const Image main = player::renderWindow(player::loadClassicSkin(dir / "skin"), PlayerWindow::Main, {});
    EXPECT_EQ(main.pixel(format::kPlayButtonAt.x, format::kPlayButtonAt.y + 9), rgb(0, 250, 0));
    EXPECT_EQ(main.pixel(format::kPlayButtonAt.x, format::kPlayButtonAt.y + 10), s.skin.sheet(Sheet::Main).pixel(39, 98));

    EXPECT_THROW(player::loadClassicSkin(dir / "nothing-here"), Error);
}

// Of several files of one name the last is taken, as players take it; only the
// last few are tried, so that 65,535 broken copies cannot cost minutes.
TEST(SkinLoading, OnlyTheLastFewFilesOfANameAreTried) {
    Image a(4, 4), b(4, 4);
    a.fill(a.bounds(), rgb(200, 0, 0));
    b.fill(b.bounds(), rgb(0, 0, 200));
    const std::vector<std::uint8_t> broken{'B', 'M', 1, 2, 3};
    std::vector<player::NamedFile> files{{"a/main.bmp", encodeBmp(a)}, {"b/MAIN.BMP", broken}, {"c/main.bmp", encodeBmp(b)},
                                         {"d/Main.bmp", broken}, {"e/main.bmp", broken}};
    player::ClassicSkin skin = player::skinFromFiles(files);
    EXPECT_TRUE(skin.sheet(Sheet::Main).samePixels(b));
    EXPECT_EQ(skin.warnings, (std::vector<std::string>{"e/main.bmp skipped: Bitmap image is not valid",
                                                       "d/Main.bmp skipped: Bitmap image is not valid"}));
    files.push_back({"f/main.bmp", broken});
    skin = player::skinFromFiles(files);
    EXPECT_FALSE(skin.has(Sheet::Main)) << "the fourth file from the end was tried";
    ASSERT_EQ(skin.warnings.size(), 4u);
    EXPECT_EQ(skin.warnings.back(), "3 more files named main.bmp were not tried");
}

// Text chunks never change a picture, so passing over them (libpng would inflate every one) keeps every pixel.
TEST(SkinLoading, PngTextChunksArePassedOverWithTheSamePixels) {
    Image sheet(3, 2);
    sheet.fill(sheet.bounds(), rgb(10, 20, 30));
    sheet.setPixel(2, 1, rgb(250, 0, 5));
    std::vector<std::uint8_t> png = codec::encodePng(sheet);
    // A zTXt chunk after the header: keyword, method 0, the compressed text, the checksum libpng checks.
    std::vector<std::uint8_t> chunk{0, 0, 0, 0, 'z', 'T', 'X', 't', 'k', 0, 0};
    std::vector<std::uint8_t> text(64);
    uLongf packed = uLongf(text.size());
    compress(text.data(), &packed, reinterpret_cast<const Bytef*>("words that never reach a pixel"), 30);
    chunk.insert(chunk.end(), text.begin(), text.begin() + std::ptrdiff_t(packed));
    chunk[3] = std::uint8_t(chunk.size() - 8);
    const uLong sum = crc32(0, chunk.data() + 4, uInt(chunk.size() - 4));
    for (int shift : {24, 16, 8, 0}) chunk.push_back(std::uint8_t(sum >> shift));
    png.insert(png.begin() + 33, chunk.begin(), chunk.end());
    EXPECT_TRUE(player::decodeSheetImage(png).samePixels(sheet));
}

TEST(SkinLoading, TextFilesAsTheWebPlayerReadsThem) {
    const format::VisPalette vis = player::parseVisColours("// header\r\n1,2,3, // first\n 4 5 6\nnonsense\n7,8,9");
    EXPECT_EQ(vis[0], rgb(1, 2, 3));
    EXPECT_EQ(vis[1], rgb(4, 5, 6));
    EXPECT_EQ(vis[2], rgb(7, 8, 9));
    EXPECT_EQ(vis[3], format::kDefaultVisPalette[3]);
    std::string font = "Arial";
    const format::PlaylistColours pl =
        player::parsePlaylistColours("[Other]\nNormal=#111111\n[text]\r\nnormal=\"#00FF00FF\"\nCURRENT=ffee00\nSelectedBG=#606060 = x\nFont=Tahoma\n", font);
    EXPECT_EQ(pl.normal, rgb(0, 255, 0));
    EXPECT_EQ(pl.current, rgb(255, 238, 0));
    EXPECT_EQ(pl.selectedBg, rgb(0x60, 0x60, 0x60));
    EXPECT_EQ(pl.normalBg, format::kDefaultPlaylistColours.normalBg);
    EXPECT_EQ(font, "Tahoma");
}

// 16-bit sheets (the desktop player's Default skin has one) keep their sample values, cut to 8 bits.
TEST(SkinLoading, SixteenBitPngSheetKeepsItsValues) {
    QImage wide(2, 1, QImage::Format_RGBX64);
    wide.setPixelColor(0, 0, QColor::fromRgba64(0x0A0A, 0x1212, 0x1A1A));
    wide.setPixelColor(1, 0, QColor::fromRgba64(0xFFFF, 0x8080, 0x0000));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && wide.save(&buffer, "PNG"));
    ASSERT_EQ(bytes.at(24), 16) << "Qt wrote an 8-bit PNG";
    const Image sheet = player::decodeSheetImage(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(sheet.pixel(0, 0), rgb(10, 18, 26));
    EXPECT_EQ(sheet.pixel(1, 0), rgb(255, 128, 0));
}

TEST(SkinLoading, TheDesktopPlayersPngSkinsRender) {
    const fs::path skins = "/usr/share/audacious/Skins";
    if (!fs::is_directory(skins)) GTEST_SKIP() << "no " << skins << " (scripts/deps.sh --test installs audacious)";
    int rendered = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(skins)) {
        const player::ClassicSkin skin = player::loadClassicSkin(e.path());
        ASSERT_TRUE(skin.has(Sheet::Main)) << e.path();
        const Image main = player::renderWindow(skin, PlayerWindow::Main, {});
        // Left of the clutter bar no sprite covers main's own pixel; below a short main sheet the window stays black.
        const Image& sheet = skin.sheet(Sheet::Main);
        EXPECT_EQ(main.pixel(2, 50), sheet.pixel(2, 50)) << e.path();
        EXPECT_EQ(main.pixel(2, 115), sheet.height() > 115 ? sheet.pixel(2, 115) : kBlack) << e.path();
        ++rendered;
    }
    EXPECT_GT(rendered, 0);
}

TEST(SkinLoading, RenderCommandDrawsAMadeSkin) {
    TempDir dir;
    ASSERT_EQ(runCli({"make", "--out", (dir / "made").string(), "--wsz", (dir / "made.wsz").string(), "--player-preview",
                      (dir / "player.png").string()}).status, 0);
    // make's player preview is what render draws of the saved skin by default.
    ASSERT_EQ(runCli({"render", (dir / "made").string(), "--out", (dir / "default.png").string()}).status, 0);
    EXPECT_EQ(readBytes(dir / "player.png"), readBytes(dir / "default.png"));
    const CliResult r = runCli({"render", (dir / "made.wsz").string(), "--out", (dir / "made.png").string(), "--scale", "2",
                                "--windows", "main,eq", "--time", "1:05", "--volume", "0", "--stopped"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::uint8_t> png = readBytes(dir / "made.png");
    const Image picture = player::decodeSheetImage(png);
    player::PlayerState state;
    state.play = player::PlayState::Stopped;
    state.seconds = 65;
    state.volume = 0;
    state.playlistOpen = false;
    EXPECT_TRUE(picture.samePixels(player::renderPlayer(player::loadClassicSkin(dir / "made"), state,
                                                        {PlayerWindow::Main, PlayerWindow::Equaliser}, 2)));

    const CliResult bad = runCli({"render", (dir / "made").string(), "--out", (dir / "x.png").string(), "--volume", "101"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--volume must be a whole number from 0 to 100, not '101'"), std::string::npos) << bad.err;
    const CliResult missing = runCli({"render", (dir / "none.wsz").string(), "--out", (dir / "x.png").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open the skin"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace vk::test
