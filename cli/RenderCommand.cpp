// `render`: any classic skin drawn as the player shows it, into one PNG with
// the windows docked one under another.
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/ProcessLimits.h"
#include "cli/QtDoor.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "app/Workbench.h"
#include "player/PlayerRenderer.h"
#include "raster/Error.h"

#include <cstdio>
#include <sstream>

namespace vk::cli {

namespace {

int parseInt(const std::string& text, int lo, int hi, const std::string& what) {
    std::size_t used = 0;
    int v = 0;
    try {
        v = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || v < lo || v > hi)
        throw UsageError{what + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not '" + text + "'"};
    return v;
}

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    return parts;
}

std::vector<player::PlayerWindow> parseWindows(const std::string& text) {
    std::vector<player::PlayerWindow> windows;
    for (const std::string& name : splitCommas(text)) {
        if (name == "main") windows.push_back(player::PlayerWindow::Main);
        else if (name == "eq") windows.push_back(player::PlayerWindow::Equaliser);
        else if (name == "playlist") windows.push_back(player::PlayerWindow::Playlist);
        else throw UsageError{"--windows takes main, eq and playlist, not '" + name + "'"};
    }
    if (windows.empty()) throw UsageError{"--windows needs at least one window"};
    return windows;
}

int parseTime(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() - colon != 3) throw UsageError{"--time takes M:SS, not '" + text + "'"};
    return parseInt(text.substr(0, colon), 0, 99, "--time's minutes") * 60 + parseInt(text.substr(colon + 1), 0, 59, "--time's seconds");
}

const std::vector<player::PlayerWindow> kAllWindows{player::PlayerWindow::Main, player::PlayerWindow::Equaliser,
                                                    player::PlayerWindow::Playlist};

player::PlayerState previewState() {
    player::PlayerState state;
    state.entries = {{"vellumKit - Player Preview", 225}, {"Second Entry", 192}, {"Third Entry", 301}};
    return state;
}

} // namespace

std::vector<std::uint8_t> playerPreviewBytes(const player::ClassicSkin& skin, const std::filesystem::path& file) {
    return encodeImage(player::renderPlayer(skin, previewState(), kAllWindows, 1,
                                          glyphsIfStarted()),
                     imageFormatFor(file, "--player-preview"), file);
}

int runRender(const std::vector<std::string>& args) {
    std::string skinPath, out, scale, size, windows, time, title, volume, balance, eq, maxMemory, maxSeconds;
    player::PlayerState state = previewState();
    ArgReader reader(args);
    bool playStateGiven = false;
    while (!reader.atEnd()) {
        if (!reader.atOption()) {
            if (reader.atEnd()) break;
            if (!skinPath.empty()) throw UsageError{"unexpected argument '" + reader.positional() + "'"};
            skinPath = reader.positional();
            continue;
        }
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(out);
        else if (name == "--scale") reader.valueOnce(scale);
        else if (name == "--size") reader.valueOnce(size);
        else if (name == "--windows") reader.valueOnce(windows);
        else if (name == "--time") reader.valueOnce(time);
        else if (name == "--title") reader.valueOnce(title);
        else if (name == "--volume") reader.valueOnce(volume);
        else if (name == "--balance") reader.valueOnce(balance);
        else if (name == "--eq") reader.valueOnce(eq);
        else if (name == "--max-memory") reader.valueOnce(maxMemory);
        else if (name == "--max-seconds") reader.valueOnce(maxSeconds);
        else if (readReportOption(reader)) continue;
        else if (name == "--playing" || name == "--paused" || name == "--stopped") {
            reader.flag();
            if (playStateGiven) throw UsageError{"give one of --playing, --paused and --stopped"};
            playStateGiven = true;
            state.play = name == "--playing" ? player::PlayState::Playing
                         : name == "--paused" ? player::PlayState::Paused : player::PlayState::Stopped;
        } else throw UsageError{"unknown option '" + name + "'"};
    }
    if (skinPath.empty()) throw UsageError{"render needs a skin folder or .wsz"};
    if (out.empty()) throw UsageError{"render needs --out FILE.png"};
    if (!scale.empty() && !size.empty()) throw UsageError{"give --scale or --size, not both"};
    const std::string format = imageFormatFor(out, "--out");
    const int zoom = scale.empty() ? 1 : parseInt(scale, 1, 16, "--scale");
    const int fit = size.empty() ? 0 : parseInt(size, 16, 4096, "--size");
    const std::vector<player::PlayerWindow> shown =
        parseWindows(windows.empty() ? "main,eq,playlist" : windows);
    if (!time.empty()) state.seconds = parseTime(time);
    if (!title.empty()) state.title = title;
    if (!volume.empty()) state.volume = parseInt(volume, 0, 100, "--volume");
    if (!balance.empty()) state.balance = parseInt(balance, -100, 100, "--balance");
    if (!eq.empty()) {
        const std::vector<std::string> values = splitCommas(eq);
        if (values.size() != 11) throw UsageError{"--eq takes the preamp and ten bands, 0-100 each"};
        state.preamp = parseInt(values[0], 0, 100, "--eq");
        for (std::size_t i = 0; i < 10; ++i) state.bands[i] = parseInt(values[i + 1], 0, 100, "--eq");
    }
    state.equaliserOpen = state.playlistOpen = false;
    for (player::PlayerWindow w : shown) {
        if (w == player::PlayerWindow::Equaliser) state.equaliserOpen = true;
        if (w == player::PlayerWindow::Playlist) state.playlistOpen = true;
    }
    // A thumbnail (--size) is what a file manager asks for, unattended, of every
    // skin it shows: tight limits there, generous ones for a render by hand.
    ProcessLimits limits = fit ? ProcessLimits{256, 5} : ProcessLimits{2048, 60};
    if (!maxMemory.empty()) limits.memoryMegabytes = std::uint64_t(parseInt(maxMemory, 0, 65536, "--max-memory"));
    if (!maxSeconds.empty()) limits.cpuSeconds = parseInt(maxSeconds, 0, 3600, "--max-seconds");
    checkFileTarget(out, "--out");

    applyProcessLimits(limits, "render");
    const player::ClassicSkin skin = player::loadClassicSkin(skinPath);
    for (const std::string& line : skin.warnings) warning("warning: " + line);
    for (format::Sheet missing : player::missingSheets(skin))
        warning("warning: the skin has no " + std::string(format::baseName(missing)) + " sheet");
    const Image drawn = player::renderPlayer(skin, state, shown, zoom, glyphsIfStarted());
    const Image picture = fit ? player::fittedWithin(drawn, fit) : drawn;
    Workbench::writeFile(out, encodeImage(picture, format, out));
    result("made " + out);
    return 0;
}

} // namespace vk::cli
