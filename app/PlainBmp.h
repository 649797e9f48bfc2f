// The commonest picture file, read without the image library (see
// readPlainBmp). Every other file goes through the picture intake, which also
// gives every refusal its message.
#pragma once
#include "raster/Image.h"

#include <optional>
#include <string>

namespace vk {

// The picture, pixel for pixel as the intake reads it; none unless the file
// is such a BMP and opens, its size within the intake's limits.
std::optional<Image> readPlainBmpFile(const std::string& path);

} // namespace vk
