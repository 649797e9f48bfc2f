// vellumkit-cli: the headless face of the workbench.
#include "app/QtTextRasteriser.h"
#include "cli/Commands.h"
#include "raster/Error.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: vellumkit-cli make --out DIR [--main FILE] [--equaliser FILE] [--playlist FILE]\n"
    "                          [--layout three-windows|two-plus-one|continuous]\n"
    "       vellumkit-cli templates [--out DIR] [--contact-sheet FILE.png]\n"
    "       vellumkit-cli --help | --version\n";

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QGuiApplication app(argc, argv);
    vk::installQtTextRasteriser();

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
        if (command == "templates") return vk::cli::runTemplates(args);
        throw vk::cli::UsageError{"unknown command '" + command + "'"};
    } catch (const vk::cli::UsageError& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\n%s", e.message.c_str(), kUsage);
        return 2;
    } catch (const vk::Error& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\n", vk::messageForDisplay(e.what()).c_str());
        return 1;
    }
}
