// The subcommands of vellumkit-cli. Each returns the exit status; usage
// errors are thrown as UsageError (exit 2), failures as vk::Error (exit 1).
#pragma once
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vk::player {
struct ClassicSkin;
}

namespace vk::cli {

struct UsageError : std::exception {
    explicit UsageError(std::string text) : message(std::move(text)) {}
    const char* what() const noexcept override { return message.c_str(); }
    std::string message;
};

int runMake(const std::vector<std::string>& args);
int runBatch(const std::vector<std::string>& args);
int runTemplates(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runFormats(const std::vector<std::string>& args);
int runPlayers(const std::vector<std::string>& args);
// The skin as the player shows it, all three windows, as a file in the format its extension names.
std::vector<std::uint8_t> playerPreviewBytes(const player::ClassicSkin& skin, const std::filesystem::path& file);

} // namespace vk::cli
