// The catalogue of template images: name (also the file name), size and the
// depth each is stored at. Kept apart from the embedded data so that the
// generator that draws templates/*.bmp can use it too.
#include "templates/TemplateSet.h"

namespace vk {

const std::vector<TemplateSpec>& templateCatalogue() {
    static const std::vector<TemplateSpec> catalogue = {
#define VK_TEMPLATE(name, width, height, depth) {#name, width, height, depth, &TemplateSet::name},
#include "templates/TemplateList.h"
#undef VK_TEMPLATE
    };
    return catalogue;
}

} // namespace vk
