// gen_templates: draws every image of the template catalogue and writes it
// as OUT_DIR/<name>.bmp at the catalogue's size and depth.
//   gen_templates OUT_DIR
#include "Templates.h"

#include "raster/Bmp.h"
#include "templates/TemplateSet.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace vk {
// The generator makes the files that the programs embed; it carries none.
const std::vector<EmbeddedFile>& embeddedTemplateFiles() {
    static const std::vector<EmbeddedFile> none;
    return none;
}
} // namespace vk

namespace {

using namespace vk;
using Draw = std::function<Image()>;

const std::map<std::string, Draw>& drawers() {
    using namespace vk::gen;
    static const std::map<std::string, Draw> all = {
        {"titleBarImage", titleBarImage},
        {"volumeWindow", volumeWindow},
        {"balanceWindow", balanceWindow},
        {"posBar", posBar},
        {"monoSter", monoSter},
        {"shufrep", shufrep},
        {"cButtons", cButtons},
        {"eqMain", eqMain},
        {"plEdit", plEdit},
        {"eqEx", eqEx},
        // Each glyph sheet starts as its own mask.
        {"playPaus", playPausMask},
        {"playPausMask", playPausMask},
        {"text", textMask},
        {"textMask", textMask},
        {"nums_ex", nums_exMask},
        {"nums_exMask", nums_exMask},
        {"plTools", plToolsMask},
        {"plToolsMask", plToolsMask},
        {"topBit", topBitMask},
        {"topBitMask", topBitMask},
        {"vKit", vKitMask},
        {"vKitMask", vKitMask},
        {"buts", buts},
        {"downButs", downButs},
        {"loadDown", loadDown},
        {"shuffleUpBut", shuffleUpBut},
        {"shuffleDown", shuffleDown},
        {"repUpBut", repUpBut},
        {"repDown", repDown},
        {"eqUpBut", eqUpBut},
        {"eqButDown", eqButDown},
        {"plUpBut", plUpBut},
        {"plButDown", plButDown},
        {"choices0", [] { return choices(0); }},
        {"choices1", [] { return choices(1); }},
        {"choices2", [] { return choices(2); }},
        {"choices3", [] { return choices(3); }},
        {"choices4", [] { return choices(4); }},
        {"choices5", [] { return choices(5); }},
        {"presetUp", presetUp},
        {"presetDown", presetDown},
        {"offManUp", offManUp},
        {"offManDown", offManDown},
        {"onAutoUp", onAutoUp},
        {"onAutoDown", onAutoDown},
        {"puller", puller},
        {"cornerPull", cornerPull},
        {"plButs1", plButs1},
        {"plButs2", plButs2},
        {"volBut", volBut},
        {"exampleSlider", exampleSlider},
        {"firstImage", firstImage},
        {"visiBar", visiBar},
    };
    return all;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_templates OUT_DIR\n");
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        std::fprintf(stderr, "gen_templates: cannot create %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    if (drawers().size() != templateCatalogue().size()) {
        std::fprintf(stderr, "gen_templates: %zu drawers for %zu catalogue entries\n", drawers().size(),
                     templateCatalogue().size());
        return 1;
    }
    for (const TemplateSpec& spec : templateCatalogue()) {
        const auto it = drawers().find(spec.name);
        if (it == drawers().end()) {
            std::fprintf(stderr, "gen_templates: nothing draws %s\n", spec.name);
            return 1;
        }
        Image image = it->second();
        if (image.width() != spec.width || image.height() != spec.height) {
            std::fprintf(stderr, "gen_templates: %s is drawn %d x %d, the catalogue says %d x %d\n", spec.name,
                         image.width(), image.height(), spec.width, spec.height);
            return 1;
        }
        image.setDepth(spec.depth);
        const auto path = outDir / (std::string(spec.name) + ".bmp");
        if (!writeFile(path, encodeBmp(image))) {
            std::fprintf(stderr, "gen_templates: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
