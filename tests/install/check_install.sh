#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks what a Linux desktop
# needs: both programs (and the modules the command line loads Qt and the codecs from), a valid desktop entry and AppStream metainfo, the icon
# in the hicolor theme, man pages that name every option --help lists,
# shell completion, the guide and the licence, and the .wsz MIME type and
# thumbnailer a file manager reads (the MIME package validated when the tools are there).
# The cli and desktop components together install exactly that, share only the
# licence, and the cli component alone gives a command line that works.
# usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
dest=$scratch/all
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root=$dest/usr
listing() { (cd "$1" && find . ! -type d | sort); }
for component in cli desktop; do
  DESTDIR="$scratch/$component" cmake --install "$build" --prefix /usr --component "$component" >/dev/null
  [ -n "$(listing "$scratch/$component")" ] || { echo "--component $component installs nothing" >&2; exit 1; }
done
status=0
diff <(listing "$dest") <(sort -u <(listing "$scratch/cli") <(listing "$scratch/desktop")) >&2 ||
  { echo "the cli and desktop components do not add up to the whole install (< only in the whole)" >&2; status=1; }
shared=$(comm -12 <(listing "$scratch/cli") <(listing "$scratch/desktop"))
[ "$shared" = ./usr/share/doc/vellumkit/LICENSE ] || { echo "in both components: $shared" >&2; status=1; }
[ ! -e "$scratch/cli/usr/bin/vellumkit" ] && [ -e "$scratch/cli/usr/bin/vellumkit-cli" ] &&
  [ -e "$scratch/desktop/usr/bin/vellumkit" ] && [ ! -e "$scratch/desktop/usr/bin/vellumkit-cli" ] ||
  { echo "each program must be in its own component" >&2; status=1; }
id=io.github.vellumkit.VellumKit
need() { [ -e "$root/$1" ] || { echo "missing: /usr/$1" >&2; status=1; }; }
need bin/vellumkit-cli
need bin/vellumkit
need share/applications/$id.desktop
need share/metainfo/$id.metainfo.xml
need share/icons/hicolor/scalable/apps/$id.svg
for s in 16 32 48 64 128 256; do need share/icons/hicolor/${s}x${s}/apps/$id.png; done
need share/man/man1/vellumkit.1
need share/man/man1/vellumkit-cli.1
need share/bash-completion/completions/vellumkit-cli
need share/zsh/vendor-completions/_vellumkit-cli
need share/vellumkit/vellumKit.HLP
need share/vellumkit/help/picture.png
need share/doc/vellumkit/LICENSE
need share/mime/packages/vellumkit-wsz.xml
need share/thumbnailers/vellumkit.thumbnailer
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/$id.desktop" || status=1
else echo "SKIPPED: desktop-file-validate is not installed (package desktop-file-utils)"; fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null || status=1
else echo "SKIPPED: appstreamcli is not installed (package appstream)"; fi
mimexml=$root/share/mime/packages/vellumkit-wsz.xml
if [ -e "$mimexml" ] && command -v xmllint >/dev/null; then
  xmllint --noout "$mimexml" || status=1
else echo "SKIPPED: xmllint is not installed (package libxml2-utils)"; fi
# The MIME database built from our package alone must know *.wsz as a kind of zip.
if [ -e "$mimexml" ] && command -v update-mime-database >/dev/null; then
  mimeroot=$(mktemp -d); mimedb=$mimeroot/mime; mkdir -p "$mimedb/packages"; cp "$mimexml" "$mimedb/packages/"
  XDG_DATA_DIRS=$mimeroot update-mime-database "$mimedb" 2>&1 | grep . && status=1
  grep -q '^50:application/x-wsz:\*\.wsz$' "$mimedb/globs2" || { echo "mime: *.wsz is not application/x-wsz in the built database" >&2; status=1; }
  grep -q '^application/x-wsz application/zip$' "$mimedb/subclasses" || { echo "mime: application/x-wsz is not a sub-class of application/zip" >&2; status=1; }
  rm -rf "$mimeroot"
else echo "SKIPPED: update-mime-database is not installed (package shared-mime-info)"; fi
# The command line as its component alone installs it.
cli=$scratch/cli/usr/bin/vellumkit-cli
# The installed program finds the Qt module it loads for pictures and colour names.
# Captured first: grep -q stops reading at the match, and the program writing on would die of SIGPIPE.
formats=$("$cli" formats 2>&1 || true)
grep -qx png <<<"$formats" || { echo "installed vellumkit-cli cannot load its Qt module: $(head -1 <<<"$formats")" >&2; status=1; }
# ... and the codec module it loads for archives.
"$cli" -q make --out "$scratch/Sky" --wsz "$scratch/Sky.wsz" --no-sync 2>"$scratch/err" && [ -s "$scratch/Sky.wsz" ] ||
  { echo "installed vellumkit-cli cannot load its codec module: $(head -1 "$scratch/err")" >&2; status=1; }
# Every option that any help text lists must be in the man page.
man=$root/share/man/man1/vellumkit-cli.1
if [ -e "$man" ]; then
  helps=$("$cli" --help; for c in make batch templates render formats players; do "$cli" help "$c" 2>/dev/null || true; done)
  for opt in $(grep -oE -- '--[a-z][a-z-]*' <<<"$helps" | sort -u); do
    grep -qF -- "${opt//-/\\-}" "$man" || grep -qF -- "$opt" "$man" || { echo "man page lacks $opt" >&2; status=1; }
  done
fi
exit $status
