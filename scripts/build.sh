#!/usr/bin/env bash
# Configures and builds CMake presets: scripts/build.sh PRESET...
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"
for preset in "$@"; do
  log "building preset $preset"
  if [ ! -f "build/$preset/build.ninja" ]; then cmake --preset "$preset" >/dev/null; fi
  cmake --build --preset "$preset" -j "$(jobs_count)"
done
