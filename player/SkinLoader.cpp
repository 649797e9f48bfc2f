#include "player/ClassicSkin.h"

#include "codec/Archive.h"
#include "codec/Png.h"
#include "raster/BmpReader.h"
#include "raster/Error.h"


#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>

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

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<Image> tryDecode(const std::vector<std::uint8_t>& bytes) {
    try {
        return decodeSheetImage(bytes);
    } catch (const Error&) {
        return std::nullopt;
    }
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

Image decodeSheetImage(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return readAnyBmp(bytes.data(), bytes.size());
    return codec::decodePng(bytes);
}

std::vector<NamedFile> readSkinFiles(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        std::vector<NamedFile> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(path, ec))
            if (entry.is_regular_file(ec)) files.push_back({entry.path().filename().string(), readFile(entry.path())});
        // Directory order is arbitrary; a sorted one makes duplicate names resolve the same each time.
        std::sort(files.begin(), files.end(), [](const NamedFile& a, const NamedFile& b) { return a.name < b.name; });
        return files;
    }
    if (!fs::is_regular_file(path, ec)) throw Error("Cannot open the skin " + path.string());
    std::optional<std::vector<NamedFile>> files = codec::unzipFile(path);
    if (!files) throw Error("Cannot open the skin " + path.string());
    return std::move(*files);
}

ClassicSkin skinFromFiles(const std::vector<NamedFile>& files) {
    ClassicSkin skin;
    for (std::size_t s = 0; s < format::kSheetCount; ++s) {
        const std::string base(format::baseName(Sheet(s)));
        for (std::string_view ext : format::kSheetExtensions) {
            const std::string wanted = base + std::string(ext);
            // The last file of the name wins; one that does not decode is passed over.
            for (auto it = files.rbegin(); it != files.rend() && !skin.sheets[s].width(); ++it)
                if (matchName(it->name) == wanted)
                    if (std::optional<Image> image = tryDecode(it->bytes)) skin.sheets[s] = std::move(*image);
            if (skin.sheets[s].width()) break;
        }
    }
    for (std::size_t s = 0; s < format::kSheetCount; ++s)
        // nums_ex stays missing: the renderer draws the older sheet's stand-in minus instead.
        if (const auto from = format::fallbackSheet(Sheet(s)); from && Sheet(s) != Sheet::NumsEx && !skin.sheets[s].width())
            skin.sheets[s] = skin.sheet(*from);

    const std::string visName = lower(format::kVisColorFile), plName = lower(format::kPlEditFile);
    for (auto it = files.rbegin(); it != files.rend(); ++it)
        if (matchName(it->name) == visName) {
            skin.visColours = parseVisColours(std::string_view(reinterpret_cast<const char*>(it->bytes.data()), it->bytes.size()));
            break;
        }
    for (const NamedFile& f : files)
        if (matchName(f.name) == plName) {
            skin.playlistColours =
                parsePlaylistColours(std::string_view(reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size()), skin.playlistFont);
            break;
        }
    return skin;
}

ClassicSkin loadClassicSkin(const fs::path& path) { return skinFromFiles(readSkinFiles(path)); }

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
