#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for
# SECONDS (default 60) on a copy of fuzz/corpus/; fails on any crash, any
# input slower than 1 s or any run over 512 MB. Findings land in build-fuzz/findings/.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DVK_BUILD_FUZZ=ON -DVK_BUILD_TESTS=OFF -DVK_BUILD_BENCH=OFF -DVK_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target fuzz_picture fuzz_cli fuzz_skin
export QT_QPA_PLATFORM=offscreen
# Qt's JPEG plug-in leaves a known leak behind in this environment; leaks are not what these runs look for.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
status=0
for target in picture cli skin; do
  work="$build/corpus-$target"
  findings="$build/findings/$target"
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  cp "$root/fuzz/corpus/$target/"* "$work/"
  echo "fuzz_$target: ${seconds}s"
  if ! "$build/fuzz/fuzz_$target" "$work" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=512 \
       -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/fuzz_$target.log"; then
    tail -n 40 "$build/fuzz_$target.log"
    echo "fuzz_$target failed: see $findings/" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/fuzz_$target.log" || true
  fi
done
exit $status
