#!/usr/bin/env bash
# Installs the Debian 12 packages vellumKit builds with (and the Qt image
# plugins that read WebP, TIFF, TGA ...), only those missing;
# with --test also what the test suite needs (a browser and Node for the player
# tests, and the desktop player whose classic PNG skins the renderer tests read);
# with --bench what bench/compare.sh runs and compares against.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          libzip-dev zlib1g-dev libpng-dev libheif-dev libfreetype-dev fonts-liberation2 qt6-image-formats-plugins)
if [ "${1:-}" = "--test" ]; then
  packages+=(xvfb xauth chromium python3 desktop-file-utils appstream clang libclang-rt-14-dev audacious bash-completion zsh)
  # A Node from elsewhere (with its own npm) is fine.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi
if [ "${1:-}" = "--bench" ]; then
  # bench/compare.sh: the whole-process pairs and their reference program.
  packages+=(hyperfine imagemagick time python3)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
