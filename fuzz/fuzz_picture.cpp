// Fuzzes the picture intake: any bytes decoded as a picture and laid out on a
// workbench; what the plain BMP reader reads, the intake must read the same.
#include "app/qt/PictureIntake.h"
#include "raster/BmpReader.h"
#include "app/Workbench.h"
#include "raster/Error.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {
// The decoders' warnings on every broken input would drown the fuzzer's own output.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vk::Workbench bench;
    const std::optional<vk::Image> plain = vk::readPlainBmp(vk::bytesInMemory(data, size));
    try {
        vk::PictureOptions options;
        options.background = size ? vk::rgb(data[0], data[size / 2], data[size - 1]) : vk::kWhite;
        vk::Image picture = vk::loadPictureData(std::string(reinterpret_cast<const char*>(data), size), options);
        if (plain && !plain->samePixels(picture)) __builtin_trap();
        bench.usePicture(vk::WhichPicture::Main, std::move(picture));
    } catch (const vk::Error&) {
        // A refusal with a message is the intake doing its job; the plain reader must have refused too.
        if (plain) __builtin_trap();
    }
    return 0;
}
