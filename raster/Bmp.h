// Windows BMP files of our own: 24- and 32-bit, uncompressed, bottom-up.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vk {

// File header (14) + info header (40) + rows padded to 4 bytes, bottom row first.
std::vector<std::uint8_t> encodeBmp(const Image& image);
std::size_t bmpFileSize(int width, int height, int depth);

// Reads the uncompressed 24/32-bit files that encodeBmp writes (the embedded
// templates). Throws Error("Bitmap image is not valid") on anything else.
Image decodeBmp(const std::uint8_t* data, std::size_t size);
Image decodeBmp(const std::vector<std::uint8_t>& bytes);

} // namespace vk
