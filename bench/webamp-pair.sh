#!/usr/bin/env bash
# Runs bench/webamp-pair.mjs on the eight Debian skins and twelve of ours,
# with the player tests' Webamp and Chromium (build them first: ctest -R players).
#   bash bench/webamp-pair.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
export VK_CLI=$build/vellumkit-cli VK_PLAYERS_WORK=$build/tests/players VK_PLAYERS_MODULES=$build/tests/players/npm/node_modules
[ -d "$VK_PLAYERS_MODULES" ] || { echo "no $VK_PLAYERS_MODULES: run ctest -R players once first" >&2; exit 1; }
skins=$(mktemp -d); trap 'rm -rf "$skins"' EXIT
for skin in /usr/share/audacious/Skins/*/; do cp -r "$skin" "$skins/"; done
for i in $(seq 1 12); do
  "$VK_CLI" -q make --out "$skins/made$i" --colour "winTextColour=#$(printf '%02X%02X%02X' $((i * 20)) $((255 - i * 15)) $((i * 9)))" \
    --vis-colour "$((i % 17 + 1))=#FF0000" --no-sync
done
node bench/webamp-pair.mjs "$skins"
