#include "output/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vk {

namespace {

// A name no other writer picks: one random stem per process, a counter per file.
std::string temporaryName() {
    static const std::uint64_t stem = std::random_device{}() ^ (std::uint64_t(::getpid()) << 32);
    static std::atomic<std::uint64_t> counter{0};
    char name[64];
    std::snprintf(name, sizeof name, ".vellumkit-%012llx-%llu.tmp", static_cast<unsigned long long>(stem & 0xFFFFFFFFFFFFull),
                  static_cast<unsigned long long>(counter++));
    return name;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

// Makes the rename itself durable; a directory that cannot be flushed still
// holds the complete file, so this is best effort.
void flushDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<FileFailure> replaceFile(const std::filesystem::path& target, const std::uint8_t* data,
                                       std::size_t size) {
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Found now rather than after writing a whole file that can never land.
    if (exists && S_ISDIR(old.st_mode)) return FileFailure{FileStep::Create, EISDIR};
    // A rename would replace a file that its owner made read-only; writing in
    // place would be refused, and so is this.
    if (exists && ::access(target.c_str(), W_OK) != 0) return FileFailure{FileStep::Create, errno};

    std::filesystem::path directory = target.parent_path();
    if (directory.empty()) directory = ".";

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = directory / temporaryName();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return FileFailure{FileStep::Create, errno};
    }
    if (fd < 0) return FileFailure{FileStep::Create, EEXIST};

    // The replacement keeps the permissions of the file it replaces.
    if (exists) ::fchmod(fd, old.st_mode & 07777);

    auto fail = [&](FileStep step) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        ::unlink(temporary.c_str());
        return FileFailure{step, error};
    };
    if (!writeAll(fd, data, size)) return fail(FileStep::Write);
    if (::fsync(fd) != 0) return fail(FileStep::Write);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(FileStep::Write);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(FileStep::Replace);
    flushDirectory(directory);
    return std::nullopt;
}

} // namespace vk
