// Reading zip archives as players read skins: the central directory walked
// once, only wanted members kept, each member inflated by zlib within a limit.
// libzip refuses a whole archive for one member it dislikes (a name flagged
// UTF-8 that is not, an unknown method) and holds every entry it lists; here
// such a member costs only itself.
#include "codec/Archive.h"

#include "raster/Error.h"
#include "raster/RegularFile.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace vk::codec {

namespace {

// The largest central directory a skin could have: 65,535 entries with long
// names take about 20 MB; anything larger is no skin and is not read.
constexpr std::uint64_t kMaxDirectoryBytes = 32u << 20;
// How many unwanted names are kept for saying what an archive holds.
constexpr std::size_t kOtherNamesKept = 5;

constexpr std::uint32_t kEndSignature = 0x06054b50, kEnd64Signature = 0x06064b50, kLocator64Signature = 0x07064b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50, kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22, kEntrySize = 46, kLocalSize = 30;
constexpr std::uint16_t kStored = 0, kDeflated = 8, kEncryptedFlag = 1;

std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t le32(const std::uint8_t* p) { return std::uint32_t(le16(p)) | std::uint32_t(le16(p + 2)) << 16; }
std::uint64_t le64(const std::uint8_t* p) { return std::uint64_t(le32(p)) | std::uint64_t(le32(p + 4)) << 32; }

// Where the archive's bytes come from: a file read in place, or memory.
class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() const = 0;
    virtual bool readAt(std::uint64_t at, std::uint8_t* to, std::size_t n) const = 0;
    std::vector<std::uint8_t> read(std::uint64_t at, std::size_t n) const {
        std::vector<std::uint8_t> bytes(n);
        if (at > size() || n > size() - at || !readAt(at, bytes.data(), n)) throw Error("the archive is cut short");
        return bytes;
    }
};

class FileSource final : public Source {
public:
    explicit FileSource(const std::filesystem::path& path) : file_(path.string()) {
        if (file_.refusal() == RegularFile::Refusal::CannotOpen) throw Error(std::strerror(file_.openError()));
        if (!file_.isOpen()) throw Error("not a file");
    }
    std::uint64_t size() const override { return file_.size(); }
    bool readAt(std::uint64_t at, std::uint8_t* to, std::size_t n) const override { return file_.readAt(to, n, at); }

private:
    RegularFile file_;
};

class MemorySource final : public Source {
public:
    explicit MemorySource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t at, std::uint8_t* to, std::size_t n) const override {
        if (at > bytes_.size() || n > bytes_.size() - at) return false;
        std::copy_n(bytes_.data() + at, n, to);
        return true;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

std::string methodName(std::uint16_t method) {
    switch (method) {
    case 9: return "Deflate64";
    case 12: return "bzip2";
    case 14: return "LZMA";
    case 93: return "Zstandard";
    case 95: return "XZ";
    case 99: return "AES encryption";
    default: return "method " + std::to_string(method);
    }
}

std::string megabytes(std::uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes) + " bytes";
}

class ZipReader final : public ArchiveReader {
public:
    ZipReader(std::unique_ptr<Source> source, const MemberFilter& wanted) : source_(std::move(source)) {
        const Directory dir = findDirectory();
        if (dir.size > kMaxDirectoryBytes)
            throw Error("its directory takes " + megabytes(dir.size) + ", more than a skin's could");
        const std::vector<std::uint8_t> entries = source_->read(dir.offset, std::size_t(dir.size));
        std::size_t at = 0;
        for (std::uint64_t n = 0; n < dir.count && at + kEntrySize <= entries.size(); ++n) {
            const std::uint8_t* e = entries.data() + at;
            if (le32(e) != kEntrySignature) {
                if (n == 0) throw Error("its directory is damaged");
                break;  // the members listed so far are still good
            }
            const std::size_t nameLength = le16(e + 28), extraLength = le16(e + 30), commentLength = le16(e + 32);
            if (at + kEntrySize + nameLength + extraLength > entries.size()) break;
            ArchiveMember member;
            member.name.assign(reinterpret_cast<const char*>(e + kEntrySize), nameLength);
            member.flags = le16(e + 8);
            member.method = le16(e + 10);
            member.packedSize = le32(e + 20);
            member.size = le32(e + 24);
            member.headerOffset = le32(e + 42);
            readZip64Extra(e + kEntrySize + nameLength, extraLength, member);
            member.headerOffset += dir.shift;
            at += kEntrySize + nameLength + extraLength + commentLength;
            if (member.name.empty() || member.name.back() == '/' || member.name.back() == '\\') continue;
            ++fileCount_;
            if (wanted(member.name)) members_.push_back(std::move(member));
            else if (otherNames_.size() < kOtherNamesKept) otherNames_.push_back(std::move(member.name));
        }
    }

    const std::vector<ArchiveMember>& members() const override { return members_; }
    std::uint64_t fileCount() const override { return fileCount_; }
    const std::vector<std::string>& otherNames() const override { return otherNames_; }

    std::vector<std::uint8_t> read(const ArchiveMember& member, std::uint64_t limit) const override {
        if (member.flags & kEncryptedFlag) throw Error("it is encrypted");
        if (member.method != kStored && member.method != kDeflated)
            throw Error("it is packed with " + methodName(member.method) + ", which players do not unpack");
        if (member.size > limit || (member.method == kStored && member.packedSize > limit))
            throw Error("it claims " + megabytes(std::max(member.size, member.packedSize)) + ", more than the " +
                        megabytes(limit) + " it may have");
        const std::vector<std::uint8_t> local = source_->read(member.headerOffset, kLocalSize);
        if (le32(local.data()) != kLocalSignature) throw Error("it is damaged");
        const std::uint64_t start = member.headerOffset + kLocalSize + le16(local.data() + 26) + le16(local.data() + 28);
        if (start > source_->size() || member.packedSize > source_->size() - start) throw Error("the archive is cut short");
        if (member.method == kStored) return source_->read(start, std::size_t(member.packedSize));
        return inflated(start, member.packedSize, member.size, limit);
    }

private:
    struct Directory {
        std::uint64_t offset = 0, size = 0, count = 0;
        std::uint64_t shift = 0;  // bytes before the archive proper, as in a self-extractor
    };

    Directory findDirectory() const {
        const std::uint64_t fileSize = source_->size();
        if (fileSize < kEndSize) throw Error("not a zip archive");
        // The end record sits in the last 22 bytes plus a comment of at most 65,535.
        const std::uint64_t tailSize = std::min<std::uint64_t>(fileSize, kEndSize + 65535);
        const std::vector<std::uint8_t> tail = source_->read(fileSize - tailSize, std::size_t(tailSize));
        std::size_t end = tail.size() - kEndSize + 1;
        do {
            --end;
            if (le32(tail.data() + end) == kEndSignature) break;
        } while (end > 0);
        if (le32(tail.data() + end) != kEndSignature) {
            // A file that starts as an archive and has no end record was cut short.
            const std::vector<std::uint8_t> head = source_->read(0, 4);
            throw Error(le32(head.data()) == kLocalSignature ? "the archive is cut short" : "not a zip archive");
        }
        const std::uint8_t* record = tail.data() + end;
        const std::uint64_t endAt = fileSize - tailSize + end;
        Directory dir{le32(record + 16), le32(record + 12), le16(record + 10)};
        if (le16(record + 4) != le16(record + 6)) throw Error("it is spread over several files");
        // The directory ends where the end record (or the zip64 records before it) begins.
        std::uint64_t directoryEnd = endAt;
        if (dir.count == 0xFFFF || dir.size == 0xFFFFFFFF || dir.offset == 0xFFFFFFFF) directoryEnd = readZip64End(endAt, dir);
        if (dir.offset > directoryEnd || dir.size > directoryEnd - dir.offset) throw Error("the archive is cut short");
        // A directory that ends short of there has that many bytes before the archive.
        dir.shift = directoryEnd - dir.offset - dir.size;
        dir.offset += dir.shift;
        return dir;
    }

    // The zip64 end record's count, size and offset; returns where that record begins.
    std::uint64_t readZip64End(std::uint64_t endAt, Directory& dir) const {
        if (endAt < 20) return endAt;
        const std::vector<std::uint8_t> locator = source_->read(endAt - 20, 20);
        if (le32(locator.data()) != kLocator64Signature) return endAt;
        const std::uint64_t at = le64(locator.data() + 8);
        if (at > endAt - 20 || endAt - 20 - at < 56) throw Error("the archive is cut short");
        const std::vector<std::uint8_t> record = source_->read(at, 56);
        if (le32(record.data()) != kEnd64Signature) throw Error("its directory is damaged");
        dir.count = le64(record.data() + 32);
        dir.size = le64(record.data() + 40);
        dir.offset = le64(record.data() + 48);
        return at;
    }

    // Sizes and the offset that do not fit 32 bits are in the zip64 extra field, in this order.
    static void readZip64Extra(const std::uint8_t* extra, std::size_t length, ArchiveMember& member) {
        for (std::size_t at = 0; at + 4 <= length;) {
            const std::uint16_t id = le16(extra + at), size = le16(extra + at + 2);
            if (at + 4 + size > length) return;
            if (id == 0x0001) {
                const std::uint8_t* p = extra + at + 4;
                std::size_t left = size;
                for (std::uint64_t* field : {&member.size, &member.packedSize, &member.headerOffset})
                    if (*field == 0xFFFFFFFF && left >= 8) *field = le64(p), p += 8, left -= 8;
                return;
            }
            at += 4 + std::size_t(size);
        }
    }

    std::vector<std::uint8_t> inflated(std::uint64_t start, std::uint64_t packedSize, std::uint64_t claimed,
                                       std::uint64_t limit) const {
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw Error("not enough memory to unpack it");
        std::vector<std::uint8_t> out(std::size_t(std::min(claimed, limit)) + 1), in(std::size_t(64) << 10);
        std::uint64_t readSoFar = 0;
        int status = Z_OK;
        while (status != Z_STREAM_END) {
            if (z.avail_in == 0 && readSoFar < packedSize) {
                const std::size_t n = std::size_t(std::min<std::uint64_t>(in.size(), packedSize - readSoFar));
                if (!source_->readAt(start + readSoFar, in.data(), n)) break;
                readSoFar += n;
                z.next_in = in.data();
                z.avail_in = uInt(n);
            }
            if (z.total_out == out.size()) {
                // The output passed what was claimed: grow it, but never past the limit.
                if (out.size() > limit) break;
                out.resize(std::size_t(std::min<std::uint64_t>(limit + 1, std::uint64_t(out.size()) * 2)));
            }
            z.next_out = out.data() + z.total_out;
            z.avail_out = uInt(out.size() - z.total_out);
            status = inflate(&z, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && !(status == Z_BUF_ERROR && z.avail_in == 0 && readSoFar < packedSize))
                break;
        }
        const std::uint64_t produced = z.total_out;
        inflateEnd(&z);
        if (produced > limit) throw Error("it unpacks to more than the " + megabytes(limit) + " it may have");
        if (status != Z_STREAM_END) throw Error("it is damaged");
        out.resize(std::size_t(produced));
        return out;
    }

    std::unique_ptr<Source> source_;
    std::vector<ArchiveMember> members_;
    std::vector<std::string> otherNames_;
    std::uint64_t fileCount_ = 0;
};

} // namespace

std::unique_ptr<ArchiveReader> openArchive(const std::filesystem::path& path, const MemberFilter& wanted) {
    return std::make_unique<ZipReader>(std::make_unique<FileSource>(path), wanted);
}

std::unique_ptr<ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const MemberFilter& wanted) {
    return std::make_unique<ZipReader>(std::make_unique<MemorySource>(std::move(bytes)), wanted);
}

} // namespace vk::codec
