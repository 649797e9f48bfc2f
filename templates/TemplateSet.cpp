#include "templates/TemplateSet.h"

#include "raster/Bmp.h"

#include <algorithm>
#include <cstring>

namespace vk {

TemplateSet TemplateSet::embedded() {
    TemplateSet set;
    const auto& files = embeddedTemplateFiles();
    for (const TemplateSpec& spec : templateCatalogue()) {
        const auto file = std::find_if(files.begin(), files.end(),
                                       [&](const EmbeddedFile& f) { return std::strcmp(f.name, spec.name) == 0; });
        // A template the program does not carry is a white sheet of its size.
        Image image = file == files.end() ? Image(spec.width, spec.height) : decodeBmp(file->data, file->size);
        image.setDepth(spec.depth);
        set.*spec.member = std::move(image);
    }
    return set;
}

const Image& TemplateSet::choices(int i) const {
    static constexpr Image TemplateSet::*kChoices[] = {&TemplateSet::choices0, &TemplateSet::choices1,
                                                       &TemplateSet::choices2, &TemplateSet::choices3,
                                                       &TemplateSet::choices4, &TemplateSet::choices5};
    return this->*kChoices[i];
}

} // namespace vk
