#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the build tree's prefix:
#   scripts/wine-run.sh win32|win64 PROGRAM.exe [ARGS...]
# CMake uses it as the emulator of the Windows presets, so ctest runs the
# Windows tests through it.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
arch=$1
shift
ensure_wine_prefix "$arch"
exec "$WINELOADER" "$@"
