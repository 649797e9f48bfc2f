// vellumkit-cli: the headless face of the workbench.
#include "app/WorkingMemory.h"
#include "cli/Commands.h"
#include "cli/Help.h"
#include "cli/Interrupt.h"
#include "cli/ProcessLimits.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "raster/Error.h"

#include <string_view>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

bool hasOption(int argc, char** argv, std::string_view option) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == option || (arg.size() > option.size() && arg.substr(0, option.size() + 1) == std::string(option) + "="))
            return true;
    }
    return false;
}

// Only the previews show glyphs, and only the contact sheet labels its tiles in
// Qt's fonts; every other command runs without a GUI application or a font.
bool drawsGlyphs(int argc, char** argv) {
    for (std::string_view option : {"--preview", "--previews", "--player-preview", "--player-previews", "--contact-sheet"})
        if (hasOption(argc, argv, option)) return true;
    return hasOption(argc, argv, "render");
}

bool isHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// Edits needed to turn a into b (insertions, deletions, substitutions).
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// A usage message with what the user probably meant: the nearest option the
// command's help names, or --main for a picture given on its own.
std::string withHint(std::string_view command, const std::string& message) {
    const auto quoted = [&](std::string_view opening) {
        return message.starts_with(opening) && message.ends_with("'") ? message.substr(opening.size(), message.size() - opening.size() - 1)
                                                                        : std::string();
    };
    if (const std::string option = quoted("unknown option '"); !option.empty()) {
        const char* page = vk::cli::helpFor(command);
        if (!page) return message;
        std::string best;
        std::size_t bestDistance = 3;  // more edits than two is no typo
        const std::string_view text = page;
        for (std::size_t at = text.find("--"); at != std::string_view::npos; at = text.find("--", at + 2)) {
            std::size_t end = at + 2;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-')) ++end;
            const std::string_view known = text.substr(at, end - at);
            const std::size_t d = distance(option.substr(0, option.find('=')), known);
            if (known.size() > 2 && d < bestDistance) best = known, bestDistance = d;
        }
        return best.empty() ? message : message + "; did you mean '" + best + "'?";
    }
    if (const std::string argument = quoted("unexpected argument '"); !argument.empty() && (command == "make"))
        return message + ": a picture is given with --main (or --equaliser, --playlist), as in --main " + argument;
    return message;
}

} // namespace

int main(int argc, char** argv) {
    // -q and -v may come before the command too.
    int first = 1;
    for (; first < argc; ++first) {
        const std::string_view arg = argv[first];
        if (arg == "-q" || arg == "--quiet") vk::cli::setVerbosity(vk::cli::Verbosity::Quiet);
        else if (arg == "-v" || arg == "--verbose") vk::cli::setVerbosity(vk::cli::Verbosity::Verbose);
        else break;
    }
    // Help and the version are answered before anything is started.
    const std::string_view command = first < argc ? argv[first] : "";
    if (isHelp(command) || (command == "help" && first + 1 == argc)) {
        std::fputs(vk::cli::overview().c_str(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("vellumkit-cli %s\n", VK_VERSION);
        return 0;
    }
    if (command == "help") {
        const char* page = vk::cli::helpFor(argv[first + 1]);
        if (page && first + 2 == argc) {
            std::fputs(page, stdout);
            return 0;
        }
        std::fprintf(stderr, "vellumkit-cli: %s\nTry 'vellumkit-cli --help' for the commands.\n",
                     page ? "help takes one COMMAND" : ("no command '" + std::string(argv[first + 1]) + "'").c_str());
        return 2;
    }
    if (const char* page = vk::cli::helpFor(command))
        for (int i = first + 1; i < argc && std::string_view(argv[i]) != "--"; ++i)
            if (isHelp(argv[i])) {
                std::fputs(page, stdout);
                return 0;
            }
    vk::cli::catchInterrupts();
    try {
        // Started before the arguments are taken: the GUI application consumes its own.
        if (drawsGlyphs(argc, argv)) vk::cli::startGlyphs(argc, argv, hasOption(argc, argv, "--contact-sheet"));
        // One skin's pictures and files (about 4 MiB) fault in a few huge pages; batch's
        // workers keep heaps of their own, and its memory budget counts what they give back.
        if (command != "batch") vk::reserveWorkingMemory(std::size_t(16) << 20);
        std::vector<std::string> args(argv + first, argv + argc);
        if (args.empty()) throw vk::cli::UsageError{"no command given"};
        const std::string command = args.front();
        args.erase(args.begin());
        if (const vk::cli::Command* known = vk::cli::findCommand(command); known && known->run) return known->run(args);
        throw vk::cli::UsageError{"unknown command '" + command + "'"};
    } catch (const vk::cli::Interrupted& stop) {
        std::fprintf(stderr, "vellumkit-cli: stopped by %s; nothing half-made is left\n", stop.signal == SIGINT ? "Ctrl-C" : "SIGTERM");
        return 128 + stop.signal;
    } catch (const vk::cli::UsageError& e) {
        const std::string page = vk::cli::helpFor(command) ? std::string(command) + " " : "";
        std::fprintf(stderr, "vellumkit-cli: %s\nTry 'vellumkit-cli %s--help' for the options.\n",
                     withHint(command, e.message).c_str(), page.c_str());
        return 2;
    } catch (const vk::FileError& e) {
        // The file and the system's reason, where the window has its own words.
        std::fprintf(stderr, "vellumkit-cli: %s\n", e.withReason().c_str());
        return 1;
    } catch (const vk::Error& e) {
        std::fprintf(stderr, "vellumkit-cli: %s\n", vk::messageForDisplay(e.what()).c_str());
        return 1;
    } catch (const std::bad_alloc&) {
        const std::string limit = vk::cli::memoryLimitMessage();
        std::fprintf(stderr, "vellumkit-cli: %s\n", limit.empty() ? "there is not enough memory" : limit.c_str());
        return 1;
    } catch (const std::exception&) {
        // A library's own words ("basic_string::_M_create") would tell the user nothing.
        std::fprintf(stderr, "vellumkit-cli: %s stopped on an unexpected internal failure\n", std::string(command).c_str());
        return 1;
    }
}
