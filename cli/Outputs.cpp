#include "cli/Outputs.h"

#include "app/Workbench.h"

#include "cli/Commands.h"
#include "output/SkinWriter.h"
#include "output/WindowPreview.h"
#include "raster/Error.h"

#include <QBuffer>
#include "app/QtImage.h"

#include <QImage>

#include <cerrno>
#include <cstring>

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

void checkDirectoryTarget(const fs::path& dir) {
    std::error_code ec;
    if (fs::exists(dir, ec)) {
        if (!fs::is_directory(dir, ec)) throw Error("Cannot create" + dir.string());
        if (!writableDirectory(dir)) throw Error("Cannot write into " + dir.string() + ": " + std::strerror(errno));
        return;
    }
    if (!writableDirectory(nearestExisting(dir))) throw Error("Cannot create" + dir.string());
}

void checkFileTarget(const fs::path& file) {
    std::error_code ec;
    if (fs::is_directory(file, ec) || !writableDirectory(nearestExisting(file.parent_path())))
        throw Error("Cannot create file " + file.string());
}

std::vector<fs::path> skinFilePaths(const Workbench& bench, const fs::path& skinDirectory) {
    std::vector<fs::path> paths;
    for (const SkinBitmap& bitmap : skinBitmaps(bench)) paths.push_back(skinDirectory / bitmap.fileName);
    paths.push_back(skinDirectory / "viscolor.txt");
    paths.push_back(skinDirectory / "plEdit.txt");
    return paths;
}

OutputGuard::~OutputGuard() {
    if (kept_) return;
    std::error_code ec;
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) fs::remove_all(*it, ec);
}

void OutputGuard::makeDirectories(const fs::path& dir) {
    if (dir.empty()) return;
    std::error_code ec;
    fs::path built;
    for (const fs::path& part : dir) {
        built /= part;
        if (part.empty() || fs::is_directory(built, ec)) continue;
        if (!fs::create_directory(built, ec) && !fs::is_directory(built, ec))
            throw Error("Cannot create" + dir.string());
        created_.push_back(built);
    }
}

void OutputGuard::willWrite(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) created_.push_back(path);
}

void writePreviewPng(const Workbench& bench, const fs::path& file) {
    const Image preview = windowPreview(bench);
    const QImage image = toQImage(preview);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw Error("Cannot encode the preview of " + file.string());
    writeBinaryFile(file, std::vector<std::uint8_t>(png.begin(), png.end()));
}

} // namespace vk::cli
