#include "cli/Report.h"

#include "cli/Commands.h"
#include "cli/SkinRecipe.h"

#include <atomic>
#include <cstdio>

namespace vk::cli {

namespace {
std::atomic<Verbosity> current{Verbosity::Normal};

// One call per line, so that lines from batch's threads never interleave.
void say(std::FILE* stream, const std::string& text) {
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), stream);
}
} // namespace

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
    if (current != Verbosity::Normal && current != wanted) throw UsageError{"give one of --quiet and --verbose"};
    current = wanted;
    return true;
}

} // namespace vk::cli
