// A file opened for reading without blocking and kept only if it is a regular
// file: a FIFO or a device named like a picture or a skin never holds us.
#pragma once
#include "raster/ByteSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vk {

class RegularFile {
public:
    enum class Refusal { None, CannotOpen, Folder, NotRegular };

    explicit RegularFile(const std::string& path);
    RegularFile(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    bool isOpen() const { return refusal_ == Refusal::None; }
    Refusal refusal() const { return refusal_; }
    int openError() const { return openError_; }  // errno of a failed open
    int fd() const { return fd_; }
    // The descriptor handed to whoever closes it; the file is then closed here.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        refusal_ = Refusal::CannotOpen;
        return fd;
    }
    std::uint64_t size() const { return size_; }

    // Exactly n bytes at `at`, false when the file has fewer or a read fails.
    bool readAt(std::uint8_t* to, std::size_t n, std::uint64_t at) const;
    // Up to n bytes from the start, fewer at the end of the file; -1 with errno on a failed read.
    long long readStart(std::uint8_t* to, std::size_t n) const;
    // The file's bytes for a reader; valid while the file is open.
    ByteSource bytes() const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    Refusal refusal_ = Refusal::CannotOpen;
    int openError_ = 0;
};

} // namespace vk
