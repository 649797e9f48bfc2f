// `templates`: writes the embedded template set back out, and draws a
// labelled contact sheet of it for a person to look at.
#include "app/Workbench.h"
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "raster/Error.h"
#include "templates/TemplateSet.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace vk::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kScale = 4;

void writeTemplateFiles(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) throw Error("Cannot create directory \"" + dir.string() + "\"");
    int written = 0;
    for (const EmbeddedFile& file : embeddedTemplateFiles()) {
        const fs::path path = dir / (std::string(file.name) + ".bmp");
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data), std::streamsize(file.size));
        out.close();
        if (!out) {
            if (fs::is_regular_file(path, ec)) fs::remove(path, ec);  // a truncated template is worse than none
            throw Error("Cannot write \"" + path.string() + "\"");
        }
        ++written;
    }
    result("wrote " + std::to_string(written) + " template images to " + dir.string());
}

void writeContactSheet(const fs::path& file) {
    const TemplateSet set = TemplateSet::embedded();
    std::vector<SheetTile> tiles;
    for (const TemplateSpec& spec : templateCatalogue()) {
        const Image& image = set.*spec.member;
        tiles.push_back({std::string(spec.name) + "  " + std::to_string(image.width()) + " x " + std::to_string(image.height()), &image});
    }
    std::string why;
    const std::vector<std::uint8_t> bytes = qtModule().contactSheet(tiles, kScale, imageFormatFor(file, "--contact-sheet"), why);
    try {
        if (bytes.empty()) throw Error(why);
        Workbench::writeFile(file, bytes);
    } catch (const Error&) {
        throw Error("Cannot write \"" + file.string() + "\"");
    }
    result("wrote the contact sheet to " + file.string());
}

} // namespace

int runTemplates(const std::vector<std::string>& args) {
    std::string outDir, contactSheet;
    ArgReader reader(args);
    while (reader.nextOption()) {
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(outDir);
        else if (name == "--contact-sheet") reader.valueOnce(contactSheet);
        else if (!readReportOption(reader)) throw UsageError{"unknown option '" + name + "'"};
    }
    if (outDir.empty() && contactSheet.empty())
        throw UsageError{"templates needs --out DIR, --contact-sheet FILE.png or both"};
    if (!contactSheet.empty()) imageFormatFor(contactSheet, "--contact-sheet");
    if (!outDir.empty()) writeTemplateFiles(outDir);
    if (!contactSheet.empty()) writeContactSheet(contactSheet);
    return 0;
}

} // namespace vk::cli
