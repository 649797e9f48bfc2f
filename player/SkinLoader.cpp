#include "player/ClassicSkin.h"

#include "codec/Archive.h"
#include "codec/Png.h"
#include "raster/BmpReader.h"
#include "raster/Error.h"
#include "raster/RegularFile.h"


#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <span>

namespace vk::player {

namespace fs = std::filesystem;
using format::Sheet;

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The name without any folder part, lower case: what players compare.
std::string matchName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    return lower(slash == std::string::npos ? name : name.substr(slash + 1));
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// "#RRGGBB", with or without quotes or '#', extra digits cut off.
std::optional<TColor> parseHexColour(std::string_view value) {
    value = trim(value);
    while (!value.empty() && (value.front() == '"' || value.front() == '\'' || value.front() == '#')) value.remove_prefix(1);
    std::string hex;
    for (char c : value) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) break;
        hex += c;
    }
    if (hex.size() < 6) return std::nullopt;
    const unsigned long v = std::stoul(hex.substr(0, 6), nullptr, 16);
    return rgb(int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF);
}

} // namespace

format::VisPalette parseVisColours(std::string_view text) {
    format::VisPalette palette = format::kDefaultVisPalette;
    int index = 0;
    std::size_t start = 0;
    while (start <= text.size() && index < format::kVisColourCount) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        // Three numbers, each optionally followed by a comma, from the line's start.
        std::size_t i = 0;
        int values[3];
        bool ok = true;
        for (int k = 0; k < 3 && ok; ++k) {
            while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
            if (k > 0 && i < line.size() && line[i] == ',') {
                ++i;
                while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
            }
            if (i >= line.size() || !std::isdigit(static_cast<unsigned char>(line[i]))) ok = false;
            int v = 0;
            while (ok && i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) v = std::min(v * 10 + (line[i++] - '0'), 100000);
            values[k] = v;
        }
        if (ok) palette[std::size_t(index++)] = rgb(values[0], values[1], values[2]);
    }
    return palette;
}

format::PlaylistColours parsePlaylistColours(std::string_view text, std::string& font) {
    format::PlaylistColours colours = format::kDefaultPlaylistColours;
    bool inText = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inText = close != std::string_view::npos && lower(trim(line.substr(1, close - 1))) == lower(format::kPlEditSection);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inText || eq == std::string_view::npos) continue;
        const std::string key = lower(trim(line.substr(0, eq)));
        std::string_view value = line.substr(eq + 1);
        if (const std::size_t second = value.find('='); second != std::string_view::npos) value = value.substr(0, second);
        value = trim(value);
        if (key == lower(format::kPlFontKey)) {
            if (!value.empty()) font = std::string(value);
            continue;
        }
        const std::optional<TColor> c = parseHexColour(value);
        if (!c) continue;
        if (key == lower(format::kPlNormalKey)) colours.normal = *c;
        else if (key == lower(format::kPlCurrentKey)) colours.current = *c;
        else if (key == lower(format::kPlNormalBgKey)) colours.normalBg = *c;
        else if (key == lower(format::kPlSelectedBgKey)) colours.selectedBg = *c;
    }
    return colours;
}

Image decodeSheetImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return readAnyBmp(bytes.data(), bytes.size(), format::kSheetSizeLimit);
    return codec::decodePng(bytes, format::kSheetSizeLimit);
}

namespace {

// The names a classic player opens; every other file of a skin is never read.
bool playerReads(std::string_view storedName) {
    const std::string name = matchName(std::string(storedName));
    if (name == lower(format::kVisColorFile) || name == lower(format::kPlEditFile)) return true;
    for (std::size_t s = 0; s < format::kSheetCount; ++s)
        for (std::string_view ext : format::kSheetExtensions)
            if (name == std::string(format::baseName(Sheet(s))) + std::string(ext)) return true;
    return false;
}

// A name as a message can show it: bytes that are no printable ASCII become '?'.
std::string printable(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return out;
}

std::string sizeText(std::uint64_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MB" : std::to_string(bytes >> 10) + " KB";
}

// The files of a skin a player would open, by their stored names, in the
// order a player meets them; each read on demand within a limit.
class SkinFileSet {
public:
    virtual ~SkinFileSet() = default;
    virtual std::size_t count() const = 0;
    virtual const std::string& name(std::size_t i) const = 0;
    // The file's bytes, which may live in `holder`. Throws Error(<why>).
    virtual std::span<const std::uint8_t> read(std::size_t i, std::uint64_t limit, std::vector<std::uint8_t>& holder) const = 0;
};

class MemoryFiles final : public SkinFileSet {
public:
    explicit MemoryFiles(const std::vector<NamedFile>& files) : files_(files) {}
    std::size_t count() const override { return files_.size(); }
    const std::string& name(std::size_t i) const override { return files_[i].name; }
    std::span<const std::uint8_t> read(std::size_t i, std::uint64_t limit, std::vector<std::uint8_t>&) const override {
        if (files_[i].bytes.size() > limit) throw Error("it is " + sizeText(files_[i].bytes.size()) + ", more than the " + sizeText(limit) + " it may have");
        return files_[i].bytes;
    }

private:
    const std::vector<NamedFile>& files_;
};

class FolderFiles final : public SkinFileSet {
public:
    explicit FolderFiles(const fs::path& folder) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (it->is_directory(ec)) continue;
            ++fileCount_;
            if (playerReads(name)) names_.push_back(std::move(name));
            else if (otherNames_.size() < 5) otherNames_.push_back(std::move(name));
        }
        if (ec) throw Error(ec.message());
        // Directory order is arbitrary; a sorted one makes duplicate names resolve the same each time.
        std::sort(names_.begin(), names_.end());
        folder_ = folder;
    }
    std::size_t count() const override { return names_.size(); }
    const std::string& name(std::size_t i) const override { return names_[i]; }
    std::span<const std::uint8_t> read(std::size_t i, std::uint64_t limit, std::vector<std::uint8_t>& holder) const override {
        const RegularFile file((folder_ / names_[i]).string());
        if (file.refusal() == RegularFile::Refusal::CannotOpen) throw Error(std::strerror(file.openError()));
        if (!file.isOpen()) throw Error("it is not a regular file");
        if (file.size() > limit)
            throw Error("it is " + sizeText(file.size()) + ", more than the " + sizeText(limit) + " it may have");
        // The size may change under us: never read more than the limit allows.
        holder.resize(std::size_t(file.size()));
        const long long done = file.readStart(holder.data(), holder.size());
        if (done < 0) throw Error(std::strerror(errno));
        holder.resize(std::size_t(done));
        return holder;
    }
    std::uint64_t fileCount() const { return fileCount_; }
    const std::vector<std::string>& otherNames() const { return otherNames_; }

private:
    fs::path folder_;
    std::vector<std::string> names_, otherNames_;
    std::uint64_t fileCount_ = 0;
};

class ArchiveFiles final : public SkinFileSet {
public:
    explicit ArchiveFiles(std::unique_ptr<codec::ArchiveReader> archive) : archive_(std::move(archive)) {}
    std::size_t count() const override { return archive_->members().size(); }
    const std::string& name(std::size_t i) const override { return archive_->members()[i].name; }
    std::span<const std::uint8_t> read(std::size_t i, std::uint64_t limit, std::vector<std::uint8_t>& holder) const override {
        holder = archive_->read(archive_->members()[i], limit);
        return holder;
    }
    const codec::ArchiveReader& archive() const { return *archive_; }

private:
    std::unique_ptr<codec::ArchiveReader> archive_;
};

// Why reading failed, in words: never the raw text of an unexpected exception.
std::string reasonFor(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& e) {
        return e.what();
    } catch (const std::bad_alloc&) {
        return "there is not enough memory to read it";
    } catch (...) {
        return "it could not be read";
    }
}

// The skin from the files a player would open: names matched without regard
// to case and folder, .bmp before .png, the last image of a name winning and
// the first plEdit.txt; each failure is a warning in the skin.
ClassicSkin assemble(const SkinFileSet& files) {
    ClassicSkin skin;
    std::vector<std::uint8_t> holder;
    std::vector<std::string> names(files.count());
    for (std::size_t i = 0; i < files.count(); ++i) names[i] = matchName(files.name(i));
    // Tries the files of one name in the given order until `use` takes one; false when none did.
    auto tryEach = [&](const std::string& wanted, bool lastFirst, std::uint64_t limit, const auto& use) {
        int tried = 0, passedOver = 0;
        for (std::size_t k = 0; k < names.size(); ++k) {
            const std::size_t i = lastFirst ? names.size() - 1 - k : k;
            if (names[i] != wanted) continue;
            if (tried == format::kTriesPerName) {
                ++passedOver;
                continue;
            }
            ++tried;
            try {
                use(files.read(i, limit, holder));
                holder = {};
                return true;
            } catch (...) {
                skin.warnings.push_back(printable(files.name(i)) + " skipped: " + reasonFor(std::current_exception()));
            }
            holder = {};
        }
        if (passedOver)
            skin.warnings.push_back(std::to_string(passedOver) + " more files named " + printable(wanted) + " were not tried");
        return false;
    };
    for (std::size_t s = 0; s < format::kSheetCount; ++s) {
        const std::string base(format::baseName(Sheet(s)));
        for (std::string_view ext : format::kSheetExtensions)
            if (tryEach(base + std::string(ext), true, format::kMaxSheetFileBytes,
                        [&](std::span<const std::uint8_t> bytes) { skin.sheets[s] = decodeSheetImage(bytes); }))
                break;
    }
    for (std::size_t s = 0; s < format::kSheetCount; ++s)
        // nums_ex stays missing: the renderer draws the older sheet's stand-in minus instead.
        if (const auto from = format::fallbackSheet(Sheet(s)); from && Sheet(s) != Sheet::NumsEx && !skin.sheets[s].width())
            skin.sheets[s] = skin.sheet(*from);

    auto text = [](std::span<const std::uint8_t> bytes) {
        return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    tryEach(lower(format::kVisColorFile), true, format::kMaxTextFileBytes,
            [&](std::span<const std::uint8_t> bytes) { skin.visColours = parseVisColours(text(bytes)); });
    tryEach(lower(format::kPlEditFile), false, format::kMaxTextFileBytes, [&](std::span<const std::uint8_t> bytes) {
        skin.playlistColours = parsePlaylistColours(text(bytes), skin.playlistFont);
    });
    return skin;
}

// What a file that is no skin holds, for the message that says so.
std::string foundText(std::uint64_t fileCount, const std::vector<std::string>& otherNames, const ClassicSkin& skin) {
    if (fileCount == 0) return "it holds no files";
    std::string text;
    if (!skin.warnings.empty()) {
        text = "no sheet could be read (";
        for (std::size_t i = 0; i < skin.warnings.size() && i < 3; ++i) text += (i ? "; " : "") + skin.warnings[i];
        return text + (skin.warnings.size() > 3 ? "; ...)" : ")");
    }
    text = "it holds " + std::to_string(fileCount) + (fileCount == 1 ? " file" : " files") + " and no sheet a player draws";
    if (!otherNames.empty()) {
        text += " (";
        for (std::size_t i = 0; i < otherNames.size(); ++i) text += (i ? ", " : "") + printable(otherNames[i]);
        text += fileCount > otherNames.size() ? ", ...)" : ")";
    }
    return text;
}

} // namespace

ClassicSkin skinFromFiles(const std::vector<NamedFile>& files) { return assemble(MemoryFiles(files)); }

namespace {

// The skin, or "not a classic skin" when no sheet a player draws could be read.
ClassicSkin checkedSkin(ClassicSkin skin, const std::string& label, std::uint64_t fileCount,
                        const std::vector<std::string>& otherNames) {
    if (std::none_of(skin.sheets.begin(), skin.sheets.end(), [](const Image& sheet) { return sheet.width() > 0; }))
        throw Error("not a classic skin: " + label + ": " + foundText(fileCount, otherNames, skin));
    return skin;
}

template <typename Open>
ClassicSkin fromArchive(const std::string& label, Open open) {
    std::unique_ptr<ArchiveFiles> archive;
    try {
        archive = std::make_unique<ArchiveFiles>(open());
    } catch (const Error& e) {
        throw Error("Cannot open the skin " + label + ": " + e.what());
    } catch (const std::bad_alloc&) {
        throw Error("Cannot open the skin " + label + ": there is not enough memory to read it");
    }
    return checkedSkin(assemble(*archive), label, archive->archive().fileCount(), archive->archive().otherNames());
}

} // namespace

ClassicSkin loadClassicSkin(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        std::unique_ptr<FolderFiles> folder;
        try {
            folder = std::make_unique<FolderFiles>(path);
        } catch (const Error& e) {
            throw Error("Cannot open the skin " + path.string() + ": " + e.what());
        }
        return checkedSkin(assemble(*folder), path.string(), folder->fileCount(), folder->otherNames());
    }
    if (!fs::exists(status))
        throw Error("Cannot open the skin " + path.string() + ": " + (ec ? ec.message() : "No such file or directory"));
    return fromArchive(path.string(), [&] { return codec::openArchive(path, playerReads); });
}

ClassicSkin loadClassicSkinArchive(std::vector<std::uint8_t> bytes, const std::string& label) {
    return fromArchive(label, [&] { return codec::openArchive(std::move(bytes), playerReads); });
}

std::vector<Sheet> missingSheets(const ClassicSkin& skin) {
    std::vector<Sheet> missing;
    for (std::size_t s = 0; s < format::kSheetCount; ++s) {
        const Sheet sheet = Sheet(s);
        // Either digit sheet will do; the renderer uses nums_ex when there is one.
        if (sheet == Sheet::Numbers || (sheet == Sheet::NumsEx && skin.has(Sheet::Numbers))) continue;
        if (!skin.has(sheet)) missing.push_back(sheet);
    }
    return missing;
}

} // namespace vk::player
