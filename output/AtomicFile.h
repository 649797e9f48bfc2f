// Replacing a file whole: a reader, or a crash, sees the old file or the new
// one, never a part of either.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace vk {

// Where a replacement stopped: the temporary file could not be made, could
// not be written and flushed completely, or could not take the old one's place.
enum class FileStep { Create, Write, Replace };

struct FileFailure {
    FileStep step;
    int error;  // errno
};

// Writes the bytes beside the target under a temporary name, flushes them to
// disk and renames them over the target. On failure the temporary file is
// removed and the target is untouched.
std::optional<FileFailure> replaceFile(const std::filesystem::path& target, const std::uint8_t* data,
                                       std::size_t size);

} // namespace vk
