// render's state options, its collections and its animations, each picture
// compared whole with the renderer's own drawing of the state the options name.
#include "app/GlyphFont.h"
#include "player/PlayerRenderer.h"
#include "player/PretendPlayback.h"
#include "raster/Apng.h"
#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

namespace vk::test {
namespace {

using player::PlayerState;
using player::PlayerWindow;
using player::VisFrame;
const std::vector<PlayerWindow> kAll{PlayerWindow::Main, PlayerWindow::Equaliser, PlayerWindow::Playlist};

// One made skin (a folder and its archive) for every test here.
const fs::path& madeSkin() {
    static TempDir dir;
    static const bool made = runCli({"make", "--out", (dir / "Made").string(), "--wsz", (dir / "Made.wsz").string()}).status == 0;
    EXPECT_TRUE(made);
    static const fs::path path = dir / "Made";
    return path;
}

// What render draws with no state option.
PlayerState defaultState() {
    PlayerState st;
    st.entries = {{"vellumKit - Player Preview", 225}, {"Second Entry", 192}, {"Third Entry", 301}};
    return st;
}

Image expected(const fs::path& skin, const PlayerState& st, const std::vector<PlayerWindow>& windows = kAll) {
    return player::renderPlayer(player::loadClassicSkin(skin), st, windows, 1, glyphFontRasteriser());
}

Image renderedBy(const std::vector<std::string>& options, const fs::path& out) {
    std::vector<std::string> args{"render", madeSkin().string(), "--out", out.string()};
    args.insert(args.end(), options.begin(), options.end());
    const CliResult r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return player::decodeSheetImage(readBytes(out));
}

struct StateCase {
    std::vector<std::string> options;
    std::function<void(PlayerState&, std::vector<PlayerWindow>&)> meaning;
};

TEST(RenderCommand, EachStateOptionDrawsItsState) {
    if (!glyphFontRasteriser()) GTEST_SKIP() << "no Liberation Sans";
    TempDir dir;
    writeBytes(dir / "list.txt", {'A', 'l', 'p', 'h', 'a', '\t', '6', '5', '\n', 'B', 'e', 't', 'a', '\n', 'G', '\t', '7', '\n'});
    const std::string m3u = "#EXTM3U\n#EXTINF:200,Artist - Song\n/music/a.mp3\n/music/Untitled.ogg\n";
    writeBytes(dir / "list.m3u", std::vector<std::uint8_t>(m3u.begin(), m3u.end()));
    const std::vector<StateCase> cases{
        {{"--shade", "main,eq,playlist", "--focus", "none"},
         [](PlayerState& s, auto&) { s.mainShaded = s.equaliserShaded = s.playlistShaded = true, s.anyFocused = false; }},
        {{"--double", "--focus", "eq", "--eq-off", "--eq-auto", "--shuffle", "--repeat", "--hold", "eq-band3"},
         [](PlayerState& s, auto&) {
             s.doubleSize = true, s.focused = PlayerWindow::Equaliser, s.eqOn = false, s.eqAuto = true;
             s.shuffle = s.repeat = true, s.held = player::eqBandButton(2);
         }},
        {{"--no-eq-window", "--playlist-size", "340x190", "--playlist", (dir / "list.txt").string(), "--current", "2", "--selected", "1,3",
          "--focus", "playlist"},
         [](PlayerState& s, auto& w) {
             w = {PlayerWindow::Main, PlayerWindow::Playlist};
             s.equaliserOpen = false, s.playlistSize = {325, 174}, s.focused = PlayerWindow::Playlist;
             s.entries = {{"Alpha", 65}, {"Beta", -1}, {"G", 7}};
             s.currentEntry = 1, s.selectedEntries = {true, false, true}, s.title = "2. Beta";
         }},
        {{"--playlist", (dir / "list.m3u").string(), "--no-playlist-window", "--current", "0", "--stopped"},
         [](PlayerState& s, auto& w) {
             w = {PlayerWindow::Main, PlayerWindow::Equaliser};
             s.playlistOpen = false, s.entries = {{"Artist - Song", 200}, {"Untitled", -1}}, s.currentEntry = -1;
             s.play = player::PlayState::Stopped;
         }},
        {{"--vis-seed", "7", "--position", "0.5", "--remaining", "--time", "1:05", "--mono", "--kbps", "320", "--khz", "48",
          "--title", "A title long enough to run past the end of the field", "--title-scroll", "12"},
         [](PlayerState& s, auto&) {
             s.vis = player::PretendSignal::settledFrame(VisFrame::Mode::Spectrum, 7);
             s.position = 0.5, s.countingDown = true, s.seconds = 65, s.stereo = false, s.kbps = 320, s.khz = 48;
             s.title = "A title long enough to run past the end of the field", s.titleScroll = 12;
         }},
        {{"--vis", "oscilloscope", "--paused"},
         [](PlayerState& s, auto&) {
             s.vis = player::PretendSignal::settledFrame(VisFrame::Mode::Oscilloscope, 1), s.play = player::PlayState::Paused;
         }},
        {{"--vis-bars", "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,8,4", "--playlist-scroll", "1", "--playlist", (dir / "list.txt").string(),
          "--playlist-size", "275x116"},
         [](PlayerState& s, auto&) {
             s.vis.mode = VisFrame::Mode::Spectrum;
             for (int i = 0; i < 17; ++i) s.vis.bars[std::size_t(i)] = i;
             s.vis.bars[17] = 8, s.vis.bars[18] = 4;
             s.entries = {{"Alpha", 65}, {"Beta", -1}, {"G", 7}}, s.title = "1. Alpha (1:05)";
             s.scroll = 1, s.firstVisibleEntry = 0;  // three entries fit: nothing to scroll
         }},
    };
    for (const StateCase& c : cases) {
        PlayerState st = defaultState();
        std::vector<PlayerWindow> windows = kAll;
        c.meaning(st, windows);
        const Image picture = renderedBy(c.options, dir / "state.png");
        EXPECT_TRUE(picture.samePixels(expected(madeSkin(), st, windows))) << testing::PrintToString(c.options);
    }
    // The state file says the same as the options, and the command line wins over it.
    const std::string json = R"({"shade": "eq", "double": false, "volume": 10, "vis": "oscilloscope", "vis-seed": 4, "focus": "none",
                               "title": "caf\u00e9", "repeat": true, "playing": true})";
    writeBytes(dir / "state.json", std::vector<std::uint8_t>(json.begin(), json.end()));
    PlayerState st = defaultState();
    st.equaliserShaded = true, st.volume = 40, st.vis = player::PretendSignal::settledFrame(VisFrame::Mode::Oscilloscope, 4);
    st.anyFocused = false, st.title = "caf\xC3\xA9", st.repeat = true, st.play = player::PlayState::Stopped;
    const Image fromFile = renderedBy({"--state", (dir / "state.json").string(), "--volume", "40", "--stopped"}, dir / "file.png");
    EXPECT_TRUE(fromFile.samePixels(expected(madeSkin(), st)));
}

TEST(RenderCommand, BadStateValuesAreUsageErrors) {
    TempDir dir;
    const auto write = [&](const std::string& name, const std::string& text) {
        writeBytes(dir / name, std::vector<std::uint8_t>(text.begin(), text.end()));
        return (dir / name).string();
    };
    const std::vector<std::vector<std::string>> bad{
        {"--shade", "left"}, {"--focus", "top"}, {"--vis", "bars"}, {"--position", "1.5"}, {"--position", "nan"},
        {"--kbps", "fast"}, {"--khz", "100"}, {"--hold", "jump"}, {"--playlist-size", "100x100"}, {"--playlist-size", "300"},
        {"--selected", "4"}, {"--current", "9"}, {"--vis-bars", "1,2"}, {"--vis", "off", "--vis-seed", "3"},
        {"--windows", "main,eq", "--no-eq-window"}, {"--playing", "--paused"}, {"--playlist", (dir / "none.m3u").string()},
        {"--playlist", write("bad.txt", "Song\tlong\n")}, {"--state", write("unknown.json", R"({"colour": "red"})")},
        {"--state", write("nested.json", R"({"shade": ["eq"]})")}, {"--state", write("flag.json", R"({"double": "yes"})")},
        {"--state", write("broken.json", R"({"volume": 4)")}, {"--state", write("trailing.json", R"({} {})")},
        {"--animate", (dir / "a.webp").string()}, {"--frames", "0", "--animate", (dir / "a.png").string()},
        {"--gallery", (dir / "g.png").string(), "--columns", "0"}, {"--out-dir", dir.path().string(), "--jobs", "0"},
    };
    for (const std::vector<std::string>& options : bad) {
        std::vector<std::string> args{"render", madeSkin().string()};
        if (std::none_of(options.begin(), options.end(), [](const std::string& o) {
                return o == "--animate" || o == "--gallery" || o == "--out-dir";
            }))
            args.insert(args.end(), {"--out", (dir / "x.png").string()});
        args.insert(args.end(), options.begin(), options.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(options) << r.err;
        EXPECT_FALSE(fs::exists(dir / "x.png")) << testing::PrintToString(options);
    }
}

TEST(RenderCommand, ACollectionRendersEverySkinItCanAndCountsTheRest) {
    TempDir dir;
    fs::create_directories(dir / "in" / "deeper");
    fs::copy(madeSkin(), dir / "in" / "deeper" / "Folder");
    fs::copy(madeSkin().parent_path() / "Made.wsz", dir / "in" / "Archive.wsz");
    writeBytes(dir / "in" / "Broken.wsz", {'n', 'o', 't', ' ', 'z', 'i', 'p'});
    fs::create_directories(dir / "in" / "NoSkin");
    writeBytes(dir / "in" / "NoSkin" / "notes.bmp", {'t', 'e', 'x', 't'});

    const auto run = [&](const std::string& jobs, const std::string& gallery) {
        return runCli({"render", (dir / "in").string(), "--recursive", "--out-dir", (dir / "out").string(), "--gallery",
                       (dir / gallery).string(), "--columns", "1", "--jobs", jobs, "--windows", "main,eq"});
    };
    const CliResult r = run("2", "g2.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Broken.wsz"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("not a classic skin"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("2 made in " + (dir / "out").string() + ", 2 failed"), std::string::npos) << r.out;
    PlayerState st;
    st.playlistOpen = false;
    const Image one = expected(madeSkin(), st, {PlayerWindow::Main, PlayerWindow::Equaliser});
    for (const char* name : {"Archive.png", "Folder.png"})
        EXPECT_TRUE(player::decodeSheetImage(readBytes(dir / "out" / name)).samePixels(one)) << name;

    // The same sheet whatever the threads' order: the two skins in path order, a cell each, names beneath.
    EXPECT_EQ(run("1", "g1.png").status, 1);
    const std::vector<std::uint8_t> sheet = readBytes(dir / "g2.png");
    EXPECT_EQ(sheet, readBytes(dir / "g1.png"));
    // Written a row at a time under a temporary name: only the sheets themselves are left.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    const Image gallery = player::decodeSheetImage(sheet);
    const int margin = 6, cellHeight = one.height() + format::kGlyphHeight + 6;
    ASSERT_EQ(gallery.height(), margin + 2 * (cellHeight + margin));
    const player::ClassicSkin skin = player::loadClassicSkin(madeSkin());
    for (int cell = 0; cell < 2; ++cell) {
        const int top = margin + cell * (cellHeight + margin);
        Image shown(one.width(), one.height());
        shown.copyRect(shown.bounds(), gallery, {margin, top, margin + one.width(), top + one.height()});
        EXPECT_TRUE(shown.samePixels(one)) << cell;
        const Image label = player::skinTextLine(skin, cell == 0 ? "Archive" : "Folder", one.width() - 2);
        Image drawn(label.width(), label.height());
        drawn.copyRect(drawn.bounds(), gallery, {margin + 1, top + one.height() + 3, margin + 1 + label.width(), top + one.height() + 3 + label.height()});
        EXPECT_TRUE(drawn.samePixels(label)) << cell;
    }
}

// The frames of an animated PNG, each composed over the one before as a viewer shows them.
std::vector<Image> apngFrames(const std::vector<std::uint8_t>& png) {
    auto read32 = [&](std::size_t at) { return std::uint32_t(png[at]) << 24 | std::uint32_t(png[at + 1]) << 16 | std::uint32_t(png[at + 2]) << 8 | png[at + 3]; };
    std::vector<Image> frames;
    Image canvas;
    std::vector<std::uint8_t> header(png.begin(), png.begin() + 33), data;
    int x = 0, y = 0;
    const auto flush = [&] {
        if (data.empty()) return;
        // A still PNG of this frame: the header with the frame's size, its data, the end.
        std::vector<std::uint8_t> one(header.begin(), header.begin() + 29);
        const auto put32 = [&](std::uint32_t v) { for (int s = 24; s >= 0; s -= 8) one.push_back(std::uint8_t(v >> s)); };
        put32(std::uint32_t(::crc32(0, one.data() + 12, 17)));
        put32(std::uint32_t(data.size()));
        const std::size_t typeAt = one.size();
        one.insert(one.end(), {'I', 'D', 'A', 'T'});
        one.insert(one.end(), data.begin(), data.end());
        put32(std::uint32_t(::crc32(0, one.data() + typeAt, uInt(one.size() - typeAt))));
        one.insert(one.end(), {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
        const Image part = player::decodeSheetImage(one);
        if (canvas.width() == 0) canvas = part;
        canvas.copyRect({x, y, x + part.width(), y + part.height()}, part, part.bounds());
        frames.push_back(canvas);
        data.clear();
    };
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = read32(at);
        const std::string type(png.begin() + std::ptrdiff_t(at) + 4, png.begin() + std::ptrdiff_t(at) + 8);
        const std::size_t body = at + 8;
        if (type == "fcTL") {
            flush();
            std::copy(png.begin() + std::ptrdiff_t(body) + 4, png.begin() + std::ptrdiff_t(body) + 12, header.begin() + 16);
            x = int(read32(body + 12)), y = int(read32(body + 16));
        } else if (type == "IDAT" || type == "fdAT") {
            const std::size_t skip = type == "fdAT" ? 4 : 0;
            data.insert(data.end(), png.begin() + std::ptrdiff_t(body + skip), png.begin() + std::ptrdiff_t(body + length));
        }
        at += 12 + length;
    }
    flush();
    return frames;
}

TEST(RenderCommand, TheAnimationHasTheFramesAskedForOfThePlayerPlaying) {
    if (!glyphFontRasteriser()) GTEST_SKIP() << "no Liberation Sans";
    TempDir dir;
    const std::string title = "A title long enough to run past the end of the field";
    const CliResult r = runCli({"render", madeSkin().string(), "--animate", (dir / "a.png").string(), "--frames", "24", "--time",
                                "0:58", "--title", title, "--vis-seed", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::uint8_t> png = readBytes(dir / "a.png");
    EXPECT_EQ(apngFrameCount(png), 24);
    const std::vector<Image> frames = apngFrames(png);
    ASSERT_EQ(frames.size(), 24u);
    PlayerState start = defaultState();
    start.seconds = 58, start.title = title;
    player::PretendSignal signal(9);
    VisFrame vis;
    vis.mode = VisFrame::Mode::Spectrum;
    for (int tick = 0; tick < 24; ++tick) {
        signal.step(vis);
        PlayerState st = player::playedFor(start, tick);
        st.vis = vis;
        EXPECT_TRUE(frames[std::size_t(tick)].samePixels(expected(madeSkin(), st))) << "frame " << tick;
    }
    // It moves: the clock passed a minute, the title stepped, the bars changed.
    EXPECT_EQ(player::playedFor(start, 23).seconds, 59);
    EXPECT_FALSE(frames[0].samePixels(frames[23]));
}

}  // namespace
}  // namespace vk::test
