#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "output/SkinWriter.h"

#include "raster/Bmp.h"
#include "raster/Error.h"
#include "skin/MakeSkin.h"
#include "tests/output/ScratchDirs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vk;
using namespace vk::test;

namespace {

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

struct SheetFile {
    const char* name;
    int width, height, depth;
    std::size_t size;
};

// The fourteen sheets in the order of writing, with their sizes on disk.
const SheetFile kSheets[] = {
    {"main.bmp", 275, 116, 24, 96102},     {"titlebar.bmp", 344, 87, 24, 89838},
    {"volume.bmp", 68, 433, 24, 88386},    {"balance.bmp", 47, 433, 24, 62406},
    {"posBar.bmp", 307, 10, 32, 12334},    {"monoSter.bmp", 58, 24, 32, 5622},
    {"shufRep.bmp", 92, 85, 32, 31334},    {"cButtons.bmp", 136, 36, 32, 19638},
    {"eqMain.bmp", 275, 315, 24, 260874},  {"plEdit.bmp", 280, 186, 24, 156294},
    {"eq_ex.bmp", 275, 56, 24, 46422},     {"playPaus.bmp", 42, 9, 24, 1206},
    {"text.bmp", 155, 18, 24, 8478},       {"nums_ex.bmp", 108, 13, 24, 4266},
};

std::set<std::string> allSixteen() {
    std::set<std::string> names = {"viscolor.txt", "plEdit.txt"};
    for (const SheetFile& sheet : kSheets) names.insert(sheet.name);
    return names;
}

std::size_t pagesOf(std::size_t bytes) { return (bytes + 4095) / 4096; }

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// Every sheet painted its own colour, so a file holding the wrong image shows.
void paintSheetsApart(Workbench& bench) {
    int i = 0;
    for (const SkinBitmap& bitmap : skinBitmaps(docOf(bench))) {
        auto& image = const_cast<Image&>(*bitmap.image);
        image.fill(image.bounds(), rgb(10 * i, 255 - 10 * i, 7 * i));
        image.setPixel(0, 0, rgb(1, 2, 3));  // top-left: the last row of the file
        ++i;
    }
}

SaveOptions withArchive(const fs::path& archive) {
    SaveOptions options;
    options.archive = archive;
    return options;
}

SaveOptions unsynced() {
    SaveOptions options;
    options.durability = Durability::Unsynced;
    return options;
}

const char* kDefaultVisColor =
    "0,0,0,\r\n0,0,0,\r\n"
    "239,49,16,\r\n206,41,16,\r\n214,90,0,\r\n214,102,0,\r\n214,115,0,\r\n198,123,8,\r\n222,165,24,\r\n"
    "214,181,33,\r\n189,222,41,\r\n148,222,33,\r\n41,206,16,\r\n50,190,16,\r\n57,181,16,\r\n49,156,8,\r\n"
    "41,148,0,\r\n24,132,8,\r\n"
    "255,255,255,\r\n214,214,222,\r\n181,189,189,\r\n160,170,175,\r\n148,156,165,\r\n"
    "150,150,150,\r\n";

} // namespace

TEST(SkinText, ColourFilesByteForByte) {
    SkinState defaults;
    SkinState custom;
    const TColor c = rgb(10, 11, 12);
    custom.winBackColour = c;
    custom.plNormalColour = c;
    custom.plSelectedBgColour = c;
    custom.visColour(1) = c;
    custom.visColour(16) = rgb(1, 2, 3);
    custom.visColour(17) = c;
    struct Case {
        const char* what;
        const SkinState* state;
        std::string vis, pl;
    } cases[] = {
        {"defaults", &defaults, kDefaultVisColor,
         "[Text]\r\nNormal=#00FF00\r\nCurrent=#0080FF\r\nNormalBG=#000000\r\nSelectedBG=#282842\r\nFont=Arial\r\n"},
        {"red 10, green 11, blue 12", &custom,
         "10,11,12,\r\n10,11,12,\r\n10,11,12,\r\n"
         "206,41,16,\r\n214,90,0,\r\n214,102,0,\r\n214,115,0,\r\n198,123,8,\r\n222,165,24,\r\n214,181,33,\r\n"
         "189,222,41,\r\n148,222,33,\r\n41,206,16,\r\n50,190,16,\r\n57,181,16,\r\n49,156,8,\r\n41,148,0,\r\n"
         "1,2,3,\r\n"
         "255,255,255,\r\n214,214,222,\r\n181,189,189,\r\n160,170,175,\r\n148,156,165,\r\n"
         "10,11,12,\r\n",
         "[Text]\r\nNormal=#0A0B0C\r\nCurrent=#0080FF\r\nNormalBG=#000000\r\nSelectedBG=#0A0B0C\r\nFont=Arial\r\n"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(visColorText(*k.state), k.vis) << k.what;
        EXPECT_EQ(plEditText(*k.state), k.pl) << k.what;
    }
}

TEST(SkinText, HexAndRgbLinesIgnoreTheTopByte) {
    std::string hex, line;
    writeHexColour(hex, 0xFF0A0BFCu);
    writeRgbLine(line, 0xFF0A0BFCu);
    EXPECT_EQ(hex, "FC0B0A\r\n");
    EXPECT_EQ(line, "252,11,10,\r\n");
}

TEST(SkinDirectory, OneSeparatorBetweenParentAndName) {
    struct Case {
        const char* parent;
        const char* name;
        const char* expected;
    } cases[] = {
        {"/", "Sky", "/Sky"},
        {"/srv/skins", "Sky", "/srv/skins/Sky"},
        {"/srv/skins/", "Sky", "/srv/skins/Sky"},
        {"skins", " Sky ", "skins/ Sky "},  // neither trimmed nor checked
        {"", "Sky", "Sky"},
    };
    for (const Case& c : cases) EXPECT_EQ(skinDirectoryFor(c.parent, c.name).string(), c.expected) << c.parent;
}

TEST(SaveSkin, WritesTheSixteenFilesWithTheirSheetsAndDepths) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    paintSheetsApart(bench);
    const fs::path skin = saveSkin(docOf(bench), dir.path(), "Sky");
    EXPECT_EQ(skin, dir / "Sky");
    EXPECT_EQ(entriesOf(skin), allSixteen());

    int i = 0;
    for (const SheetFile& sheet : kSheets) {
        const auto bytes = readBytes(skin / sheet.name);
        ASSERT_EQ(bytes.size(), sheet.size) << sheet.name;
        EXPECT_EQ(u32(bytes, 2), sheet.size) << sheet.name;
        EXPECT_EQ(u32(bytes, 10), 54u) << sheet.name;
        EXPECT_EQ(u32(bytes, 18), std::uint32_t(sheet.width)) << sheet.name;
        EXPECT_EQ(u32(bytes, 22), std::uint32_t(sheet.height)) << sheet.name;
        EXPECT_EQ(bytes[28], sheet.depth) << sheet.name;
        EXPECT_EQ(u32(bytes, 30), 0u) << sheet.name;
        // The first stored pixel is the bottom-left one; the top-left opens the last row.
        const TColor fill = rgb(10 * i, 255 - 10 * i, 7 * i);
        EXPECT_EQ((std::vector<int>{bytes[54], bytes[55], bytes[56]}),
                  (std::vector<int>{blueOf(fill), greenOf(fill), redOf(fill)}))
            << sheet.name;
        const std::size_t lastRow = sheet.size - (sheet.size - 54) / std::size_t(sheet.height);
        EXPECT_EQ((std::vector<int>{bytes[lastRow], bytes[lastRow + 1], bytes[lastRow + 2]}),
                  (std::vector<int>{3, 2, 1}))
            << sheet.name;
        ++i;
    }
    EXPECT_EQ(readText(skin / "viscolor.txt"), kDefaultVisColor);
    EXPECT_EQ(readText(skin / "plEdit.txt"), plEditText(docOf(bench).state));
    EXPECT_EQ(bench.workflow(), WorkflowState::Made);
}

TEST(SaveSkin, OverwritesByReplacingNotTruncating) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const fs::path skin = saveSkin(docOf(bench), dir.path(), "Sky");
    ::chmod((skin / "main.bmp").c_str(), 0640);
    // A second name for the first main.bmp: it must keep the first bytes, which
    // it would not if the file were emptied and written again in place.
    const auto firstMain = readBytes(skin / "main.bmp");
    fs::create_hard_link(skin / "main.bmp", dir / "first-main.bmp");

    docOf(bench).mainWindow.fill(docOf(bench).mainWindow.bounds(), rgb(9, 8, 7));
    docOf(bench).state.plNormalColour = rgb(10, 11, 12);
    saveSkin(docOf(bench), dir.path(), "Sky");

    EXPECT_EQ(entriesOf(skin), allSixteen());  // nothing temporary left behind
    EXPECT_EQ(readBytes(skin / "main.bmp"), encodeBmp(docOf(bench).mainWindow));
    EXPECT_NE(readBytes(skin / "main.bmp"), firstMain);
    EXPECT_EQ(readBytes(dir / "first-main.bmp"), firstMain);
    EXPECT_NE(readText(skin / "plEdit.txt").find("Normal=#0A0B0C\r\n"), std::string::npos);
    struct stat st {};
    ::stat((skin / "main.bmp").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SaveSkin, DirectoryThatCannotBeMadeWritesNothing) {
    TempDir dir;
    writeBytes(dir / "taken", {1, 2, 3});
    Workbench bench{qtTextRasteriser()};
    struct Case {
        const char* what;
        fs::path parent;
        const char* name;
    } cases[] = {
        {"parent missing", dir / "missing", "Sky"},
        {"name with a missing level", dir.path(), "missing/Sky"},
        {"a file where the skin directory goes", dir.path(), "taken"},
        {"a file where the parent goes", dir / "taken", "Sky"},
    };
    for (const Case& c : cases) {
        const fs::path skin = skinDirectoryFor(c.parent, c.name);
        EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), c.parent, c.name); }), "Cannot create" + skin.string()) << c.what;
    }
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"taken"}));
    EXPECT_EQ(readBytes(dir / "taken"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(SaveSkin, DirectoryWhereAFileGoes) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    fs::create_directories(dir / "Sky" / "main.bmp");
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), dir.path(), "Sky"); }), "Cannot create file " + (dir / "Sky" / "main.bmp").string());
    EXPECT_EQ(entriesOf(dir / "Sky"), (std::set<std::string>{"main.bmp"}));

    fs::remove(dir / "Sky" / "main.bmp");
    fs::create_directories(dir / "Sky" / "viscolor.txt");
    // Found at the fifteenth file: the fourteen sheets written before it go again.
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), dir.path(), "Sky"); }), "File access denied");
    EXPECT_EQ(entriesOf(dir / "Sky"), (std::set<std::string>{"viscolor.txt"}));
}

TEST(SaveSkin, ReadOnlyFileSystemKeepsThePreviousSkin) {
    TmpfsMount mount("size=2m");
    VK_MOUNT_OR_SKIP(mount);
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const fs::path skin = saveSkin(docOf(bench), mount.path(), "Sky");
    const auto before = filesUnder(skin);
    ASSERT_TRUE(mount.remountReadOnly()) << std::strerror(errno);

    docOf(bench).mainWindow.fill(docOf(bench).mainWindow.bounds(), rgb(9, 8, 7));
    docOf(bench).state.winBackColour = rgb(1, 1, 1);
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), mount.path(), "Sky"); }), "Cannot create file " + (skin / "main.bmp").string());
    EXPECT_EQ(filesUnder(skin), before);
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), mount.path(), "Other"); }), "Cannot create" + (mount / "Other").string());
    EXPECT_EQ(bench.workflow(), WorkflowState::Made);
}

TEST(SaveSkin, FullDiskLeavesNoPartOfANewSkin) {
    // main.bmp takes 24 pages and titlebar.bmp 22; volume.bmp's 22 do not fit in 50.
    TmpfsMount bitmaps("size=" + std::to_string(50 * 4096));
    VK_MOUNT_OR_SKIP(bitmaps);
    std::size_t pages = 0;
    for (const SheetFile& sheet : kSheets) pages += pagesOf(sheet.size);
    TmpfsMount text("size=" + std::to_string(pages * 4096));  // room for the bitmaps, not one byte more
    VK_MOUNT_OR_SKIP(text);
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), bitmaps.path(), "Sky"); }), "Stream write error");
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), text.path(), "Sky"); }), "Disk full");
    // The directory made for the save goes with its files.
    EXPECT_TRUE(entriesOf(bitmaps.path()).empty());
    EXPECT_TRUE(entriesOf(text.path()).empty());
}

TEST(SaveSkin, FailureAtTheNinthFileKeepsTheWholeOldSkin) {
    // Room for the old skin and the new skin's first eight sheets, not for eqMain.bmp's 64 pages.
    std::size_t oldSkin = 2, firstEight = 0;  // the two text files take a page each
    for (const SheetFile& sheet : kSheets) oldSkin += pagesOf(sheet.size);
    for (int i = 0; i < 8; ++i) firstEight += pagesOf(kSheets[i].size);
    TmpfsMount mount("size=" + std::to_string((oldSkin + firstEight + 40) * 4096));
    VK_MOUNT_OR_SKIP(mount);
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const fs::path skin = saveSkin(docOf(bench), mount.path(), "Sky");
    const auto before = filesUnder(skin);

    paintSheetsApart(bench);
    docOf(bench).state.winBackColour = rgb(1, 2, 3);
    EXPECT_EQ(messageOf([&] { saveSkin(docOf(bench), mount.path(), "Sky", withArchive(mount / "Sky.wsz")); }), "Stream write error");
    EXPECT_EQ(filesUnder(skin), before);  // byte for byte, and nothing temporary left
    EXPECT_EQ(entriesOf(mount.path()), (std::set<std::string>{"Sky"}));
}

TEST(SaveSkin, FullDiskTextOverwriteKeepsThePreviousText) {
    TmpfsMount mount("size=64k");
    VK_MOUNT_OR_SKIP(mount);
    const std::string previous = visColorText(SkinState{});
    writeTextFile(mount / "viscolor.txt", previous);
    fillUp(mount / "filler");
    SkinState changed;
    changed.winBackColour = rgb(10, 11, 12);
    EXPECT_EQ(messageOf([&] { writeTextFile(mount / "viscolor.txt", visColorText(changed)); }), "Disk full");
    EXPECT_EQ(readText(mount / "viscolor.txt"), previous);
    EXPECT_EQ(entriesOf(mount.path()), (std::set<std::string>{"viscolor.txt", "filler"}));
}

TEST(SaveSkin, TextFileFailuresByPlatformCode) {
    TempDir dir;
    EXPECT_EQ(messageOf([&] { writeTextFile(dir / "gone" / "plEdit.txt", "x"); }), "File not found");
    EXPECT_EQ(messageOf([&] { writeTextFile(dir / std::string(300, 'n'), "x"); }), "Invalid filename");
    writeBytes(dir / "file", {});
    EXPECT_EQ(messageOf([&] { writeTextFile(dir / "file" / "plEdit.txt", "x"); }), "Invalid filename");

    // Too many open files: lower the descriptor limit and use up what is left.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit low = old;
    low.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> fds;
    for (int fd; (fd = ::open("/dev/null", O_RDONLY)) >= 0;) fds.push_back(fd);
    const std::string message = messageOf([&] { writeTextFile(dir / "plEdit.txt", "x"); });
    for (int fd : fds) ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(message, "Too many open files");
}

TEST(SaveSkin, ErrnoToRuntimeMessage) {
    struct Case {
        int error;
        const char* message;
    } cases[] = {
        {ENOENT, "File not found"},     {ENAMETOOLONG, "Invalid filename"}, {EINVAL, "Invalid filename"},
        {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"},  {EACCES, "File access denied"},
        {EPERM, "File access denied"},  {EROFS, "File access denied"},     {ENOSPC, "Disk full"},
        {EDQUOT, "Disk full"},          {EIO, "I/O error 5"},              {ENETUNREACH, "I/O error 101"},
    };
    for (const Case& c : cases) EXPECT_EQ(textFileErrorMessage(c.error), c.message) << c.error;
}

TEST(SaveSkin, ReadOnlyFileIsNotReplaced) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0777);
    writeTextFile(dir / "plEdit.txt", "old\r\n");
    ::chmod((dir / "plEdit.txt").c_str(), 0444);
    // Permission bits bind only a user other than root: try as nobody.
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const std::string message = messageOf([&] { writeTextFile(dir / "plEdit.txt", "new\r\n"); });
        ::_exit(message == "File access denied" ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot become another user to test permission bits";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readText(dir / "plEdit.txt"), "old\r\n");
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"plEdit.txt"}));
}

TEST(SaveSkin, KilledRunsTemporariesGoLiveOnesStay) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const fs::path skin = saveSkin(docOf(bench), dir.path(), "Sky");
    // A save killed after staging a file, in the skin directory and beside the archive.
    const pid_t pid = ::fork();
    if (pid == 0) {
        StagedFiles staged;
        const std::uint8_t byte = 1;
        staged.add(skin / "main.bmp", &byte, 1);
        staged.add(dir / "Sky.wsz", &byte, 1);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // A writer that is still at work, and files that only look alike.
    StagedFiles live;
    const std::uint8_t byte = 2;
    ASSERT_FALSE(live.add(skin / "text.bmp", &byte, 1));
    writeBytes(skin / ".vellumkit-notes", {1});
    writeBytes(skin / "old.tmp", {1});
    const std::set<std::string> kept = {".vellumkit-notes", "old.tmp"};
    auto temporaries = [](const fs::path& folder) {
        std::set<std::string> names;
        for (const std::string& name : entriesOf(folder))
            if (name.starts_with(".vellumkit-") && name.ends_with(".tmp")) names.insert(name);
        return names;
    };
    const auto liveOnes = temporaries(skin);
    ASSERT_EQ(liveOnes.size(), 2u);
    ASSERT_EQ(temporaries(dir.path()).size(), 1u);

    saveSkin(docOf(bench), dir.path(), "Sky", withArchive(dir / "Sky.wsz"));
    std::set<std::string> expected = allSixteen();
    expected.insert(kept.begin(), kept.end());
    std::set<std::string> left = entriesOf(skin);
    const auto stillLive = temporaries(skin);
    ASSERT_EQ(stillLive.size(), 1u);  // of the two, the killed one went
    EXPECT_TRUE(liveOnes.count(*stillLive.begin()));
    left.erase(*stillLive.begin());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"Sky", "Sky.wsz"}));
    EXPECT_FALSE(live.commit());  // the live writer's file was left to it
    EXPECT_EQ(readBytes(skin / "text.bmp"), (std::vector<std::uint8_t>{2}));
}

TEST(SaveSkin, WaitsWhileAnotherSaveHoldsTheFolder) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const fs::path skin = saveSkin(docOf(bench), dir.path(), "Sky", unsynced());
    const auto before = filesUnder(skin);
    auto holder = std::make_unique<FolderLock>(skin);
    ASSERT_EQ(holder->error(), 0);

    docOf(bench).state.winBackColour = rgb(1, 2, 3);
    std::atomic<bool> saved{false};
    std::thread second([&] {
        saveSkin(docOf(bench), dir.path(), "Sky", unsynced());
        saved = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(saved);
    EXPECT_EQ(filesUnder(skin), before);
    holder.reset();
    second.join();
    EXPECT_NE(readText(skin / "viscolor.txt").find("1,2,3,"), std::string::npos);
    EXPECT_EQ(entriesOf(skin), allSixteen());
}
