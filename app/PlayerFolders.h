// Where the skinned players on this system look for skins, and the files in a
// skin folder that a player would read instead of the ones a save writes.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vk {

enum class SkinPlayer { Audacious, Qmmp, Wine };

struct PlayerSkinsFolder {
    SkinPlayer player;
    std::filesystem::path folder;
    bool wantsArchive;  // loads NAME.wsz from it; otherwise the skin's own folder NAME/
};

// "audacious", "qmmp", "wine".
std::string playerName(SkinPlayer player);
std::optional<SkinPlayer> playerNamed(const std::string& name);

// The folder each player reads skins from, for a home directory and a Wine
// prefix (empty: HOME/.wine). A player is found when its settings folder is
// there (Audacious, qmmp) or a Winamp folder under the prefix's Program Files.
std::optional<PlayerSkinsFolder> playerSkinsFolder(SkinPlayer player, const std::filesystem::path& home,
                                                   const std::filesystem::path& winePrefix);
// Where a skin goes for that player even if the player has not yet run
// (Audacious, qmmp); Winamp's folder must already be there.
std::optional<PlayerSkinsFolder> playerInstallFolder(SkinPlayer player, const std::filesystem::path& home,
                                                     const std::filesystem::path& winePrefix);

// Files in `folder` a player would read instead of the ones a save writes:
// the same name in other letter case, or a .png sheet of a sheet's name.
std::vector<std::string> filesShadowingSkin(const std::filesystem::path& folder);

} // namespace vk
