#!/usr/bin/env bash
# The main job: packs the demo product under examples/demo with setuppack and
# runs its setup under Wine. With a display of your own the setup wizard opens
# there, and you install (and later remove) the demo as a user would. Without
# one (or with CI set) the wizard is walked on a virtual display: the demo is
# installed, a screenshot of every page goes to build/demo/, and the demo is
# uninstalled again.
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
  # The tests' prefix keeps its windows from window managers (a virtual
  # display has none); on the user's desktop the wizard is a window like any
  # other, which the window manager moves and lists.
  managed() { "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1 || true; }
  managed Y
  trap 'managed N' EXIT
  log "starting $run under Wine on $DISPLAY"
  "$WINELOADER" "$run"
  exit 0
fi

trap 'stop_wine; stop_display' EXIT
ensure_display
log "walking the demo's wizard on the virtual display $DISPLAY"
python3 "$SETUP_ROOT/scripts/lib/walk_wizard.py" --arch "$arch" --with-hosts "$run" "$out"
log "screenshots of every page: $out"
