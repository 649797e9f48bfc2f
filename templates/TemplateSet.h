// The template images the program carries inside itself, held by name. The
// output sheets are changed in place by MakeSkin and the colour tools; the
// stamps, masks and firstImage are only read.
#pragma once
#include "raster/Image.h"

#include <functional>
#include <string>
#include <vector>

namespace vk {

struct TemplateSet {
#define VK_TEMPLATE(name, width, height, depth) Image name;
#include "templates/TemplateList.h"
#undef VK_TEMPLATE

    // The set compiled into the program.
    static TemplateSet embedded();

    const Image& choices(int i) const;  // choices0 ... choices5
};

// One entry of the catalogue: the name is also the file name without ".bmp".
struct TemplateSpec {
    const char* name;
    int width;
    int height;
    int depth;
    Image TemplateSet::*member;
};

const std::vector<TemplateSpec>& templateCatalogue();

// The embedded files, by name; empty when the name is unknown.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
const std::vector<EmbeddedFile>& embeddedTemplateFiles();

} // namespace vk
