#!/usr/bin/env bash
# Installs the pinned Webamp and playwright-core into the build folder (only when the lock file
# changed), then runs the player tests. Any missing piece fails the test with its reason.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=${VK_PLAYERS_WORK:?VK_PLAYERS_WORK must name the build folder for the player tests}
chromium=${VK_CHROMIUM:-/usr/bin/chromium}

for tool in node npm; do
  command -v "$tool" >/dev/null || { echo "players: '$tool' is not installed (scripts/deps.sh installs it)" >&2; exit 1; }
done
[ -x "$chromium" ] || { echo "players: no Chromium at $chromium (scripts/deps.sh installs Debian's chromium)" >&2; exit 1; }

npm_dir="$work/npm"
stamp="$npm_dir/installed-from.lock"
# The player tests run side by side: one installs while the other waits, then finds it done.
mkdir -p "$work"
exec 9>"$work/npm-install.lock"
flock 9
if ! cmp -s "$here/package-lock.json" "$stamp" || [ ! -d "$npm_dir/node_modules" ]; then
  rm -rf "$npm_dir"
  mkdir -p "$npm_dir"
  cp "$here/package.json" "$here/package-lock.json" "$npm_dir/"
  echo "players: npm ci in $npm_dir"
  (cd "$npm_dir" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --ignore-scripts --loglevel=error)
  cp "$here/package-lock.json" "$stamp"
fi
flock -u 9
exec 9>&-

export VK_PLAYERS_MODULES="$npm_dir/node_modules" VK_CHROMIUM="$chromium" PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
# The test file to run: the skins-in-Webamp checks unless another is named.
exec node --test --test-reporter=spec "$here/${1:-webamp.test.mjs}"
