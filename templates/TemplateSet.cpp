#include "templates/TemplateSet.h"

#include "raster/Bmp.h"

#include <cstring>

namespace vk {

TemplateSet TemplateSet::embedded() {
    TemplateSet set;
    const auto& files = embeddedTemplateFiles();
    for (const TemplateSpec& spec : templateCatalogue()) {
        Image image(spec.width, spec.height, spec.depth);
        for (const EmbeddedFile& file : files) {
            if (std::strcmp(file.name, spec.name) == 0) {
                image = decodeBmp(file.data, file.size);
                image.setDepth(spec.depth);
                break;
            }
        }
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
