#include "cli/Help.h"

#include "cli/Commands.h"

#include <algorithm>

namespace vk::cli {

namespace {

#define VK_SKIN_OPTIONS                                                                                       \
    "Skin options:\n"                                                                                         \
    "  --equaliser FILE, --playlist FILE   pictures of the other two windows\n"                                \
    "  --layout three-windows|two-plus-one|continuous\n"                                                      \
    "                      how the pictures cover the windows; without it, chosen from the\n"               \
    "                      pictures given: only a main picture -> continuous, a main and a\n"               \
    "                      playlist picture -> two-plus-one, otherwise three-windows\n"                     \
    "  --fit stretch|crop  stretch each picture over its area (default), or first cut out its\n"            \
    "                      largest part with the area's proportions, so nothing is distorted\n"             \
    "  --focus X,Y         where crop cuts, fractions 0-1 across and down (default 0.5,0.5)\n"              \
    "  --buttons-only      flat buttons without captions or glyphs (default: full 3D, with\n"              \
    "                      bevels and embossed captions)\n"                                                 \
    "  --sink-frame        sunken frames (default: raised)\n"                                               \
    "  --legible           captions, glyphs and bevels shaded to show on any picture: the step\n"        \
    "                      grows or turns where the picture is too light or dark for it\n"               \
    "  --colours-from-picture  the nine colour settings, the knobs and the visualisation\n"            \
    "                      colours taken from the pictures, text readable on its background\n"         \
    "  --background COLOUR what transparent pixels become (default: white)\n"                               \
    "  --colour NAME=COLOUR  a colour setting: winBackColour, winTextColour, plNormalColour,\n"             \
    "                      plCurrentColour, plNormalBgColour, plSelectedBgColour,\n"                        \
    "                      eqBackColour, eqForeColour, eqHighlightColour\n"                                 \
    "  --vis-colour N=COLOUR visualisation colour N, 1-17\n"                                                \
    "  --knob main|eq|playlist=COLOUR  restyle a slider knob\n"                                             \
    "A COLOUR is #RRGGBB, RRGGBB (red first) or a colour name such as gold or navy.\n"                      \
    "--colour, --vis-colour and --knob may repeat and apply in the order given, after\n"                  \
    "--colours-from-picture, so they win over it.\n"                                                    \
    "Pictures fit undistorted at 275x116 (2.37:1) for one window (three-windows),\n"                        \
    "275x232 (1.19:1) for two (two-plus-one) and 275x348 (0.79:1) for all three\n"                          \
    "(continuous); other proportions are stretched unless --fit crop.\n"                                    \
    "Captions need contrast with the picture: on very light or busy pictures they can vanish\n"           \
    "unless --legible.\n"

#define VK_COMMON_OPTIONS                                                                                     \
    "  -q, --quiet         no result lines on stdout (errors and warnings still on stderr)\n"               \
    "  -v, --verbose       say on stderr what is done\n"                                                    \
    "  -h, --help          this help\n"

#define VK_EXIT_STATUS "Exit status: 0 done, 1 failed, 2 wrong usage.\n"

constexpr const char* kMake =
    "usage: vellumkit-cli make --out DIR [--main FILE] [SKIN OPTIONS] [--wsz FILE]\n"
    "                          [--preview FILE] [--player-preview FILE] [--install-for PLAYER]...\n"
    "                          [--no-sync]\n"
    "Makes one skin as the window does: lays the pictures out, MakeSkin, the colour\n"
    "changes in the order given, SaveSkin.\n"
    "\n"
    "  --out DIR           the skin's folder (its sixteen files; missing parents are made)\n"
    "  --main FILE         the main window's picture\n"
    "  --wsz FILE          the same files as one archive a player loads directly\n"
    "  --preview FILE      the three windows as the program shows them\n"
    "  --player-preview FILE  the skin as the player shows it\n"
    "                      (previews: the format the extension names, e.g. .png, .jpg, .webp,\n"
    "                      .bmp; vellumkit-cli formats --write lists them)\n"
    "  --install-for PLAYER  also put the skin where PLAYER finds it: audacious\n"
    "                      (~/.local/share/audacious/Skins/NAME.wsz), qmmp (~/.qmmp/skins/NAME/)\n"
    "                      or wine (Winamp's Skins folder under $WINEPREFIX or ~/.wine); repeatable;\n"
    "                      vellumkit-cli players lists the players found\n"
    "  --no-sync           do not wait for the disk: faster, but a crash soon after may leave\n"
    "                      the new files empty or the old ones back (for scratch output)\n"
    VK_COMMON_OPTIONS
    "\n" VK_SKIN_OPTIONS
    "\n"
    "The skin, its archive and its previews are replaced together: a save that fails\n"
    "leaves the old ones as they were. Outputs never overwrite a picture or each other.\n"
    "A folder that already holds files a player would read instead of the skin's (the same\n"
    "names in other letter case, .png sheets of the same names) is named in a warning.\n"
    VK_EXIT_STATUS;

constexpr const char* kBatch =
    "usage: vellumkit-cli batch --out-dir DIR [SKIN OPTIONS] [--previews[=FORMAT]] [--recursive]\n"
    "                           [--no-wsz|--no-folder] [--jobs N] [--progress] [--no-sync]\n"
    "                           [--install-for PLAYER]...\n"
    "                           PICTURE|FOLDER...\n"
    "Makes one skin per picture, each picture the main one, on all cores: DIR/NAME/ and\n"
    "DIR/NAME.wsz, NAME being the picture's file name without its extension; pictures with\n"
    "the same name make NAME, NAME-2, NAME-3 ... in the order given (reported). A FOLDER\n"
    "stands for the pictures in it, in name order; other files in it are reported and skipped.\n"
    "\n"
    "  --out-dir DIR       where the skins go (made if missing)\n"
    "  --previews[=FORMAT] also DIR/NAME.png (or .FORMAT: jpg, webp, bmp ...), the window preview\n"
    "  -r, --recursive     a FOLDER's sub-folders too\n"
    "  --no-wsz            only the folders DIR/NAME/\n"
    "  --no-folder         only the archives DIR/NAME.wsz\n"
    "  --jobs N            at most N pictures at once (default: one per core, fewer while\n"
    "                      their decoded sizes would pass half the available memory)\n"
    "  --progress          report progress on stderr even when it is not a terminal\n"
    "  --no-sync           do not wait for the disk (as for make)\n"
    "  --install-for PLAYER  also put the skin where PLAYER finds it: audacious\n"
    "                      (~/.local/share/audacious/Skins/NAME.wsz), qmmp (~/.qmmp/skins/NAME/)\n"
    "                      or wine (Winamp's Skins folder under $WINEPREFIX or ~/.wine); repeatable;\n"
    "                      vellumkit-cli players lists the players found\n"
    VK_COMMON_OPTIONS
    "\n" VK_SKIN_OPTIONS
    "\n"
    "A picture that fails is reported and the others are still made; a summary line ends\n"
    "the run (made, failed, skipped, time). Exit status: 0 if every picture made a skin,\n"
    "1 if one failed or none was found, 2 wrong usage.\n";

constexpr const char* kTemplates =
    "usage: vellumkit-cli templates [--out DIR] [--contact-sheet FILE]\n"
    "Writes the built-in template images, or a labelled sheet of them to look at.\n"
    "\n"
    "  --out DIR           write the template images there as BMP files\n"
    "  --contact-sheet FILE  one picture of all of them, in the format its extension names\n"
    VK_COMMON_OPTIONS
    "\n" VK_EXIT_STATUS;

constexpr const char* kRender =
    "usage: vellumkit-cli render SKIN --out FILE [--scale N | --size N] [STATE OPTIONS]\n"
    "       vellumkit-cli render SKIN... --out-dir DIR [--gallery FILE.png [--columns N]]\n"
    "                            [--recursive] [--jobs N] [--progress] [STATE OPTIONS]\n"
    "       vellumkit-cli render SKIN --animate FILE.png [--frames N] [STATE OPTIONS]\n"
    "Draws any classic skin (a folder or a .wsz) as the player shows it, the windows docked\n"
    "one under another. The playlist's entries are drawn in Liberation Sans, Arial's metric\n"
    "twin, whatever font the skin names. Only the files a player reads are opened, each\n"
    "within the format's size limits; a sheet that cannot be read is named in a warning and\n"
    "the player's stand-in is drawn. A file with no readable sheet is no skin: exit 1, and\n"
    "no picture is written.\n"
    "\n"
    "  --out FILE          the picture, in the format its extension names (.png, .jpg ...)\n"
    "  --scale N           each skin pixel as NxN pixels, 1-16 (default 1)\n"
    "  --size N            fit the picture within NxN pixels, 16-4096 (for thumbnails)\n"
    "  --max-memory MB     the most memory the render may map, 0 for no limit\n"
    "                      (default 2048; 256 with --size, as a thumbnailer runs it)\n"
    "  --max-seconds N     the most processor time it may take, 0 for no limit\n"
    "                      (default 60; 5 with --size; a collection adds 1 a skin)\n"
    VK_COMMON_OPTIONS
    "\n"
    "Collections: each SKIN may be a skin or a folder of skins (.wsz and skin folders).\n"
    "  --out-dir DIR       DIR/NAME.png per skin, NAME its folder's or archive's name\n"
    "                      (NAME-2, NAME-3 ... for a name taken); one line per skin, a\n"
    "                      skin that fails is named and counted (exit 1)\n"
    "  --gallery FILE.png  a contact sheet: each skin's picture with its name beneath in\n"
    "                      its own text.bmp glyphs, in the order the skins were found\n"
    "  --columns N         the contact sheet's columns, 1-1000 (default 4)\n"
    "  -r, --recursive     the sub-folders of a folder of skins too\n"
    "  --jobs N            at most N skins at once (default: one per core)\n"
    "  --progress          a progress line even when stderr is no terminal\n"
    "\n"
    "Animation: the player playing, at its own pace (a frame every 55 ms; the title moves\n"
    "a glyph every 220 ms, the time counts, the visualiser moves).\n"
    "  --animate FILE.png  an animated PNG, looping\n"
    "  --frames N          how many frames, 1-2000 (default 40)\n"
    "\n"
    "State options (also as a JSON object in --state FILE, e.g. {\"shade\": \"eq\",\n"
    "\"double\": true, \"volume\": 40}; the command line wins):\n"
    "  --state FILE        the state options as JSON, the names without the dashes\n"
    "  --windows LIST      which windows, of main, eq and playlist (default all three)\n"
    "  --no-eq-window, --no-playlist-window  the window closed: not drawn, toggle off\n"
    "  --shade LIST        these windows shaded (main, eq, playlist)\n"
    "  --double            double size: the main window and the equaliser twice as\n"
    "                      large, the D lamp lit (the playlist keeps its size)\n"
    "  --focus WINDOW      the active title bar: main (default), eq, playlist or none\n"
    "  --playing, --paused, --stopped  the play state shown\n"
    "  --time M:SS         the time shown\n"
    "  --remaining         the time counts down (the minus sign)\n"
    "  --position F        the position bar, 0-1\n"
    "  --title TEXT        the scrolling title\n"
    "  --title-scroll N    the title scrolled N pixels\n"
    "  --kbps N, --khz N   the bit rate (0-999) and sample rate (0-99)\n"
    "  --mono              mono lit instead of stereo\n"
    "  --volume N          0-100\n"
    "  --balance N         -100 (left) to 100 (right)\n"
    "  --shuffle, --repeat the toggles lit\n"
    "  --eq P,B1,..,B10    the preamp and the ten bands, 0-100 each\n"
    "  --eq-off, --eq-auto the equaliser off; auto on\n"
    "  --playlist FILE     the entries: an M3U or lines of TITLE<TAB>SECONDS; the title\n"
    "                      becomes the current entry's\n"
    "  --current N         the playing entry, from 1 (0: none; default 1)\n"
    "  --selected LIST     selected entries, e.g. 2,4-6\n"
    "  --playlist-scroll F the list scrolled, 0 (top) to 1 (bottom)\n"
    "  --playlist-size WxH the playlist's size, snapped to the player's 25x29 steps\n"
    "  --vis MODE          the visualiser: spectrum, oscilloscope or off (default off;\n"
    "                      spectrum for --animate)\n"
    "  --vis-seed N        the visualiser's frame from seed N (default 1)\n"
    "  --vis-bars H1,..,H19  the spectrum's 19 bar heights, 0-16 each\n"
    "  --hold BUTTON       the button held down: play, pause, stop, next, previous, eject,\n"
    "                      shuffle, repeat, eq-toggle, playlist-toggle, volume, balance,\n"
    "                      position, options, minimise, shade, close, clutter-o ... clutter-v,\n"
    "                      eq-on, eq-auto, eq-presets, eq-close, eq-shade, eq-preamp,\n"
    "                      eq-band1 ... eq-band10, playlist-close, playlist-shade, playlist-scroll\n"
    "\n" VK_EXIT_STATUS;

constexpr const char* kPlayers =
    "usage: vellumkit-cli players\n"
    "Lists the skinned players found for this user, one a line: the player (as\n"
    "--install-for names it), the folder it reads skins from, and whether it takes\n"
    "NAME.wsz or a folder NAME/. Audacious and qmmp count as found once they have run;\n"
    "Winamp under Wine when its folder is under $WINEPREFIX (or ~/.wine)/drive_c/Program Files*/.\n"
    "\n"
    VK_COMMON_OPTIONS
    "\n" VK_EXIT_STATUS;

constexpr const char* kFormats =
    "usage: vellumkit-cli formats [--write]\n"
    "Lists the picture formats this installation reads, one a line (what make and batch\n"
    "take as pictures).\n"
    "\n"
    "  --write             the formats it writes instead (what previews can be)\n"
    "  -h, --help          this help\n"
    "\n" VK_EXIT_STATUS;

// Filled in from the table's names.
constexpr const char* kHelpBefore =
    "usage: vellumkit-cli help [COMMAND]\n"
    "Shows the overview, or the help of COMMAND (";
constexpr const char* kHelpAfter = ").\n"
    "\n" VK_EXIT_STATUS;

constexpr const char* kOverviewHead =
    "usage: vellumkit-cli COMMAND [OPTIONS]\n"
    "Turns pictures into classic Winamp 2.x skins.\n"
    "\n"
    "Commands:\n";
constexpr const char* kOverviewTail =
    "\n"
    "Options for every command:\n"
    VK_COMMON_OPTIONS
    "  --version           the version\n"
    "\n"
    "Layouts: without --layout, only a main picture covers all three windows (continuous),\n"
    "a main and a playlist picture make two-plus-one, otherwise three-windows. Pictures fit\n"
    "undistorted at 2.37:1 (one window), 1.19:1 (two) and 0.79:1 (three); --fit crop cuts\n"
    "other proportions instead of stretching them. --buttons-only gives flat buttons without\n"
    "captions or glyphs; captions need contrast with the picture (--legible gives it).\n"
    "\n" VK_EXIT_STATUS;

// help's own page names every other command, so it is made once the table is.
std::string helpPage() {
    std::string names;
    for (const Command& command : commands())
        if (command.run) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return kHelpBefore + names + kHelpAfter;
}

} // namespace

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"make", "one skin from up to three pictures", kMake, &runMake},
        {"batch", "one skin per picture, for many pictures or folders of them", kBatch, &runBatch},
        {"templates", "the built-in template images", kTemplates, &runTemplates},
        {"render", "a skin as the player shows it", kRender, &runRender},
        {"formats", "the picture formats this installation reads", kFormats, &runFormats},
        {"players", "the skinned players found and the folders they read skins from", kPlayers, &runPlayers},
        {"help", "vellumkit-cli help COMMAND: that command's options (or COMMAND --help)", nullptr, nullptr},
    };
    return table;
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : commands())
        if (command.name == name) return &command;
    return nullptr;
}

std::string overview() {
    std::string text = kOverviewHead;
    for (const Command& command : commands()) {
        std::string name(command.name);
        name.resize(std::max<std::size_t>(name.size() + 1, 11), ' ');
        text += "  " + name + command.summary + "\n";
    }
    return text + kOverviewTail;
}

const char* helpFor(std::string_view name) {
    if (name == "help") {
        static const std::string page = helpPage();
        return page.c_str();
    }
    const Command* command = findCommand(name);
    return command ? command->page : nullptr;
}

} // namespace vk::cli
