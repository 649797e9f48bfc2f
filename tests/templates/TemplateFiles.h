// Helpers for the template tests: the files in templates/, read as bytes
// and as images.
#pragma once
#include "raster/Bmp.h"
#include "templates/TemplateSet.h"
#include "tests/output/ScratchDirs.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace vk::test {

inline std::filesystem::path templateDir() { return std::filesystem::path(VK_SOURCE_DIR) / "templates"; }

inline Image templateImage(const std::string& name) {
    return decodeBmp(readBytes(templateDir() / (name + ".bmp")));
}

// The names of the .bmp files in a directory, without the extension.
inline std::set<std::string> bmpNames(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".bmp") names.insert(entry.path().stem().string());
    return names;
}

inline std::set<std::string> catalogueNames() {
    std::set<std::string> names;
    for (const TemplateSpec& spec : templateCatalogue()) names.insert(spec.name);
    return names;
}

} // namespace vk::test
