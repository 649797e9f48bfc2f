// Where the command line writes: checks made before anything is written (no
// output may land on an input or on another output), and a guard that takes
// back the directories a failed command made.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vk {
class Image;
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

// Throw UsageError, naming `option` and the system's reason, when the
// directory (or its nearest existing ancestor) is not a writable directory,
// or when the file's place is taken by a directory: path mistakes are found
// before anything is read or written.
void checkDirectoryTarget(const std::filesystem::path& dir, const std::string& option);
void checkFileTarget(const std::filesystem::path& file, const std::string& option);
// Throws UsageError when the picture is missing, a folder or unreadable ("No such file or directory").
void checkPictureInput(const std::filesystem::path& picture, const std::string& option);

// The sixteen paths a save writes into a skin directory.
std::vector<std::filesystem::path> skinFilePaths(const std::filesystem::path& skinDirectory);

// A file a command reads or writes, and what the command line calls it.
struct NamedFile {
    std::filesystem::path path;
    std::string role;  // "--wsz", "the skin file", "the picture" ...
};
// Throws UsageError when two outputs, or an output and an input, are one
// file: by device and inode where the file exists, else by absolute path.
void checkOutputsApart(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs);

class OutputGuard {
public:
    OutputGuard() = default;
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;
    // Removes, newest first, the directories made here that are still empty, unless kept.
    ~OutputGuard();

    // Creates the missing directories down to dir; throws Error "Cannot create<dir>".
    void makeDirectories(const std::filesystem::path& dir);
    void keep() { kept_ = true; }

private:
    std::vector<std::filesystem::path> created_;
    bool kept_ = false;
};

// The format a picture file's extension names among those this Qt writes
// ("png", "jpg", "webp" ...), lower case; throws UsageError naming the option
// when there is no extension or Qt writes no such format.
std::string imageFormatFor(const std::filesystem::path& file, const std::string& option);
// The formats this Qt writes, as "bmp, jpeg, jpg, png ...".
std::string writableFormats();
// The picture as the bytes of a file in that format: PNG and BMP by the program's own
// encoders, any other through Qt; throws Error "Cannot encode <file>".
std::vector<std::uint8_t> encodeImage(const Image& image, const std::string& format, const std::filesystem::path& file);

// The window preview as the bytes of a file in the format its extension names.
std::vector<std::uint8_t> previewBytes(const Workbench& bench, const std::filesystem::path& file);

} // namespace vk::cli
