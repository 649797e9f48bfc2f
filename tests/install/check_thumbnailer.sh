#!/usr/bin/env bash
# Runs the file-manager thumbnailer entry as a file manager would: its Exec line with %i, %o
# and %s filled in, on a .wsz, for two sizes; the picture must be a PNG whose longer side is
# the size asked for. Also checks the entry names the MIME type our package defines.
# usage: check_thumbnailer.sh SOURCE_DIR VELLUMKIT_CLI
set -euo pipefail
src=$1
cli=$2
entry=$src/packaging/vellumkit.thumbnailer
mime=$src/packaging/vellumkit-wsz.xml
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "thumbnailer: $*" >&2; status=1; }

key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(sed -n 1p "$entry")" = "[Thumbnailer Entry]" ] || fail "$entry does not start with [Thumbnailer Entry]"
[ "$(key TryExec)" = "vellumkit-cli" ] || fail "TryExec is '$(key TryExec)', not vellumkit-cli"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[[ ";$(key MimeType)" == *";$type;"* ]] || fail "MimeType '$(key MimeType)' lacks $type, the type $mime defines"

# A file manager runs the line through its own argument splitting; %i/%o are paths, %s a number.
bin=$work/bin; mkdir -p "$bin"; ln -s "$(realpath "$cli")" "$bin/vellumkit-cli"
PATH=$bin:$PATH QT_QPA_PLATFORM=offscreen vellumkit-cli make --out "$work/skin" --wsz "$work/skin one.wsz" >/dev/null
for size in 128 256; do
  out="$work/thumb $size.png"
  read -r -a argv <<<"$(key Exec)"
  for i in "${!argv[@]}"; do
    case ${argv[$i]} in %i) argv[$i]="$work/skin one.wsz" ;; %o) argv[$i]=$out ;; %s) argv[$i]=$size ;; esac
  done
  PATH=$bin:$PATH QT_QPA_PLATFORM=offscreen "${argv[@]}" || { fail "the Exec line failed at size $size"; continue; }
  [ "$(od -An -tx1 -N8 "$out" | tr -d ' \n')" = 89504e470d0a1a0a ] || { fail "size $size: $out is not a PNG"; continue; }
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$out")
  [ "$w" -le "$size" ] && [ "$h" -le "$size" ] && { [ "$w" -eq "$size" ] || [ "$h" -eq "$size" ]; } \
    || fail "size $size: the picture is ${w}x${h}, not fitted within ${size}x${size}"
done
exit $status
