#!/usr/bin/env bash
# Photographs the desktop program under Xvfb, driven from the keyboard as a
# person would: a picture loaded for "Continuous", the made skin, the colour
# panel, a 2x zoom, the help viewer, the save dialog, the note after saving and
# the player preview beside the window.
# Needs xvfb, xdotool and imagemagick (import, convert). Usage:
#   tools/window-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
if [ "${INSIDE_XVFB:-}" != 1 ]; then
  build=$(realpath "${1:-build}")
  out=$(realpath -m "${2:-window-screenshots}")
  mkdir -p "$out"
  INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$out"
fi
build=$1 out=$2
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
# A scratch home with an Audacious skins folder, so the save dialog opens there.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME/.local/share/audacious/Skins" "$work/start"
cp -r "$source/docs/vellumKit.HLP" "$source/docs/help" "$work/start/"
# A calm picture of the "Continuous" proportions (275 x 348, about 0.79:1).
convert -seed 7 -size 275x348 plasma:steelblue-midnightblue -blur 0x1 "$work/sky.png"
cd "$work/start"
"$build/app/window/vellumkit" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 3

window=$(xdotool search --name '^vellumKit$' | head -1)
# Xvfb runs no window manager: the keyboard goes to whichever window is given the focus.
focus() { xdotool windowfocus --sync "${1:-$window}" 2>/dev/null || true; }
key() { xdotool key --clearmodifiers "$@"; sleep "${pause:-1}"; }
focus
shot() { import -window "${2:-$window}" "$out/$1.png"; }
shotRoot() { import -window root "$out/$1.png"; }

shot 1-start
key alt+n                                   # Continuous
key ctrl+o; sleep 1                         # Get Bitmap: the open dialog
focus "$(xdotool search --name '^Open$' | head -1)"
xdotool type --delay 20 "$work/sky.png"
key Return; sleep 1
focus
shot 2-picture
key alt+m                                   # MakeSkin
shot 3-made
key alt+c                                   # ColorTools
key alt+i                                   # Visualization
shot 4-colour-panel
key alt+b                                   # Back
key ctrl+2                                  # View > Zoom 2x
shot 5-zoom-2x
key ctrl+1
key F1; sleep 1                             # Help > Contents
help=$(xdotool search --name '^vellumKit Help$' | head -1)
shot 6-help "$help"
focus "$help"
key Escape
focus
key ctrl+s; sleep 1                         # SaveSkin: the save dialog
dialog=$(xdotool search --name '^Save Winamp Skin$' | head -1)
focus "$dialog"
key Tab                                     # from the folder list to the skin name
xdotool type --delay 50 "Sky"
sleep 1
shot 7-save-dialog "$dialog"
key Return; sleep 1
shotRoot 8-saved
ls "$HOME/.local/share/audacious/Skins" "$HOME/.local/share/audacious/Skins/Sky" > "$out/saved-files.txt"
key Return                                  # the note goes
focus
key ctrl+p; sleep 2                         # View > Player Preview
preview=$(xdotool search --name '^Player Preview$' | head -1)
# The main window and the preview beside it, cut from the screen as one picture.
eval "$(xdotool getwindowgeometry --shell "$window")"; left=$X top=$Y bottom=$((Y + HEIGHT))
eval "$(xdotool getwindowgeometry --shell "$preview")"
right=$((X + WIDTH)) bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom)) top=$((Y < top ? Y : top))
import -window root "$work/root.png"
convert "$work/root.png" -crop "$((right - left + 8))x$((bottom - top + 8))+$((left - 4))+$((top - 4))" +repage "$out/9-player-preview.png"
echo "$(grep -c . "$out/saved-files.txt") lines in saved-files.txt; pictures in $out"
