#include "output/SkinWriter.h"

#include "format/SkinFiles.h"
#include "output/AtomicFile.h"
#include "raster/Bmp.h"
#include "raster/Error.h"

#include <cerrno>

namespace vk {

namespace {
constexpr std::string_view kFixedVisLines[] = {"255,255,255,", "214,214,222,", "181,189,189,", "160,170,175,",
                                               "148,156,165,"};
} // namespace

void writeHexColour(std::string& file, TColor c) {
    for (int shift : {4, 0, 12, 8, 20, 16}) file += hexDigits[(c >> shift) & 15];
    file += kLineEnd;
}

void writeRgbLine(std::string& file, TColor c) {
    file += std::to_string(c & 255) + ",";
    file += std::to_string((c >> 8) & 255) + ",";
    file += std::to_string((c >> 16) & 255) + ",";
    file += kLineEnd;
}

std::string visColorText(const SkinState& state) {
    std::string file;
    writeRgbLine(file, state.winBackColour);
    writeRgbLine(file, state.winBackColour);
    for (int entry = 1; entry <= 16; ++entry) writeRgbLine(file, state.visColour(entry));
    for (std::string_view line : kFixedVisLines) {
        file += line;
        file += kLineEnd;
    }
    writeRgbLine(file, state.visColour(17));
    return file;
}

std::string plEditText(const SkinState& state) {
    std::string file;
    file += "[Text]";
    file += kLineEnd;
    file += "Normal=#";
    writeHexColour(file, state.plNormalColour);
    file += "Current=#";
    writeHexColour(file, state.plCurrentColour);
    file += "NormalBG=#";
    writeHexColour(file, state.plNormalBgColour);
    file += "SelectedBG=#";
    writeHexColour(file, state.plSelectedBgColour);
    file += "Font=Arial";
    file += kLineEnd;
    return file;
}

namespace {
const Image& sheetImage(const SkinDocument& doc, format::Sheet sheet) {
    const TemplateSet& t = doc.t;
    switch (sheet) {
    case format::Sheet::Main: return doc.mainWindow;
    case format::Sheet::TitleBar: return t.titleBarImage;
    case format::Sheet::Volume: return t.volumeWindow;
    case format::Sheet::Balance: return t.balanceWindow;
    case format::Sheet::PosBar: return t.posBar;
    case format::Sheet::MonoSter: return t.monoSter;
    case format::Sheet::ShufRep: return t.shufrep;
    case format::Sheet::CButtons: return t.cButtons;
    case format::Sheet::EqMain: return t.eqMain;
    case format::Sheet::PlEdit: return t.plEdit;
    case format::Sheet::EqEx: return t.eqEx;
    case format::Sheet::PlayPaus: return t.playPaus;
    case format::Sheet::Text: return t.text;
    case format::Sheet::NumsEx: return t.nums_ex;
    case format::Sheet::Numbers: break;
    }
    throw Error("No image for a sheet this program does not write");
}
} // namespace

std::array<SkinBitmap, 14> skinBitmaps(const SkinDocument& doc) {
    std::array<SkinBitmap, 14> bitmaps{};
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const format::SheetFile& f = format::kWrittenSheets[i];
        bitmaps[i] = {f.fileName.data(), &sheetImage(doc, f.sheet)};  // the names are string literals
    }
    return bitmaps;
}

std::vector<SkinFile> skinFiles(const SkinDocument& doc) {
    std::vector<SkinFile> files;
    files.reserve(16);
    for (const SkinBitmap& bitmap : skinBitmaps(doc)) files.push_back({bitmap.fileName, encodeBmp(*bitmap.image)});
    const std::string vis = visColorText(doc.state);
    const std::string pl = plEditText(doc.state);
    files.push_back({"viscolor.txt", {vis.begin(), vis.end()}});
    files.push_back({"plEdit.txt", {pl.begin(), pl.end()}});
    return files;
}

std::filesystem::path skinDirectoryFor(const std::filesystem::path& parent, const std::string& skinName) {
    using std::filesystem::path;
    const path::string_type& base = parent.native();
    if (base.empty()) return path(skinName);
    if (base.back() == path::preferred_separator || base.back() == '/') return path(base + skinName);
    return path(base + path::value_type(path::preferred_separator) + skinName);
}

int runtimeErrorCode(int error) {
    switch (error) {
    case ENOENT: return 2;
    case ENAMETOOLONG:
    case EINVAL:
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    default: return 0;
    }
}

std::string textFileErrorMessage(int error) {
    switch (runtimeErrorCode(error)) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 101: return "Disk full";
    default: return "I/O error " + std::to_string(error);
    }
}

void writeBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    const auto failure = replaceFile(path, bytes.data(), bytes.size());
    if (!failure) return;
    if (failure->step == FileStep::Write) throw Error("Stream write error");
    throw Error("Cannot create file " + path.string());
}

void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    const auto failure = replaceFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (failure) throw Error(textFileErrorMessage(failure->error));
}

std::filesystem::path saveSkin(const SkinDocument& doc, const std::filesystem::path& parent,
                               const std::string& skinName) {
    namespace fs = std::filesystem;
    const fs::path skinDirectory = skinDirectoryFor(parent, skinName);
    std::error_code ec;
    if (!fs::is_directory(skinDirectory, ec)) {
        fs::create_directory(skinDirectory, ec);
        if (ec || !fs::is_directory(skinDirectory, ec)) throw Error("Cannot create" + skinDirectory.string());
    }
    for (const SkinBitmap& bitmap : skinBitmaps(doc))
        writeBinaryFile(skinDirectory / bitmap.fileName, encodeBmp(*bitmap.image));
    writeTextFile(skinDirectory / "viscolor.txt", visColorText(doc.state));
    writeTextFile(skinDirectory / "plEdit.txt", plEditText(doc.state));
    return skinDirectory;
}

} // namespace vk
