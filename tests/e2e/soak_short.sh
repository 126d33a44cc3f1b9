#!/usr/bin/env bash
# A short soak: 20,000 frames of random keys, mouse and text must end without a crash or sanitizer
# report (scripts/soak runs the long one).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
VORNAKEL_SOAK_GAME_DIR=$1 "$here/../../scripts/soak" 20000 "${VORNAKEL_E2E_SEED:-3}"
