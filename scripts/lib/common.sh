# Shared by the scripts: where things are, logging, running as root, and how
# Windows programs of the build are run under Wine.

SETUP_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_ROOT=$SETUP_ROOT/build

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Runs a command as root (directly, or through sudo when there is one).
as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else
    die "root rights are needed for: $*"; fi
}

# Which Wine the tests use: win32 where this kernel can run 32-bit code, else
# win64 (the same sources built for x86-64). SETUP_WINE_ARCH overrides.
wine_arch() {
  if [ -n "${SETUP_WINE_ARCH:-}" ]; then echo "$SETUP_WINE_ARCH"; return; fi
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

# The CMake preset whose Windows programs run under that Wine.
wine_preset() { wine_arch; }

wine_loader() {
  case $1 in
    win32) echo /usr/lib/wine/wine ;;
    win64) echo /usr/lib/wine/wine64 ;;
    *) die "unknown Wine architecture $1" ;;
  esac
}

# Sets the environment for Wine of one architecture with the build tree's prefix.
wine_env() {
  local arch=$1
  export WINEARCH=$arch
  export WINEPREFIX=${SETUP_WINEPREFIX:-$BUILD_ROOT/wine/$arch}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINELOADER
  WINELOADER=$(wine_loader "$arch")
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Debian's Wine looks for its own fonts (Tahoma, MS Sans Serif...) in a
# place that does not resolve, so the windows would get no proper font at
# all; the prefix gets copies of them.
install_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [ -f "$fonts/tahoma.ttf" ] && return
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/"
}

# Wine draws the windows' frames itself instead of leaving them to a window
# manager, which a virtual display does not have: the wizard's caption, close
# box and minimise button then appear in screenshots as a user sees them. Nor
# does it hand its windows to a window manager at all: waiting for the one
# that is not there, it would hang a second or two whenever a window goes
# away, each answered message box included.
decorate_wine_windows() {
  grep -q '"Decorated"="N"' "$WINEPREFIX/user.reg" 2>/dev/null &&
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null && return
  local value
  for value in Decorated Managed; do
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" /d N /f >/dev/null 2>&1 || true
  done
  /usr/bin/wineserver -w
}

# Creates the Wine prefix once.
ensure_wine_prefix() {
  local arch=$1
  wine_env "$arch"
  if [ -f "$WINEPREFIX/system.reg" ] && [ -d "$WINEPREFIX/drive_c/windows" ]; then
    install_wine_fonts
    decorate_wine_windows
    return
  fi
  log "creating the $arch Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
  /usr/bin/wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || die "wineboot did not create $WINEPREFIX"
  install_wine_fonts
  decorate_wine_windows
}

# Starts an X server for the windows of the programs under test, unless one
# is given, and sets DISPLAY. The server ends with the calling shell.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && [ -z "${SETUP_OWN_DISPLAY:-}" ]; then return; fi
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x960x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do [ -s "$fd_file" ] && break; sleep 0.1; done
  [ -s "$fd_file" ] || die "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
  log "X display $DISPLAY (Xvfb pid $XVFB_PID)"
}

stop_display() {
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# Ends the wineserver of our prefix, and with it every program we started there.
stop_wine() {
  local arch
  for arch in win32 win64; do
    if [ -d "$BUILD_ROOT/wine/$arch" ]; then
      WINEPREFIX=$BUILD_ROOT/wine/$arch /usr/bin/wineserver -k 2>/dev/null || true
    fi
  done
}

jobs_count() { nproc 2>/dev/null || echo 2; }
