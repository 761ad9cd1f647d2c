#!/usr/bin/env bash
# Soak: many races in one game through the menus with the autopilot, checking
# that each reaches its result and that resident memory stays flat.
#   scripts/soak.sh [RACES]     (default 48, at least 24: every track once to warm up, then more)
# Built without sanitizers in build/soak, so the memory figures are the game's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/soak -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLVETRA_BENCHMARKS=OFF >/dev/null
cmake --build build/soak --target kolvetra_tests
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null KOLVETRA_SOAK_RACES="${1:-48}" \
  build/soak/tests/kolvetra_tests --gtest_also_run_disabled_tests --gtest_filter='*ManyRacesThroughTheMenus*'
