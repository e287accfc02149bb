#!/usr/bin/env bash
# Runs the benchmarks: builds the native preset and the Windows preset that
# this machine's Wine runs, makes the 200 MB staging tree under build/bench
# once (it is reused afterwards), packs it with setuppack and measures
# building, verifying and extracting the package natively, then the installer
# engine's extraction under Wine, then the setup wizard under Wine: start-up
# to the first page and a whole installation through its pages. The figures
# are throughputs or times with ratios against baselines measured in the same
# run; nothing passes or fails on time.
# Arguments go to package_bench: --rounds N (reading, default 5),
# --build-rounds N (default 3), --reuse-package (which also reuses the
# packed setup executable of an earlier run when it is newer than its
# parts). --wizard-only skips the package and engine benchmarks.
# The Wine prefix is SETUP_WINEPREFIX when set; without a display (or with
# SETUP_OWN_DISPLAY=1) the wizard runs on an Xvfb display of its own.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"

wizard_only=
reuse_package=
package_args=()
for arg in "$@"; do
  case $arg in
    --wizard-only) wizard_only=1 ;;
    --reuse-package) reuse_package=1; package_args+=("$arg") ;;
    *) package_args+=("$arg") ;;
  esac
done

"$SETUP_ROOT/scripts/bootstrap.sh"
arch=$(wine_arch)
"$SETUP_ROOT/scripts/build.sh" native "$arch"

bench=$BUILD_ROOT/native/bench
work=$BUILD_ROOT/bench
mkdir -p "$work"
log "staging tree"
"$bench/bench_staging" "$work/staging"
if [ -z "$wizard_only" ] || [ ! -f "$work/Setup.dat" ]; then
  [ -n "$wizard_only" ] && package_args=(--rounds 1 --build-rounds 1)
  log "package benchmarks (a few minutes)"
  "$bench/package_bench" "$work/staging" "$work" "${package_args[@]}"
fi

# Under Wine the benchmarks run as a setup program beside its Setup.dat.
wine_work=$work/wine
rm -rf "$wine_work"
mkdir -p "$wine_work"
windows_bench=$BUILD_ROOT/$arch/bench
cp "$windows_bench"/{engine_bench,wizard_start_bench,wizard_install_bench,plain_window}.exe "$wine_work/"
ln -f "$work/Setup.dat" "$wine_work/Setup.dat" 2>/dev/null || cp "$work/Setup.dat" "$wine_work/Setup.dat"
ensure_wine_prefix "$arch"
if [ -z "$wizard_only" ]; then
  log "installer engine under Wine ($arch)"
  "$WINELOADER" "$wine_work/engine_bench.exe" --rounds 3 "$wine_work/scratch"
fi

# The wizard's product is the same tree packed behind the setup program that
# Wine runs here, with the stamp of the package benchmarks.
stub=$BUILD_ROOT/$arch/src/setup/Setup.exe
setup=$work/BenchSetup.exe
if [ -n "$reuse_package" ] && [ -f "$setup" ] && [ "$setup" -nt "$stub" ] && [ "$setup" -nt "$work/staging.complete" ]; then
  log "reusing $setup"
else
  log "packing $setup"
  "$BUILD_ROOT/native/tools/setuppack/setuppack" build "$work/staging" -o "$setup" --stub "$stub" \
    --stamp 2024-01-01T00:00 >/dev/null
fi
ln -f "$setup" "$wine_work/BenchSetup.exe" 2>/dev/null || cp "$setup" "$wine_work/BenchSetup.exe"

ensure_display
trap stop_display EXIT
log "setup wizard under Wine ($arch): start-up to the first page"
(cd "$wine_work" && "$WINELOADER" wizard_start_bench.exe --rounds 10 BenchSetup.exe plain_window.exe)
log "setup wizard under Wine ($arch): installation through the wizard"
(cd "$wine_work" && "$WINELOADER" wizard_install_bench.exe --rounds 5 BenchSetup.exe scratch)
rm -rf "$wine_work"

# What every user downloads before the package: the setup program itself,
# as shipped (win32) and as run here on 64-bit-only hosts (win64).
log "setup program size"
for preset in win32 win64; do
  [ -f "$BUILD_ROOT/$preset/build.ninja" ] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Setup >/dev/null
  size=$(stat -c %s "$BUILD_ROOT/$preset/src/setup/Setup.exe")
  printf '  Setup.exe %-6s %9d bytes (%d KiB)\n' "$preset" "$size" $(((size + 1023) / 1024))
done
