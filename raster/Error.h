// The one error type: a message that ends the current command.
#pragma once
#include <stdexcept>
#include <string>

namespace vk {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a shade touches a pixel outside its image.
inline constexpr const char* kRangeCheckError = "Range check error";

// The text a message box shows: a full stop is added when the message
// ends in a character that sorts after ".".
std::string messageForDisplay(const std::string& message);

} // namespace vk
