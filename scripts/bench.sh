#!/usr/bin/env bash
# Runs the package benchmarks: builds the native preset, makes the 200 MB
# staging tree under build/bench once (it is reused afterwards), packs it with
# setuppack and measures building, verifying and extracting the package. The
# figures are throughputs with ratios against baselines measured in the same
# run; nothing passes or fails on time. Arguments go to package_bench:
# --rounds N (reading, default 5), --build-rounds N (default 3), --reuse-package.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"

"$SETUP_ROOT/scripts/bootstrap.sh"
"$SETUP_ROOT/scripts/build.sh" native

bench=$BUILD_ROOT/native/bench
work=$BUILD_ROOT/bench
mkdir -p "$work"
log "staging tree"
"$bench/bench_staging" "$work/staging"
log "package benchmarks (a few minutes)"
"$bench/package_bench" "$work/staging" "$work" "$@"
