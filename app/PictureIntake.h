// Get Bitmap's core: a user's picture file decoded into an image of its own size.
#pragma once
#include "raster/Image.h"

#include <cstdint>
#include <string>

namespace vk {

// Larger pictures are refused before their pixels are allocated.
inline constexpr std::int64_t kMaxPicturePixels = 256LL * 1000 * 1000;

// Any format the image reader decodes (BMP of every depth, PNG, JPEG, GIF).
// Throws Error "Cannot open file <path>" or "Bitmap image is not valid".
Image loadPictureFile(const std::string& path);

} // namespace vk
