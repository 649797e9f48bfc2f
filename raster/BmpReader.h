// Reading the BMP variants that players accept in third-party skins: 1, 4
// and 8 bits with a palette (plain, RLE4, RLE8), 16, 24 and 32 bits (plain or
// bit fields), bottom-up or top-down, the old 12-byte header too.
#pragma once
#include "raster/Image.h"

#include <cstddef>
#include <cstdint>

namespace vk {

// Rows the file is too short for, and pixels an RLE run skips, stay black.
// Throws Error("Bitmap image is not valid") when the headers make no sense,
// and Error(limit.refusal(...)) for a claimed size over `limit`, before any
// pixel memory exists. The work is bounded by the pixels and the file's size.
Image readAnyBmp(const std::uint8_t* data, std::size_t size, const SizeLimit& limit);

} // namespace vk
