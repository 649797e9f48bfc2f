// The subcommands of vellumkit-cli. Each returns the exit status; usage
// errors are thrown as UsageError (exit 2), failures as vk::Error (exit 1).
#pragma once
#include <string>
#include <vector>

namespace vk::cli {

struct UsageError {
    std::string message;
};

int runMake(const std::vector<std::string>& args);
int runBatch(const std::vector<std::string>& args);
int runTemplates(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);

} // namespace vk::cli
