// What the command line says and where: results on stdout (none with
// --quiet), what it is doing on stderr (only with --verbose), warnings and
// errors on stderr always.
#pragma once
#include <string>

namespace vk::cli {

class ArgReader;

enum class Verbosity { Quiet, Normal, Verbose };
void setVerbosity(Verbosity verbosity);
Verbosity verbosity();

// One line each; the newline is added.
void result(const std::string& line);
void note(const std::string& line);
void warning(const std::string& line);
// A line kept at the bottom of a terminal (batch's progress), redrawn in place:
// every other line clears it first and it is drawn again after. Empty: gone.
void showStatus(const std::string& line);

// Reads -q, --quiet, -v or --verbose at the reader's position; false, consuming nothing, otherwise.
bool readReportOption(ArgReader& reader);

} // namespace vk::cli
