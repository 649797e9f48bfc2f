// batch's pictures: those given, and those of the folders given, in a stable order.
#include "cli/Batch.h"
#include "cli/PictureProblem.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "raster/Error.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {

void skip(Gathered& gathered, const fs::path& path, const std::string& why) {
    warning("skipped " + path.string() + ": " + why);
    ++gathered.skipped;
}

// Whether a file in a folder is a picture, from its first bytes or its name: one
// this installation cannot read is still taken, to fail by name rather than vanish.
void takeIfPicture(Gathered& gathered, const fs::path& path) {
    static const std::vector<std::string> readable = qtModule().formats(false);
    std::string whyNot;
    if (qtModule().readsPicture(path.string(), whyNot) || pictureByNameOrContent(path, readable))
        gathered.pictures.push_back(path.string());
    else skip(gathered, path, whyNot);
}

// The pictures of one folder (and its sub-folders with --recursive), in path
// order so that every run makes the same names; hidden files and the output
// folder are passed over.
void gatherFolder(Gathered& gathered, const fs::path& folder, const BatchRequest& request) {
    std::error_code ec;
    const fs::path outDir = fs::weakly_canonical(fs::absolute(request.outDir), ec);
    std::vector<fs::path> entries;
    const auto options = fs::directory_options::skip_permission_denied;
    fs::recursive_directory_iterator it(folder, options, ec), end;
    if (ec) throw Error("Cannot read the folder " + folder.string() + ": " + ec.message());
    for (; it != end; it.increment(ec)) {
        if (ec) throw Error("Cannot read the folder " + folder.string() + ": " + ec.message());
        const fs::path& path = it->path();
        const bool hidden = path.filename().string().starts_with('.');
        if (it->is_directory(ec)) {
            const bool isOutDir = fs::weakly_canonical(fs::absolute(path), ec) == outDir;
            if (!request.recursive || hidden || isOutDir) it.disable_recursion_pending();
            if (!hidden && !isOutDir) entries.push_back(path);
            continue;
        }
        if (!hidden) entries.push_back(path);
    }
    std::sort(entries.begin(), entries.end());
    for (const fs::path& path : entries) {
        if (fs::is_directory(path, ec)) {
            if (!request.recursive) skip(gathered, path, "a folder (--recursive takes in the pictures in it)");
        } else if (fs::is_regular_file(path, ec)) {
            takeIfPicture(gathered, path);
        } else {
            skip(gathered, path, "not a picture file");
        }
    }
}

} // namespace

// The inputs in the order given, each folder by its pictures; a file named
// twice (once by itself, once in a folder) is made once.
Gathered gatherPictures(const BatchRequest& request) {
    Gathered gathered;
    for (const std::string& input : request.inputs) {
        std::error_code ec;
        if (fs::is_directory(input, ec)) gatherFolder(gathered, input, request);
        else gathered.pictures.push_back(input);
    }
    std::set<std::string> seen;
    std::erase_if(gathered.pictures, [&](const std::string& picture) {
        std::error_code ec;
        const fs::path real = fs::weakly_canonical(fs::absolute(picture), ec);
        return !seen.insert(ec ? picture : real.string()).second;
    });
    return gathered;
}

} // namespace vk::cli
