// Where the command line writes: checks made before anything is written, and
// a guard that takes back what a failed command created, so that no
// half-made skin is left behind.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace vk {
class Workbench;
}

namespace vk::cli {

// --out DIR as the writer wants it: the parent directory and the skin name.
struct SkinTarget {
    std::filesystem::path parent;
    std::string name;
};
// Throws UsageError when DIR names no directory of its own (a root, say).
SkinTarget splitSkinDirectory(const std::string& dir);

// Throw Error when the directory (or its nearest existing ancestor) is not a
// writable directory, or when the file's place is taken by a directory.
void checkDirectoryTarget(const std::filesystem::path& dir);
void checkFileTarget(const std::filesystem::path& file);

// The sixteen paths a save writes into a skin directory.
std::vector<std::filesystem::path> skinFilePaths(const Workbench& bench, const std::filesystem::path& skinDirectory);

class OutputGuard {
public:
    OutputGuard() = default;
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;
    // Removes, newest first, everything noted as created, unless kept.
    ~OutputGuard();

    // Creates the missing directories down to dir; throws Error "Cannot create<dir>".
    void makeDirectories(const std::filesystem::path& dir);
    // Notes a file or directory about to be written; only one that does not
    // exist yet is taken back (an old file replaced whole cannot be).
    void willWrite(const std::filesystem::path& path);
    void keep() { kept_ = true; }

private:
    std::vector<std::filesystem::path> created_;
    bool kept_ = false;
};

// The window preview as a PNG file, replaced whole.
void writePreviewPng(const Workbench& bench, const std::filesystem::path& file);

} // namespace vk::cli
