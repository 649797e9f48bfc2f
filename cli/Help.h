// The commands of vellumkit-cli in one table (name, summary, help page with
// its options, what runs it) and the help texts built from it; main
// dispatches through the same table (the man page follows the pages).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vk::cli {

struct Command {
    std::string_view name;
    const char* summary;  // the overview's line
    const char* page;     // the command's help, listing its options
    int (*run)(const std::vector<std::string>& args);  // none for help, which main answers itself
};

const std::vector<Command>& commands();
// The command of that name, or nullptr.
const Command* findCommand(std::string_view name);

std::string overview();
// The command's page, or nullptr for an unknown command.
const char* helpFor(std::string_view command);

} // namespace vk::cli
