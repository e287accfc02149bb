#!/usr/bin/env bash
# Runs every test: native unit tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time, the Windows
# tests and the end-to-end tests under Wine and Xvfb. Installs what it needs
# first. FUZZ_SECONDS sets the time of each fuzz target (default 30).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$SETUP_ROOT"

"$SETUP_ROOT/scripts/bootstrap.sh"
arch=$(wine_arch)
presets=(native asan fuzz win32)
[ "$arch" = win64 ] && presets+=(win64)
"$SETUP_ROOT/scripts/build.sh" "${presets[@]}"

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT
ensure_display
ensure_wine_prefix "$arch"
# One server for all the Wine tests, its services started now, away from
# any pipe a test reads.
/usr/bin/wineserver -p >/dev/null 2>&1 || true
"$WINELOADER" wineboot </dev/null >/dev/null 2>&1 || true

failed=()
tier() {
  local name=$1
  shift
  log "$name"
  local start=$SECONDS
  if "$@"; then log "$name: passed in $((SECONDS - start)) s"; else failed+=("$name"); log "$name: FAILED"; fi
}

run_fuzz() {
  local seconds=${FUZZ_SECONDS:-30} target corpus
  for target in package_reader uninstall_record version ini; do
    corpus=$BUILD_ROOT/fuzz/corpus/$target
    mkdir -p "$corpus"
    "$BUILD_ROOT/fuzz/tests/fuzz/make_seeds" "${target%_reader}" "$corpus"
    "$BUILD_ROOT/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 \
      -print_final_stats=0 "$corpus" >"$BUILD_ROOT/fuzz/$target.log" 2>&1 || {
      tail -n 40 "$BUILD_ROOT/fuzz/$target.log"
      return 1
    }
    log "fuzzed $target for $seconds s: $(grep -c . <(ls "$corpus")) inputs in the corpus"
  done
}

ctest_args=(--output-on-failure --no-tests=error -j "$(jobs_count)")
tier "native unit tests" ctest --test-dir build/native "${ctest_args[@]}"
tier "unit tests under ASan and UBSan" ctest --test-dir build/asan "${ctest_args[@]}"
tier "fuzz targets" run_fuzz
tier "Windows and end-to-end tests under Wine ($arch)" ctest --test-dir "build/$arch" --output-on-failure --no-tests=error

if [ ${#failed[@]} -gt 0 ]; then
  printf 'FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
log "all tests passed"
