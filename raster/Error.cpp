#include "raster/Error.h"

#include <cstring>

namespace vk {

std::string FileError::withReason() const { return error_ ? path_.string() + ": " + std::strerror(error_) : what(); }

std::string messageForDisplay(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

} // namespace vk
