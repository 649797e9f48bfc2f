#include "app/Workbench.h"
#include "tests/app/WorkbenchAccess.h"
#include "app/qt/QtTextRasteriser.h"
#include "output/WszArchive.h"

#include "raster/Error.h"
#include "skin/MakeSkin.h"
#include "tests/output/ScratchDirs.h"

#include <gtest/gtest.h>
#include <zip.h>

using namespace vk;
using namespace vk::test;

namespace {

struct Entry {
    std::string name;
    std::vector<std::uint8_t> bytes;
    int compression;
};

// Reads an archive back with libzip, in the order of its central directory.
std::vector<Entry> unpack(const fs::path& archivePath) {
    int error = 0;
    zip_t* archive = zip_open(archivePath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) throw std::runtime_error("cannot open archive, libzip error " + std::to_string(error));
    std::vector<Entry> entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, zip_uint64_t(i), 0, &st);
        Entry entry{st.name, std::vector<std::uint8_t>(st.size), st.comp_method};
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        const zip_int64_t got = zip_fread(file, entry.bytes.data(), st.size);
        zip_fclose(file);
        if (got != zip_int64_t(st.size)) throw std::runtime_error("short read of " + entry.name);
        entries.push_back(std::move(entry));
    }
    zip_close(archive);
    return entries;
}

} // namespace

TEST(Wsz, HoldsTheSixteenFilesAtTheRootWithTheSkinsBytes) {
    TempDir dir;
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    docOf(bench).mainWindow.setPixel(3, 4, rgb(200, 100, 50));
    docOf(bench).state.visColour(17) = rgb(10, 11, 12);
    const fs::path skin = saveSkin(docOf(bench), dir.path(), "Sky");
    saveWsz(docOf(bench), dir / "Sky.wsz");

    const std::vector<Entry> entries = unpack(dir / "Sky.wsz");
    std::vector<std::string> names;
    for (const Entry& entry : entries) names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"main.bmp", "titlebar.bmp", "volume.bmp", "balance.bmp", "posBar.bmp",
                                               "monoSter.bmp", "shufRep.bmp", "cButtons.bmp", "eqMain.bmp",
                                               "plEdit.bmp", "eq_ex.bmp", "playPaus.bmp", "text.bmp", "nums_ex.bmp",
                                               "viscolor.txt", "plEdit.txt"}));
    for (const Entry& entry : entries) {
        EXPECT_EQ(entry.bytes, readBytes(skin / entry.name)) << entry.name;
        EXPECT_EQ(entry.compression, ZIP_CM_DEFLATE) << entry.name;
    }
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"Sky", "Sky.wsz"}));
}

TEST(Wsz, FailedOverwriteKeepsThePreviousArchive) {
    TmpfsMount mount("size=256k");
    VK_MOUNT_OR_SKIP(mount);
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    saveWsz(docOf(bench), mount / "Sky.wsz");
    const auto before = readBytes(mount / "Sky.wsz");
    fillUp(mount / "filler");

    docOf(bench).state.winBackColour = rgb(1, 2, 3);
    try {
        saveWsz(docOf(bench), mount / "Sky.wsz");
        ADD_FAILURE() << "saved onto a full disk";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    EXPECT_EQ(readBytes(mount / "Sky.wsz"), before);
    EXPECT_EQ(entriesOf(mount.path()), (std::set<std::string>{"Sky.wsz", "filler"}));

    try {
        saveWsz(docOf(bench), mount / "missing" / "Sky.wsz");
        ADD_FAILURE() << "saved into a missing directory";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + (mount / "missing" / "Sky.wsz").string());
    }
}
