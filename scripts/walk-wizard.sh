#!/usr/bin/env bash
# Shows every page of a setup before it ships: walks its wizard under Wine on
# a virtual display, accepting what each page proposes, installs the product,
# saves a screenshot of every page (and of every question on the way) and
# uninstalls it again.
#
#   scripts/walk-wizard.sh STAGING_FOLDER|SETUP.EXE [OUTPUT_FOLDER] [--keep] [--with-hosts]
#
# A staging folder is packed with setuppack first. The screenshots go to
# OUTPUT_FOLDER (default build/walk) as 01-Welcome.png, 02-License.png, ...
# --keep leaves the product installed in the Wine prefix under build/wine;
# --with-hosts gives the walk's computer VST, Pro Tools and Photoshop plug-in
# folders, as a customer with those hosts has them.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

usage() { sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; }
[ $# -ge 1 ] || { usage >&2; exit 2; }
case $1 in -h | --help) usage; exit 0 ;; esac
input=$(realpath "$1")
shift
output=$BUILD_ROOT/walk
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  output=$(realpath -m "$1")
  shift
fi
[ -e "$input" ] || die "$input does not exist"

"$SETUP_ROOT/scripts/bootstrap.sh"
arch=$(wine_arch)
presets=(native "$arch")
[ "$arch" = win32 ] || presets+=(win32)
"$SETUP_ROOT/scripts/build.sh" "${presets[@]}"
setuppack=$BUILD_ROOT/native/tools/setuppack/setuppack
stub=$BUILD_ROOT/$arch/src/setup/Setup.exe

mkdir -p "$output"
work=$(mktemp -d "$BUILD_ROOT/walk-work.XXXXXX")
trap 'rm -rf "$work"; stop_wine; stop_display' EXIT
if [ -d "$input" ]; then
  log "packing $input"
  "$setuppack" build "$input" -o "$work/Setup.exe" --stub "$stub"
  setup=$work/Setup.exe
elif [ "$arch" = win32 ]; then
  setup=$input
else
  # This machine runs no 32-bit code: the setup's package goes beside the
  # same setup program built for x86-64, which reads a Setup.dat there.
  log "this machine cannot run 32-bit code; walking the package of $input with the x86-64 setup program"
  "$setuppack" verify "$input" >/dev/null
  python3 - "$input" "$work/Setup.dat" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<i", data, 48)[0]
open(sys.argv[2], "wb").write(data[offset:])
PY
  cp "$stub" "$work/Setup.exe"
  setup=$work/Setup.exe
fi

# A display of its own, so the walk neither needs nor disturbs the user's.
SETUP_OWN_DISPLAY=1 ensure_display
ensure_wine_prefix "$arch"
python3 "$SETUP_ROOT/scripts/lib/walk_wizard.py" --arch "$arch" "$setup" "$output" "$@"
