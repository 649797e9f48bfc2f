// Fuzzes the skin loader as a downloaded skin reaches it: the bytes as a .wsz
// archive, and as one sheet and the text files of a folder; whatever loads is
// drawn. Failures must be vk::Error with a message, never anything else.
#include "player/PlayerRenderer.h"
#include "raster/Error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vk;
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::vector<player::PlayerWindow> all{player::PlayerWindow::Main, player::PlayerWindow::Equaliser,
                                                player::PlayerWindow::Playlist};
    try {
        (void)player::renderPlayer(player::loadClassicSkinArchive(bytes, "fuzz.wsz"), {}, all);
    } catch (const Error&) {
    }
    // As a folder's files: every sheet a player reads tries the same bytes, as do the text files.
    const player::ClassicSkin skin = player::skinFromFiles(
        {{"main.bmp", bytes}, {"cbuttons.png", bytes}, {"viscolor.txt", bytes}, {"pledit.txt", bytes}});
    // Drawing is most of the time; a skin with no sheet only draws the stand-ins.
    if (std::any_of(skin.sheets.begin(), skin.sheets.end(), [](const Image& s) { return s.width() > 0; }))
        (void)player::renderPlayer(skin, {}, all);
    return 0;
}
