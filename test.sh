#!/usr/bin/env bash
# Installs what is missing, checks formatting and file headers, builds with warnings as errors, runs
# every test headless, then builds and runs the tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every libFuzzer target briefly.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps

echo "== Style gate"
scripts/check-style

# Object files are cached by content under ~/.cache/ccache; paths are taken relative to this clone,
# so a fresh clone anywhere reuses what an earlier one compiled.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
jobs=$(nproc 2>/dev/null || echo 2)

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAKEL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORNAKEL_SANITIZE=ON \
  -DVORNAKEL_WERROR=ON -DVORNAKEL_BENCH=OFF -DVORNAKEL_ASSETS=OFF \
  -DVORNAKEL_TEST_GAME_DIR="$PWD/build/game" >/dev/null
cmake --build build-asan -j "$jobs"
# The asset builder is left out of this build (its pictures come from the Release build, which
# tests it); the game's own code is what this pass is for.
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== libFuzzer targets, briefly each"
for name in $(scripts/fuzz --list); do
  scripts/fuzz "$name" 5
done
