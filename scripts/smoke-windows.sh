#!/usr/bin/env bash
# Smoke test of velqor.exe on Wine: the window opens, the first picture shows
# the red circle and the caption, the PageDown key and left clicks in turn run
# through the stages and back to stage 0, F11 covers the screen with a round
# ring and Esc gives back the window with the stage as it stood, and closing
# the window ends the program with exit code 0. The finished pull's sine trace
# must be one unbroken curve with nothing else left behind, in the window and
# in full screen. Then once more with Wine's DPI at 144: the window and its
# text 1.5 times as large, nothing blurred, full screen on and off again, and
# the finished pull's trace in the window.
# Screenshots go to the build directory (smoke-0.png ... smoke-4.png,
# smoke-pull-*.png).
#
# Usage: scripts/smoke-windows.sh [EXE]
#   Builds velqor.exe (or takes the given one, such as the exe of the Windows
#   zip) and runs this in Xvfb with a throwaway Wine prefix (through
#   scripts/test-windows.sh --smoke-only). Screenshots go beside a given exe.
set -euo pipefail

if [ -z "${VQ_SMOKE_INNER:-}" ]; then
  exec "$(dirname "$0")/test-windows.sh" --smoke-only "$@"
fi

# Inner part: DISPLAY and WINEPREFIX are set up. Arguments: the exe, the output folder.
exe=$1
out=$2
title="VELQOR: NEGATIVE FREQUENCY"

fail() {
  echo "smoke-windows: FAILED: $*" >&2
  exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

[ -f "$exe" ] || fail "velqor.exe not found ($exe)"
rm -f "$out"/smoke-*.png

# Wine's screen density, as its control panel sets it (read at a program's start).
set_wine_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "cannot set Wine's DPI to $1"
}

# Starts velqor.exe and waits for its window: pid and win.
start() {
  wine "$exe" &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT
  await_window "^$title\$"
  walk_begin
}

# Closing: Wine's taskkill without /f posts WM_CLOSE to the process's top-level
# windows, as the close box does.
close() {
  local t0 rc=0
  t0=$(now_ms)
  wine taskkill /im "$(basename "$exe")" >/dev/null
  ends_within 10000 || fail "velqor.exe still running 10 s after WM_CLOSE"
  wait "$pid" || rc=$?
  trap - EXIT
  [ "$rc" -eq 0 ] || fail "velqor.exe ended with exit code $rc"
  echo "smoke-windows: closed, exit code 0 after $(($(now_ms) - t0)) ms"
}

# The stages, stepped on by the PageDown key and by left clicks in turn, and
# full screen.
tag=smoke-windows program_name=velqor.exe
. "$(dirname "$0")/smoke-walk.sh"
set_wine_dpi 96
start
walk_stages
walk_full_screen
walk_full_screen_pull
close

# A dense screen: 144 DPI, 1.5 designed pixels to each.
set_wine_dpi 144
tag="smoke-windows (144 DPI)" DENSITY=1.5
start
walk_full_screen
finish_pull "window ${W}x${H} at 144 DPI" 1.5
close
set_wine_dpi 96

# Starts with settings, as on the desktop; Russian asked for, and from Wine's
# locale.
tag=smoke-windows DENSITY=1
SMOKE_LANGUAGES=(ru ru=LC_ALL=ru_RU.UTF-8)
walk_starts wine "$exe"
echo "smoke-windows: passed; screenshots in $out/smoke-*.png"
