#include "output/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vk {

namespace {

constexpr std::string_view kTemporaryPrefix = ".vellumkit-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// A name no other writer picks: one random stem per process, a counter per file.
std::string temporaryName() {
    static const std::uint64_t stem = std::random_device{}() ^ (std::uint64_t(::getpid()) << 32);
    static std::atomic<std::uint64_t> counter{0};
    char name[64];
    std::snprintf(name, sizeof name, ".vellumkit-%012llx-%llu.tmp", static_cast<unsigned long long>(stem & 0xFFFFFFFFFFFFull),
                  static_cast<unsigned long long>(counter++));
    return name;
}

bool isTemporaryName(std::string_view name) {
    return name.size() > kTemporaryPrefix.size() + kTemporarySuffix.size() && name.starts_with(kTemporaryPrefix) &&
           name.ends_with(kTemporarySuffix);
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

int lockRetrying(int fd, int operation) {
    int result;
    while ((result = ::flock(fd, operation)) != 0 && errno == EINTR) {}
    return result;
}

// Makes renames in the directory durable; a directory that cannot be
// flushed still holds the complete files, so this is best effort.
void flushDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::filesystem::path directoryOf(const std::filesystem::path& file) {
    std::filesystem::path directory = file.parent_path();
    return directory.empty() ? std::filesystem::path(".") : directory;
}

} // namespace

StagedFiles::~StagedFiles() { discard(); }

void StagedFiles::discard() {
    for (Staged& file : files_) {
        if (file.fd < 0) continue;
        ::unlink(file.temporary.c_str());
        ::close(file.fd);
    }
    files_.clear();
}

std::optional<FileFailure> StagedFiles::add(const std::filesystem::path& target, const std::uint8_t* data,
                                            std::size_t size) {
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // Found now rather than after writing a whole file that can never land.
    if (exists && S_ISDIR(old.st_mode)) return FileFailure{FileStep::Create, EISDIR};
    // A rename would replace a file that its owner made read-only; writing in
    // place would be refused, and so is this.
    if (exists && ::access(target.c_str(), W_OK) != 0) return FileFailure{FileStep::Create, errno};

    const std::filesystem::path directory = directoryOf(target);
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = directory / temporaryName();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return FileFailure{FileStep::Create, errno};
        if (fd < 0) continue;
        // Held until the rename: a stale-file sweep leaves a locked temporary alone.
        struct stat own {};
        if (lockRetrying(fd, LOCK_EX) != 0 || ::fstat(fd, &own) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            ::close(fd);
            return FileFailure{FileStep::Create, error};
        }
        if (own.st_nlink == 0) {  // swept away between creation and locking: take another name
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0) return FileFailure{FileStep::Create, EEXIST};

    // The replacement keeps the permissions of the file it replaces.
    if (exists) ::fchmod(fd, old.st_mode & 07777);

    if (!writeAll(fd, data, size)) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ::close(fd);
        return FileFailure{FileStep::Write, error};
    }
    files_.push_back({target, temporary, fd});
    return std::nullopt;
}

// Every staged file's data synced at the same time, a thread each: the journal
// commits them together, about one flush in all, where one after another cost a
// flush each. (syncfs cost as little but also flushed other programs' data.)
// The index of a file that failed, with errno set.
std::optional<std::size_t> StagedFiles::syncTogether(const std::vector<Staged>& files) {
    std::vector<int> errors(files.size(), 0);
    const auto sync = [&](std::size_t i) { errors[i] = ::fdatasync(files[i].fd) == 0 ? 0 : errno; };
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < files.size(); ++i) {
        try {
            threads.emplace_back(sync, i);
        } catch (const std::system_error&) {
            sync(i);  // no thread to be had: this one waits its turn
        }
    }
    if (!files.empty()) sync(0);
    for (std::thread& thread : threads) thread.join();
    for (std::size_t i = 0; i < files.size(); ++i)
        if (errors[i] != 0) {
            errno = errors[i];
            return i;
        }
    return std::nullopt;
}

void StagedFiles::addNewDirectory(const std::filesystem::path& directory) { newDirectories_.push_back(directory); }

std::optional<StagedFiles::CommitFailure> StagedFiles::commit() {
    if (durability_ == Durability::Synced)
        if (const std::optional<std::size_t> failed = syncTogether(files_)) return CommitFailure{*failed, {FileStep::Write, errno}};
    // A directory in a target's place is found before any file moves, so that
    // the commonest refusal of a rename cannot leave half the files replaced.
    for (std::size_t i = 0; i < files_.size(); ++i) {
        struct stat st {};
        if (::lstat(files_[i].target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            discard();
            return CommitFailure{i, {FileStep::Replace, EISDIR}};
        }
    }
    std::set<std::filesystem::path> directories;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        Staged& file = files_[i];
        if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
            const int error = errno;
            discard();
            return CommitFailure{i, {FileStep::Replace, error}};
        }
        ::close(file.fd);
        file.fd = -1;
        directories.insert(directoryOf(file.target));
    }
    files_.clear();
    // Then the renames, once per directory.
    if (durability_ == Durability::Synced) {
        for (const auto& made : newDirectories_) directories.insert(directoryOf(made));
        for (const auto& directory : directories) flushDirectory(directory);
    }
    return std::nullopt;
}

std::optional<FileFailure> replaceFile(const std::filesystem::path& target, const std::uint8_t* data,
                                       std::size_t size, Durability durability) {
    StagedFiles staged(durability);
    if (auto failure = staged.add(target, data, size)) return failure;
    if (auto failure = staged.commit()) return failure->failure;
    return std::nullopt;
}

FolderLock::FolderLock(const std::filesystem::path& directory) {
    fd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0 || lockRetrying(fd_, LOCK_EX) != 0) error_ = errno;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool FolderLock::stillAt(const std::filesystem::path& directory) const {
    struct stat locked {}, now {};
    return fd_ >= 0 && ::fstat(fd_, &locked) == 0 && ::stat(directory.c_str(), &now) == 0 &&
           locked.st_dev == now.st_dev && locked.st_ino == now.st_ino;
}

void removeStaleTemporaries(const std::filesystem::path& directory) {
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return;
    DIR* listing = ::fdopendir(dirFd);
    if (!listing) {
        ::close(dirFd);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name)) continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {}, named {};
        // A writer that is alive holds its temporary locked; the kernel let go of a killed one's.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(listing);
}

} // namespace vk
