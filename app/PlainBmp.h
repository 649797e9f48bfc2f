// The commonest picture file, read without the image library: a complete,
// uncompressed 24-bit BMP with the 40-byte header and no colour table, as
// ImageMagick and Paint write it. Every other file goes through the picture
// intake, which also gives every refusal its message.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vk {

// The picture, pixel for pixel as the intake reads it; none unless the file
// is such a BMP and opens, its size within the intake's limits.
std::optional<Image> readPlainBmpFile(const std::string& path);

// The same from `size` bytes that `readAt(to, n, offset)` reads, false when it cannot.
using ReadAt = std::function<bool(std::uint8_t* to, std::size_t n, std::uint64_t offset)>;
std::optional<Image> readPlainBmp(const ReadAt& readAt, std::uint64_t size);

} // namespace vk
