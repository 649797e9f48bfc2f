#include "output/SkinWriter.h"

#include "format/SkinFiles.h"
#include "output/AtomicFile.h"
#include "output/WszArchive.h"
#include "raster/Bmp.h"
#include "raster/Error.h"

#include <cerrno>
#include <memory>
#include <optional>

#include <unistd.h>

namespace vk {

namespace {
constexpr std::array<std::string_view, 16> hexDigits = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                        "8", "9", "A", "B", "C", "D", "E", "F"};
constexpr std::string_view kLineEnd = "\r\n";
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
    const TemplateSet& t = doc.templates;
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

namespace {
// The runtime's code for an errno: 2, 3, 4, 5 or 101, or 0 when it has none.
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

} // namespace

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

namespace {

// The message a failure gives: a text file's by its errno, any other file's
// as a bitmap's.
[[noreturn]] void throwFileFailure(const std::filesystem::path& path, bool text, const FileFailure& failure) {
    if (text) throw FileError(textFileErrorMessage(failure.error), path, failure.error);
    if (failure.step == FileStep::Write) throw FileError("Stream write error", path, failure.error);
    throw FileError("Cannot create file " + path.string(), path, failure.error);
}

bool isTextFile(const std::string& name) { return name.ends_with(".txt"); }

// The skin directory, made if missing, locked against other saves; whether
// this save made it. A saver that waited while another removed or replaced the
// directory starts again on the one now there.
std::unique_ptr<FolderLock> lockSkinDirectory(const std::filesystem::path& skinDirectory, bool& made) {
    namespace fs = std::filesystem;
    made = false;
    int error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::error_code ec;
        if (!fs::is_directory(skinDirectory, ec)) {
            made = fs::create_directory(skinDirectory, ec);
            if (ec || !fs::is_directory(skinDirectory, ec)) {
                error = ec ? ec.value() : ENOTDIR;
                break;
            }
        }
        auto lock = std::make_unique<FolderLock>(skinDirectory);
        if (lock->error() == 0 && lock->stillAt(skinDirectory)) return lock;
        error = lock->error();
        if (lock->error() != 0 && lock->error() != ENOENT) break;
        made = false;
    }
    throw FileError("Cannot create" + skinDirectory.string(), skinDirectory, error);
}

} // namespace

void writeBinaryFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, Durability durability) {
    const auto failure = replaceFile(path, bytes.data(), bytes.size(), durability);
    if (failure) throwFileFailure(path, false, *failure);
}

void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    const auto failure = replaceFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (failure) throwFileFailure(path, true, *failure);
}

namespace {

// A file of a save: where it goes, its bytes and which message its failure gives.
struct Planned {
    std::filesystem::path path;
    const std::vector<std::uint8_t>* bytes;
    bool text;
};

// Stages every planned file and commits them together; the index of the
// file that failed, and how, when one did.
std::optional<std::pair<std::size_t, FileFailure>> stageAndCommit(const std::vector<Planned>& plan, Durability durability,
                                                                  const std::filesystem::path& newDirectory) {
    StagedFiles staged(durability);
    if (!newDirectory.empty()) staged.addNewDirectory(newDirectory);
    for (std::size_t i = 0; i < plan.size(); ++i)
        if (auto failure = staged.add(plan[i].path, plan[i].bytes->data(), plan[i].bytes->size()))
            return std::pair{i, *failure};
    if (auto failure = staged.commit()) return std::pair{failure->index, failure->failure};
    return std::nullopt;
}

// The archive and the extras after the files before them, all pointing into the given storage.
void planArchiveAndExtras(std::vector<Planned>& plan, const std::vector<SkinFile>& files, const SaveOptions& options,
                          std::vector<std::uint8_t>& archive) {
    if (!options.archive.empty()) {
        archive = encodeWsz(files);
        plan.push_back({options.archive, &archive, false});
    }
    for (const ExtraFile& extra : options.extras) plan.push_back({extra.path, &extra.bytes, false});
}

} // namespace

std::filesystem::path saveSkin(const SkinDocument& doc, const std::filesystem::path& parent,
                               const std::string& skinName, const SaveOptions& options) {
    namespace fs = std::filesystem;
    const fs::path skinDirectory = skinDirectoryFor(parent, skinName);
    // Encoded before the lock is taken, so that another saver waits only for the disk.
    const std::vector<SkinFile> files = skinFiles(doc);
    std::vector<std::uint8_t> archive;
    std::vector<Planned> plan;
    for (const SkinFile& file : files) plan.push_back({skinDirectory / file.name, &file.bytes, isTextFile(file.name)});
    planArchiveAndExtras(plan, files, options, archive);

    bool made = false;
    const std::unique_ptr<FolderLock> lock = lockSkinDirectory(skinDirectory, made);
    removeStaleTemporaries(skinDirectory);
    if (!options.archive.empty()) removeStaleTemporaries(options.archive.parent_path().empty() ? "." : options.archive.parent_path());

    if (const auto failed = stageAndCommit(plan, options.durability, made ? skinDirectory : fs::path())) {
        // Still under the lock: no other saver has put anything into a directory made here.
        if (made) ::rmdir(skinDirectory.c_str());
        const Planned& culprit = plan[failed->first];
        throwFileFailure(culprit.path, culprit.text, failed->second);
    }
    return skinDirectory;
}

void saveWithoutFolder(const SkinDocument& doc, const SaveOptions& options) {
    std::vector<std::uint8_t> archive;
    std::vector<Planned> plan;
    planArchiveAndExtras(plan, options.archive.empty() ? std::vector<SkinFile>{} : skinFiles(doc), options, archive);
    if (const auto failed = stageAndCommit(plan, options.durability, {}))
        throwFileFailure(plan[failed->first].path, false, failed->second);
}

} // namespace vk
