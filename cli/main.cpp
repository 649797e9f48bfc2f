// vellumkit-cli: the headless face of the workbench.
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "raster/Error.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <memory>
#include <string_view>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: vellumkit-cli make --out DIR [--main FILE] [SKIN OPTIONS] [--wsz FILE] [--preview FILE.png]\n"
    "                          [--no-sync] [--player-preview FILE.png]\n"
    "       vellumkit-cli batch --out-dir DIR [SKIN OPTIONS] [--previews] [--jobs N] [--progress]\n"
    "                           [--no-sync] PICTURE...\n"
    "       vellumkit-cli templates [--out DIR] [--contact-sheet FILE.png]\n"
    "       vellumkit-cli render SKIN --out FILE.png [--scale N | --size N] [--windows main,eq,playlist]\n"
    "                     [--time M:SS] [--title TEXT] [--playing|--paused|--stopped]\n"
    "                     [--volume 0-100] [--balance -100-100] [--eq P,B1,..,B10 (0-100)]\n"
    "       vellumkit-cli --help | --version\n"
    "\n"
    "SKIN OPTIONS:\n"
    "  --equaliser FILE, --playlist FILE   pictures of the other two windows\n"
    "  --layout three-windows|two-plus-one|continuous\n"
    "  --buttons-only                      no bevels or embossing (default: full 3D)\n"
    "  --sink-frame                        sunken frames (default: raised)\n"
    "  --background RRGGBB                 what transparent pixels become (default: ffffff)\n"
    "  --colour NAME=RRGGBB                a colour setting: winBackColour, winTextColour,\n"
    "                                      plNormalColour, plCurrentColour, plNormalBgColour,\n"
    "                                      plSelectedBgColour, eqBackColour, eqForeColour,\n"
    "                                      eqHighlightColour\n"
    "  --vis-colour N=RRGGBB               visualisation colour N, 1-17\n"
    "  --knob main|eq|playlist=RRGGBB      restyle a slider knob\n"
    "Colours are red first. --colour, --vis-colour and --knob may repeat and are\n"
    "applied in the order given. batch names each skin after its picture and\n"
    "writes DIR/NAME/ and DIR/NAME.wsz (and DIR/NAME.png with --previews).\n"
    "\n"
    "A skin, its archive and its preview are replaced together: a save that fails\n"
    "leaves the old ones as they were. Outputs never overwrite a picture or each other.\n"
    "  --no-sync                           do not wait for the disk: faster, but a crash or\n"
    "                                      power cut soon after may leave the new files empty\n"
    "                                      or the old ones back (for scratch output)\n"
    "  --jobs N                            batch: at most N pictures at once (default: one per\n"
    "                                      core, fewer while their decoded sizes would pass half\n"
    "                                      the available memory)\n"
    "  --progress                          batch: report progress on stderr even when it is\n"
    "                                      not a terminal\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage.\n";

// Only the previews show glyphs; every other command runs without a GUI
// application, its platform plugin or the font machinery.
bool drawsGlyphs(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        for (std::string_view option : {"--preview", "--previews", "--player-preview", "--player-previews", "--contact-sheet"})
            if (arg == option || (arg.size() > option.size() && arg.substr(0, option.size() + 1) == std::string(option) + "="))
                return true;
        if (arg == "render") return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before anything is started.
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("vellumkit-cli %s\n", VK_VERSION);
        return 0;
    }
    std::unique_ptr<QCoreApplication> app;
    if (drawsGlyphs(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            // Qt warns on every start without one; a private folder of our own quiets it.
            const QByteArray dir = QDir::tempPath().toUtf8() + "/vellumkit-runtime-" + QByteArray::number(getuid());
            QDir().mkpath(QString::fromUtf8(dir));
            QFile::setPermissions(QString::fromUtf8(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", dir);
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.empty()) throw vk::cli::UsageError{"no command given"};
        const std::string command = args.front();
        args.erase(args.begin());
        if (command == "--help" || command == "-h" || command == "help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (command == "--version") {
            std::printf("vellumkit-cli %s\n", VK_VERSION);
            return 0;
        }
        if (command == "make") return vk::cli::runMake(args);
        if (command == "batch") return vk::cli::runBatch(args);
        if (command == "templates") return vk::cli::runTemplates(args);
        if (command == "render") return vk::cli::runRender(args);
        throw vk::cli::UsageError{"unknown command '" + command + "'"};
    } catch (const vk::cli::UsageError& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\nTry 'vellumkit-cli --help' for the options.\n", e.message.c_str());
        return 2;
    } catch (const vk::Error& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\n", vk::messageForDisplay(e.what()).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\n", e.what());
        return 1;
    }
}
