// Modules the command line loads on first use, so that a command that needs
// none of their libraries does not pay for loading them.
#pragma once
#include <string>

namespace vk::cli {

// The entry point `entry` of the module `fileName`: beside the program in the
// build tree, under the library folder once installed. Throws Error "Cannot
// find the <what> <fileName> (looked for ...)" or "Cannot load <path>: <why>".
void* moduleEntry(const std::string& fileName, const char* entry, const std::string& what);

} // namespace vk::cli
