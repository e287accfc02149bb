#!/usr/bin/env bash
# The main job: packs the demo product under examples/demo with setuppack and
# starts the resulting setup under Wine. With a display of your own the setup
# runs there until you close it; without one (or with CI set) it runs on a
# virtual display, a screenshot goes to build/demo/screenshot.png, and the
# program is closed again.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"

"$SETUP_ROOT/scripts/bootstrap.sh"
arch=$(wine_arch)
presets=(native win32)
[ "$arch" = win64 ] && presets+=(win64)
"$SETUP_ROOT/scripts/build.sh" "${presets[@]}"

out=$BUILD_ROOT/demo
mkdir -p "$out"
setuppack=$BUILD_ROOT/native/tools/setuppack/setuppack
log "packing examples/demo with the 32-bit setup program"
"$setuppack" build examples/demo -o "$out/DemoSetup.exe" --stub "$BUILD_ROOT/win32/src/setup/Setup.exe"
"$setuppack" verify "$out/DemoSetup.exe"
"$setuppack" list "$out/DemoSetup.exe"
run=$out/DemoSetup.exe
if [ "$arch" = win64 ]; then
  log "this machine cannot run 32-bit code; running the same setup built for x86-64"
  "$setuppack" build examples/demo -o "$out/DemoSetup-x64.exe" --stub "$BUILD_ROOT/win64/src/setup/Setup.exe"
  run=$out/DemoSetup-x64.exe
fi

ensure_wine_prefix "$arch"
if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  log "starting $run under Wine on $DISPLAY"
  "$WINELOADER" "$run"
  exit 0
fi

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT
ensure_display
log "starting $run under Wine on the virtual display $DISPLAY"
"$WINELOADER" "$run" &
setup_pid=$!
driver() { "$WINELOADER" "$BUILD_ROOT/$arch/tests/e2e/uidriver/uidriver.exe" "$@"; }
for _ in $(seq 120); do
  windows=$(driver list 2>/dev/null | grep -v -E '^\|$|Program Manager' || true)
  [ -n "$windows" ] && break
  sleep 0.5
done
sleep 2
import -window root "$out/screenshot.png"
log "the setup shows:"
printf '%s\n' "$windows"
log "screenshot: $out/screenshot.png"
kill "$setup_pid" 2>/dev/null || true
