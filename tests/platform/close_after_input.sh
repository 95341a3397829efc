#!/usr/bin/env bash
# Closes the program's window, as a window manager's close button would, after
# the input a person gives it: a key press, or a key held down and clicks
# through the stages, then a resize. Every run must end with exit code 0 and
# nothing on stderr. Run inside an X display with no window manager.
# Usage: close_after_input.sh PROGRAM CLOSER [RUNS]
set -u
program=$1 closer=$2 runs=${3:-24}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for run in $(seq "$runs"); do
  "$program" 2>"$scratch/stderr" &
  pid=$!
  window=
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.05
  done
  if [ -z "$window" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid"
    echo "run $run: no window appeared (exit code $?); stderr: $(tr '\n' ' ' <"$scratch/stderr")" >&2
    failed=$((failed + 1))
    continue
  fi
  xdotool mousemove --window "$window" 100 100
  case $((run % 6)) in
  0) # A key held for a second (auto-repeat), clicks through to the pull, a resize.
    xdotool keydown space sleep 1 keyup space
    for _ in 1 2 3; do xdotool click 1 sleep 0.2; done
    xdotool windowsize "$window" 800 466
    sleep 0.6 ;;
  3) # A key pressed and released, a resize, a pause, the close.
    xdotool key a windowsize "$window" 800 466
    sleep 0.6 ;;
  *) # The same with the close at once, when a close goes wrong most often.
    xdotool key a windowsize "$window" 800 466 ;;
  esac
  "$closer" "$window"
  # The program ends at once; one still running after 10 s is ended and fails.
  for _ in $(seq 100); do
    state=$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)
    { [ -z "$state" ] || [ "$state" = Z ]; } && break
    sleep 0.1
  done
  [ "$state" = Z ] || [ -z "$state" ] || kill "$pid"
  wait "$pid"
  code=$?
  if [ "$code" -ne 0 ] || [ -s "$scratch/stderr" ]; then
    echo "run $run: exit code $code; stderr: $(tr '\n' ' ' <"$scratch/stderr")" >&2
    failed=$((failed + 1))
  fi
done
echo "$failed of $runs closes failed"
[ "$failed" -eq 0 ]
