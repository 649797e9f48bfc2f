// PNG pictures: sheets of third-party skins in, rendered pictures out.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <vector>

namespace vk::codec {

// Any PNG, transparent pixels on black; 16-bit samples cut to 8 bits as
// browsers show them. Throws Error("Image is not valid").
Image decodePng(const std::vector<std::uint8_t>& bytes);
// An 8-bit RGB PNG of the image. Throws Error("Cannot encode the picture").
std::vector<std::uint8_t> encodePng(const Image& image);

} // namespace vk::codec
