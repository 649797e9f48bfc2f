// The help texts: the overview and one page per command, each listing that
// command's options (the man page follows them).
#pragma once
#include <string_view>

namespace vk::cli {

extern const char* const kOverview;
// The command's page, or nullptr for an unknown command.
const char* helpFor(std::string_view command);

} // namespace vk::cli
