// Runs inside the page: starts Webamp on one skin and reports what it made of it.
'use strict';

const kWindows = { main: '#main-window', equalizer: '#equalizer-window', playlist: '#playlist-window' };

function nextFrame() {
  return new Promise((resolve) => requestAnimationFrame(() => resolve()));
}

function rectOf(element, origin) {
  const r = element.getBoundingClientRect();
  return { x: r.left - origin.left, y: r.top - origin.top, w: r.width, h: r.height };
}

function paintsSomething(element, style) {
  if (style.backgroundImage !== 'none') return true;
  if (!/^rgba\(.*, 0\)$|^transparent$/.test(style.backgroundColor)) return true;
  if (['CANVAS', 'IMG', 'INPUT', 'SVG'].includes(element.tagName.toUpperCase())) return true;
  return [...element.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== '');
}

// Every element that draws inside a window, as rectangles relative to the window, with the
// sprite it shows: pixels outside all of them show the window's own background sprite.
function paintedChildren(windowElement, spriteByUrl) {
  const origin = windowElement.getBoundingClientRect();
  const children = [];
  for (const element of windowElement.querySelectorAll('*')) {
    const style = getComputedStyle(element);
    if (style.display === 'none' || style.visibility === 'hidden' || !paintsSomething(element, style)) continue;
    const r = rectOf(element, origin);
    // What is left of it inside ancestors that clip their content (the marquee, for one).
    let clip = { ...r };
    for (let a = element.parentElement; a && a !== windowElement; a = a.parentElement) {
      const as = getComputedStyle(a);
      if (as.overflow === 'visible' && as.overflowX === 'visible' && as.overflowY === 'visible') continue;
      const ar = rectOf(a, origin);
      const x = Math.max(clip.x, ar.x), y = Math.max(clip.y, ar.y);
      clip = { x, y, w: Math.max(0, Math.min(clip.x + clip.w, ar.x + ar.w) - x), h: Math.max(0, Math.min(clip.y + clip.h, ar.y + ar.h) - y) };
    }
    if (clip.w <= 0 || clip.h <= 0) continue;
    const url = /^url\("?(.*?)"?\)$/.exec(style.backgroundImage);
    children.push({
      ...r,
      clip,
      tag: element.tagName.toLowerCase(),
      id: element.id,
      cls: String(element.className),
      // Names of every sprite with this picture (identical art gives identical data URLs).
      sprites: url ? spriteByUrl.get(url[1]) || ['unknown'] : [],
      backgroundPosition: style.backgroundPosition,
      backgroundRepeat: style.backgroundRepeat,
      backgroundSize: style.backgroundSize,
      text: [...element.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== ''),
    });
  }
  return children;
}

window.loadSkin = async function loadSkin(skinUrl) {
  const webamp = new Webamp({
    initialSkin: { url: skinUrl },
    initialTracks: [
      { url: '/silence.wav', duration: 1, metaData: { artist: 'Vellum', title: 'First Track' } },
      { url: '/silence.wav', duration: 1, metaData: { artist: 'Vellum', title: 'Second Track' } },
      { url: '/silence.wav', duration: 1, metaData: { artist: 'Vellum', title: 'Third Track' } },
    ],
    windowLayout: {
      main: { position: { top: 0, left: 0 } },
      equalizer: { position: { top: 116, left: 0 } },
      playlist: { position: { top: 232, left: 0 }, size: { extraHeight: 0, extraWidth: 0 } },
    },
  });
  window.webamp = webamp;
  // A still title, so the screenshot and the element positions are taken of the same frame.
  webamp.store.dispatch({ type: 'DISABLE_MARQUEE' });
  await webamp.renderInto(document.getElementById('stage'));
  await webamp.skinIsLoaded();
  await document.fonts.ready;
  // Wait until the first track has buffered: meanwhile the window shows a busy lamp.
  const started = Date.now();
  while (webamp.store.getState().display.working) {
    if (Date.now() - started > 10000) throw new Error('the player stayed busy for 10 s');
    await nextFrame();
  }
  await nextFrame();
  await nextFrame();
  return window.describe();
};

window.describe = function describe() {
  const state = window.webamp.store.getState();
  const spriteByUrl = new Map();
  for (const [name, url] of Object.entries(state.display.skinImages)) {
    spriteByUrl.set(url, [...(spriteByUrl.get(url) || []), name]);
  }
  const windows = {};
  for (const [name, selector] of Object.entries(kWindows)) {
    const element = document.querySelector(selector);
    if (!element) continue;
    const r = element.getBoundingClientRect();
    windows[name] = {
      rect: { x: r.left + window.scrollX, y: r.top + window.scrollY, w: r.width, h: r.height },
      selected: element.classList.contains('selected'),
      children: paintedChildren(element, spriteByUrl),
    };
  }
  const playlist = document.querySelector(kWindows.playlist);
  const playlistOrigin = playlist ? playlist.getBoundingClientRect() : null;
  const tracks = [...document.querySelectorAll('#playlist-window .track-cell')].map((cell) => {
    const style = getComputedStyle(cell);
    const text = cell.querySelector('span') || cell;
    return {
      rect: rectOf(cell, playlistOrigin),
      textRect: rectOf(text, playlistOrigin),
      text: cell.textContent,
      className: String(cell.className),
      color: style.color,
      backgroundColor: style.backgroundColor,
    };
  });
  return {
    skinImages: state.display.skinImages,
    skinColors: state.display.skinColors,
    skinPlaylistStyle: state.display.skinPlaylistStyle,
    focused: state.windows.focused,
    equalizerOn: state.equalizer.on,
    windows,
    playlistStyle: playlist
      ? { color: getComputedStyle(playlist).color, backgroundColor: getComputedStyle(playlist).backgroundColor }
      : null,
    tracks,
  };
};

// Selects a track as a click would, without moving the focus off the main window.
window.selectTrack = async function selectTrack(index) {
  window.webamp.store.dispatch({ type: 'CLICKED_TRACK', index });
  await nextFrame();
  await nextFrame();
};

// Plays the silent track so that the main window shows its visualiser, drawn by Webamp from
// the skin's visualisation colours.
window.playForVisualiser = async function playForVisualiser() {
  window.webamp.play();
  const started = Date.now();
  while (!(document.querySelector('#main-window #visualizer') && window.webamp.getMediaStatus() === 'PLAYING')) {
    if (Date.now() - started > 10000) throw new Error(`the player did not start playing (${window.webamp.getMediaStatus()})`);
    await nextFrame();
  }
  for (let i = 0; i < 5; ++i) await nextFrame();
  const vis = document.querySelector('#main-window #visualizer').getBoundingClientRect();
  const main = document.querySelector('#main-window').getBoundingClientRect();
  return { x: vis.left - main.left, y: vis.top - main.top, w: vis.width, h: vis.height };
};

// Puts the loaded player into a fixed, stopped state that our renderer can draw too: the
// given volume, balance and equaliser, the given track lengths, no visualiser, main window
// focused. Returns each window's rectangle and the areas drawn in the browser's own fonts.
window.holdState = async function holdState({ volume, balance, preamp, bands, lengths }) {
  const store = window.webamp.store;
  if (store.getState().media.status !== 'STOPPED') store.dispatch({ type: 'STOP' });
  store.dispatch({ type: 'SET_VOLUME', volume });
  store.dispatch({ type: 'SET_BALANCE', balance });
  store.dispatch({ type: 'SET_BAND_VALUE', band: 'preamp', value: preamp });
  [60, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000].forEach((band, i) =>
    store.dispatch({ type: 'SET_BAND_VALUE', band, value: bands[i] }));
  store.getState().playlist.trackOrder.forEach((id, i) =>
    store.dispatch({ type: 'SET_MEDIA_DURATION', id, duration: lengths[i] }));
  // The current track's rates as a player shows them playing: 128 kbps, 44 kHz, stereo.
  const current = store.getState().playlist.currentTrack;
  if (current != null) {
    const { title, artist } = store.getState().tracks[current];
    store.dispatch({ type: 'SET_MEDIA_TAGS', id: current, title, artist, album: null, albumArtUrl: null,
      bitrate: 128000, sampleRate: 44100, numberOfChannels: 2 });
  }
  // Behind the windows black, as our renderer leaves pixels no sheet reaches.
  document.documentElement.style.background = document.body.style.background = "#000";
  // Bars, then oscilloscope, then none.
  while (store.getState().display.visualizerStyle !== 2) store.dispatch({ type: 'TOGGLE_VISUALIZER_STYLE' });
  store.dispatch({ type: 'SET_FOCUSED_WINDOW', window: 'main' });
  for (let i = 0; i < 3; ++i) await nextFrame();
  const rects = {};
  for (const [name, selector] of Object.entries(kWindows)) {
    const r = document.querySelector(selector).getBoundingClientRect();
    rects[name] = { x: r.left + window.scrollX, y: r.top + window.scrollY, w: r.width, h: r.height };
  }
  const within = (name, element) => {
    const r = element.getBoundingClientRect();
    return { x: r.left - rects[name].x, y: r.top - rects[name].y, w: r.width, h: r.height };
  };
  const marquee = document.querySelector('#main-window #marquee');
  return {
    rects,
    status: store.getState().media.status,
    marquee: marquee ? within('main', marquee) : null,
    trackCells: [...document.querySelectorAll('#playlist-window .track-cell')].map((cell) => within('playlist', cell)),
  };
};

// Puts the held player (see window.holdState) into one state of the window manager, the
// toggles and the playback, whatever state it was in before: each field is compared with the
// store and changed only when it differs. The open windows are then stacked from the top
// left (main, equaliser, playlist), as our renderer docks them. Returns what holdState does.
const kShownWindows = { ...kWindows, playlist: '#playlist-window, #playlist-window-shade' };

window.showState = async function showState(s) {
  const store = window.webamp.store;
  const now = () => store.getState();
  const windows = () => now().windows.genWindows;
  for (const [id, open] of [['equalizer', s.eqWindow !== false], ['playlist', s.playlistWindow !== false]]) {
    if (windows()[id].open !== open) store.dispatch({ type: 'TOGGLE_WINDOW', windowId: id });
  }
  for (const id of ['main', 'equalizer', 'playlist']) {
    const want = (s.shade || []).includes(id);
    if (windows()[id].shade !== want) store.dispatch({ type: 'TOGGLE_WINDOW_SHADE_MODE', windowId: id });
  }
  if (now().display.doubled !== !!s.double) store.dispatch({ type: 'TOGGLE_DOUBLESIZE_MODE' });
  const size = s.playlistSteps || [0, 0];
  if (windows().playlist.size.join() !== size.join()) store.dispatch({ type: 'WINDOW_SIZE_CHANGED', windowId: 'playlist', size });
  store.dispatch({ type: 'SET_FOCUSED_WINDOW', window: s.focus === undefined ? 'main' : s.focus });
  store.dispatch({ type: s.eqOff ? 'SET_EQ_OFF' : 'SET_EQ_ON' });
  // Webamp's own button never turns auto on; its store shows it when told.
  store.dispatch({ type: 'SET_EQ_AUTO', value: !!s.eqAuto });
  if (now().media.shuffle !== !!s.shuffle) store.dispatch({ type: 'TOGGLE_SHUFFLE' });
  if (now().media.repeat !== !!s.repeat) store.dispatch({ type: 'TOGGLE_REPEAT' });
  if (s.playing) {
    // The status alone, not PLAY: no sound plays, so no time update moves the clock.
    if (now().media.status !== 'PLAYING') store.dispatch({ type: 'IS_PLAYING' });
    store.dispatch({ type: 'UPDATE_TIME_ELAPSED', elapsed: s.playing.elapsed });
  } else {
    if (now().media.status !== 'STOPPED') store.dispatch({ type: 'STOP' });
    store.dispatch({ type: 'UPDATE_TIME_ELAPSED', elapsed: 0 });
  }
  const remaining = !!(s.playing && s.playing.remaining);
  if ((now().media.timeMode === 'REMAINING') !== remaining) store.dispatch({ type: 'TOGGLE_TIME_MODE' });
  for (let i = 0; i < 2; ++i) await nextFrame();
  // Stack the open windows by the sizes they now have.
  const positions = {};
  let top = 0;
  for (const [name, selector] of Object.entries(kShownWindows)) {
    const element = document.querySelector(selector);
    if (!element) continue;
    positions[name] = { x: 0, y: top };
    top += element.getBoundingClientRect().height;
  }
  store.dispatch({ type: 'UPDATE_WINDOW_POSITIONS', positions, absolute: true });
  for (let i = 0; i < 3; ++i) await nextFrame();
  const rects = {};
  for (const [name, selector] of Object.entries(kShownWindows)) {
    const element = document.querySelector(selector);
    if (!element) continue;
    const r = element.getBoundingClientRect();
    rects[name] = { x: r.left + window.scrollX, y: r.top + window.scrollY, w: r.width, h: r.height };
  }
  // In screen pixels from the window's corner (a doubled window's are twice its own).
  const within = (name, element) => {
    const r = element.getBoundingClientRect();
    return { x: r.left - rects[name].x, y: r.top - rects[name].y, w: r.width, h: r.height };
  };
  const marquee = document.querySelector('#main-window:not(.shade) #marquee');
  const state = now();
  return {
    rects,
    status: state.media.status,
    focused: state.windows.focused,
    doubled: state.display.doubled,
    // What the store holds, to check that each change took.
    held: {
      shade: ['main', 'equalizer', 'playlist'].filter((id) => state.windows.genWindows[id].shade),
      open: ['main', 'equalizer', 'playlist'].filter((id) => state.windows.genWindows[id].open),
      playlistSteps: state.windows.genWindows.playlist.size,
      eqOn: state.equalizer.on,
      eqAuto: state.equalizer.auto,
      shuffle: state.media.shuffle,
      repeat: state.media.repeat,
      timeMode: state.media.timeMode,
      timeElapsed: state.media.timeElapsed,
    },
    marquee: marquee && rects.main ? within('main', marquee) : null,
    trackCells: rects.playlist ? [...document.querySelectorAll('#playlist-window .track-cell')].map((cell) => within('playlist', cell)) : [],
  };
};
