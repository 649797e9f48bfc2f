#!/usr/bin/env bash
# The collection targets: 1000 skins (skins of ours from random recipes, as
# folders and .wsz, plus re-encoded copies of the Debian skins) rendered to
# 256-pixel thumbnails, then as one contact sheet; time (hyperfine) and peak
# memory (GNU time) of each, in one run.
#   bash bench/collection.sh [BUILD_DIR] [SCRATCH_DIR]
# Needs hyperfine, GNU time, python3 and zip, and the audacious package's skins.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scratch=$(realpath "${2:-${TMPDIR:-/tmp}}")
cli=$build/vellumkit-cli
debian=/usr/share/audacious/Skins
for tool in hyperfine /usr/bin/time python3 zip; do
  command -v "$tool" >/dev/null || { echo "collection.sh needs $tool: bash scripts/deps.sh --bench" >&2; exit 1; }
done
[ -d "$debian" ] || { echo "collection.sh needs $debian (apt install audacious)" >&2; exit 1; }
work=$(mktemp -d "$scratch/vellumkit-collection-XXXXXX"); trap 'rm -rf "$work"' EXIT
skins=$work/skins; mkdir -p "$skins" "$work/pictures"

# 100 pictures with a seeded mix of gradients and noise, then four recipes
# each: 400 skins as folders and .wsz, 800 in all.
python3 - "$work/pictures" <<'PY'
import random, struct, sys
random.seed(1)
for n in range(100):
    w, h = 275, 348
    a = [random.randrange(256) for _ in range(3)]; b = [random.randrange(256) for _ in range(3)]
    rows = []
    for y in range(h):
        t = y / (h - 1)
        row = bytearray()
        for x in range(w):
            c = [int(a[i] * (1 - t) + b[i] * t + random.randrange(-40, 41)) for i in range(3)]
            row += bytes(max(0, min(255, v)) for v in reversed(c))
        row += bytes((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))
    head = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    open("%s/p%03d.bmp" % (sys.argv[1], n), "wb").write(head + pixels)
PY
recipes=("" "--sink-frame --colour winTextColour=gold" "--buttons-only --layout three-windows" "--layout two-plus-one --knob main=3060C0 --vis-colour 1=FF0000")
for i in "${!recipes[@]}"; do
  # shellcheck disable=SC2086
  "$cli" -q batch --out-dir "$skins/recipe$i" --no-sync ${recipes[$i]} "$work/pictures"
done
# The Debian skins, 25 copies each: half as folders, half re-encoded as .wsz.
for skin in "$debian"/*/; do
  name=$(basename "$skin")
  for copy in $(seq 1 25); do
    if [ $((copy % 2)) -eq 0 ]; then cp -r "$skin" "$skins/debian-$name-$copy"
    else (cd "$skin" && zip -q -r "$skins/debian-$name-$copy.wsz" .); fi
  done
done
count=$(find "$skins" -name '*.wsz' | wc -l); folders=$(find "$skins" -name main.bmp -o -name main.png | grep -v '\.wsz' | wc -l)
echo "collection: $count archives and $folders folders in $skins"

out=$work/out
hyperfine -N -w 1 -r 3 \
  "$cli -q render $skins --recursive --out-dir $out --size 256" \
  "$cli -q render $skins --recursive --out-dir $out --size 256 --gallery $work/gallery.png --columns 40"
for run in thumbnails gallery; do
  extra=(); [ $run = gallery ] && extra=(--gallery "$work/gallery.png" --columns 40)
  /usr/bin/time -f "$run: peak %M KB, %e s" "$cli" -q render "$skins" --recursive --out-dir "$out" --size 256 "${extra[@]}"
done
