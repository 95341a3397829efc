#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (build-fuzz) and runs them
# one after the other, each for SECONDS (default 300), starting from its seed
# corpus and the inputs of past findings. New inputs go to
# build-fuzz/fuzz-corpus/<target>, anything that fails to
# build-fuzz/fuzz-artifacts/. Prints executions and coverage per target; fails
# when any target found a fault.
#
# Usage: tests/fuzz/run.sh [SECONDS]     Environment: BUILD_DIR, JOBS.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-300}
build=${BUILD_DIR:-build-fuzz}
case "$seconds" in
'' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

# The whole tree is configured (the tests and tools need their packages too),
# as the preset fuzz says.
scripts/install-deps.sh test fuzz
cmake --preset fuzz -B "$build"
targets="fuzz_messages fuzz_raster fuzz_label fuzz_options"
cmake --build "$build" -j "${JOBS:-2}" --target $targets

failed=0
for target in $targets; do
  case $target in
  fuzz_messages) max_len=4096 ;; # some hundreds of events
  fuzz_raster) max_len=64 ;;     # one primitive is 45 bytes at most
  fuzz_label) max_len=1024 ;;    # texts well past the 255 kept
  fuzz_options) max_len=512 ;;   # command lines of some dozens of words
  esac
  work=$build/fuzz-corpus/$target
  artifacts=$build/fuzz-artifacts
  mkdir -p "$work" "$artifacts"
  inputs=(tests/fuzz/corpus/$target)
  [ -d tests/fuzz/regressions/$target ] && inputs+=(tests/fuzz/regressions/$target)
  log=$build/$target.log
  rc=0
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -max_len=$max_len \
    -artifact_prefix="$artifacts/$target-" "$work" "${inputs[@]}" >"$log" 2>&1 || rc=$?
  # "#123456	DONE   cov: 600 ft: 4000 corp: ..."
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
  execs=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$done_line")
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  if [ "$rc" -ne 0 ] || [ -z "$done_line" ]; then
    echo "fuzz: $target FAILED (exit code $rc); the end of $log:" >&2
    tail -40 "$log" >&2
    failed=1
  else
    echo "fuzz: $target: ${execs} executions in ${seconds} s, cov ${cov}, ft ${ft}"
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz: a target failed; the input is in $build/fuzz-artifacts/. Replay it with" \
    "$build/tests/fuzz/<target> <file>, and keep it in tests/fuzz/regressions/<target>/" >&2
  exit 1
fi
