#include "cli/PictureProblem.h"

#include "raster/Error.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <cstring>
#include <fstream>

namespace vk::cli {

std::string formatFound(const std::filesystem::path& file) {
    std::array<unsigned char, 512> head{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    const std::size_t n = std::size_t(in.gcount());
    const auto starts = [&](std::size_t at, const char* magic) {
        const std::size_t length = std::strlen(magic);
        return n >= at + length && std::memcmp(head.data() + at, magic, length) == 0;
    };
    if (n == 0) return "empty";
    if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return "JPEG";
    if (starts(0, "\x89PNG")) return "PNG";
    if (starts(0, "GIF8")) return "GIF";
    if (starts(0, "\x8aMNG") || starts(0, "\x8bJNG")) return "MNG";
    if (starts(0, "BM")) return "BMP";
    if (starts(0, "RIFF") && starts(8, "WEBP")) return "WebP";
    if (starts(0, "II*") || starts(0, "MM")) return n >= 4 && (head[2] == '*' || head[3] == '*') ? "TIFF" : "";
    if (starts(4, "ftyp")) {
        for (const char* brand : {"avif", "avis"})
            if (starts(8, brand)) return "AVIF";
        for (const char* brand : {"heic", "heix", "heim", "heis", "hevc", "mif1", "msf1"})
            if (starts(8, brand)) return "HEIC";
    }
    // Printable bytes, tabs and line ends (and UTF-8's high bytes) only: a text someone named a picture.
    if (std::all_of(head.begin(), head.begin() + std::ptrdiff_t(n),
                    [](unsigned char c) { return c >= 0x20 || c == '\n' || c == '\r' || c == '\t'; }))
        return "text";
    return "";
}

std::string pictureProblem(const std::filesystem::path& file, const std::string& intakeMessage) {
    const std::string format = formatFound(file);
    if (format == "empty") return "an empty file, not a picture";
    if (format == "text") return "text, not a picture";
    if (format.empty()) {
        const std::string extension = file.extension().string();
        if (extension.size() > 1)
            return "named a " + extension.substr(1) + " picture, but its bytes are no picture format this installation reads (damaged?)";
        return "not a picture this installation reads (vellumkit-cli formats lists them)";
    }
    // The intake's detail after its fixed opening, or that opening when there is none.
    std::string detail = intakeMessage;
    for (const char* opening : {"Bitmap image is not valid: ", "Bitmap image is not valid"})
        if (detail.starts_with(opening)) {
            detail.erase(0, std::strlen(opening));
            break;
        }
    while (!detail.empty() && detail.back() == '.') detail.pop_back();
    return format + " picture: " + (detail.empty() ? "its data cannot be read" : detail);
}

void loadPictureSaying(Workbench& bench, WhichPicture which, const std::string& path, bool namingIt) {
    try {
        bench.loadPicture(which, path);
    } catch (const Error& e) {
        // Only the intake's refusals are about the picture; a missing module, say, is not.
        const std::string message = e.what();
        for (const char* refusal : {"Bitmap image is not valid", "Not a picture file", "Cannot open file"})
            if (message.starts_with(refusal)) throw Error((namingIt ? path + ": " : "") + pictureProblem(path, message));
        throw;
    }
}

bool pictureByNameOrContent(const std::filesystem::path& file, const std::vector<std::string>& readableFormats) {
    const std::string found = formatFound(file);
    if (!found.empty() && found != "text" && found != "empty") return true;
    std::string extension = file.extension().string();
    if (extension.size() < 2) return false;
    extension.erase(0, 1);
    for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
    // Phone formats count even where this installation cannot read them: their failure says so.
    for (const char* phone : {"heic", "heif", "avif"})
        if (extension == phone) return true;
    return std::find(readableFormats.begin(), readableFormats.end(), extension) != readableFormats.end();
}

} // namespace vk::cli
