// The codec/ functions of the command line itself: each loads the codec
// module on first use and calls its own. The other programs link codec/.
#include "cli/CodecModule.h"
#include "cli/ModuleLoader.h"
#include "codec/FontFile.h"
#include "codec/Png.h"
#include "codec/PngStream.h"

#include <mutex>

namespace vk::codec {

namespace {

cli::CodecModule& module() {
    static std::once_flag loading;
    static cli::CodecModule* loaded = nullptr;
    std::call_once(loading, [] {
        loaded = reinterpret_cast<cli::CodecModule* (*)()>(
            cli::moduleEntry(VK_CODEC_MODULE_NAME, "vellumkitCodecModule", "archive, PNG and font library"))();
    });
    return *loaded;
}

} // namespace

std::vector<std::uint8_t> zipFiles(const std::vector<NamedBytes>& files) { return module().zipFiles(files); }
std::unique_ptr<ArchiveReader> openArchive(const std::filesystem::path& path, const MemberFilter& wanted) {
    return module().openArchive(path, wanted);
}
std::unique_ptr<ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const MemberFilter& wanted) {
    return module().openArchive(std::move(bytes), wanted);
}
Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit) { return module().decodePng(bytes, limit); }
std::vector<std::uint8_t> encodePng(const Image& image) { return module().encodePng(image); }
std::unique_ptr<PngStream> openPngStream(const std::filesystem::path& path, int width) { return module().openPngStream(path, width); }
std::unique_ptr<TextRasteriser> openFontFile(const std::string& path) { return module().openFontFile(path); }

} // namespace vk::codec
