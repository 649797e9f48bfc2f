// Each player's skins folder as it looks for it; names compared as players do, without regard to case.
#include "app/PlayerFolders.h"

#include "format/SkinFiles.h"

#include <algorithm>
#include <cctype>

namespace vk {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The entry of `dir` named `name` in any letter case, as Wine's folders are.
std::optional<fs::path> entryAnyCase(const fs::path& dir, const std::string& name, bool prefixOnly = false) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string found = lower(entry.path().filename().string());
        if (prefixOnly ? found.starts_with(lower(name)) : found == lower(name))
            if (isDirectory(entry.path())) return entry.path();
    }
    return std::nullopt;
}

// Winamp's folder under a Wine prefix: drive_c/Program Files*/Winamp.
std::optional<fs::path> winampFolder(const fs::path& prefix) {
    const std::optional<fs::path> drive = entryAnyCase(prefix, "drive_c");
    if (!drive) return std::nullopt;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(*drive, ec))
        if (lower(entry.path().filename().string()).starts_with("program files"))
            if (const auto winamp = entryAnyCase(entry.path(), "Winamp")) return winamp;
    return std::nullopt;
}

} // namespace

std::string playerName(SkinPlayer player) {
    switch (player) {
    case SkinPlayer::Audacious: return "audacious";
    case SkinPlayer::Qmmp: return "qmmp";
    case SkinPlayer::Wine: return "wine";
    }
    return {};
}

std::optional<SkinPlayer> playerNamed(const std::string& name) {
    for (SkinPlayer player : {SkinPlayer::Audacious, SkinPlayer::Qmmp, SkinPlayer::Wine})
        if (playerName(player) == name) return player;
    return std::nullopt;
}

std::optional<PlayerSkinsFolder> playerInstallFolder(SkinPlayer player, const fs::path& home, const fs::path& winePrefix) {
    switch (player) {
    // Audacious lists NAME.wsz from its user Skins folder; qmmp loaded only an unpacked folder.
    case SkinPlayer::Audacious: return PlayerSkinsFolder{player, home / ".local/share/audacious/Skins", true};
    case SkinPlayer::Qmmp: return PlayerSkinsFolder{player, home / ".qmmp/skins", false};
    case SkinPlayer::Wine: {
        const std::optional<fs::path> winamp = winampFolder(winePrefix.empty() ? home / ".wine" : winePrefix);
        if (!winamp) return std::nullopt;
        return PlayerSkinsFolder{player, entryAnyCase(*winamp, "Skins").value_or(*winamp / "Skins"), true};
    }
    }
    return std::nullopt;
}

std::optional<PlayerSkinsFolder> playerSkinsFolder(SkinPlayer player, const fs::path& home, const fs::path& winePrefix) {
    const std::optional<PlayerSkinsFolder> place = playerInstallFolder(player, home, winePrefix);
    if (!place) return std::nullopt;
    switch (player) {
    case SkinPlayer::Audacious:
        if (!isDirectory(home / ".local/share/audacious") && !isDirectory(home / ".config/audacious")) return std::nullopt;
        break;
    case SkinPlayer::Qmmp:
        if (!isDirectory(home / ".qmmp") && !isDirectory(home / ".config/qmmp")) return std::nullopt;
        break;
    case SkinPlayer::Wine: break;
    }
    return place;
}

std::vector<std::string> filesShadowingSkin(const fs::path& folder) {
    std::vector<std::string> ours{std::string(format::kVisColorFile), std::string(format::kPlEditFile)};
    std::vector<std::string> pngSheets;
    for (const format::SheetFile& sheet : format::kWrittenSheets) {
        ours.emplace_back(sheet.fileName);
        pngSheets.push_back(lower(fs::path(sheet.fileName).replace_extension(".png").string()));
    }
    std::vector<std::string> shadows;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (std::find(ours.begin(), ours.end(), name) != ours.end()) continue;
        const bool otherCase = std::any_of(ours.begin(), ours.end(), [&](const std::string& o) { return lower(o) == lower(name); });
        const bool pngSheet = std::find(pngSheets.begin(), pngSheets.end(), lower(name)) != pngSheets.end();
        if (otherCase || pngSheet) shadows.push_back(name);
    }
    std::sort(shadows.begin(), shadows.end());
    return shadows;
}

} // namespace vk
