// vellumkit-codec.so: the codecs behind the command line's codec module.
#include "cli/CodecModule.h"
#include "codec/FontFile.h"
#include "codec/Png.h"

namespace vk::cli {

namespace {

class Codecs final : public CodecModule {
public:
    std::vector<std::uint8_t> zipFiles(const std::vector<codec::NamedBytes>& files) override { return codec::zipFiles(files); }
    std::unique_ptr<codec::ArchiveReader> openArchive(const std::filesystem::path& path, const codec::MemberFilter& wanted) override {
        return codec::openArchive(path, wanted);
    }
    std::unique_ptr<codec::ArchiveReader> openArchive(std::vector<std::uint8_t> bytes, const codec::MemberFilter& wanted) override {
        return codec::openArchive(std::move(bytes), wanted);
    }
    Image decodePng(std::span<const std::uint8_t> bytes, const SizeLimit& limit) override { return codec::decodePng(bytes, limit); }
    std::vector<std::uint8_t> encodePng(const Image& image) override { return codec::encodePng(image); }
    std::unique_ptr<codec::PngStream> openPngStream(const std::filesystem::path& path, int width) override {
        return codec::openPngStream(path, width);
    }
    std::unique_ptr<TextRasteriser> openFontFile(const std::string& path) override { return codec::openFontFile(path); }
};

} // namespace

} // namespace vk::cli

extern "C" __attribute__((visibility("default"))) vk::cli::CodecModule* vellumkitCodecModule() {
    static vk::cli::Codecs codecs;
    return &codecs;
}
