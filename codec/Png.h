// PNG pictures: sheets of third-party skins in, rendered pictures out.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vk::codec {

// Any PNG, transparent pixels on black; 16-bit samples cut to 8 bits as
// browsers show them. Text chunks are passed over unread. Throws
// Error("Image is not valid"), Error(limit.refusal(...)) for a claimed size
// over `limit` before any pixel memory exists, and an Error that says so for
// image data that runs on far past the picture (the inflating would not end).
Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit);
// An 8-bit RGB PNG of the image. Throws Error("Cannot encode the picture").
std::vector<std::uint8_t> encodePng(const Image& image);

} // namespace vk::codec
