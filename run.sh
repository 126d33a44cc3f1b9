#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) with its pictures, sounds and music, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target vornakel
cd build/game
exec ./vornakel "$@"
