// The one error type: a message that ends the current command.
#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vk {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be written or read: what() is the message the window
// shows; the file and the operating system's reason are kept for a program
// that names both ("Sky/main.bmp: No space left on device").
class FileError : public Error {
public:
    FileError(const std::string& message, std::filesystem::path path, int error)
        : Error(message), path_(std::move(path)), error_(error) {}
    const std::filesystem::path& path() const { return path_; }
    int error() const { return error_; }  // errno, 0 when there is none
    // "<path>: <the system's reason>", or the message when there is no errno.
    std::string withReason() const;

private:
    std::filesystem::path path_;
    int error_;
};

// Raised when a shade touches a pixel outside its image.
inline constexpr const char* kRangeCheckError = "Range check error";

// The text a message box shows: a full stop is added when the message
// ends in a character that sorts after ".".
std::string messageForDisplay(const std::string& message);

} // namespace vk
