#include "app/GlyphFont.h"
#include "app/qt/QtTextRasteriser.h"
#include "app/Workbench.h"
#include "codec/Png.h"
#include "format/SkinFiles.h"
#include "output/WindowPreview.h"
#include "output/AtomicFile.h"
#include "player/ClassicSkin.h"
#include "raster/Bmp.h"
#include "tests/cli/CliPictures.h"
#include "tests/cli/CliRunner.h"

#include <QImage>
#include <gtest/gtest.h>
#include <zip.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

#include <csignal>

using namespace vk;
using namespace vk::test;

namespace {

const std::vector<std::string> kSixteen = {"main.bmp", "titlebar.bmp", "volume.bmp", "balance.bmp",
                                           "posBar.bmp", "monoSter.bmp", "shufRep.bmp", "cButtons.bmp",
                                           "eqMain.bmp", "plEdit.bmp", "eq_ex.bmp", "playPaus.bmp",
                                           "text.bmp", "nums_ex.bmp", "viscolor.txt", "plEdit.txt"};

std::set<std::string> sixteenNames() { return {kSixteen.begin(), kSixteen.end()}; }

std::map<std::string, std::vector<std::uint8_t>> archiveContents(const fs::path& path) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) return files;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, zip_uint64_t(i), 0, &st);
        std::vector<std::uint8_t> bytes(st.size);
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
        files[st.name] = std::move(bytes);
    }
    zip_close(archive);
    return files;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

} // namespace

TEST(Cli, UsageErrorsExitTwoNameTheCulpritAndWriteNothing) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 1);
    using Args = std::vector<std::string>;
    const Args make = {"make", "--main", "good.bmp", "--out", "out/Sky"};
    auto with = [](Args base, const Args& more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    struct Case {
        Args args;
        const char* message;
    } cases[] = {
        {{}, "no command given"},
        {{"paint"}, "unknown command 'paint'"},
        {{"make", "--main", "good.bmp"}, "make needs --out DIR"},
        {with(make, {"--shiny"}), "unknown option '--shiny'"},
        {with(make, {"stray"}), "unexpected argument 'stray'"},
        {with(make, {"--out", "out/Other"}), "option --out given twice"},
        {{"make", "--out"}, "option --out needs a value"},
        {{"make", "--out", "/"}, "'/' names no skin directory"},
        {with(make, {"--buttons-only=yes"}), "option --buttons-only takes no value"},
        {with(make, {"--layout", "diagonal"}), "unknown layout 'diagonal'"},
        {with(make, {"--colour", "textColour=FF0000"}), "unknown colour setting 'textColour'"},
        {with(make, {"--colour", "winTextColour"}), "--colour wants NAME=COLOUR, got 'winTextColour'"},
        {with(make, {"--colour", "winTextColour=FF00"}), "colour 'FF00' for winTextColour is not #RRGGBB, RRGGBB or a colour name"},
        {with(make, {"--colour", "winTextColour=GG0000"}), "colour 'GG0000' for winTextColour is not #RRGGBB"},
        {with(make, {"--colour", "winTextColour=#FF00000"}), "colour '#FF00000' for winTextColour is not #RRGGBB"},
        {with(make, {"--colour", "winTextColour=#F00"}), "colour '#F00' for winTextColour is not #RRGGBB"},
        {with(make, {"--colour", "winTextColour=golden"}), "colour 'golden' for winTextColour is not #RRGGBB"},
        {with(make, {"--colour", "winTextColour=transparent"}), "colour 'transparent' for winTextColour is not #RRGGBB"},
        {with(make, {"--vis-colour", "0=FF0000"}), "visualisation entry '0' is outside 1-17"},
        {with(make, {"--vis-colour", "18=FF0000"}), "visualisation entry '18' is outside 1-17"},
        {with(make, {"--vis-colour", "x=FF0000"}), "visualisation entry 'x' is outside 1-17"},
        {with(make, {"--vis-colour", "3=12345"}), "colour '12345' for visualisation entry 3 is not #RRGGBB"},
        {with(make, {"--knob", "volume=FF0000"}), "unknown knob 'volume' (main, eq or playlist)"},
        {with(make, {"--knob", "eq=re d"}), "colour 're d' for knob eq is not #RRGGBB"},
        {with(make, {"--fit", "zoom"}), "unknown fit 'zoom' (stretch or crop)"},
        {with(make, {"--fit", "crop", "--focus", "0.5"}), "--focus wants X,Y, two fractions from 0 to 1"},
        {with(make, {"--fit", "crop", "--focus", "0.5,1.5"}), "--focus wants X,Y, two fractions from 0 to 1"},
        {with(make, {"--fit", "crop", "--focus", "-0,x"}), "--focus wants X,Y"},
        {with(make, {"--focus", "0,0"}), "--focus moves the part --fit crop cuts out: give --fit crop with it"},
        {with(make, {"--preview", "p.xyz"}), "--preview 'p.xyz': cannot write .xyz pictures (bmp, "},
        {with(make, {"--preview", "preview"}), "--preview 'preview' has no extension to name its format"},
        {with(make, {"--player-preview", "p.docx"}), "--player-preview 'p.docx': cannot write .docx pictures"},
        {with(make, {"--out", "-q"}), "option --out needs a value, not the option '-q'"},
        {with(make, {"--mian", "good.bmp"}), "unknown option '--mian'; did you mean '--main'?"},
        {{"make", "good.bmp", "--out", "out/Sky"}, "unexpected argument 'good.bmp': a picture is given with --main"},
        {{"make", "--main", "missing.bmp", "--out", "out/Sky"}, "--main 'missing.bmp': No such file or directory"},
        {{"make", "--main", ".", "--out", "out/Sky"}, "--main '.': Is a directory"},
        {{"make", "--out", "good.bmp"}, "--out 'good.bmp': it is a file, not a folder"},
        {{"make", "--out", "good.bmp/Sky"}, "--out 'good.bmp/Sky': 'good.bmp' is a file (Not a directory)"},
        {{"make", "--out", "out/Sky", "--wsz", "good.bmp/Sky.wsz"}, "--wsz 'good.bmp/Sky.wsz': 'good.bmp' is a file"},
        {{"make", "--out", "out/Sky", "--wsz", "."}, "--wsz '.': Is a directory"},
        {{"batch", "--out-dir", "good.bmp/out", "good.bmp"}, "--out-dir 'good.bmp/out': 'good.bmp' is a file"},
        {{"help", "paint"}, "no command 'paint'"},
        {{"formats", "--all"}, "unknown option '--all'"},
        // A bad option after good ones still stops everything.
        {with(make, {"--colour", "winTextColour=00FF00", "--knob", "main=00FF00", "--layout", "sideways"}),
         "unknown layout 'sideways'"},
        {{"batch", "good.bmp"}, "batch needs --out-dir DIR"},
        {{"batch", "--out-dir", "out"}, "batch needs at least one PICTURE"},
        {{"batch", "--out-dir", "out", "--main", "good.bmp", "good.bmp"}, "option --main is not for batch"},
        {{"batch", "--out-dir", "out", "--wsz", "x.wsz", "good.bmp"}, "option --wsz is not for batch"},
        {{"batch", "--out-dir", "out", "--previews=doc", "good.bmp"}, "--previews=doc: cannot write .doc pictures"},
        {{"batch", "--out-dir", "out", "--no-wsz", "--no-folder", "good.bmp"}, "--no-wsz and --no-folder together would write no skin"},
        {{"batch", "--out-dir", "out", "--vis-colour", "17=FFFFF", "good.bmp"},
         "colour 'FFFFF' for visualisation entry 17 is not #RRGGBB"},
    };
    for (const Case& c : cases) {
        const CliResult result = runCli(c.args, dir.path());
        std::string shown;
        for (const auto& arg : c.args) shown += arg + " ";
        EXPECT_EQ(result.status, 2) << shown << "\n" << result.err;
        EXPECT_NE(result.err.find(std::string("vellumkit-cli: ") + c.message), std::string::npos)
            << shown << "\n" << result.err;
        EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"good.bmp"})) << shown;
    }
}

TEST(Cli, FailuresExitOneAndWriteNothing) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 1);
    writeCorruptPicture(dir / "broken.bmp");
    writeBytes(dir / "plain", {42});
    const std::set<std::string> before = entriesOf(dir.path());
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"make", "--main", "broken.bmp", "--out", "out/Sky", "--wsz", "Sky.wsz"}, "broken.bmp: BMP picture: the file ends before the picture does."},
        {{"make", "--equaliser", "broken.bmp", "--out", "out/Sky"}, "broken.bmp: BMP picture: the file ends before the picture does."},
        {{"make", "--main", "plain", "--out", "out/Sky"}, "plain: text, not a picture."},
        {{"batch", "--out-dir", "out", "--playlist", "broken.bmp", "good.bmp"}, "broken.bmp: BMP picture: the file ends before the picture does."},
    };
    for (const Case& c : cases) {
        const CliResult result = runCli(c.args, dir.path());
        EXPECT_EQ(result.status, 1) << c.args[1] << " " << c.message << "\n" << result.err;
        EXPECT_NE(result.err.find("vellumkit-cli: " + c.message), std::string::npos) << result.err;
        EXPECT_EQ(entriesOf(dir.path()), before) << c.message;
    }
}

// Qt is loaded only for what needs it: a copy of the program without its
// module beside it still makes the built-in skin, and names the module when a picture needs it.
TEST(Cli, TheBuiltInPictureAndAPlainBmpNeedNoModuleAndAMissingModuleIsNamed) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 1);
    writePngPicture(dir / "good.png", 1);
    writeCorruptPicture(dir / "cut.bmp");
    const fs::path alone = dir / "vellumkit-cli";
    fs::copy_file(VK_CLI_PATH, alone);
    // The built-in picture, and a plain 24-bit BMP, which is read without the image library.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"make", "--out", "Sky", "--no-sync"},
                                                 {"make", "--main", "good.bmp", "--out", "Sun", "--no-sync"}}) {
        const CliResult made = runCli(args, dir.path(), alone);
        EXPECT_EQ(made.status, 0) << made.err;
        EXPECT_TRUE(fs::is_regular_file(dir / args[args.size() - 2] / "main.bmp"));
    }
    CliResult result;
    // Any other picture, a refusal's message included, comes from the intake behind the module.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"formats"}, {"make", "--main", "good.png", "--out", "Sea"},
                                                 {"make", "--main", "cut.bmp", "--out", "Sea"},
                                                 {"make", "--colour", "winTextColour=gold", "--out", "Sea"}}) {
        result = runCli(args, dir.path(), alone);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_NE(result.err.find("vellumkit-cli: Cannot find the picture library vellumkit-qt.so (looked for " + dir.path().string()),
                  std::string::npos) << result.err;
    }
    result = runCli({"make", "--out", "Sea", "--wsz", "Sea.wsz"}, dir.path(), alone);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("vellumkit-cli: Cannot find the archive, PNG and font library vellumkit-codec.so (looked for " +
                              dir.path().string()),
              std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(dir / "Sea"));
    EXPECT_FALSE(fs::exists(dir / "Sea.wsz"));
}

TEST(Cli, ReadOnlyAndFullFileSystemsLeaveNothingHalfMade) {
    TmpfsMount readOnly("size=1m", MS_RDONLY);
    VK_MOUNT_OR_SKIP(readOnly);
    CliResult result = runCli({"make", "--out", (readOnly / "skins" / "Sky").string()});
    EXPECT_EQ(result.status, 2);  // known before anything is written
    EXPECT_NE(result.err.find("vellumkit-cli: --out '" + (readOnly / "skins" / "Sky").string() + "': Read-only file system"),
              std::string::npos) << result.err;

    // Room for two sheets: the save fails part way and the new directories go again.
    TmpfsMount small("size=" + std::to_string(50 * 4096));
    VK_MOUNT_OR_SKIP(small);
    result = runCli({"make", "--out", (small / "skins" / "Sky").string()});
    EXPECT_EQ(result.status, 1);
    // The file and the system's reason, not the window's "Stream write error".
    EXPECT_NE(result.err.find(": No space left on device\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("vellumkit-cli: " + (small / "skins" / "Sky").string() + "/"), std::string::npos) << result.err;
    EXPECT_TRUE(entriesOf(small.path()).empty());
}

TEST(Cli, MakeAppliesColoursInOrderAndWritesSkinArchiveAndPreview) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 7);
    const CliResult result = runCli({"make", "--main", "good.bmp", "--layout", "continuous", "--sink-frame",
                                     "--colour", "plNormalColour=0A0B0C", "--colour", "winBackColour=010203",
                                     "--vis-colour=17=0a0b0c", "--knob", "main=FF0000", "--colour",
                                     "plNormalColour=112233", "--out", "skins/Sky/", "--wsz", "archives/Sky.wsz",
                                     "--preview", "sky.png"},
                                    dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(entriesOf(dir / "skins" / "Sky"), sixteenNames());

    const auto pl = linesOf(readText(dir / "skins" / "Sky" / "plEdit.txt"));
    ASSERT_EQ(pl.size(), 6u);
    EXPECT_EQ(pl[1], "Normal=#112233");  // the later --colour wins
    const auto vis = linesOf(readText(dir / "skins" / "Sky" / "viscolor.txt"));
    ASSERT_EQ(vis.size(), 24u);
    EXPECT_EQ(vis[0], "1,2,3,");
    EXPECT_EQ(vis[1], "1,2,3,");
    EXPECT_EQ(vis[23], "10,11,12,");

    EXPECT_EQ(archiveContents(dir / "archives" / "Sky.wsz"), filesUnder(dir / "skins" / "Sky"));
    const QImage preview(QString::fromStdString((dir / "sky.png").string()));
    EXPECT_EQ(preview.width(), 275);
    EXPECT_EQ(preview.height(), 348);  // continuous: the three windows touch

    // The same picture made again over the old skin: the same files, nothing else.
    const auto first = filesUnder(dir / "skins" / "Sky");
    ASSERT_EQ(runCli({"make", "--main", "good.bmp", "--layout", "continuous", "--sink-frame", "--colour",
                      "plNormalColour=0A0B0C", "--colour", "winBackColour=010203", "--vis-colour=17=0a0b0c", "--knob",
                      "main=FF0000", "--colour", "plNormalColour=112233", "--out", "skins/Sky"},
                     dir.path())
                  .status,
              0);
    EXPECT_EQ(filesUnder(dir / "skins" / "Sky"), first);
}

TEST(Cli, ColoursFromThePictureComeFirstSoColourVisColourAndKnobWinAndRepeatExactly) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 7);
    const std::vector<std::string> chosen = {"make", "--main", "good.bmp", "--colours-from-picture", "--legible", "--no-sync", "--out"};
    auto args = chosen;
    args.push_back("A");
    ASSERT_EQ(runCli(args, dir.path()).status, 0);
    args.back() = "B";
    ASSERT_EQ(runCli(args, dir.path()).status, 0);
    EXPECT_EQ(filesUnder(dir / "A"), filesUnder(dir / "B"));  // a new process, the same colours
    const auto pl = linesOf(readText(dir / "A" / "plEdit.txt"));
    ASSERT_EQ(pl.size(), 6u);
    EXPECT_NE(pl[1], "Normal=#00FF00");

    // Given before it on the line, --colour and --vis-colour still apply after it.
    ASSERT_EQ(runCli({"make", "--main", "good.bmp", "--colour", "plNormalColour=112233", "--colours-from-picture",
                      "--vis-colour", "17=0a0b0c", "--no-sync", "--out", "C"},
                     dir.path())
                  .status,
              0);
    const auto own = linesOf(readText(dir / "C" / "plEdit.txt"));
    ASSERT_EQ(own.size(), 6u);
    EXPECT_EQ(own[1], "Normal=#112233");
    EXPECT_EQ(own[2], pl[2]);  // the rest as the picture chose
    const auto vis = linesOf(readText(dir / "C" / "viscolor.txt"));
    ASSERT_EQ(vis.size(), 24u);
    EXPECT_EQ(vis[23], "10,11,12,");
    EXPECT_EQ(vis[0], linesOf(readText(dir / "A" / "viscolor.txt"))[0]);
}

TEST(Cli, GlyphsComeFromTheOneFontFileAsTheWindowDrawsThem) {
    if (!glyphFontRasteriser()) GTEST_SKIP() << "no LiberationSans-Regular.ttf at build time";
    TempDir dir;
    // A broken font configuration would speak up if fontconfig (or Qt's GUI) started.
    const CliResult own = runCli({"make", "--out", "skin", "--no-sync", "--preview", "p.png"}, dir.path(), VK_CLI_PATH,
                                 {"FONTCONFIG_FILE=/nonexistent/fonts.conf"});
    ASSERT_EQ(own.status, 0) << own.err;
    EXPECT_EQ(own.err, "");
    Workbench bench{qtTextRasteriser()};
    MakeSkinClick(bench);
    const Image window = bench.windowPreview();
    const Image preview = codec::decodePng(readBytes(dir / "p.png"), format::kSheetSizeLimit);
    ASSERT_EQ(preview.width(), window.width());
    ASSERT_EQ(preview.height(), window.height());
    EXPECT_TRUE(preview.pixels() == window.pixels());
}

TEST(Cli, BatchReportsTheBrokenPictureAndMakesTheOthersLikeMake) {
    TempDir dir;
    writeBmpPicture(dir / "dawn.bmp", 3);
    writeCorruptPicture(dir / "broken.bmp");
    writePngPicture(dir / "dusk.png", 90);
    writeBmpPicture(dir / "noon.bmp", 150);
    const std::vector<std::string> options = {"--sink-frame", "--colour", "eqBackColour=102030", "--knob", "eq=00FF00"};

    std::vector<std::string> args = {"batch", "--out-dir", "out"};
    args.insert(args.end(), options.begin(), options.end());
    for (const char* picture : {"dawn.bmp", "broken.bmp", "dusk.png", "noon.bmp"}) args.push_back(picture);
    const CliResult result = runCli(args, dir.path());

    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("vellumkit-cli: broken.bmp: BMP picture: the file ends before the picture does."), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("batch: 3 made in out, 1 failed, 0 skipped, "), std::string::npos) << result.out;
    EXPECT_EQ(entriesOf(dir / "out"),
              (std::set<std::string>{"dawn", "dawn.wsz", "dusk", "dusk.wsz", "noon", "noon.wsz"}));

    // Each skin is what make gives for its picture alone: no workbench carries
    // one picture's skin into the next.
    for (const char* name : {"dawn", "dusk", "noon"}) {
        const std::string picture = std::string(name) + (std::string(name) == "dusk" ? ".png" : ".bmp");
        std::vector<std::string> makeArgs = {"make", "--main", picture, "--out", std::string("single/") + name};
        makeArgs.insert(makeArgs.end(), options.begin(), options.end());
        ASSERT_EQ(runCli(makeArgs, dir.path()).status, 0) << name;
        const auto batchSkin = filesUnder(dir / "out" / name);
        EXPECT_EQ(batchSkin, filesUnder(dir / "single" / name)) << name;
        EXPECT_EQ(archiveContents(dir / "out" / (std::string(name) + ".wsz")), batchSkin) << name;
    }
    EXPECT_NE(filesUnder(dir / "out" / "dawn")["main.bmp"], filesUnder(dir / "out" / "noon")["main.bmp"]);

    const CliResult allGood = runCli({"batch", "--out-dir", "again", "--previews", "dawn.bmp", "noon.bmp"}, dir.path());
    EXPECT_EQ(allGood.status, 0) << allGood.err;
    EXPECT_EQ(allGood.err, "");  // no progress on a pipe unless asked
    const CliResult counted = runCli({"batch", "--out-dir", "counted", "--jobs", "1", "--progress", "--no-sync",
                                      "dawn.bmp", "noon.bmp"},
                                     dir.path());
    EXPECT_EQ(counted.status, 0) << counted.err;
    EXPECT_EQ(counted.err.find("1/2 pictures, "), 0u) << counted.err;
    EXPECT_NE(counted.err.find(" skins/s, 0 s left\n"), std::string::npos) << counted.err;
    EXPECT_NE(allGood.out.find("made again/dawn and again/dawn.wsz and again/dawn.png from dawn.bmp\n"), std::string::npos);
    EXPECT_NE(allGood.out.find("\nbatch: 2 made in again, 0 failed, 0 skipped, "), std::string::npos) << allGood.out;
    EXPECT_EQ(entriesOf(dir / "again"), (std::set<std::string>{"dawn", "dawn.wsz", "dawn.png", "noon", "noon.wsz",
                                                                 "noon.png"}));
}

TEST(Cli, OutputsThatWouldOverwriteAPictureOrEachOtherAreRefused) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 1);
    writePngPicture(dir / "holiday.png", 2);
    fs::create_hard_link(dir / "good.bmp", dir / "link.wsz");
    fs::create_directory(dir / "s");
    writeBmpPicture(dir / "s" / "main.bmp", 3);
    const auto before = filesUnder(dir.path());
    const std::vector<std::string> make = {"make", "--main", "good.bmp", "--out", "s"};
    auto with = [](std::vector<std::string> base, const std::vector<std::string>& more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {with(make, {"--wsz", "x.png", "--preview", "x.png"}), "--preview 'x.png' would overwrite --wsz 'x.png'"},
        {with(make, {"--wsz", "s/main.bmp"}), "--wsz 's/main.bmp' would overwrite the skin file 's/main.bmp'"},
        {with(make, {"--wsz", "s"}), "--wsz 's' would overwrite --out 's'"},
        {with(make, {"--wsz", "good.bmp"}), "--wsz 'good.bmp' would overwrite the picture --main 'good.bmp'"},
        {with(make, {"--preview", "new/../good.bmp"}), "--preview 'new/../good.bmp' would overwrite the picture --main"},
        {with(make, {"--wsz", "link.wsz"}), "--wsz 'link.wsz' would overwrite the picture --main 'good.bmp'"},
        {{"make", "--main", "s/main.bmp", "--out", "s"}, "the skin file 's/main.bmp' would overwrite the picture --main"},
        {{"make", "--out", "t", "--playlist", "t/plEdit.bmp"}, "the skin file 't/plEdit.bmp' would overwrite the picture --playlist"},
        {{"batch", "--out-dir", ".", "--previews", "holiday.png"},
         "the preview './holiday.png' would overwrite the picture 'holiday.png'"},
        {{"batch", "--out-dir", ".", "good.bmp", "link.wsz"}, "the archive './link.wsz' would overwrite the picture 'good.bmp'"},
        {{"make", "--out", "--sink-frame"}, "option --out needs a value, not the option '--sink-frame'"},
        {with(make, {"--wsz", "--preview", "p.png"}), "option --wsz needs a value, not the option '--preview'"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& arg : c.args) shown += arg + " ";
        const CliResult result = runCli(c.args, dir.path());
        EXPECT_EQ(result.status, 2) << shown << "\n" << result.err;
        EXPECT_NE(result.err.find(std::string("vellumkit-cli: ") + c.message), std::string::npos) << shown << "\n" << result.err;
        EXPECT_EQ(filesUnder(dir.path()), before) << shown;
    }
}

TEST(Cli, TwentySavesIntoOneFolderEachLeaveOneWholeSkin) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 5);
    // Each run's colours reach thirteen of the sixteen files.
    auto recipe = [](int run) {
        char colour[7];
        std::snprintf(colour, sizeof colour, "%02X%02X%02X", 12 * run, 255 - 12 * run, 7 * run);
        const std::string c = colour;
        return std::vector<std::string>{"make", "--main", "good.bmp", "--no-sync", "--colour", "winBackColour=" + c,
                                        "--colour", "eqBackColour=" + c, "--colour", "plNormalColour=" + c,
                                        "--knob", "main=" + c, "--knob", "eq=" + c, "--knob", "playlist=" + c};
    };
    // A reader that honours the folder lock sees the skin and its archive agree at every moment.
    std::atomic<bool> done{false};
    int checks = 0, mixed = 0;
    std::thread watcher([&] {
        const fs::path skin = dir / "shared" / "Sky", archive = dir / "shared" / "Sky.wsz";
        while (!done) {
            const FolderLock lock(skin);
            if (lock.error() == 0 && fs::exists(archive)) {
                ++checks;
                mixed += archiveContents(archive) != filesUnder(skin);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    constexpr int kRuns = 20;
    std::vector<CliRun> runs;
    for (int run = 0; run < kRuns; ++run) {
        auto args = recipe(run);
        for (const char* more : {"--out", "shared/Sky", "--wsz", "shared/Sky.wsz"}) args.push_back(more);
        runs.push_back(startCli(args, dir.path()));
        args = recipe(run);
        args.push_back("--out=alone/" + std::to_string(run));
        runs.push_back(startCli(args, dir.path()));
    }
    for (CliRun& run : runs) {
        const CliResult result = finishCli(run);
        EXPECT_EQ(result.status, 0) << result.err;
    }
    done = true;
    watcher.join();
    EXPECT_GT(checks, 0);
    EXPECT_EQ(mixed, 0) << "of " << checks;
    const auto skin = filesUnder(dir / "shared" / "Sky");
    ASSERT_EQ(skin.size(), 16u);
    int sameRuns = 0;
    for (int run = 0; run < kRuns; ++run) sameRuns += filesUnder(dir / "alone" / std::to_string(run)) == skin;
    EXPECT_EQ(sameRuns, 1);  // all sixteen files from one run
    EXPECT_EQ(archiveContents(dir / "shared" / "Sky.wsz"), skin);  // and the archive from the same
    EXPECT_EQ(entriesOf(dir / "shared"), (std::set<std::string>{"Sky", "Sky.wsz"}));
}

// Ctrl-C or SIGTERM at any moment: the run ends by the signal's status, with
// no temporary left and every skin folder whole (16 files) or absent.
TEST(Cli, InterruptedRunsLeaveNothingHalfMade) {
    TempDir dir;
    fs::create_directories(dir / "pics");
    for (int i = 0; i < 10; ++i) writeBmpPicture(dir / "pics" / ("p" + std::to_string(i) + ".bmp"), i + 1);
    int run = 0, interrupted = 0;
    for (const int signal : {SIGINT, SIGTERM})
        for (const int delay : {0, 40, 120, 300}) {
            const std::string out = "out" + std::to_string(run++);
            const std::vector<std::vector<std::string>> commands = {
                {"batch", "--out-dir", out, "--jobs", "1", "pics"},
                {"make", "--main", "pics/p1.bmp", "--out", out + "/one", "--wsz", out + "/one.wsz"}};
            for (const auto& args : commands) {
                CliRun started = startCli(args, dir.path());
                std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                ::kill(started.pid, signal);
                const CliResult r = finishCli(started);
                if (r.status != 0) {
                    EXPECT_EQ(r.status, 128 + signal) << args[0] << " after " << delay << " ms\n" << r.err;
                    ++interrupted;
                }
                std::error_code ec;
                for (const auto& entry : fs::recursive_directory_iterator(dir / out, ec)) {
                    EXPECT_FALSE(entry.path().filename().string().starts_with(".vellumkit-")) << entry.path();
                    if (entry.is_directory()) {
                        EXPECT_EQ(entriesOf(entry.path()).size(), 16u) << entry.path();
                    }
                }
            }
        }
    EXPECT_GT(interrupted, 4) << "the signals came too late to stop anything";
}

// --- skins where players look ----------------------------------------------------------

TEST(Cli, InstallForPutsTheSkinWherePlayersLookAndPlayersListsThem) {
    TempDir home;
    const std::vector<std::string> env{"HOME=" + home.path().string(), "WINEPREFIX=" + (home / "prefix").string()};
    auto cli = [&](const std::vector<std::string>& args) { return runCli(args, {}, VK_CLI_PATH, env); };
    EXPECT_EQ(cli({"players"}).out, "");

    // Winamp is only found where it is installed; asking for it before is a usage error that writes nothing.
    CliResult noWinamp = cli({"make", "--out", (home / "Sky").string(), "--install-for", "wine", "--no-sync"});
    EXPECT_EQ(noWinamp.status, 2);
    EXPECT_NE(noWinamp.err.find("no Winamp folder under " + (home / "prefix").string()), std::string::npos) << noWinamp.err;
    EXPECT_FALSE(fs::exists(home / "Sky"));
    const fs::path skins = home / "prefix/drive_c/Program Files (x86)/WINAMP/skins";
    fs::create_directories(skins);

    CliResult made = cli({"make", "--out", (home / "Sky").string(), "--install-for", "audacious", "--install-for=qmmp",
                          "--install-for", "wine", "--no-sync"});
    ASSERT_EQ(made.status, 0) << made.err;
    const fs::path audacious = home / ".local/share/audacious/Skins/Sky.wsz", qmmp = home / ".qmmp/skins/Sky";
    EXPECT_EQ(made.out, "made " + (home / "Sky").string() + " (16 files)\ninstalled " + audacious.string() +
                            " for audacious\ninstalled " + qmmp.string() + " for qmmp\ninstalled " +
                            (skins / "Sky.wsz").string() + " for wine\n");
    // The same skin each time: the archive holds the folder's files.
    const player::ClassicSkin fromFolder = player::loadClassicSkin(home / "Sky");
    for (const fs::path& copy : {audacious, qmmp, skins / "Sky.wsz"}) {
        const player::ClassicSkin installed = player::loadClassicSkin(copy);
        for (std::size_t sheet = 0; sheet < format::kSheetCount; ++sheet)
            EXPECT_EQ(installed.sheets[sheet].pixels(), fromFolder.sheets[sheet].pixels()) << copy << " sheet " << sheet;
    }
    EXPECT_EQ(cli({"players"}).out, "audacious\t" + audacious.parent_path().string() + "\t(NAME.wsz)\nqmmp\t" +
                                        qmmp.parent_path().string() + "\t(NAME/)\nwine\t" + skins.string() + "\t(NAME.wsz)\n");

    // batch installs each skin it makes.
    const std::string picture = home.write("beach.bmp", encodeBmp(Image(40, 30)));
    CliResult batch = cli({"batch", "--out-dir", (home / "out").string(), "--install-for", "qmmp", "--no-sync", picture});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_TRUE(fs::is_regular_file(home / ".qmmp/skins/beach/main.bmp"));
    EXPECT_EQ(cli({"make", "--out", (home / "X").string(), "--install-for", "xmms"}).status, 2);
}

TEST(Cli, SavingBesideFilesAPlayerWouldReadInsteadNamesThem) {
    TempDir dir;
    fs::create_directories(dir / "Sky");
    for (const char* name : {"pledit.txt", "MAIN.png", "cbuttons.bmp", "main.bmp", "notes.txt", "eqmain.png"})
        std::ofstream(dir / "Sky" / name) << "x";
    CliResult made = runCli({"make", "--out", (dir / "Sky").string(), "--no-sync"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "vellumkit-cli: " + (dir / "Sky").string() +
                            " already holds MAIN.png, cbuttons.bmp, eqmain.png, pledit.txt, which a player may read instead of "
                            "this skin's files: remove them or save elsewhere\n");
    // A folder of our own files alone says nothing.
    for (const char* name : {"pledit.txt", "MAIN.png", "cbuttons.bmp", "eqmain.png"}) fs::remove(dir / "Sky" / name);
    EXPECT_EQ(runCli({"make", "--out", (dir / "Sky").string(), "--no-sync"}).err, "");
}

// An alias may add -q to a -v typed by hand: the last one given wins, before or after the command.
TEST(Cli, TheLastOfQuietAndVerboseWins) {
    TempDir dir;
    writeBmpPicture(dir / "good.bmp", 1);
    const CliResult quiet = runCli({"-v", "make", "--main", "good.bmp", "--out", "a", "--no-sync", "-q"}, dir.path());
    EXPECT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.out + quiet.err, "");
    const CliResult loud = runCli({"make", "-q", "--main", "good.bmp", "--out", "b", "--no-sync", "--verbose"}, dir.path());
    EXPECT_EQ(loud.status, 0) << loud.err;
    EXPECT_EQ(loud.out, "made b (16 files)\n");
    EXPECT_NE(loud.err.find("vellumkit-cli: read good.bmp (275 x 116)"), std::string::npos) << loud.err;
}
