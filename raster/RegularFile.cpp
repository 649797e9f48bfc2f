#include "raster/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vk {

RegularFile::RegularFile(const std::string& path) {
    // The name's bytes as they are, opened without blocking so that a FIFO cannot hold us.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        openError_ = errno;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) openError_ = errno;
    else if (S_ISDIR(info.st_mode)) refusal_ = Refusal::Folder;
    else if (!S_ISREG(info.st_mode)) refusal_ = Refusal::NotRegular;
    else {
        refusal_ = Refusal::None;
        size_ = std::uint64_t(info.st_size);
        return;
    }
    ::close(fd_);
    fd_ = -1;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(other.fd_), size_(other.size_), refusal_(other.refusal_), openError_(other.openError_) {
    other.fd_ = -1;
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RegularFile::readAt(std::uint8_t* to, std::size_t n, std::uint64_t at) const {
    while (n > 0) {
        const ssize_t got = ::pread(fd_, to, n, off_t(at));
        if (got <= 0) {
            if (got < 0 && errno == EINTR) continue;
            return false;
        }
        to += got, at += std::uint64_t(got), n -= std::size_t(got);
    }
    return true;
}

long long RegularFile::readStart(std::uint8_t* to, std::size_t n) const {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, to + done, n - done, off_t(done));
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        done += std::size_t(got);
    }
    return static_cast<long long>(done);
}

ByteSource RegularFile::bytes() const {
    return {[this](std::uint8_t* to, std::size_t n, std::uint64_t at) { return readAt(to, n, at); }, size_, nullptr};
}

} // namespace vk
