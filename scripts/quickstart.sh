#!/usr/bin/env bash
# Installs what is missing, builds both programs, and makes a skin from the built-in default picture.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vellumkit-cli vellumkit
./build/vellumkit-cli make --out skins/Default --wsz skins/Default.wsz
echo "Open the window with: ./build/app/window/vellumkit   (install both programs: cmake --install build --prefix /usr/local)"
