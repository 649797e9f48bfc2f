// Where the Winamp 2 player cuts each sprite from our sheets and where it puts it in its
// windows, written down from the skin format's published tables (names are Webamp's sprite
// names). The checks compare what Webamp shows against these, not against Webamp's own code.

// [sprite, x, y, w, h] in sheet pixels.
const rows = (list) => list.map(([name, x, y, w, h]) => ({ name, x, y, w, h }));

const textMap = [
  // row 0: letters, quote, at sign, and the space cell Webamp reads from column 30
  ...'abcdefghijklmnopqrstuvwxyz"@'.split('').map((c, i) => [c, i, 0]),
  [' ', 30, 0],
  ...'0123456789'.split('').map((c, i) => [c, i, 1]),
  ['\u2026', 10, 1], ['.', 11, 1], [':', 12, 1], ['(', 13, 1], [')', 14, 1], ['-', 15, 1], ["'", 16, 1],
  ['!', 17, 1], ['_', 18, 1], ['+', 19, 1], ['\\', 20, 1], ['/', 21, 1], ['[', 22, 1], [']', 23, 1],
  ['^', 24, 1], ['&', 25, 1], ['%', 26, 1], [',', 27, 1], ['=', 28, 1], ['$', 29, 1], ['#', 30, 1],
  ['\u00c5', 0, 2], ['\u00d6', 1, 2], ['\u00c4', 2, 2], ['?', 3, 2], ['*', 4, 2],
  ['<', 22, 1], ['>', 23, 1], ['{', 22, 1], ['}', 23, 1],
];

export const kSheets = {
  'main.bmp': { width: 275, height: 116, sprites: rows([['MAIN_WINDOW_BACKGROUND', 0, 0, 275, 116]]) },
  'titlebar.bmp': {
    width: 344, height: 87,
    sprites: rows([
      ['MAIN_OPTIONS_BUTTON', 0, 0, 9, 9], ['MAIN_OPTIONS_BUTTON_DEPRESSED', 0, 9, 9, 9],
      ['MAIN_MINIMIZE_BUTTON', 9, 0, 9, 9], ['MAIN_MINIMIZE_BUTTON_DEPRESSED', 9, 9, 9, 9],
      ['MAIN_CLOSE_BUTTON', 18, 0, 9, 9], ['MAIN_CLOSE_BUTTON_DEPRESSED', 18, 9, 9, 9],
      ['MAIN_SHADE_BUTTON', 0, 18, 9, 9], ['MAIN_SHADE_BUTTON_DEPRESSED', 9, 18, 9, 9],
      ['MAIN_SHADE_BUTTON_SELECTED', 0, 27, 9, 9], ['MAIN_SHADE_BUTTON_SELECTED_DEPRESSED', 9, 27, 9, 9],
      ['MAIN_SHADE_POSITION_BACKGROUND', 0, 36, 17, 7], ['MAIN_SHADE_POSITION_THUMB_LEFT', 17, 36, 3, 7],
      ['MAIN_SHADE_POSITION_THUMB', 20, 36, 3, 7], ['MAIN_SHADE_POSITION_THUMB_RIGHT', 23, 36, 3, 7],
      ['MAIN_TITLE_BAR_SELECTED', 27, 0, 275, 14], ['MAIN_TITLE_BAR', 27, 15, 275, 14],
      ['MAIN_SHADE_BACKGROUND_SELECTED', 27, 29, 275, 14], ['MAIN_SHADE_BACKGROUND', 27, 42, 275, 14],
      ['MAIN_EASTER_EGG_TITLE_BAR_SELECTED', 27, 57, 275, 14], ['MAIN_EASTER_EGG_TITLE_BAR', 27, 72, 275, 14],
      ['MAIN_CLUTTER_BAR_BACKGROUND', 304, 0, 8, 43], ['MAIN_CLUTTER_BAR_BACKGROUND_DISABLED', 312, 0, 8, 43],
      ['MAIN_CLUTTER_BAR_BUTTON_O_SELECTED', 304, 47, 8, 8], ['MAIN_CLUTTER_BAR_BUTTON_A_SELECTED', 312, 55, 8, 7],
      ['MAIN_CLUTTER_BAR_BUTTON_I_SELECTED', 320, 62, 8, 7], ['MAIN_CLUTTER_BAR_BUTTON_D_SELECTED', 328, 69, 8, 8],
      ['MAIN_CLUTTER_BAR_BUTTON_V_SELECTED', 336, 77, 8, 7],
    ]),
  },
  'cButtons.bmp': {
    width: 136, height: 36,
    sprites: rows([
      ['MAIN_PREVIOUS_BUTTON', 0, 0, 23, 18], ['MAIN_PREVIOUS_BUTTON_ACTIVE', 0, 18, 23, 18],
      ['MAIN_PLAY_BUTTON', 23, 0, 23, 18], ['MAIN_PLAY_BUTTON_ACTIVE', 23, 18, 23, 18],
      ['MAIN_PAUSE_BUTTON', 46, 0, 23, 18], ['MAIN_PAUSE_BUTTON_ACTIVE', 46, 18, 23, 18],
      ['MAIN_STOP_BUTTON', 69, 0, 23, 18], ['MAIN_STOP_BUTTON_ACTIVE', 69, 18, 23, 18],
      ['MAIN_NEXT_BUTTON', 92, 0, 23, 18], ['MAIN_NEXT_BUTTON_ACTIVE', 92, 18, 22, 18],
      ['MAIN_EJECT_BUTTON', 114, 0, 22, 16], ['MAIN_EJECT_BUTTON_ACTIVE', 114, 16, 22, 16],
    ]),
  },
  'shufRep.bmp': {
    width: 92, height: 85,
    sprites: rows([
      ['MAIN_REPEAT_BUTTON', 0, 0, 28, 15], ['MAIN_REPEAT_BUTTON_DEPRESSED', 0, 15, 28, 15],
      ['MAIN_REPEAT_BUTTON_SELECTED', 0, 30, 28, 15], ['MAIN_REPEAT_BUTTON_SELECTED_DEPRESSED', 0, 45, 28, 15],
      ['MAIN_SHUFFLE_BUTTON', 28, 0, 47, 15], ['MAIN_SHUFFLE_BUTTON_DEPRESSED', 28, 15, 47, 15],
      ['MAIN_SHUFFLE_BUTTON_SELECTED', 28, 30, 47, 15], ['MAIN_SHUFFLE_BUTTON_SELECTED_DEPRESSED', 28, 45, 47, 15],
      ['MAIN_EQ_BUTTON', 0, 61, 23, 12], ['MAIN_EQ_BUTTON_SELECTED', 0, 73, 23, 12],
      ['MAIN_EQ_BUTTON_DEPRESSED', 46, 61, 23, 12], ['MAIN_EQ_BUTTON_DEPRESSED_SELECTED', 46, 73, 23, 12],
      ['MAIN_PLAYLIST_BUTTON', 23, 61, 23, 12], ['MAIN_PLAYLIST_BUTTON_SELECTED', 23, 73, 23, 12],
      ['MAIN_PLAYLIST_BUTTON_DEPRESSED', 69, 61, 23, 12], ['MAIN_PLAYLIST_BUTTON_DEPRESSED_SELECTED', 69, 73, 23, 12],
    ]),
  },
  'volume.bmp': {
    width: 68, height: 433,
    sprites: rows([
      ['MAIN_VOLUME_BACKGROUND', 0, 0, 68, 420],
      ['MAIN_VOLUME_THUMB', 15, 422, 14, 11], ['MAIN_VOLUME_THUMB_SELECTED', 0, 422, 14, 11],
    ]),
  },
  'balance.bmp': {
    width: 47, height: 433,
    sprites: rows([
      ['MAIN_BALANCE_BACKGROUND', 9, 0, 38, 420],
      ['MAIN_BALANCE_THUMB', 15, 422, 14, 11], ['MAIN_BALANCE_THUMB_ACTIVE', 0, 422, 14, 11],
    ]),
  },
  'posBar.bmp': {
    width: 307, height: 10,
    sprites: rows([
      ['MAIN_POSITION_SLIDER_BACKGROUND', 0, 0, 248, 10],
      ['MAIN_POSITION_SLIDER_THUMB', 248, 0, 29, 10], ['MAIN_POSITION_SLIDER_THUMB_SELECTED', 278, 0, 29, 10],
    ]),
  },
  'monoSter.bmp': {
    width: 58, height: 24,
    sprites: rows([
      ['MAIN_STEREO_SELECTED', 0, 0, 29, 12], ['MAIN_STEREO', 0, 12, 29, 12],
      ['MAIN_MONO_SELECTED', 29, 0, 27, 12], ['MAIN_MONO', 29, 12, 27, 12],
    ]),
  },
  'playPaus.bmp': {
    width: 42, height: 9,
    sprites: rows([
      ['MAIN_PLAYING_INDICATOR', 0, 0, 9, 9], ['MAIN_PAUSED_INDICATOR', 9, 0, 9, 9],
      ['MAIN_STOPPED_INDICATOR', 18, 0, 9, 9], ['MAIN_NOT_WORKING_INDICATOR', 36, 0, 9, 9],
      ['MAIN_WORKING_INDICATOR', 39, 0, 9, 9],
    ]),
  },
  'nums_ex.bmp': {
    width: 108, height: 13,
    sprites: rows([
      ...Array.from({ length: 10 }, (_, d) => [`DIGIT_${d}_EX`, 9 * d, 0, 9, 13]),
      ['NO_MINUS_SIGN_EX', 90, 0, 9, 13], ['MINUS_SIGN_EX', 99, 0, 9, 13],
    ]),
  },
  'text.bmp': {
    width: 155, height: 18,
    sprites: textMap.map(([c, col, row]) => ({ name: `CHARACTER_${c.charCodeAt(0)}`, x: 5 * col, y: 6 * row, w: 5, h: 6 })),
  },
  'eqMain.bmp': {
    width: 275, height: 315,
    sprites: rows([
      ['EQ_WINDOW_BACKGROUND', 0, 0, 275, 116],
      ['EQ_CLOSE_BUTTON', 0, 116, 9, 9], ['EQ_CLOSE_BUTTON_ACTIVE', 0, 125, 9, 9],
      ['EQ_ON_BUTTON', 10, 119, 26, 12], ['EQ_ON_BUTTON_SELECTED', 69, 119, 26, 12],
      ['EQ_ON_BUTTON_DEPRESSED', 128, 119, 26, 12], ['EQ_ON_BUTTON_SELECTED_DEPRESSED', 187, 119, 26, 12],
      ['EQ_AUTO_BUTTON', 36, 119, 32, 12], ['EQ_AUTO_BUTTON_SELECTED', 95, 119, 32, 12],
      ['EQ_AUTO_BUTTON_DEPRESSED', 154, 119, 32, 12], ['EQ_AUTO_BUTTON_SELECTED_DEPRESSED', 213, 119, 32, 12],
      ['EQ_TITLE_BAR_SELECTED', 0, 134, 275, 14], ['EQ_TITLE_BAR', 0, 149, 275, 14],
      ['EQ_MAXIMIZE_BUTTON_ACTIVE_FALLBACK', 254, 152, 9, 9],
      ['EQ_SLIDER_THUMB', 0, 164, 11, 11], ['EQ_SLIDER_THUMB_SELECTED', 0, 176, 11, 11],
      ['EQ_SLIDER_BACKGROUND', 13, 164, 209, 129],
      ['EQ_PRESETS_BUTTON', 224, 164, 44, 12], ['EQ_PRESETS_BUTTON_SELECTED', 224, 176, 44, 12],
      ['EQ_GRAPH_BACKGROUND', 0, 294, 113, 19], ['EQ_GRAPH_LINE_COLORS', 115, 294, 1, 19],
      ['EQ_PREAMP_LINE', 0, 314, 113, 1],
    ]),
  },
  'eq_ex.bmp': {
    width: 275, height: 56,
    sprites: rows([
      ['EQ_SHADE_BACKGROUND_SELECTED', 0, 0, 275, 14], ['EQ_SHADE_BACKGROUND', 0, 15, 275, 14],
      ['EQ_SHADE_VOLUME_SLIDER_LEFT', 1, 30, 3, 7], ['EQ_SHADE_VOLUME_SLIDER_CENTER', 4, 30, 3, 7],
      ['EQ_SHADE_VOLUME_SLIDER_RIGHT', 7, 30, 3, 7], ['EQ_SHADE_BALANCE_SLIDER_LEFT', 11, 30, 3, 7],
      ['EQ_SHADE_BALANCE_SLIDER_CENTER', 14, 30, 3, 7], ['EQ_SHADE_BALANCE_SLIDER_RIGHT', 17, 30, 3, 7],
      ['EQ_MAXIMIZE_BUTTON_ACTIVE', 1, 38, 9, 9], ['EQ_MINIMIZE_BUTTON_ACTIVE', 1, 47, 9, 9],
      ['EQ_SHADE_CLOSE_BUTTON', 11, 38, 9, 9], ['EQ_SHADE_CLOSE_BUTTON_ACTIVE', 11, 47, 9, 9],
    ]),
  },
  'plEdit.bmp': {
    width: 280, height: 186,
    sprites: rows([
      ['PLAYLIST_TOP_LEFT_SELECTED', 0, 0, 25, 20], ['PLAYLIST_TOP_LEFT_CORNER', 0, 21, 25, 20],
      ['PLAYLIST_TITLE_BAR_SELECTED', 26, 0, 100, 20], ['PLAYLIST_TITLE_BAR', 26, 21, 100, 20],
      ['PLAYLIST_TOP_TILE_SELECTED', 127, 0, 25, 20], ['PLAYLIST_TOP_TILE', 127, 21, 25, 20],
      ['PLAYLIST_TOP_RIGHT_CORNER_SELECTED', 153, 0, 25, 20], ['PLAYLIST_TOP_RIGHT_CORNER', 153, 21, 25, 20],
      ['PLAYLIST_BOTTOM_TILE', 179, 0, 25, 38], ['PLAYLIST_VISUALIZER_BACKGROUND', 205, 0, 75, 38],
      ['PLAYLIST_LEFT_TILE', 0, 42, 12, 29], ['PLAYLIST_RIGHT_TILE', 31, 42, 20, 29],
      ['PLAYLIST_CLOSE_SELECTED', 52, 42, 9, 9], ['PLAYLIST_COLLAPSE_SELECTED', 62, 42, 9, 9],
      ['PLAYLIST_SCROLL_HANDLE', 52, 53, 8, 18], ['PLAYLIST_SCROLL_HANDLE_SELECTED', 61, 53, 8, 18],
      ['PLAYLIST_SHADE_BACKGROUND_LEFT', 72, 42, 25, 14], ['PLAYLIST_SHADE_BACKGROUND', 72, 57, 25, 14],
      ['PLAYLIST_SHADE_BACKGROUND_RIGHT_SELECTED', 99, 42, 50, 14], ['PLAYLIST_SHADE_BACKGROUND_RIGHT', 99, 57, 50, 14],
      ['PLAYLIST_EXPAND_SELECTED', 150, 42, 9, 9],
      ['PLAYLIST_BOTTOM_LEFT_CORNER', 0, 72, 125, 38], ['PLAYLIST_BOTTOM_RIGHT_CORNER', 126, 72, 150, 38],
      ['PLAYLIST_ADD_URL', 0, 111, 22, 18], ['PLAYLIST_ADD_URL_SELECTED', 23, 111, 22, 18],
      ['PLAYLIST_ADD_DIR', 0, 130, 22, 18], ['PLAYLIST_ADD_DIR_SELECTED', 23, 130, 22, 18],
      ['PLAYLIST_ADD_FILE', 0, 149, 22, 18], ['PLAYLIST_ADD_FILE_SELECTED', 23, 149, 22, 18],
      ['PLAYLIST_ADD_MENU_BAR', 48, 111, 3, 54],
      ['PLAYLIST_REMOVE_ALL', 54, 111, 22, 18], ['PLAYLIST_REMOVE_ALL_SELECTED', 77, 111, 22, 18],
      ['PLAYLIST_CROP', 54, 130, 22, 18], ['PLAYLIST_CROP_SELECTED', 77, 130, 22, 18],
      ['PLAYLIST_REMOVE_SELECTED', 54, 149, 22, 18], ['PLAYLIST_REMOVE_SELECTED_SELECTED', 77, 149, 22, 18],
      ['PLAYLIST_REMOVE_MISC', 54, 168, 22, 18], ['PLAYLIST_REMOVE_MISC_SELECTED', 77, 168, 22, 18],
      ['PLAYLIST_REMOVE_MENU_BAR', 100, 111, 3, 72],
      ['PLAYLIST_INVERT_SELECTION', 104, 111, 22, 18], ['PLAYLIST_INVERT_SELECTION_SELECTED', 127, 111, 22, 18],
      ['PLAYLIST_SELECT_ZERO', 104, 130, 22, 18], ['PLAYLIST_SELECT_ZERO_SELECTED', 127, 130, 22, 18],
      ['PLAYLIST_SELECT_ALL', 104, 149, 22, 18], ['PLAYLIST_SELECT_ALL_SELECTED', 127, 149, 22, 18],
      ['PLAYLIST_SELECT_MENU_BAR', 150, 111, 3, 54],
      ['PLAYLIST_SORT_LIST', 154, 111, 22, 18], ['PLAYLIST_SORT_LIST_SELECTED', 177, 111, 22, 18],
      ['PLAYLIST_FILE_INFO', 154, 130, 22, 18], ['PLAYLIST_FILE_INFO_SELECTED', 177, 130, 22, 18],
      ['PLAYLIST_MISC_OPTIONS', 154, 149, 22, 18], ['PLAYLIST_MISC_OPTIONS_SELECTED', 177, 149, 22, 18],
      ['PLAYLIST_MISC_MENU_BAR', 200, 111, 3, 54],
      ['PLAYLIST_NEW_LIST', 204, 111, 22, 18], ['PLAYLIST_NEW_LIST_SELECTED', 227, 111, 22, 18],
      ['PLAYLIST_SAVE_LIST', 204, 130, 22, 18], ['PLAYLIST_SAVE_LIST_SELECTED', 227, 130, 22, 18],
      ['PLAYLIST_LOAD_LIST', 204, 149, 22, 18], ['PLAYLIST_LOAD_LIST_SELECTED', 227, 149, 22, 18],
      ['PLAYLIST_LIST_BAR', 250, 111, 3, 54],
    ]),
  },
};

// The sixteen files of a skin, as the skin writer names them.
export const kSkinFiles = [...Object.keys(kSheets), 'viscolor.txt', 'plEdit.txt'];

export const kSpriteByName = new Map(
  Object.entries(kSheets).flatMap(([file, sheet]) => sheet.sprites.map((s) => [s.name, { file, ...s }])),
);

// Where a sprite sits in its window (1x pixels) in the state the test puts the player in:
// stopped, three tracks, every window open and unshaded, playlist at its smallest size.
// A list of places means the sprite is drawn at each of them.
const eqBands = [21, 78, 96, 114, 132, 150, 168, 186, 204, 222, 240];
export const kPlacements = {
  main: {
    MAIN_WINDOW_BACKGROUND: [[0, 0]],
    MAIN_TITLE_BAR_SELECTED: [[0, 0]], MAIN_TITLE_BAR: [[0, 0]],
    MAIN_CLUTTER_BAR_BACKGROUND: [[10, 22]],
    MAIN_PLAYING_INDICATOR: [[26, 28]], MAIN_PAUSED_INDICATOR: [[26, 28]], MAIN_STOPPED_INDICATOR: [[26, 28]],
    MAIN_STEREO: [[239, 41]], MAIN_STEREO_SELECTED: [[239, 41]],
    MAIN_MONO: [[212, 41]], MAIN_MONO_SELECTED: [[212, 41]],
    MAIN_VOLUME_BACKGROUND: [[107, 57]], MAIN_BALANCE_BACKGROUND: [[177, 57]],
    MAIN_EQ_BUTTON: [[219, 58]], MAIN_EQ_BUTTON_SELECTED: [[219, 58]],
    MAIN_PLAYLIST_BUTTON: [[242, 58]], MAIN_PLAYLIST_BUTTON_SELECTED: [[242, 58]],
    MAIN_POSITION_SLIDER_BACKGROUND: [[16, 72]],
    MAIN_PREVIOUS_BUTTON: [[16, 88]], MAIN_PLAY_BUTTON: [[39, 88]], MAIN_PAUSE_BUTTON: [[62, 88]],
    MAIN_STOP_BUTTON: [[85, 88]], MAIN_NEXT_BUTTON: [[108, 88]], MAIN_EJECT_BUTTON: [[136, 89]],
    MAIN_SHUFFLE_BUTTON: [[164, 89]], MAIN_SHUFFLE_BUTTON_SELECTED: [[164, 89]],
    MAIN_REPEAT_BUTTON: [[210, 89]], MAIN_REPEAT_BUTTON_SELECTED: [[210, 89]],
  },
  equalizer: {
    EQ_WINDOW_BACKGROUND: [[0, 0]],
    EQ_TITLE_BAR_SELECTED: [[0, 0]], EQ_TITLE_BAR: [[0, 0]],
    EQ_ON_BUTTON: [[14, 18]], EQ_ON_BUTTON_SELECTED: [[14, 18]],
    EQ_AUTO_BUTTON: [[40, 18]], EQ_AUTO_BUTTON_SELECTED: [[40, 18]],
    EQ_GRAPH_BACKGROUND: [[86, 17]],
    EQ_PRESETS_BUTTON: [[217, 18]],
    EQ_SLIDER_BACKGROUND: eqBands.map((x) => [x, 38]),
    // The knob moves down its band: x is fixed one pixel into the band, y is 38 + 0..50.
    EQ_SLIDER_THUMB: eqBands.flatMap((x) => Array.from({ length: 51 }, (_, p) => [x + 1, 38 + p])),
  },
  playlist: {
    PLAYLIST_TOP_LEFT_SELECTED: [[0, 0]], PLAYLIST_TOP_LEFT_CORNER: [[0, 0]],
    PLAYLIST_TITLE_BAR_SELECTED: [[87, 0], [88, 0]], PLAYLIST_TITLE_BAR: [[87, 0], [88, 0]],
    PLAYLIST_TOP_RIGHT_CORNER_SELECTED: [[250, 0]], PLAYLIST_TOP_RIGHT_CORNER: [[250, 0]],
    PLAYLIST_LEFT_TILE: [[0, 20]], PLAYLIST_RIGHT_TILE: [[255, 20]],
    PLAYLIST_SCROLL_HANDLE: [[260, 20]],
    PLAYLIST_BOTTOM_LEFT_CORNER: [[0, 78]], PLAYLIST_BOTTOM_RIGHT_CORNER: [[125, 78]],
  },
};

// Areas of main.bmp that the player never paints over (format reference, main window
// background): the time colon, the kbps and kHz boxes, the visualiser panel while stopped,
// and the logo. Each must show our main.bmp exactly.
export const kMainOwnAreas = [
  { what: 'time colon', x: 69, y: 26, w: 9, h: 13 },
  { what: 'kbps box', x: 111, y: 43, w: 15, h: 6 },
  { what: 'kHz box', x: 156, y: 43, w: 10, h: 6 },
  { what: 'visualiser panel', x: 24, y: 43, w: 76, h: 16 },
  { what: 'logo', x: 253, y: 91, w: 13, h: 15 },
  { what: 'strip under the title bar', x: 0, y: 14, w: 275, h: 8 },
];

// The equaliser's own art that nothing covers: the dB scale left of the bands, and the rows
// below the sliders where the band labels are drawn.
export const kEqOwnAreas = [
  { what: 'dB scale', x: 36, y: 38, w: 40, h: 63 },
  { what: 'band labels', x: 0, y: 101, w: 275, h: 15 },
  { what: 'strip under the title bar', x: 0, y: 14, w: 275, h: 3 },
];

// Sprites that hold a strip of frames: the player shows one frame at a time by offsetting the
// sprite. Volume and balance frame k starts 15k rows down (k = 0..27); equaliser frame n at
// 15 (n mod 14) across and 65 (n div 14) down in the slider strip.
export const kFrameOrigins = {
  MAIN_VOLUME_BACKGROUND: Array.from({ length: 28 }, (_, k) => [0, 15 * k]),
  MAIN_BALANCE_BACKGROUND: Array.from({ length: 28 }, (_, k) => [0, 15 * k]),
  EQ_SLIDER_BACKGROUND: Array.from({ length: 28 }, (_, n) => [15 * (n % 14), 65 * Math.floor(n / 14)]),
};
