#!/usr/bin/env bash
# Runs every command-line example the README and the man pages print, as a
# user would copy it, in a scratch HOME with the pictures they name made
# first; each must succeed.
# usage: check_examples.sh SOURCE_DIR VELLUMKIT_CLI
set -euo pipefail
src=$1
cli=$(realpath "$2")
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export HOME=$work/home QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME/Pictures/Phone/2024" "$HOME/bin"
ln -s "$cli" "$HOME/bin/vellumkit-cli"
# The pictures the examples name, made by the program itself from its built-in picture.
"$cli" make --out "$work/seed" --preview "$HOME/Pictures/harbour.jpg" --no-sync >/dev/null
cp "$HOME/Pictures/harbour.jpg" "$HOME/harbour.jpg"
cp "$HOME/Pictures/harbour.jpg" "$HOME/Pictures/Phone/IMG_0001.jpg"
cp "$HOME/Pictures/harbour.jpg" "$HOME/Pictures/Phone/2024/IMG_0002.jpg"

# The README's ```sh blocks and the man pages' .nf blocks, continuation lines joined.
examples() {
  awk '/^```sh/{on=1; next} /^```/{on=0} on' "$src/README.md" | grep -v '^bash scripts/' || true
  for page in "$src"/packaging/man/*.1; do
    awk '/^\.nf/{on=1; next} /^\.fi/{on=0} on && !/^\.R[SE]/' "$page" | sed -e 's/\\-/-/g' -e 's/\\e$/\\/'
  done
}
status=0 count=0
while IFS= read -r line; do
  [[ $line == *vellumkit-cli* ]] || continue
  line=$(sed 's/[[:space:]]#[[:space:]].*$//' <<<"$line")  # a comment after the command, not a colour
  command=${line//.\/build\/vellumkit-cli/vellumkit-cli}
  count=$((count + 1))
  if ! (cd "$HOME" && PATH=$HOME/bin:$PATH eval "$command") >"$work/said" 2>&1; then
    echo "example failed: $command" >&2; sed 's/^/    /' "$work/said" >&2; status=1
  fi
done < <(examples | sed -e ':a' -e '/\\$/N; s/\\\n[[:space:]]*/ /; ta')
echo "$count examples run"
[ "$count" -ge 5 ] || { echo "too few examples found: the extraction broke" >&2; status=1; }
exit $status
