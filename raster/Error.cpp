#include "raster/Error.h"

namespace vk {

std::string messageForDisplay(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

} // namespace vk
