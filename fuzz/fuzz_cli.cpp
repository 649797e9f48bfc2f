// Fuzzes the command-line recipe reader: the bytes split into arguments at
// newlines and read as make's options; usage errors are expected, crashes are not.
#include "cli/Commands.h"
#include "cli/QtModule.h"
#include "cli/SkinRecipe.h"
#include "raster/Error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vk::cli::useQtModule(*vellumkitQtModule());  // linked in: there is no module beside the fuzzer
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') args.emplace_back();
        else args.back().push_back(char(data[i]));
    }
    try {
        vk::cli::ArgReader reader(args);
        vk::cli::SkinRecipe recipe;
        while (!reader.atEnd()) {
            if (!reader.atOption()) {
                if (reader.atEnd()) break;
                reader.positional();
            } else if (!vk::cli::readRecipeOption(reader, recipe, true)) {
                reader.value();
            }
        }
    } catch (const vk::cli::UsageError&) {
    } catch (const vk::Error&) {
    }
    return 0;
}
