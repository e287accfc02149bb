#!/usr/bin/env bash
# Configures and builds CMake presets: scripts/build.sh PRESET...
# Once the native and the win32 presets are built, the native setuppack finds
# the 32-bit setup program beside itself, as its default --stub.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"
for preset in "$@"; do
  log "building preset $preset"
  if [ ! -f "build/$preset/build.ninja" ]; then cmake --preset "$preset" >/dev/null; fi
  cmake --build --preset "$preset" -j "$(jobs_count)"
done

native_tool=$BUILD_ROOT/native/tools/setuppack
stub=$BUILD_ROOT/win32/src/setup/Setup.exe
if [ -d "$native_tool" ] && [ -f "$stub" ]; then cp -p "$stub" "$native_tool/Setup.exe"; fi
