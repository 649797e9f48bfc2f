#!/usr/bin/env bash
# Shell completion as a user meets it: bash (through bash-completion's own
# helpers) offers only pictures after the picture options and batch, only
# skins (folders and .wsz) after render, and every --windows combination;
# the zsh file parses and offers the same.
# usage: check_completion.sh SOURCE_DIR CLI
set -uo pipefail
src=$(realpath "$1") cli=$(realpath "$2")
status=0
helpers=/usr/share/bash-completion/bash_completion
[ -r "$helpers" ] || { echo "SKIPPED: bash-completion is not installed"; exit 0; }
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
cd "$dir" && mkdir Skin pictures && touch notes.txt harbour.jpg Beach.PNG sky.webp Old.wsz readme.md
source "$helpers"
source "$src/packaging/completion/vellumkit-cli.bash"

# What completing the line (ending in the word being typed) offers, sorted, one line.
offers() {
  COMP_LINE="vellumkit-cli $1" COMP_POINT=${#COMP_LINE}
  read -ra COMP_WORDS <<<"$COMP_LINE"
  [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=()
  _vellumkit_cli vellumkit-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() {
  local got; got=$(offers "$1")
  [ "$got" = "$2" ] || { echo "completing '$1': offered '$got', expected '$2'" >&2; status=1; }
}
for option in --main --equaliser --playlist; do
  expect "make $option " "Beach.PNG Skin harbour.jpg pictures sky.webp "
done
expect "batch --out-dir " "Skin pictures "
expect "batch --fit crop " "Beach.PNG Skin harbour.jpg pictures sky.webp "
expect "render " "Old.wsz Skin pictures "
expect "batch --install-for " "audacious qmmp wine "
expect "make --wsz " "Old.wsz Skin pictures "
windows="eq eq,playlist main main,eq main,eq,playlist main,playlist playlist "
expect "render Old.wsz --windows " "$windows"
expect "render Old.wsz --windows main," "main,eq main,eq,playlist main,playlist "

# Every format this installation reads has its extension in both lists.
zshfile=$src/packaging/completion/_vellumkit-cli
for format in $("$cli" formats); do
  grep -q "pictures=\".*\b$format\b" "$src/packaging/completion/vellumkit-cli.bash" || { echo "bash completion lacks .$format" >&2; status=1; }
  grep -q "pictures='.*\b$format\b" "$zshfile" || { echo "zsh completion lacks .$format" >&2; status=1; }
done
if command -v zsh >/dev/null; then
  zsh -n "$zshfile" || status=1
  # The picture options and batch take pictures, render a skin, --windows every combination.
  for spec in '--main=' '--equaliser=' '--playlist=' '\*:picture or folder'; do
    grep -q -- "$spec.*_files -g '\$pictures'" "$zshfile" || { echo "zsh: $spec does not complete pictures" >&2; status=1; }
  done
  grep -q ':skin folder or .wsz:_files -g "\*.(#i)wsz"' "$zshfile" || { echo "zsh: render does not complete skins" >&2; status=1; }
  zwindows=$(grep -o -- "--windows=[^(]*([^)]*)" "$zshfile" | sed 's/.*(//; s/)//' | tr ' ' '\n' | sort | tr '\n' ' ')
  [ "$zwindows" = "$windows" ] || { echo "zsh: --windows offers '$zwindows'" >&2; status=1; }
else echo "SKIPPED: zsh is not installed"; fi
exit $status
