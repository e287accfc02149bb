#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the build tree's prefix:
#   scripts/wine-run.sh win32|win64 PROGRAM.exe [ARGS...]
# CMake uses it as the emulator of the Windows presets, so ctest runs the
# Windows tests through it.
#
# The program's output goes through files, not straight to our caller: the
# first Wine program of a session also starts the Wine server and its
# background services, which inherit its output handles and live on. Had
# they inherited a pipe, whoever reads that pipe (ctest, a test) would wait
# for its end until the server stops.
#
# With SETUP_WINE_STREAM=1 the program's input and output are the caller's
# own, as they come: for a program that answers commands for as long as it
# runs (the UI driver's session). Its reader must not wait for the output's
# end, only for the program's.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
arch=$1
shift
ensure_wine_prefix "$arch"
if [ -n "${SETUP_WINE_STREAM:-}" ]; then exec "$WINELOADER" "$@"; fi
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
set +e
"$WINELOADER" "$@" >"$output" 2>"$errors"
code=$?
set -e
cat "$output"
cat "$errors" >&2
exit "$code"
