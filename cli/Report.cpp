#include "cli/Report.h"

#include "cli/Commands.h"
#include "cli/SkinRecipe.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include <unistd.h>

namespace vk::cli {

namespace {
std::atomic<Verbosity> current{Verbosity::Normal};
std::mutex saying;
std::string status;  // shown on stderr, a terminal, when not empty

void drawStatus(const std::string& line) { std::fprintf(stderr, "\r%-50s", line.c_str()); }
void clearStatus() { std::fprintf(stderr, "\r%*s\r", 50, ""); }

// Whole lines under one lock, so that lines from batch's threads never
// interleave and never land inside the status line.
void say(std::FILE* stream, const std::string& text) {
    const std::lock_guard lock(saying);
    const bool sharesTheTerminal = !status.empty() && (stream == stderr || ::isatty(::fileno(stream)) == 1);
    if (sharesTheTerminal) clearStatus(), std::fflush(stderr);
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fflush(stream);
    if (sharesTheTerminal) drawStatus(status), std::fflush(stderr);
}
} // namespace

void showStatus(const std::string& line) {
    const std::lock_guard lock(saying);
    if (line.empty()) {
        if (!status.empty()) clearStatus();
    } else {
        drawStatus(line);
    }
    std::fflush(stderr);
    status = line;
}

void setVerbosity(Verbosity verbosity) { current = verbosity; }
Verbosity verbosity() { return current; }

void result(const std::string& line) {
    if (current != Verbosity::Quiet) say(stdout, line);
}
void note(const std::string& line) {
    if (current == Verbosity::Verbose) say(stderr, "vellumkit-cli: " + line);
}
void warning(const std::string& line) { say(stderr, "vellumkit-cli: " + line); }

bool readReportOption(ArgReader& reader) {
    const std::string name = reader.option();
    Verbosity wanted;
    if (name == "-q" || name == "--quiet") wanted = Verbosity::Quiet;
    else if (name == "-v" || name == "--verbose") wanted = Verbosity::Verbose;
    else return false;
    reader.flag();
    // The last one given wins, as with most tools: an alias may add -q to a -v typed by hand.
    current = wanted;
    return true;
}

} // namespace vk::cli
