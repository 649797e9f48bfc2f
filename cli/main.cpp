// vellumkit-cli: the headless face of the workbench.
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "raster/Error.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: vellumkit-cli make --out DIR [--main FILE] [SKIN OPTIONS] [--wsz FILE] [--preview FILE.png]\n"
    "                          [--player-preview FILE.png]\n"
    "       vellumkit-cli batch --out-dir DIR [SKIN OPTIONS] [--previews] PICTURE...\n"
    "       vellumkit-cli templates [--out DIR] [--contact-sheet FILE.png]\n"
    "       vellumkit-cli render SKIN --out FILE.png [--scale N] [--windows main,eq,playlist]\n"
    "                     [--time M:SS] [--title TEXT] [--playing|--paused|--stopped]\n"
    "                     [--volume 0-100] [--balance -100-100] [--eq P,B1,..,B10 (0-100)]\n"
    "       vellumkit-cli --help | --version\n"
    "\n"
    "SKIN OPTIONS:\n"
    "  --equaliser FILE, --playlist FILE   pictures of the other two windows\n"
    "  --layout three-windows|two-plus-one|continuous\n"
    "  --buttons-only                      no bevels or embossing (default: full 3D)\n"
    "  --sink-frame                        sunken frames (default: raised)\n"
    "  --colour NAME=RRGGBB                a colour setting: winBackColour, winTextColour,\n"
    "                                      plNormalColour, plCurrentColour, plNormalBgColour,\n"
    "                                      plSelectedBgColour, eqBackColour, eqForeColour,\n"
    "                                      eqHighlightColour\n"
    "  --vis-colour N=RRGGBB               visualisation colour N, 1-17\n"
    "  --knob main|eq|playlist=RRGGBB      restyle a slider knob\n"
    "Colours are red first. --colour, --vis-colour and --knob may repeat and are\n"
    "applied in the order given. batch names each skin after its picture and\n"
    "writes DIR/NAME/ and DIR/NAME.wsz (and DIR/NAME.png with --previews).\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage.\n";

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt warns on every start without one; a private folder of our own quiets it.
        const QByteArray dir = QDir::tempPath().toUtf8() + "/vellumkit-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromUtf8(dir));
        QFile::setPermissions(QString::fromUtf8(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);

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
