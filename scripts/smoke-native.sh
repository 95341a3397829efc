#!/usr/bin/env bash
# Smoke test of the native program in a real SDL window: the first picture
# shows the red circle and the caption, the PageDown key and left clicks in
# turn run through the stages and back to stage 0, F11 covers the screen with
# a round ring and Esc gives back the window with the stage as it stood, the
# finished pull's sine trace is one unbroken curve with nothing else left
# behind (in the window and in full screen), and closing the window (as a
# window manager's close button does) ends the program with exit code 0 and
# nothing on stderr. Then it starts again as a teacher's settings ask: at the
# negative pull slowed down in the light theme, the full lesson to its last
# stage, and in Japanese and (from the locale) German. Runs itself in Xvfb
# (a 1920 x 1080 screen) when there is no display.
#
# Usage: scripts/smoke-native.sh PROGRAM CLOSER [OUT [LATENCY_TOOL]]
#   CLOSER sends the window WM_DELETE_WINDOW (tests/platform/x_close_window);
#   screenshots go to OUT (default: beside PROGRAM); LATENCY_TOOL
#   (tests/platform/x_key_latency) times the switches to full screen and back.
set -euo pipefail
if [ -z "${VQ_SMOKE_DISPLAY:-}" ]; then
  VQ_SMOKE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi

program=$1
closer=$2
out=${3:-$(dirname "$program")}
LATENCY_TOOL=${4:-}
title="VELQOR: NEGATIVE FREQUENCY"
fail() {
  echo "smoke-native: FAILED: $*" >&2
  [ ! -s "${errors:-}" ] || echo "smoke-native: the program's stderr: $(cat "$errors")" >&2
  exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

[ -x "$program" ] || fail "no program $program"
rm -f "$out"/smoke-*.png
errors=$(mktemp)
"$program" 2>"$errors" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$errors"' EXIT

tag=smoke-native program_name=$(basename "$program")
. "$(dirname "$0")/smoke-walk.sh"
await_window "^$title\$" --onlyvisible
walk_begin
walk_stages
walk_full_screen
walk_full_screen_pull

t0=$(now_ms)
"$closer" "$win"
ends_within 10000 || fail "still running 10 s after the close"
rc=0
wait "$pid" || rc=$?
[ "$rc" -eq 0 ] || fail "exit code $rc; stderr: $(cat "$errors")"
[ ! -s "$errors" ] || fail "the program said on stderr: $(cat "$errors")"
echo "smoke-native: closed, exit code 0 after $(($(now_ms) - t0)) ms"

# Starts with settings: a link's stage, speed and theme, the full lesson,
# Japanese asked for and German from the locale.
SMOKE_LANGUAGES=(ja de=LANG=de_DE.UTF-8)
walk_starts "$program"
trap - EXIT
rm -f "$errors"
echo "smoke-native: passed; screenshots in $out/smoke-*.png"
