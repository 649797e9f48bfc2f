// batch's skin names and the files each writes, checked apart from the pictures.
#include "cli/Batch.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/Report.h"

#include <map>
#include <set>

namespace fs = std::filesystem;

namespace vk::cli {

namespace {
// The files one skin writes into the output folder.
std::vector<std::string> outputNames(const BatchRequest& request, const std::string& name) {
    std::vector<std::string> names;
    if (!request.noFolder) names.push_back(name);
    if (!request.noWsz) names.push_back(name + ".wsz");
    if (!request.previewFormat.empty()) names.push_back(name + "." + request.previewFormat);
    return names;
}

} // namespace

// Each skin is named after its picture without the extension; a name already
// taken by an earlier picture (or by one of its files) gets -2, -3 ... and is reported.
std::vector<BatchItem> nameSkins(const BatchRequest& request, const std::vector<std::string>& pictures) {
    std::set<std::string> taken;
    std::vector<BatchItem> items;
    for (const std::string& picture : pictures) {
        const std::string stem = fs::path(picture).stem().string();
        if (stem.empty() || stem == "." || stem == "..") throw UsageError{"'" + picture + "' names no picture file"};
        std::string name = stem;
        const auto free = [&](const std::string& candidate) {
            const auto names = outputNames(request, candidate);
            return std::none_of(names.begin(), names.end(), [&](const std::string& n) { return taken.count(n) > 0; });
        };
        for (int n = 2; !free(name); ++n) name = stem + "-" + std::to_string(n);
        if (name != stem) warning(picture + ": the name " + stem + " is taken, this skin is " + name);
        for (const std::string& output : outputNames(request, name)) taken.insert(output);
        items.push_back({picture, name});
    }
    return items;
}

fs::path archiveOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + ".wsz");
}
fs::path previewOf(const BatchRequest& request, const std::string& name) {
    return fs::path(request.outDir) / (name + "." + request.previewFormat);
}

// No skin, archive or preview may land on a picture, nor on another output.
void checkOutputsOfAll(const BatchRequest& request, const std::vector<BatchItem>& items) {
    std::vector<NamedFile> outputs, inputs;
    for (const BatchItem& item : items) {
        if (!request.noFolder) {
            const fs::path skinDirectory = Workbench::skinDirectoryFor(request.outDir, item.name);
            outputs.push_back({skinDirectory, "the skin directory"});
            for (const auto& path : skinFilePaths(skinDirectory)) outputs.push_back({path, "the skin file"});
        }
        if (!request.noWsz) outputs.push_back({archiveOf(request, item.name), "the archive"});
        if (!request.previewFormat.empty()) outputs.push_back({previewOf(request, item.name), "the preview"});
        inputs.push_back({item.picture, "the picture"});
    }
    if (!request.recipe.equaliserPicture.empty()) inputs.push_back({request.recipe.equaliserPicture, "the picture --equaliser"});
    if (!request.recipe.playlistPicture.empty()) inputs.push_back({request.recipe.playlistPicture, "the picture --playlist"});
    checkOutputsApart(outputs, inputs);
}

} // namespace vk::cli
