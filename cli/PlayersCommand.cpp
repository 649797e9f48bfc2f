// `players` and --install-for: the skinned players found and their skins folders.
#include "app/Workbench.h"
#include "cli/Commands.h"
#include "cli/PlayerInstall.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"

#include <cstdlib>

namespace vk::cli {

namespace fs = std::filesystem;

namespace {

fs::path home() {
    const char* h = std::getenv("HOME");
    return h ? fs::path(h) : fs::path();
}

fs::path winePrefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix ? fs::path(prefix) : fs::path();
}

constexpr SkinPlayer kPlayers[] = {SkinPlayer::Audacious, SkinPlayer::Qmmp, SkinPlayer::Wine};

} // namespace

bool readInstallOption(ArgReader& reader, std::vector<SkinPlayer>& players) {
    if (reader.option() != "--install-for") return false;
    const std::string name = reader.value();
    const std::optional<SkinPlayer> player = playerNamed(name);
    if (!player) throw UsageError{"--install-for takes audacious, qmmp or wine, not '" + name + "'"};
    if (std::find(players.begin(), players.end(), *player) == players.end()) players.push_back(*player);
    return true;
}

std::vector<PlayerSkinsFolder> installFolders(const std::vector<SkinPlayer>& players) {
    std::vector<PlayerSkinsFolder> folders;
    for (SkinPlayer player : players) {
        const std::optional<PlayerSkinsFolder> folder = playerInstallFolder(player, home(), winePrefix());
        if (!folder)
            throw UsageError{"--install-for wine: no Winamp folder under " +
                             (winePrefix().empty() ? home() / ".wine" : winePrefix()).string() +
                             "/drive_c/Program Files*/ (set WINEPREFIX to the prefix Winamp is installed in)"};
        folders.push_back(*folder);
    }
    return folders;
}

void installForPlayers(const Workbench& bench, const std::string& name, const std::vector<PlayerSkinsFolder>& folders,
                       bool synced) {
    for (const PlayerSkinsFolder& place : folders) {
        SaveRequest save;
        save.synced = synced;
        fs::path made;
        if (place.wantsArchive) {
            made = save.archive = place.folder / (name + ".wsz");
        } else {
            save.parent = place.folder, save.skinName = name;
            made = Workbench::skinDirectoryFor(place.folder, name);
            warnOfShadowingFiles(made);
        }
        std::error_code ec;
        fs::create_directories(place.folder, ec);
        bench.save(save);
        result("installed " + made.string() + " for " + playerName(place.player));
    }
}

void warnOfShadowingFiles(const fs::path& skinFolder) {
    const std::vector<std::string> shadows = filesShadowingSkin(skinFolder);
    if (shadows.empty()) return;
    std::string names;
    for (const std::string& file : shadows) names += (names.empty() ? "" : ", ") + file;
    warning(skinFolder.string() + " already holds " + names +
            ", which a player may read instead of this skin's files: remove them or save elsewhere");
}

int runPlayers(const std::vector<std::string>& args) {
    ArgReader reader(args);
    while (reader.nextOption())
        if (!readReportOption(reader)) throw UsageError{"unknown option '" + reader.option() + "'"};
    int found = 0;
    for (SkinPlayer player : kPlayers)
        if (const std::optional<PlayerSkinsFolder> place = playerSkinsFolder(player, home(), winePrefix())) {
            result(playerName(player) + "\t" + place->folder.string() + (place->wantsArchive ? "\t(NAME.wsz)" : "\t(NAME/)"));
            ++found;
        }
    if (found == 0) note("no skinned player found (looked for Audacious, qmmp and Winamp under Wine)");
    return 0;
}

} // namespace vk::cli
