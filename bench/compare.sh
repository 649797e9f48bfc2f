#!/usr/bin/env bash
# Every whole-process pair of the speed targets, one hyperfine run each, with
# the ratios printed at the end; then the peak memory of make.
#   bash bench/compare.sh [BUILD_DIR] [SCRATCH_DIR]
# BUILD_DIR defaults to ./build; SCRATCH_DIR (default $TMPDIR or /tmp) holds
# the pictures (made once, kept in vellumkit-bench-data) and every output, so
# that make and convert write to the same file system.
# Needs hyperfine, ImageMagick's convert, GNU time and python3: scripts/deps.sh --bench.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scratch=$(realpath "${2:-${TMPDIR:-/tmp}}")
cli=$build/vellumkit-cli
for tool in hyperfine convert /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "compare.sh needs $tool: bash scripts/deps.sh --bench" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "no $cli: build first (cmake --build --preset default)" >&2; exit 1; }
data=$scratch/vellumkit-bench-data
work=$(mktemp -d "$scratch/vellumkit-bench-XXXXXX"); trap 'rm -rf "$work"' EXIT
mkdir -p "$data"
echo "file system of the outputs: $(findmnt -no FSTYPE -T "$work" 2>/dev/null || stat -f -c %T "$work")"

# The pictures: one at the main window's size, a 48 MP photo-like JPEG,
# 200 of 1-4 MP for batch, and a 100 MP picture for the memory figure.
[ -f "$data/small.bmp" ] || convert -size 275x116 gradient:gold-navy -attenuate 0.5 +noise Gaussian "BMP3:$data/small.bmp"
[ -f "$data/photo48.jpg" ] || convert -size 8000x6000 gradient:red-blue -attenuate 0.4 +noise Gaussian -quality 90 "$data/photo48.jpg"
if [ ! -f "$data/batch/199.jpg" ]; then
  mkdir -p "$data/batch"
  convert -size 1600x1200 gradient:teal-orange -attenuate 0.4 +noise Gaussian -quality 88 "$data/batch/seed.jpg"
  for i in $(seq 0 199); do
    case $((i % 3)) in 0) size=1200x900 ;; 1) size=1600x1200 ;; 2) size=2300x1700 ;; esac
    convert "$data/batch/seed.jpg" -resize "$size!" -quality 88 "$data/batch/$i.jpg"
  done
  rm "$data/batch/seed.jpg"
fi
[ -f "$data/big100.bmp" ] || python3 - "$data/big100.bmp" <<'PY'
import struct, sys
w, h = 10000, 10000
row = bytes((x * 7 + 40) & 0xFF for x in range(w * 3))
with open(sys.argv[1], 'wb') as f:
    f.write(b'BM' + struct.pack('<IHHI', 54 + w * 3 * h, 0, 0, 54) +
            struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, w * 3 * h, 2835, 2835, 0, 0))
    for y in range(h): f.write(row)
PY

json=()
pair() {  # NAME hyperfine-args...
  local name=$1; shift
  echo; echo "== $name"
  hyperfine -N --style basic --export-json "$work/$name.json" "$@"
  json+=("$work/$name.json")
}
out=$work/out
pair make -w 3 -r 30 --prepare "rm -rf $out" \
  -n "make (durable)" "$cli make --out $out/d" \
  -n "make --no-sync" "$cli make --out $out/d --no-sync" \
  -n convert "convert $data/small.bmp -resize 275x116! -raise 1 $out.bmp"
pair photo48 -w 1 -r 5 --prepare "rm -rf $out" \
  -n "make 48 MP JPEG" "$cli make --layout continuous --main $data/photo48.jpg --out $out/d" \
  -n "convert 48 MP JPEG" "convert $data/photo48.jpg -resize 275x348! -raise 1 $out.bmp"
pair batch -w 1 -r 3 --prepare "rm -rf $out" \
  -n "batch --jobs 2" "$cli batch --jobs 2 --no-sync --out-dir $out $data/batch" \
  -n "batch --jobs 1" "$cli batch --jobs 1 --no-sync --out-dir $out $data/batch"

peak() { rm -rf "$out"; /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
default_kb=$(peak "$cli" make --out "$out/d")
big_kb=$(peak "$cli" make --main "$data/big100.bmp" --out "$out/d")

echo; echo "== ratios (this run)"
python3 - "$default_kb" "$big_kb" "${json[@]}" <<'PY'
import json, sys
default_kb, big_kb = int(sys.argv[1]), int(sys.argv[2])
t = {}
for path in sys.argv[3:]:
    for r in json.load(open(path))['results']:
        t[r['command']] = r['median']
def ratio(a, b, target, want):
    x = t[a] / t[b]
    ok = x <= target if want == 'at most' else x >= target
    print(f"{a} / {b}: {x:.2f} (median {t[a]*1e3:.1f} ms / {t[b]*1e3:.1f} ms; target {want} {target}) {'met' if ok else 'NOT met'}")
ratio('make (durable)', 'convert', 1.0, 'at most')
ratio('make --no-sync', 'convert', 0.5, 'at most')
ratio('make 48 MP JPEG', 'convert 48 MP JPEG', 1.0, 'at most')
x = t['batch --jobs 1'] / t['batch --jobs 2']
print(f"batch --jobs 1 / --jobs 2: {x:.2f} (target at least 1.8) {'met' if x >= 1.8 else 'NOT met'}")
decoded = 10000 * 10000 * 4 / 2**20
print(f"peak memory, default picture: {default_kb/1024:.1f} MiB (target under 40) {'met' if default_kb/1024 < 40 else 'NOT met'}")
print(f"peak memory, 100 MP picture: {big_kb/1024:.1f} MiB = decoded {decoded:.0f} + {big_kb/1024-decoded:.1f} MiB "
      f"(target under decoded + 60) {'met' if big_kb/1024 - decoded < 60 else 'NOT met'}")
PY
