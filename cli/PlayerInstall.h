// --install-for: a made skin also put where a skinned player finds it; and the
// warning for files in a skin folder that a player would read instead of ours.
#pragma once
#include "app/PlayerFolders.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vk {
class Workbench;
}

namespace vk::cli {

class ArgReader;

// Reads --install-for PLAYER (repeatable) if it is the reader's option.
bool readInstallOption(ArgReader& reader, std::vector<SkinPlayer>& players);
// Throws UsageError for a player whose skins folder cannot be found (Winamp under Wine).
std::vector<PlayerSkinsFolder> installFolders(const std::vector<SkinPlayer>& players);
// Saves the made skin into each folder, as NAME.wsz or NAME/, and reports where.
void installForPlayers(const Workbench& bench, const std::string& name, const std::vector<PlayerSkinsFolder>& folders,
                       bool synced);
// Warns, naming them, of files in the folder that a player would read instead of the saved ones.
void warnOfShadowingFiles(const std::filesystem::path& skinFolder);

} // namespace vk::cli
