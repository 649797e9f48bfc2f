#!/usr/bin/env bash
# Makes the 24 recipe skins (every layout, shading and frame option, with the
# default and with changed colours) and prints the SHA-256 of every file.
# usage: skins.sh CLI PICTURE_DIR OUT_DIR
set -euo pipefail
cli=$1 pics=$2 out=$3
colours=(--colour winBackColour=102030 --colour winTextColour=FFD700 --colour plNormalColour=00FF00
         --colour plCurrentColour=FFFFFF --colour plNormalBgColour=000040 --colour plSelectedBgColour=800000
         --colour eqBackColour=203040 --colour eqForeColour=C0C000 --colour eqHighlightColour=FF00FF
         --vis-colour 1=FF0000 --vis-colour 17=00FFFF --knob main=3060C0 --knob eq=C03060 --knob playlist=60C030)
for layout in three-windows two-plus-one continuous; do
  for shading in "" --buttons-only; do
    for frame in "" --sink-frame; do
      for colour in default changed; do
        name=$layout${shading:+-buttons-only}${frame:+-sink-frame}-$colour
        extra=(); [ "$colour" = changed ] && extra=("${colours[@]}")
        "$cli" make --main "$pics/main.bmp" --equaliser "$pics/equaliser.bmp" --playlist "$pics/playlist.bmp" \
          --layout "$layout" $shading $frame "${extra[@]}" --out "$out/$name" >/dev/null
      done
    done
  done
done
cd "$out" && find . -type f | LC_ALL=C sort | xargs sha256sum
