// Zip archives, as players take a skin in one file. With codec/Png.h this is
// all the program asks of libzip, zlib and libpng; the command line loads them on first use.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk::codec {

// One file of an archive or a skin: its name (it may carry a folder part) and bytes.
struct NamedBytes {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The archive's bytes: each file deflated, at its root, in the order given.
// Throws Error("Cannot make the skin archive: <why>").
std::vector<std::uint8_t> zipFiles(const std::vector<NamedBytes>& files);

// A member of an archive as its central directory describes it.
struct ArchiveMember {
    std::string name;            // the stored bytes, folder part included
    std::uint64_t size = 0;      // as claimed; reading never trusts it
    std::uint64_t packedSize = 0;
    std::uint64_t headerOffset = 0;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
};

// An archive opened for reading one member at a time. Only the members the
// opener asked for are listed, so an archive of a million files costs no more
// than the ones it wants; a member that cannot be read costs only itself.
class ArchiveReader {
public:
    virtual ~ArchiveReader() = default;
    // The wanted members, in the central directory's order.
    virtual const std::vector<ArchiveMember>& members() const = 0;
    // Every file the archive lists, wanted or not (folders not counted).
    virtual std::uint64_t fileCount() const = 0;
    // A few names of files that were not wanted, for saying what was found.
    virtual const std::vector<std::string>& otherNames() const = 0;
    // The member's bytes. Throws Error(<why>) when it claims or unpacks to
    // more than `limit` bytes (inflating stops there), is encrypted, is
    // packed by a method other than stored or deflated, or is damaged.
    virtual std::vector<std::uint8_t> read(const ArchiveMember& member, std::uint64_t limit) const = 0;
};

// Which members a reader lists, by their stored name.
using MemberFilter = std::function<bool(std::string_view name)>;

// Throws Error(<why>) for a file that is no zip archive or whose directory is
// cut or damaged: "not a zip archive", "the archive is cut short" ...
std::unique_ptr<ArchiveReader> openArchive(const std::filesystem::path& path, const MemberFilter& wanted);
std::unique_ptr<ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const MemberFilter& wanted);

} // namespace vk::codec
