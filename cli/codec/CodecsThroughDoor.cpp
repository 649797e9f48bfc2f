// The codec/ functions of the command line itself: each loads the codec
// module on first use and calls its own. The other programs link codec/.
#include "cli/CodecDoor.h"
#include "cli/LateModule.h"
#include "codec/FontFile.h"
#include "codec/Png.h"

#include <mutex>

namespace vk::codec {

namespace {

cli::CodecDoor& door() {
    static std::once_flag loading;
    static cli::CodecDoor* loaded = nullptr;
    std::call_once(loading, [] {
        loaded = reinterpret_cast<cli::CodecDoor* (*)()>(
            cli::lateModuleEntry(VK_CODEC_MODULE_NAME, "vellumkitCodecDoor", "archive, PNG and font library"))();
    });
    return *loaded;
}

} // namespace

std::vector<std::uint8_t> zipFiles(const std::vector<NamedBytes>& files) { return door().zipFiles(files); }
std::unique_ptr<ArchiveReader> openArchive(const std::filesystem::path& path, const MemberFilter& wanted) {
    return door().openArchive(path, wanted);
}
std::unique_ptr<ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const MemberFilter& wanted) {
    return door().openArchive(std::move(bytes), wanted);
}
Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit) { return door().decodePng(bytes, limit); }
std::vector<std::uint8_t> encodePng(const Image& image) { return door().encodePng(image); }
std::unique_ptr<TextRasteriser> openFontFile(const std::string& path) { return door().openFontFile(path); }

} // namespace vk::codec
