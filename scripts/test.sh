#!/usr/bin/env bash
# Builds everything and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default "$@"
