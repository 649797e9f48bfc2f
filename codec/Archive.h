// Zip archives, as players take a skin in one file. With codec/Png.h this is
// all the program asks of libzip and libpng; the command line loads them late.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
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

// Every file an archive holds, in its order; folders and entries that do not
// unpack are passed over. None when the file is no archive that opens.
std::optional<std::vector<NamedBytes>> unzipFile(const std::filesystem::path& path);

} // namespace vk::codec
