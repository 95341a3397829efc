# The stage walk of the smoke tests, sourced by smoke-windows.sh and
# smoke-native.sh once the program's window is up: reads the client area off
# screenshots of the X display, checks the first picture, steps through the
# stages and checks each. The caller sets pid (the program), win (its X
# window), out (a folder for screenshots), tag (for messages), program_name,
# and defines fail and now_ms.

# Without a window manager the X window is the client area.
eval "$(xdotool getwindowgeometry --shell "$win")"
W=$WIDTH H=$HEIGHT
echo "$tag: client area ${W}x${H} at ($X, $Y)"

# World coordinates (x -2.1..2.1, y -1.25..1.25 over the client area) to pixels.
px() { awk -v x="$1" -v w="$W" 'BEGIN { printf "%d", (x + 2.1) / 4.2 * w + 0.5 }'; }
py() { awk -v y="$1" -v h="$H" 'BEGIN { printf "%d", h - (y + 1.25) / 2.5 * h + 0.5 }'; }

shot="$out/smoke-current.png"
# Takes a screenshot of the screen and keeps the client area.
snap() {
  import -window root "$shot.root.png"
  convert "$shot.root.png" -crop "${W}x${H}+${X}+${Y}" +repage "$shot"
  rm -f "$shot.root.png"
}
# Pixels of exactly one colour in a rectangle of the last screenshot: count colour x y w h
count() {
  convert "$shot" -crop "$4x$5+$2+$3" +repage -alpha off \
    -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:
}
RED="rgb(255,0,0)" WHITE="rgb(255,255,255)" YELLOW="rgb(255,255,0)" GREY="rgb(192,192,192)"
body_y=40 body_h=$((H - 40)) # below the caption band

# How many of the given points of the circle ("x y" in world units) show red
# within 5 pixels.
circle_points() {
  local n=0 cx cy r p
  for p in "$@"; do
    set -- $p
    cx=$(px "$1") cy=$(py "$2")
    r=$(count "$RED" $((cx - 5)) $((cy - 5)) 11 11)
    [ "$r" -gt 0 ] && n=$((n + 1))
  done
  echo "$n"
}
# Red pixels in a column band 7 pixels wide around world x, over y from -0.9 to 0.9.
red_column() {
  local cx top
  cx=$(px "$1") top=$(py 0.9)
  count "$RED" $((cx - 3)) "$top" 7 $(($(py -0.9) - top))
}

# Polls until a condition on the screenshot holds: await timeout_ms description command...
# The limits are generous: a loaded machine delivers fewer timer ticks per second.
await() {
  local limit=$1 what=$2 start
  shift 2
  start=$(now_ms)
  while :; do
    kill -0 "$pid" 2>/dev/null || fail "$program_name ended while waiting for: $what"
    snap
    if "$@"; then
      echo "$tag: $what (after $(($(now_ms) - start)) ms)"
      return 0
    fi
    [ $(($(now_ms) - start)) -lt "$limit" ] || { cp "$shot" "$out/smoke-failed.png"; fail "$what: not seen within $limit ms (screenshot smoke-failed.png)"; }
    sleep 0.3
  done
}
keep() { cp "$shot" "$out/smoke-$1.png"; convert "$shot" -crop "${W}x40+0+0" +repage "$out/band-$1.png"; }
# The caption band (top 40 rows) differs from the one kept for stage $1.
band_differs_from() {
  local diff
  convert "$shot" -crop "${W}x40+0+0" +repage "$shot.band.png"
  diff=$(compare -metric AE "$out/band-$1.png" "$shot.band.png" null: 2>&1 || true)
  [ "${diff%% *}" != 0 ]
}
click() { xdotool mousemove --window "$win" $((W / 4)) $((H * 3 / 4)) click 1; }

stage0() { # the moving point may cover one of the circle's outermost points
  [ "$(circle_points "-1 0" "1 0" "0 1" "0 -1")" -ge 3 ] &&
    [ "$(count "$WHITE" 0 0 "$W" 40)" -gt 20 ] &&
    [ "$(count "$YELLOW" 0 0 "$W" 40)" -gt 20 ] &&
    [ "$(count "$GREY" 0 "$body_y" "$W" "$body_h")" -eq 0 ]
}
stage1() { # the circle has narrowed into the red line at x = 0
  [ "$(circle_points "-1 0" "1 0")" -eq 0 ] && [ "$(red_column 0)" -gt 50 ] && band_differs_from 0
}
stage2() { # the line has moved over to the left edge
  [ "$(red_column -2.01091)" -gt 50 ] && [ "$(red_column 0)" -eq 0 ] && band_differs_from 1
}
stage3() { # the sine trace is drawn and the plane has gone off at the right
  [ "$(count "$GREY" 0 "$body_y" "$W" "$body_h")" -gt 1000 ] &&
    [ "$(count "$RED" 0 "$body_y" "$W" "$body_h")" -eq 0 ] && band_differs_from 2
}
stage0_again() { # a new cycle: the circle is back, the trace gone, the caption is the other one
  stage0 && band_differs_from 0 && band_differs_from 3
}

# A key through XTEST goes to the window under the pointer (no window manager).
page_down() {
  xdotool mousemove --window "$win" $((W / 4)) $((H * 3 / 4))
  xdotool key Next
}

# Stage by stage, stepping on by the PageDown key and by a left click in turn:
# each must move the demonstration on exactly as the other does.
walk_stages() {
  await 20000 "stage 0: red circle and caption" stage0
  keep 0
  page_down
  await 30000 "stage 1 (PageDown): the circle has turned into a line" stage1
  keep 1
  click
  await 30000 "stage 2 (click): the line has slid to the left" stage2
  keep 2
  page_down
  await 60000 "stage 3 (PageDown): the sine trace is complete" stage3
  keep 3
  click
  await 20000 "stage 0 again (click): circle back, caption for the other direction" stage0_again
  keep 4
  rm -f "$shot" "$shot.band.png" "$out"/band-*.png
}
