#!/usr/bin/env bash
# The Windows build on a real GDI: cross-builds velqor.exe and the program's
# tests with MinGW-w64, then, in one Xvfb session and a fresh Wine prefix that
# is removed afterwards, runs the tests and the smoke test of velqor.exe.
#
# Usage: scripts/test-windows.sh [--tests-only | --smoke-only [EXE]]
#   With EXE, the smoke test runs on that velqor.exe and nothing is built.
# Environment: BUILD_DIR (default build-windows), JOBS (default 2).
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
given_exe=""
if [ "${1:-}" = --smoke-only ] && [ -n "${2:-}" ]; then
  [ -f "$2" ] || { echo "test-windows: no file $2" >&2; exit 2; }
  given_exe="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
fi
cd "$(dirname "$self")/.."

mode=${1:-all}
case "$mode" in
all | --tests-only | --smoke-only) ;;
--inner) ;; # internal: the part that runs inside Xvfb
*) echo "usage: $0 [--tests-only | --smoke-only [EXE]]" >&2; exit 2 ;;
esac

build=${BUILD_DIR:-build-windows}

# Inside Xvfb, with WINEPREFIX and the build already set up by the outer part.
if [ "$mode" = --inner ]; then
  parts=$2
  scratch=$(dirname "$WINEPREFIX")
  t0=$(date +%s)
  if ! wineboot -i >"$scratch/wineboot.log" 2>&1; then
    cat "$scratch/wineboot.log" >&2
    echo "test-windows: wineboot failed" >&2
    exit 1
  fi
  echo "test-windows: Wine prefix ready in $(($(date +%s) - t0)) s"

  if [ "$parts" != smoke ]; then
    exe=$(find "$build" -name program_tests.exe -print -quit)
    [ -n "$exe" ] || { echo "test-windows: no program_tests.exe in $build" >&2; exit 1; }
    xml="$scratch/program_tests.xml"
    rc=0
    # The XML report goes next to the prefix (Z: is /). A hung test must not hang
    # the build: whatever is left is ended with the prefix's wineserver.
    timeout 300 wine "$exe" --gtest_color=no --gtest_output="xml:Z:${xml//\//\\}" || rc=$?
    if [ ! -s "$xml" ]; then
      echo "test-windows: program_tests.exe left no report (exit code $rc)" >&2
      exit 1
    fi
    # <testsuites tests="N" failures="F" disabled="D" errors="E" ...>
    head=$(grep -m1 '<testsuites' "$xml")
    attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$head"; }
    tests=$(attr tests) failures=$(attr failures) disabled=$(attr disabled) errors=$(attr errors)
    skipped=$(grep -c 'result="skipped"' "$xml" || true)
    ran=$((tests - disabled))
    passed=$((ran - failures - errors - skipped))
    echo "test-windows: program tests under Wine: $ran run, $passed passed, $skipped skipped," \
      "$failures failed (exit code $rc)"
    if [ "$ran" -eq 0 ]; then
      echo "test-windows: no test ran" >&2
      exit 1
    fi
    if [ "$rc" -ne 0 ] || [ "$failures" -ne 0 ] || [ "$errors" -ne 0 ]; then
      exit 1
    fi
  fi

  if [ "$parts" != tests ]; then
    if [ -n "${VQ_SMOKE_EXE:-}" ]; then
      VQ_SMOKE_INNER=1 scripts/smoke-windows.sh "$VQ_SMOKE_EXE" "$(dirname "$VQ_SMOKE_EXE")"
    else
      exe=$(find "$build" -name velqor.exe -print -quit)
      VQ_SMOKE_INNER=1 scripts/smoke-windows.sh "$exe" "$build"
    fi
  fi
  exit 0
fi

scripts/install-deps.sh windows
started=$(date +%s)

targets=()
case "$mode" in
all) targets=(program_tests velqor); parts=all ;;
--tests-only) targets=(program_tests); parts=tests ;;
--smoke-only) targets=(velqor); parts=smoke ;;
esac

if [ -n "$given_exe" ]; then
  export VQ_SMOKE_EXE=$given_exe
else
  cmake --preset windows -B "$build"
  cmake --build "$build" -j "${JOBS:-2}" --target "${targets[@]}"
  echo "test-windows: cross build up to date in $(($(date +%s) - started)) s"
fi
built=$(date +%s)

# A fresh prefix for every run, removed afterwards whatever happens. Wine's
# desktop-integration folders (menus, MIME types) go there too, not into $HOME.
scratch=$(mktemp -d /tmp/velqor-wine.XXXXXX)
export WINEPREFIX=$scratch/prefix
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_CACHE_HOME=$scratch/cache
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# No Mono or Gecko installers, no desktop menu entries in $HOME, no debug chatter.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d" WINEDEBUG=-all
export BUILD_DIR=$build
xvfb-run -a -s "-screen 0 1920x1080x24" "$self" --inner "$parts"
echo "test-windows: passed; Wine part $(($(date +%s) - built)) s, in all $(($(date +%s) - started)) s"
