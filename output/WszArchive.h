// The skin as one .wsz file: a zip archive of the sixteen skin files at its
// root, which players load as readily as a skin directory.
#pragma once
#include "output/SkinWriter.h"

namespace vk {

// The archive's bytes: each file deflated, in the order given.
std::vector<std::uint8_t> encodeWsz(const std::vector<SkinFile>& files);

// Writes the skin's archive, replacing the target whole. Throws Error
// "Cannot create file <path>" or "Stream write error" like a bitmap file.
void saveWsz(const SkinDocument& doc, const std::filesystem::path& archive);

} // namespace vk
