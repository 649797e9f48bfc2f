// `formats`: the picture formats this installation's Qt reads (or writes),
// one a line, as its image plugins report them.
#include "cli/Commands.h"
#include "cli/QtModule.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"

namespace vk::cli {

int runFormats(const std::vector<std::string>& args) {
    bool write = false;
    ArgReader reader(args);
    while (reader.nextOption()) {
        const std::string name = reader.option();
        if (name == "--write") {
            reader.flag();
            write = true;
        } else if (!readReportOption(reader)) {
            throw UsageError{"unknown option '" + name + "'"};
        }
    }
    for (const std::string& format : qtModule().formats(write)) result(format);
    return 0;
}

} // namespace vk::cli
