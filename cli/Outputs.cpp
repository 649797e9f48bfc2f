#include "cli/Outputs.h"

#include "app/Workbench.h"

#include "cli/Commands.h"
#include "cli/QtModule.h"
#include "codec/Png.h"
#include "format/SkinFiles.h"
#include "raster/Bmp.h"
#include "raster/Error.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

// The nearest ancestor (or the path itself) that exists.
fs::path nearestExisting(fs::path path) {
    std::error_code ec;
    if (path.is_relative()) path = fs::path(".") / path;
    while (!fs::exists(path, ec) && path.has_relative_path()) path = path.parent_path();
    return path;
}

bool writableDirectory(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

} // namespace

SkinTarget splitSkinDirectory(const std::string& dir) {
    fs::path path(dir);
    while (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
    const std::string last = path.filename().string();
    if (last.empty() || last == "." || last == "..")
        throw UsageError{"'" + dir + "' names no skin directory: give a path that ends in the skin's name"};
    return {path.parent_path(), last};
}

namespace {

// Why nothing can be made at `path`, from the nearest part of it that exists: empty when something can.
std::string whyNotMakeable(const fs::path& path) {
    const fs::path existing = nearestExisting(path);
    std::error_code ec;
    if (!fs::is_directory(existing, ec))
        return "'" + existing.lexically_normal().string() + "' is a file (" + std::strerror(ENOTDIR) + ")";
    if (::access(existing.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return {};
}

} // namespace

void checkDirectoryTarget(const fs::path& dir, const std::string& option) {
    std::error_code ec;
    if (fs::exists(dir, ec)) {
        if (!fs::is_directory(dir, ec)) throw UsageError{option + " '" + dir.string() + "': it is a file, not a folder"};
        if (!writableDirectory(dir)) throw UsageError{option + " '" + dir.string() + "': " + std::strerror(errno)};
        return;
    }
    if (const std::string why = whyNotMakeable(dir); !why.empty()) throw UsageError{option + " '" + dir.string() + "': " + why};
}

void checkFileTarget(const fs::path& file, const std::string& option) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) throw UsageError{option + " '" + file.string() + "': " + std::strerror(EISDIR)};
    if (const std::string why = whyNotMakeable(file.parent_path().empty() ? fs::path(".") : file.parent_path()); !why.empty())
        throw UsageError{option + " '" + file.string() + "': " + why};
}

void checkPictureInput(const fs::path& picture, const std::string& option) {
    struct stat st {};
    if (::stat(picture.c_str(), &st) != 0) throw UsageError{option + " '" + picture.string() + "': " + std::strerror(errno)};
    if (S_ISDIR(st.st_mode))
        throw UsageError{option + " '" + picture.string() + "': " + std::strerror(EISDIR) + " (batch takes the pictures of a folder)"};
    if (::access(picture.c_str(), R_OK) != 0) throw UsageError{option + " '" + picture.string() + "': " + std::strerror(errno)};
}

std::vector<fs::path> skinFilePaths(const fs::path& skinDirectory) {
    std::vector<fs::path> paths;
    for (const format::SheetFile& sheet : format::kWrittenSheets) paths.push_back(skinDirectory / sheet.fileName);
    paths.push_back(skinDirectory / format::kVisColorFile);
    paths.push_back(skinDirectory / format::kPlEditFile);
    return paths;
}

void checkOutputsApart(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs) {
    // One key per file: its inode where it exists, else where it would be
    // made. The path is resolved first, as the missing directories on the way
    // will be made: "new/../photo.png" is "photo.png".
    auto keyOf = [](const fs::path& path) {
        std::error_code ec;
        fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
        if (ec) resolved = fs::absolute(path, ec).lexically_normal();
        struct stat st {};
        if (::stat(resolved.c_str(), &st) == 0)
            return "inode " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
        return "path " + resolved.string();
    };
    std::map<std::string, const NamedFile*> seen;
    for (const NamedFile& input : inputs) seen.emplace(keyOf(input.path), &input);
    for (const NamedFile& output : outputs) {
        const auto [at, fresh] = seen.emplace(keyOf(output.path), &output);
        if (fresh) continue;
        const NamedFile& other = *at->second;
        throw UsageError{output.role + " '" + output.path.string() + "' would overwrite " + other.role + " '" +
                         other.path.string() + "'"};
    }
}

OutputGuard::~OutputGuard() {
    if (kept_) return;
    std::error_code ec;
    // Only an empty one: another run may have saved into it meanwhile.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs::remove(*it, ec);
}

void OutputGuard::makeDirectories(const fs::path& dir) {
    if (dir.empty()) return;
    std::error_code ec;
    fs::path built;
    for (const fs::path& part : dir) {
        built /= part;
        if (part.empty() || fs::is_directory(built, ec)) continue;
        if (!fs::create_directory(built, ec) && !fs::is_directory(built, ec))
            throw FileError("Cannot create " + dir.string(), built, ec ? ec.value() : ENOTDIR);
        created_.push_back(built);
    }
}

namespace {
// PNG and BMP have encoders of the program's own, with no need of Qt's plugins.
bool hasOwnEncoder(const std::string& format) { return format == "png" || format == "bmp"; }
} // namespace

std::string imageFormatFor(const fs::path& file, const std::string& option) {
    std::string extension = file.extension().string();
    if (extension.size() > 1) extension.erase(0, 1);
    else extension.clear();
    for (char& c : extension) c = char(std::tolower((unsigned char)c));
    if (extension.empty())
        throw UsageError{option + " '" + file.string() + "' has no extension to name its format (" + writableFormats() + ")"};
    if (hasOwnEncoder(extension)) return extension;
    const std::vector<std::string> writable = qtModule().formats(true);
    if (std::find(writable.begin(), writable.end(), extension) == writable.end())
        throw UsageError{option + " '" + file.string() + "': cannot write ." + extension + " pictures (" +
                         writableFormats() + ")"};
    return extension;
}

std::string writableFormats() {
    std::string names;
    for (const std::string& format : qtModule().formats(true)) names += (names.empty() ? "" : ", ") + format;
    return names;
}

std::vector<std::uint8_t> encodeImage(const Image& image, const std::string& format, const fs::path& file) {
    if (format == "png") return codec::encodePng(image);
    if (format == "bmp") return encodeBmp(image);
    std::string why;
    std::vector<std::uint8_t> bytes = qtModule().encode(image, format, why);
    if (bytes.empty()) throw Error("Cannot encode " + file.string() + ": " + why);
    return bytes;
}

std::vector<std::uint8_t> previewBytes(const Workbench& bench, const fs::path& file) {
    return encodeImage(bench.windowPreview(), imageFormatFor(file, "the preview"), file);
}

} // namespace vk::cli
