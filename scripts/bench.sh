#!/usr/bin/env bash
# Runs the benchmarks: builds the native preset and the Windows preset that
# this machine's Wine runs, makes the 200 MB staging tree under build/bench
# once (it is reused afterwards), packs it with setuppack and measures
# building, verifying and extracting the package natively, then the installer
# engine's extraction under Wine. The figures are throughputs with ratios
# against baselines measured in the same run; nothing passes or fails on time.
# Arguments go to package_bench: --rounds N (reading, default 5),
# --build-rounds N (default 3), --reuse-package.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"

"$SETUP_ROOT/scripts/bootstrap.sh"
arch=$(wine_arch)
"$SETUP_ROOT/scripts/build.sh" native "$arch"

bench=$BUILD_ROOT/native/bench
work=$BUILD_ROOT/bench
mkdir -p "$work"
log "staging tree"
"$bench/bench_staging" "$work/staging"
log "package benchmarks (a few minutes)"
"$bench/package_bench" "$work/staging" "$work" "$@"

# Under Wine the engine runs as a setup program beside its Setup.dat.
log "installer engine under Wine ($arch)"
wine_work=$work/wine
rm -rf "$wine_work"
mkdir -p "$wine_work"
cp "$BUILD_ROOT/$arch/bench/engine_bench.exe" "$wine_work/"
ln -f "$work/Setup.dat" "$wine_work/Setup.dat" 2>/dev/null || cp "$work/Setup.dat" "$wine_work/Setup.dat"
ensure_wine_prefix "$arch"
"$WINELOADER" "$wine_work/engine_bench.exe" --rounds 3 "$wine_work/scratch"
rm -rf "$wine_work"
