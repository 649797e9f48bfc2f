// What batch is asked for, and the parts of a run besides making each skin:
// the pictures gathered from what was given, and the names the skins get.
#pragma once
#include "cli/PlayerInstall.h"
#include "cli/SkinRecipe.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace vk::cli {

struct BatchRequest {
    SkinRecipe recipe;
    std::string outDir;
    std::string previewFormat;  // empty: no previews
    bool noSync = false;
    bool progress = false;
    bool recursive = false;
    bool noWsz = false, noFolder = false;
    std::size_t jobs = 0;  // 0: one per core
    std::vector<std::string> inputs;  // pictures and folders, as given
    std::vector<SkinPlayer> players;  // --install-for
};

// One skin to make: its picture and the name it is saved under.
struct BatchItem {
    std::string picture, name;
};

// The pictures to make skins from; what a folder holds that is not a picture is reported and skipped.
struct Gathered {
    std::vector<std::string> pictures;
    std::size_t skipped = 0;
};
Gathered gatherPictures(const BatchRequest& request);

// Each skin named after its picture, a name taken getting -2, -3 ...
std::vector<BatchItem> nameSkins(const BatchRequest& request, const std::vector<std::string>& pictures);
std::filesystem::path archiveOf(const BatchRequest& request, const std::string& name);
std::filesystem::path previewOf(const BatchRequest& request, const std::string& name);
// No skin, archive or preview may land on a picture, nor on another output.
void checkOutputsOfAll(const BatchRequest& request, const std::vector<BatchItem>& items);

} // namespace vk::cli
