#!/usr/bin/env bash
# Photographs the desktop program under Xvfb, as a person would see it: at
# start, after MakeSkin, with the colour panel and its bar, in the save dialog
# and after saving a skin "Sky" into a scratch directory.
# Needs xvfb, xdotool and imagemagick (import). Usage:
#   tools/window-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
if [ "${INSIDE_XVFB:-}" != 1 ]; then
  build=$(realpath "${1:-build}")
  out=$(realpath -m "${2:-window-screenshots}")
  mkdir -p "$out"
  INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$build" "$out"
fi
build=$1 out=$2
work=$(mktemp -d)
cd "$work"
"$build/app/window/vellumkit" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 3

window=$(xdotool search --name '^vellumKit$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X top=$((Y + HEIGHT - 381))   # the client area lies under the menu bar
clickAt() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 1.5; }

import -window root "$out/1-start.png"
clickAt 440 219                                 # MakeSkin
import -window root "$out/2-made.png"
clickAt 440 283                                 # ColorTools
clickAt 352 99                                  # Visualization
import -window root "$out/3-colour-panel.png"
clickAt 352 363                                 # Back
clickAt 440 315 &                               # SaveSkin: the dialog is modal
sleep 2
dialog=$(xdotool search --name '^Save Winamp Skin$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + 300)) $((Y + 242)) click 1
xdotool type --delay 50 "Sky"
sleep 1
import -window root "$out/4-save-dialog.png"
xdotool key Return
sleep 1.5
import -window root "$out/5-saved.png"
ls Sky > "$out/saved-files.txt"
echo "$(wc -l < "$out/saved-files.txt") files saved; pictures in $out"
