// Replacing files whole: a reader, or a crash, sees the old files or the new
// ones, never a part of either; a folder locked against other savers; stale
// temporary files of a killed run cleared away.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace vk {

// Where a replacement stopped: the temporary file could not be made, could
// not be written and flushed completely, or could not take the old one's place.
enum class FileStep { Create, Write, Replace };

struct FileFailure {
    FileStep step;
    int error;  // errno
};

// Whether the new files reach the disk before they take the old ones' places.
enum class Durability { Synced, Unsynced };

// Files replaced together. Each is written beside its target under a
// temporary name; commit() makes them all durable at once and only then
// renames them into place, so a failure before the renames leaves every
// target as it was. Temporaries not committed are removed on destruction.
class StagedFiles {
public:
    explicit StagedFiles(Durability durability = Durability::Synced) : durability_(durability) {}
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the bytes to a temporary file beside the target.
    std::optional<FileFailure> add(const std::filesystem::path& target, const std::uint8_t* data, std::size_t size);
    // Also flushes the entry of a directory made for these files.
    void addNewDirectory(const std::filesystem::path& directory);

    struct CommitFailure {
        std::size_t index;  // of the file, in the order added
        FileFailure failure;
    };
    std::optional<CommitFailure> commit();

private:
    struct Staged {
        std::filesystem::path target, temporary;
        int fd;
    };
    void discard();
    static std::optional<std::size_t> syncTogether(const std::vector<Staged>& files);
    Durability durability_;
    std::vector<Staged> files_;
    std::vector<std::filesystem::path> newDirectories_;
};

// Writes one file this way.
std::optional<FileFailure> replaceFile(const std::filesystem::path& target, const std::uint8_t* data,
                                       std::size_t size, Durability durability = Durability::Synced);

// An exclusive advisory lock on a directory itself (so nothing is added to
// it), held while this lives; a second saver into the folder waits for it.
class FolderLock {
public:
    // Opens and locks the directory; the error is errno, 0 when locked.
    explicit FolderLock(const std::filesystem::path& directory);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    int error() const { return error_; }
    // False once the path no longer names the locked directory (removed or
    // replaced while this waited): the caller starts again.
    bool stillAt(const std::filesystem::path& directory) const;
    int fd() const { return fd_; }

private:
    int fd_ = -1;
    int error_ = 0;
};

// Removes this program's temporary files in the directory that no live
// writer holds (a killed run's); best effort.
void removeStaleTemporaries(const std::filesystem::path& directory);

} // namespace vk
