#!/usr/bin/env bash
# Skins must stay byte-identical to the recorded ones: any change to a pixel,
# a header or a text file of the 24 recipes fails here.
# usage: check.sh CLI
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir "$work/pictures"
python3 "$here/make_pictures.py" "$work/pictures"
"$here/skins.sh" "$1" "$work/pictures" "$work/skins" > "$work/now.sha256"
diff -u "$here/skins.sha256" "$work/now.sha256"
