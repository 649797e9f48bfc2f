#include "output/WszArchive.h"

namespace vk {

std::vector<std::uint8_t> encodeWsz(const std::vector<SkinFile>& files) { return codec::zipFiles(files); }

void saveWsz(const SkinDocument& doc, const std::filesystem::path& archive) {
    writeBinaryFile(archive, encodeWsz(skinFiles(doc)));
}

} // namespace vk
