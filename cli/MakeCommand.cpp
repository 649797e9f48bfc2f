// `make`: lay out the pictures and make a skin, as a user does in the window.
#include "app/Workbench.h"
#include "cli/Commands.h"

#include <cstdio>

namespace vk::cli {

namespace {
LayoutMode parseLayout(const std::string& name) {
    if (name == "three-windows") return LayoutMode::ThreeWindows;
    if (name == "two-plus-one") return LayoutMode::TwoPlusOne;
    if (name == "continuous") return LayoutMode::Continuous;
    throw UsageError{"unknown layout '" + name + "' (three-windows, two-plus-one or continuous)"};
}
} // namespace

int runMake(const std::vector<std::string>& args) {
    Workbench bench;
    std::string mainPicture, eqPicture, plPicture;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError{"option " + arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--main") mainPicture = value();
        else if (arg == "--equaliser") eqPicture = value();
        else if (arg == "--playlist") plPicture = value();
        else if (arg == "--layout") bench.options.layout = parseLayout(value());
        else if (arg == "--out") value();  // the skin writer lands with the output module
        else throw UsageError{"unknown option '" + arg + "'"};
    }
    if (!mainPicture.empty()) bench.loadPicture(WhichPicture::Main, mainPicture);
    if (!eqPicture.empty()) bench.loadPicture(WhichPicture::Equaliser, eqPicture);
    if (!plPicture.empty()) bench.loadPicture(WhichPicture::Playlist, plPicture);
    bench.layoutPictures();
    std::printf("laid out %s onto the three window canvases (275 x 116 each)\n",
                mainPicture.empty() ? "the default picture" : mainPicture.c_str());
    return 0;
}

} // namespace vk::cli
