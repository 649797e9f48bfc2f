#include "cli/RenderState.h"

#include "cli/Commands.h"
#include "cli/SkinRecipe.h"
#include "format/PlaylistSprites.h"
#include "player/PretendPlayback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace vk::cli {

namespace fs = std::filesystem;
using player::PlayerButton;
using player::PlayerWindow;

int parseWholeNumber(const std::string& text, int lo, int hi, const std::string& what) {
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

namespace {

// Untrusted files are read only this far: a state or a playlist is a few lines.
constexpr std::uintmax_t kStateFileLimit = 64 * 1024;
constexpr std::uintmax_t kPlaylistFileLimit = 1024 * 1024;
constexpr std::size_t kPlaylistEntryLimit = 10000;
constexpr std::size_t kTitleLimit = 512;

double parseFraction(const std::string& text, const std::string& what) {
    char* end = nullptr;
    const double v = text.empty() ? NAN : std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(v >= 0 && v <= 1))
        throw UsageError{what + " must be a number from 0 to 1, not '" + text + "'"};
    return v;
}

std::vector<std::string> splitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
    return parts;
}

PlayerWindow parseWindow(const std::string& name, const std::string& option) {
    if (name == "main") return PlayerWindow::Main;
    if (name == "eq") return PlayerWindow::Equaliser;
    if (name == "playlist") return PlayerWindow::Playlist;
    throw UsageError{option + " takes main, eq and playlist, not '" + name + "'"};
}

std::vector<PlayerWindow> parseWindows(const std::string& text, const std::string& option) {
    std::vector<PlayerWindow> windows;
    for (const std::string& name : splitCommas(text)) windows.push_back(parseWindow(name, option));
    if (windows.empty()) throw UsageError{option + " needs at least one window"};
    return windows;
}

int parseTime(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() - colon != 3) throw UsageError{"--time takes M:SS, not '" + text + "'"};
    return parseWholeNumber(text.substr(0, colon), 0, 99, "--time's minutes") * 60 + parseWholeNumber(text.substr(colon + 1), 0, 59, "--time's seconds");
}

const std::vector<std::pair<std::string_view, PlayerButton>>& buttonNames() {
    static const std::vector<std::pair<std::string_view, PlayerButton>> names = [] {
        std::vector<std::pair<std::string_view, PlayerButton>> n{
            {"options", PlayerButton::Options}, {"minimise", PlayerButton::Minimise}, {"shade", PlayerButton::Shade},
            {"close", PlayerButton::Close}, {"clutter-o", PlayerButton::ClutterO}, {"clutter-a", PlayerButton::ClutterA},
            {"clutter-i", PlayerButton::ClutterI}, {"clutter-d", PlayerButton::ClutterD}, {"clutter-v", PlayerButton::ClutterV},
            {"previous", PlayerButton::Previous}, {"play", PlayerButton::Play}, {"pause", PlayerButton::Pause},
            {"stop", PlayerButton::Stop}, {"next", PlayerButton::Next}, {"eject", PlayerButton::Eject},
            {"shuffle", PlayerButton::Shuffle}, {"repeat", PlayerButton::Repeat}, {"eq-toggle", PlayerButton::EqToggle},
            {"playlist-toggle", PlayerButton::PlaylistToggle}, {"volume", PlayerButton::Volume},
            {"balance", PlayerButton::Balance}, {"position", PlayerButton::Position}, {"eq-on", PlayerButton::EqOn},
            {"eq-auto", PlayerButton::EqAuto}, {"eq-presets", PlayerButton::EqPresets}, {"eq-close", PlayerButton::EqClose},
            {"eq-shade", PlayerButton::EqShade}, {"eq-preamp", PlayerButton::EqPreamp},
            {"playlist-close", PlayerButton::PlaylistClose}, {"playlist-shade", PlayerButton::PlaylistShade},
            {"playlist-scroll", PlayerButton::PlaylistScroll}};
        static const char* const bands[] = {"eq-band1", "eq-band2", "eq-band3", "eq-band4", "eq-band5",
                                            "eq-band6", "eq-band7", "eq-band8", "eq-band9", "eq-band10"};
        for (int b = 0; b < format::kEqBandCount; ++b) n.emplace_back(bands[b], player::eqBandButton(b));
        return n;
    }();
    return names;
}

PlayerButton parseButton(const std::string& name) {
    for (const auto& [known, button] : buttonNames())
        if (known == name) return button;
    std::string all;
    for (const auto& entry : buttonNames()) all += (all.empty() ? "" : ", ") + std::string(entry.first);
    throw UsageError{"--hold takes one of " + all + "; not '" + name + "'"};
}

// The whole file, refused past `limit` bytes (a FIFO or a device is refused unread).
std::string readBounded(const fs::path& file, std::uintmax_t limit, const std::string& option) {
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::is_regular_file(status))
        throw UsageError{option + " " + file.string() + ": " + (ec ? ec.message() : std::string("not a regular file"))};
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > limit)
        throw UsageError{option + " " + file.string() + ": larger than " + std::to_string(limit / 1024) + " KB"};
    std::ifstream in(file, std::ios::binary);
    std::string text(std::size_t(size), '\0');
    if (!in || !in.read(text.data(), std::streamsize(size)))
        throw UsageError{option + " " + file.string() + ": cannot be read"};
    return text;
}

// An M3U (#EXTINF lines give the title and length of the path after them) or
// lines of "title<TAB>seconds"; a line without a length has none shown.
std::vector<player::PlaylistEntry> readPlaylist(const fs::path& file) {
    const std::string text = readBounded(file, kPlaylistFileLimit, "--playlist");
    std::vector<player::PlaylistEntry> entries;
    std::optional<player::PlaylistEntry> pending;
    std::istringstream in(text);
    auto add = [&](std::string title, int seconds) {
        if (entries.size() == kPlaylistEntryLimit)
            throw UsageError{"--playlist " + file.string() + ": more than " + std::to_string(kPlaylistEntryLimit) + " entries"};
        if (title.size() > kTitleLimit) title.resize(kTitleLimit);
        entries.push_back({std::move(title), seconds});
    };
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (line.empty()) continue;
        const std::string where = "--playlist " + file.string() + " line " + std::to_string(lineNumber);
        if (line.starts_with("#EXTINF:")) {
            const std::size_t comma = line.find(',');
            if (comma == std::string::npos) throw UsageError{where + ": #EXTINF needs SECONDS,TITLE"};
            const std::string length = line.substr(8, comma - 8);
            pending = player::PlaylistEntry{line.substr(comma + 1), length == "-1" ? -1 : parseWholeNumber(length, 0, 359999, where)};
        } else if (line.starts_with('#')) {
            continue;
        } else if (pending) {
            add(std::move(pending->title), pending->seconds);
            pending.reset();
        } else if (const std::size_t tab = line.rfind('\t'); tab != std::string::npos) {
            add(line.substr(0, tab), parseWholeNumber(line.substr(tab + 1), 0, 359999, where + "'s seconds"));
        } else {
            // A bare path in an M3U shows as its file name, as players list it.
            const bool path = line.find('/') != std::string::npos || line.find('\\') != std::string::npos;
            add(path ? fs::path(line).stem().string() : line, -1);
        }
    }
    return entries;
}

// "2,4-6" as entry numbers counted from 1, each at most `count`.
std::vector<bool> parseSelection(const std::string& text, std::size_t count) {
    std::vector<bool> selected(count, false);
    const int last = int(std::max<std::size_t>(count, 1));
    for (const std::string& part : splitCommas(text)) {
        const std::size_t dash = part.find('-');
        const int from = parseWholeNumber(part.substr(0, dash), 1, last, "--selected");
        const int to = dash == std::string::npos ? from : parseWholeNumber(part.substr(dash + 1), from, last, "--selected");
        if (count == 0) throw UsageError{"--selected needs a playlist with entries"};
        for (int i = from; i <= to; ++i) selected[std::size_t(i - 1)] = true;
    }
    return selected;
}

std::string clock(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

// --- the state file's JSON: one flat object, read within a fixed size and depth

class FlatJson {
public:
    FlatJson(std::string_view text, std::string where) : text_(text), where_(std::move(where)) {}

    // Each key with its value: a string's text, a number's digits, "true"/"false"; null leaves the key out.
    std::vector<std::pair<std::string, std::string>> read(std::vector<bool>& isString) {
        std::vector<std::pair<std::string, std::string>> members;
        expect('{');
        if (peek() == '}') return ++at_, finish(members);
        for (;;) {
            if (peek() != '"') fail("a key in double quotes");
            std::string key = string();
            expect(':');
            const char c = peek();
            if (c == '"') {
                members.emplace_back(std::move(key), string());
                isString.push_back(true);
            } else if (c == '{' || c == '[') {
                fail("a string, a number, true, false or null (no objects or arrays) for \"" + key + "\"");
            } else {
                std::string word = bare();
                if (word != "null") {
                    members.emplace_back(std::move(key), std::move(word));
                    isString.push_back(false);
                }
            }
            if (members.size() > 256) fail("fewer members");
            const char next = peek();
            ++at_;
            if (next == '}') return finish(members);
            if (next != ',') fail("',' or '}'");
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> finish(std::vector<std::pair<std::string, std::string>>& members) {
        if (peek() != '\0') fail("the end of the file after the object");
        return std::move(members);
    }
    [[noreturn]] void fail(const std::string& wanted) const {
        throw UsageError{where_ + ": expected " + wanted + " at byte " + std::to_string(at_ + 1)};
    }
    char peek() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) ++at_;
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("'") + c + "'");
        ++at_;
    }
    std::string bare() {
        const std::size_t from = at_;
        while (at_ < text_.size() && std::string_view("+-.0123456789eEtruefalsn").find(text_[at_]) != std::string_view::npos) ++at_;
        const std::string word(text_.substr(from, at_ - from));
        char* end = nullptr;
        const bool number = !word.empty() && (std::isdigit((unsigned char)word[0]) || word[0] == '-') &&
                            (std::strtod(word.c_str(), &end), end == word.c_str() + word.size());
        if (!number && word != "true" && word != "false" && word != "null") fail("a string, a number, true, false or null");
        return word;
    }
    std::string string() {
        ++at_;  // the opening quote
        std::string out;
        for (;;) {
            if (at_ >= text_.size()) fail("a closing '\"'");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("no control characters inside a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) fail("an escape");
            const char e = text_[at_++];
            const std::string_view simple = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (const std::size_t k = simple.find(e); k != std::string_view::npos) {
                out += meant[k];
            } else if (e == 'u') {
                unsigned code = hex4();
                if (code >= 0xD800 && code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
                    at_ += 2;
                    const unsigned low = hex4();
                    if (low < 0xDC00 || low > 0xDFFF) fail("a low surrogate");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                } else if (code >= 0xD800 && code < 0xE000) {
                    fail("a surrogate pair");
                }
                appendUtf8(out, code);
            } else {
                fail("a known escape");
            }
        }
    }
    unsigned hex4() {
        if (at_ + 4 > text_.size()) fail("four hex digits");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[at_++];
            const int d = std::isdigit((unsigned char)h) ? h - '0' : (h >= 'a' && h <= 'f') ? h - 'a' + 10 : (h >= 'A' && h <= 'F') ? h - 'A' + 10 : -1;
            if (d < 0) fail("four hex digits");
            v = v * 16 + unsigned(d);
        }
        return v;
    }
    static void appendUtf8(std::string& out, unsigned c) {
        if (c < 0x80) out += char(c);
        else if (c < 0x800) out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
        else if (c < 0x10000) out += char(0xE0 | (c >> 12)), out += char(0x80 | ((c >> 6) & 0x3F)), out += char(0x80 | (c & 0x3F));
        else
            out += char(0xF0 | (c >> 18)), out += char(0x80 | ((c >> 12) & 0x3F)), out += char(0x80 | ((c >> 6) & 0x3F)),
                out += char(0x80 | (c & 0x3F));
    }

    std::string_view text_;
    std::string where_;
    std::size_t at_ = 0;
};

const StateOption* findStateOption(std::string_view name) {
    for (const StateOption& option : stateOptions())
        if (option.name == name) return &option;
    return nullptr;
}

bool given(const StateOptions& options, const std::string& name) { return options.count(name) > 0; }

} // namespace

const std::vector<StateOption>& stateOptions() {
    static const std::vector<StateOption> options{
        {"--windows", true}, {"--time", true}, {"--remaining", false}, {"--title", true}, {"--title-scroll", true},
        {"--playing", false}, {"--paused", false}, {"--stopped", false}, {"--position", true}, {"--kbps", true},
        {"--khz", true}, {"--mono", false}, {"--volume", true}, {"--balance", true}, {"--shuffle", false},
        {"--repeat", false}, {"--no-eq-window", false}, {"--no-playlist-window", false}, {"--eq", true},
        {"--eq-off", false}, {"--eq-auto", false}, {"--shade", true}, {"--double", false}, {"--focus", true},
        {"--playlist", true}, {"--current", true}, {"--selected", true}, {"--playlist-scroll", true},
        {"--playlist-size", true}, {"--vis", true}, {"--vis-seed", true}, {"--vis-bars", true}, {"--hold", true}};
    return options;
}

bool readStateOption(ArgReader& reader, StateOptions& given) {
    const StateOption* option = findStateOption(reader.option());
    if (!option) return false;
    std::string& slot = given[std::string(option->name)];
    if (option->takesValue) {
        reader.valueOnce(slot);
    } else {
        reader.flag();
    }
    return true;
}

void readStateFile(const fs::path& file, StateOptions& options) {
    const std::string where = "--state " + file.string();
    const std::string text = readBounded(file, kStateFileLimit, "--state");
    std::vector<bool> isString;
    const auto members = FlatJson(text, where).read(isString);
    StateOptions fromFile;
    for (std::size_t i = 0; i < members.size(); ++i) {
        const auto& [key, value] = members[i];
        const StateOption* option = findStateOption("--" + key);
        if (!option) throw UsageError{where + ": \"" + key + "\" is not a state field"};
        const std::string name(option->name);
        if (fromFile.count(name)) throw UsageError{where + ": \"" + key + "\" given twice"};
        if (!option->takesValue) {
            if (isString[i] || (value != "true" && value != "false")) throw UsageError{where + ": \"" + key + "\" takes true or false"};
            if (value == "true") fromFile[name] = "";
        } else {
            if (!isString[i] && (value == "true" || value == "false")) throw UsageError{where + ": \"" + key + "\" takes a value, not " + value};
            fromFile[name] = value;
        }
    }
    // The command line's play state replaces the file's, as its other options do.
    const bool playGiven = given(options, "--playing") || given(options, "--paused") || given(options, "--stopped");
    for (auto& [name, value] : fromFile) {
        if (playGiven && (name == "--playing" || name == "--paused" || name == "--stopped")) continue;
        options.emplace(name, value);
    }
}

player::PlayerState previewState() {
    player::PlayerState state;
    state.entries = {{"vellumKit - Player Preview", 225}, {"Second Entry", 192}, {"Third Entry", 301}};
    return state;
}

RenderState renderStateFrom(const StateOptions& options) {
    RenderState out;
    player::PlayerState& st = out.state;
    st = previewState();
    auto has = [&](const char* name) { return given(options, name); };
    auto value = [&](const char* name) { return options.at(name); };

    const int plays = int(has("--playing")) + int(has("--paused")) + int(has("--stopped"));
    if (plays > 1) throw UsageError{"give one of --playing, --paused and --stopped"};
    if (has("--paused")) st.play = player::PlayState::Paused;
    if (has("--stopped")) st.play = player::PlayState::Stopped;
    if (has("--time")) st.seconds = parseTime(value("--time"));
    st.countingDown = has("--remaining");
    if (has("--position")) st.position = parseFraction(value("--position"), "--position");
    if (has("--kbps")) st.kbps = parseWholeNumber(value("--kbps"), 0, 999, "--kbps");
    if (has("--khz")) st.khz = parseWholeNumber(value("--khz"), 0, 99, "--khz");
    st.stereo = !has("--mono");
    if (has("--volume")) st.volume = parseWholeNumber(value("--volume"), 0, 100, "--volume");
    if (has("--balance")) st.balance = parseWholeNumber(value("--balance"), -100, 100, "--balance");
    st.shuffle = has("--shuffle");
    st.repeat = has("--repeat");
    if (has("--eq")) {
        const std::vector<std::string> values = splitCommas(value("--eq"));
        if (values.size() != 11) throw UsageError{"--eq takes the preamp and ten bands, 0-100 each"};
        st.preamp = parseWholeNumber(values[0], 0, 100, "--eq");
        for (std::size_t i = 0; i < 10; ++i) st.bands[i] = parseWholeNumber(values[i + 1], 0, 100, "--eq");
    }
    st.eqOn = !has("--eq-off");
    st.eqAuto = has("--eq-auto");
    st.doubleSize = has("--double");
    if (has("--hold")) st.held = parseButton(value("--hold"));
    if (has("--title-scroll")) st.titleScroll = parseWholeNumber(value("--title-scroll"), 0, 1000000, "--title-scroll");

    if (has("--focus")) {
        const std::string focus = value("--focus");
        if (focus == "none") st.anyFocused = false;
        else st.focused = parseWindow(focus, "--focus");
    }
    if (has("--shade"))
        for (PlayerWindow w : parseWindows(value("--shade"), "--shade"))
            (w == PlayerWindow::Main ? st.mainShaded : w == PlayerWindow::Equaliser ? st.equaliserShaded : st.playlistShaded) = true;

    // The window toggles: a window closed is neither drawn nor lit on its button.
    const bool noEq = has("--no-eq-window"), noPlaylist = has("--no-playlist-window");
    if (has("--windows")) {
        out.windows = parseWindows(value("--windows"), "--windows");
    } else {
        out.windows = {PlayerWindow::Main};
        if (!noEq) out.windows.push_back(PlayerWindow::Equaliser);
        if (!noPlaylist) out.windows.push_back(PlayerWindow::Playlist);
    }
    const auto shows = [&](PlayerWindow w) { return std::find(out.windows.begin(), out.windows.end(), w) != out.windows.end(); };
    if (noEq && shows(PlayerWindow::Equaliser)) throw UsageError{"--windows shows the equaliser that --no-eq-window closes"};
    if (noPlaylist && shows(PlayerWindow::Playlist)) throw UsageError{"--windows shows the playlist that --no-playlist-window closes"};
    st.equaliserOpen = shows(PlayerWindow::Equaliser);
    st.playlistOpen = shows(PlayerWindow::Playlist);

    if (has("--playlist-size")) {
        const std::string size = value("--playlist-size");
        const std::size_t x = size.find('x');
        if (x == std::string::npos) throw UsageError{"--playlist-size takes WxH, not '" + size + "'"};
        st.playlistSize = format::snappedPlaylistSize({parseWholeNumber(size.substr(0, x), format::kPlaylistMinimumSize.width, 4000, "--playlist-size's width"),
                                                      parseWholeNumber(size.substr(x + 1), format::kPlaylistMinimumSize.height, 4000, "--playlist-size's height")});
    }
    if (has("--playlist")) st.entries = readPlaylist(value("--playlist"));
    const int count = int(st.entries.size());
    if (has("--current")) st.currentEntry = parseWholeNumber(value("--current"), 0, std::max(count, 0), "--current") - 1;
    else if (count == 0) st.currentEntry = -1;
    if (has("--selected")) st.selectedEntries = parseSelection(value("--selected"), st.entries.size());
    if (has("--playlist-scroll")) {
        st.scroll = parseFraction(value("--playlist-scroll"), "--playlist-scroll");
        const int rows = format::plListArea(format::snappedPlaylistSize(st.playlistSize)).height() / format::kPlEntryHeight;
        st.firstVisibleEntry = int(std::lround(st.scroll * std::max(0, count - rows)));
    }
    if (has("--title")) st.title = value("--title");
    else if (has("--playlist") && st.currentEntry >= 0) {
        // The player's own title line: number, title and length.
        const player::PlaylistEntry& e = st.entries[std::size_t(st.currentEntry)];
        st.title = std::to_string(st.currentEntry + 1) + ". " + e.title + (e.seconds >= 0 ? " (" + clock(e.seconds) + ")" : "");
    }

    const std::string vis = has("--vis") ? value("--vis") : (has("--vis-seed") || has("--vis-bars") ? "spectrum" : "off");
    if (vis == "spectrum") st.vis.mode = player::VisFrame::Mode::Spectrum;
    else if (vis == "oscilloscope") st.vis.mode = player::VisFrame::Mode::Oscilloscope;
    else if (vis != "off") throw UsageError{"--vis takes spectrum, oscilloscope or off, not '" + vis + "'"};
    if (vis == "off" && (has("--vis-seed") || has("--vis-bars"))) throw UsageError{"--vis off draws no --vis-seed or --vis-bars"};
    if (has("--vis-seed") && has("--vis-bars")) throw UsageError{"give --vis-seed or --vis-bars, not both"};
    if (has("--vis-bars")) {
        if (st.vis.mode != player::VisFrame::Mode::Spectrum) throw UsageError{"--vis-bars draws the spectrum, not --vis " + vis};
        const std::vector<std::string> bars = splitCommas(value("--vis-bars"));
        if (bars.size() != std::size_t(format::kVisBarCount))
            throw UsageError{"--vis-bars takes " + std::to_string(format::kVisBarCount) + " heights, 0-16 each"};
        for (std::size_t i = 0; i < bars.size(); ++i) st.vis.bars[i] = parseWholeNumber(bars[i], 0, format::kVisHeight, "--vis-bars");
    } else if (st.vis.mode != player::VisFrame::Mode::Off) {
        const int seed = has("--vis-seed") ? parseWholeNumber(value("--vis-seed"), 0, 2147483647, "--vis-seed") : 1;
        st.vis = player::PretendSignal::settledFrame(st.vis.mode, std::uint64_t(seed));
    }
    return out;
}

} // namespace vk::cli
