#include "app/PlainBmp.h"

#include "raster/BmpReader.h"
#include "raster/RegularFile.h"

namespace vk {

std::optional<Image> readPlainBmpFile(const std::string& path) {
    const RegularFile file(path);
    if (!file.isOpen()) return std::nullopt;
    return readPlainBmp(file.bytes());
}

} // namespace vk
