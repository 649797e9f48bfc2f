#!/usr/bin/env bash
# The layers may include only themselves and what lies below them (siblings,
# such as format and templates or skin and colour, not each other), and Qt
# only from app/ up. The window and the command line reach the skin pass, the
# colour tools and the writer only through the workbench. With --graph, prints the include graph of the folders.
# usage: check_includes.sh SOURCE_DIR [--graph]
set -euo pipefail
cd "$1"
declare -A allowed=(
  [raster]="raster"
  [codec]="codec raster"
  [format]="format raster"
  [templates]="templates raster"
  [document]="document templates format raster"
  [skin]="skin document templates format raster"
  [colour]="colour document templates format raster"
  [output]="output skin colour document templates format codec raster"
  [player]="player format codec raster"
  [app]="app output skin colour player document templates format codec raster"
  [window]="window app player document templates format codec raster"
  [cli]="cli app player document templates format codec raster"
)
layer_of() {  # the layer a file or an include path belongs to
  case $1 in app/window/*) echo window ;; *) echo "${1%%/*}" ;; esac
}
qt_ok=" app window cli "
status=0
declare -A edges=()
for layer in "${!allowed[@]}"; do
  dir=$layer; [ "$layer" = window ] && dir=app/window
  [ -d "$dir" ] || continue
  while IFS= read -r file; do
    from=$(layer_of "$file")
    [ "$from" = "$layer" ] || continue
    while IFS= read -r inc; do
      to=$(layer_of "$inc")
      [ -n "${allowed[$to]+x}" ] || continue
      edges["$from -> $to"]=1
      if [[ " ${allowed[$from]} " != *" $to "* ]]; then
        echo "$file includes $inc: $from may not depend on $to" >&2; status=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    if [[ "$qt_ok" != *" $from "* ]] && grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file"; then
      echo "$file includes Qt below app/" >&2; status=1
    fi
  done < <(find "$dir" -name '*.h' -o -name '*.cpp' | sort)
done
if [ "${2:-}" = --graph ]; then
  for e in "${!edges[@]}"; do case $e in "raster -> raster"|*" -> "*) a=${e%% -> *}; b=${e##* -> }; [ "$a" = "$b" ] || echo "$e";; esac; done | sort
fi
exit $status
