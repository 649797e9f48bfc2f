// Scratch places on disk for the output tests: a temporary directory, and a
// small tmpfs that can be made read-only or filled up, unmounted however the
// test ends.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <cerrno>
#include <sys/mount.h>

namespace vk::test {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "vellumkit-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    // Writes a file of these bytes into the directory; returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    fs::path path_;
};

// A tmpfs of its own; `ok()` is false (with the reason) where mounting is not allowed.
class TmpfsMount {
public:
    explicit TmpfsMount(const std::string& options, unsigned long flags = 0) : where_(base_.path() / "mnt") {
        fs::create_directory(where_);
        if (::mount("tmpfs", where_.c_str(), "tmpfs", flags, options.c_str()) != 0)
            reason_ = std::string("cannot mount a tmpfs here (") + std::strerror(errno) + "); needs root or CAP_SYS_ADMIN";
        else
            mounted_ = true;
    }
    ~TmpfsMount() {
        if (mounted_ && ::umount2(where_.c_str(), 0) != 0) ::umount2(where_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool ok() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    const fs::path& path() const { return where_; }
    fs::path operator/(const std::string& name) const { return where_ / name; }

    bool remountReadOnly() {
        return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    TempDir base_;
    fs::path where_;
    bool mounted_ = false;
    std::string reason_;
};

#define VK_MOUNT_OR_SKIP(mount)                              \
    do {                                                     \
        if (!(mount).ok()) GTEST_SKIP() << (mount).reason(); \
    } while (0)

inline std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string TempDir::write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    writeBytes(path_ / name, bytes);
    return (path_ / name).string();
}

inline std::set<std::string> entriesOf(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
    return names;
}

// Every file under dir by its path relative to dir, with its bytes.
inline std::map<std::string, std::vector<std::uint8_t>> filesUnder(const fs::path& dir) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), dir).string()] = readBytes(entry.path());
    return files;
}

// Fills a file system until a write fails, leaving no byte free.
inline void fillUp(const fs::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return;
    std::vector<char> block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {}
    std::fclose(f);
    // The last partial block may have left a few bytes; fill them one by one.
    f = std::fopen(file.c_str(), "ab");
    if (!f) return;
    std::setvbuf(f, nullptr, _IONBF, 0);
    while (std::fputc('x', f) != EOF) {}
    std::fclose(f);
}

} // namespace vk::test
