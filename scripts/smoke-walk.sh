# The stage walk of the smoke tests, sourced by smoke-windows.sh and
# smoke-native.sh: waits for the program's window (await_window), reads the
# client area off screenshots of the X display (walk_begin), checks the first
# picture, steps through the stages and checks each; then full screen on and
# off (walk_full_screen). The caller sets pid (the program), out (a folder for
# screenshots), tag (for messages), program_name, and defines fail and now_ms;
# DENSITY (default 1) is the screen's pixels per designed pixel, LATENCY_TOOL
# (optional) tests/platform/x_key_latency, which times the switches. The
# finished pull's trace is checked in every picture it is walked to
# (check_trace, walk_full_screen_pull).

walk_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Waits up to 60 s for a window of the program (pid) named as the pattern $1
# (xdotool search's options after it): win.
await_window() {
  local t0
  t0=$(now_ms)
  win=""
  while [ -z "$win" ]; do
    kill -0 "$pid" 2>/dev/null || fail "$program_name ended before its window appeared"
    [ $(($(now_ms) - t0)) -lt 60000 ] || fail "no window named \"$1\" after 60 s"
    sleep 0.2
    win=$(xdotool search "${@:2}" --name "$1" 2>/dev/null | head -n 1 || true)
  done
  echo "$tag: window up after $(($(now_ms) - t0)) ms"
}

# Whether the program (pid) ends within $1 ms; one that has ended but is not
# yet waited for counts as ended.
ends_within() {
  local t0
  t0=$(now_ms)
  while kill -0 "$pid" 2>/dev/null && [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" != Z ]; do
    [ $(($(now_ms) - t0)) -lt "$1" ] || return 1
    sleep 0.1
  done
}

# Without a window manager the X window is the client area.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  W=$WIDTH H=$HEIGHT
}
# The window found: its client area, and the picture's rectangle all of it.
walk_begin() {
  geometry
  echo "$tag: client area ${W}x${H} at ($X, $Y)"
  picture_area whole
  body_y=40 body_h=$((H - 40)) # below the caption band
}

# The picture's rectangle in the client area: PL, PT, PW, PH. All of it in the
# normal window; in full screen the largest 1002:583 rectangle in its middle.
picture_area() {
  PL=0 PT=0 PW=$W PH=$H
  if [ "$1" = fitted ]; then
    eval "$(awk -v w="$W" -v h="$H" 'BEGIN {
      if (w * 583 >= h * 1002) { pw = int((2 * h * 1002 + 583) / 1166); ph = h }
      else { pw = w; ph = int((2 * w * 583 + 1002) / 2004) }
      printf "PW=%d PH=%d PL=%d PT=%d", pw, ph, int((w - pw) / 2), int((h - ph) / 2) }')"
  fi
}

# World coordinates (x -2.1..2.1, y -1.25..1.25 over the picture) to pixels.
px() { awk -v x="$1" -v w="$PW" -v l="$PL" 'BEGIN { printf "%d", l + (x + 2.1) / 4.2 * w + 0.5 }'; }
py() { awk -v y="$1" -v h="$PH" -v t="$PT" 'BEGIN { printf "%d", t + h - (y + 1.25) / 2.5 * h + 0.5 }'; }

shot="$out/smoke-current.png"
# Takes a screenshot of the screen and keeps the client area (as it is now).
snap() {
  geometry
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
press() {
  xdotool mousemove --window "$win" $((W / 4)) $((H * 3 / 4))
  xdotool key "$1"
}
page_down() { press Next; }

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
  check_trace "window ${W}x${H}"
  click
  await 20000 "stage 0 again (click): circle back, caption for the other direction" stage0_again
  keep 4
  rm -f "$shot" "$shot.band.png" "$out"/band-*.png
}

# ---- full screen ----------------------------------------------------------

# Rows of the caption line holding the caption's ink (anything not black in
# the middle third of the picture's band): its letters' height.
caption_ink() {
  local band
  band=$(awk -v h="$PH" 'BEGIN { printf "%d", h * 40 / 583 + 0.5 }')
  convert "$shot" -crop "$((PW / 3))x${band}+$((PL + PW / 3))+${PT}" +repage -alpha off \
    -threshold 1% -scale "1x${band}!" -threshold 0 -format '%[fx:round(mean*h)]' info:
}
# The ring's width over its height, from its outermost red pixels on the row
# and the column through its centre (the turning point may cover one end:
# then a side counts twice from the centre).
ring_ratio() {
  local cx cy
  cx=$(px 0) cy=$(py 0)
  convert "$shot" -alpha off -fill black +opaque "$RED" -fill white -opaque "$RED" \
    "$shot.red.png"
  local row col
  row=$(convert "$shot.red.png" -crop "${W}x1+0+${cy}" +repage txt:- | awk -F'[,:]' '/#FFFFFF/ { print $1 }' | sort -n | sed -n '1p;$p' | tr '\n' ' ')
  col=$(convert "$shot.red.png" -crop "1x${H}+${cx}+0" +repage txt:- | awk -F'[,:]' '/#FFFFFF/ { print $2 }' | sort -n | sed -n '1p;$p' | tr '\n' ' ')
  rm -f "$shot.red.png"
  awk -v r="$row" -v c="$col" -v cx="$cx" -v cy="$cy" 'BEGIN {
    split(r, a, " "); split(c, b, " ");
    w = 2 * ((cx - a[1]) > (a[2] - cx) ? (cx - a[1]) : (a[2] - cx));
    h = 2 * ((cy - b[1]) > (b[2] - cy) ? (cy - b[1]) : (b[2] - cy));
    printf "%.4f", (h > 0 ? w / h : 0) }'
}
# Pixels that are neither black nor a colour of the picture's, red-ish: a
# ring the system stretched (and so blurred) has many, a sharp one none.
blurred_red() {
  convert "$shot" -crop "${PW}x$((PH / 2))+${PL}+$((PT + PH / 4))" +repage -alpha off \
    -fx 'r > 0.02 && r < 0.98 && g < 0.02 && b < 0.02' -format '%[fx:round(mean*w*h)]' info:
}
# Nothing but black outside the picture's rectangle.
margins_black() {
  [ "$PL" -eq 0 ] || [ "$(count "rgb(0,0,0)" 0 0 "$PL" "$H")" -eq $((PL * H)) ] || return 1
  local right=$((PL + PW))
  [ "$right" -ge "$W" ] || [ "$(count "rgb(0,0,0)" "$right" 0 $((W - right)) "$H")" -eq $(((W - right) * H)) ] || return 1
  [ "$PT" -eq 0 ] || [ "$(count "rgb(0,0,0)" 0 0 "$W" "$PT")" -eq $((W * PT)) ] || return 1
  local bottom=$((PT + PH))
  [ "$bottom" -ge "$H" ] || [ "$(count "rgb(0,0,0)" 0 "$bottom" "$W" $((H - bottom)))" -eq $((W * (H - bottom))) ]
}
ring_shown() { [ "$(circle_points "-1 0" "1 0" "0 1" "0 -1")" -ge 3 ]; }
# The window covers the screen and shows the opening picture in the middle.
full_screen_ring() {
  geometry
  [ "$W" -eq "$screen_w" ] && [ "$H" -eq "$screen_h" ] && picture_area fitted && ring_shown
}
# The window is back where and as large as it was, with the tilt's line.
back_with_the_line() {
  geometry
  picture_area whole
  [ "$W" -eq "$normal_w" ] && [ "$H" -eq "$normal_h" ] && [ "$X" -eq "$normal_x" ] &&
    [ "$Y" -eq "$normal_y" ] && [ "$(red_column 0)" -gt 50 ] &&
    [ "$(circle_points "-1 0" "1 0")" -eq 0 ]
}

# In the normal window at stage 0 of a cycle: the window's size for the
# screen's density and its text; F11 covers the screen with a round ring and
# larger text, black margins; the tilt runs in full screen; Esc gives back the
# window as it was, with the stage as it stood. With LATENCY_TOOL, the time
# from F11 to the new picture on the screen, in and out, five times each.
walk_full_screen() {
  local density=${DENSITY:-1} designed_w designed_h
  designed_w=$(awk -v d="$density" 'BEGIN { printf "%d", 1002 * d + 0.5 }')
  designed_h=$(awk -v d="$density" 'BEGIN { printf "%d", 583 * d + 0.5 }')
  [ "$W" -eq "$designed_w" ] && [ "$H" -eq "$designed_h" ] ||
    fail "the window is ${W}x${H}, not ${designed_w}x${designed_h} at a density of $density"
  normal_w=$W normal_h=$H normal_x=$X normal_y=$Y
  eval "$(xdotool getdisplaygeometry | awk '{ printf "screen_w=%d screen_h=%d", $1, $2 }')"
  await 20000 "normal window: the ring" ring_shown
  local ink designed ratio
  ink=$(caption_ink)
  designed=$(ring_ratio)
  [ "$(blurred_red)" -eq 0 ] || fail "the ring is blurred at a density of $density"
  awk -v i="$ink" -v d="$density" 'BEGIN { exit !(i >= 0.7 * 16 * d && i <= 16 * d + 1) }' ||
    fail "the caption's letters are $ink rows high at a density of $density"
  echo "$tag: ${W}x${H} at a density of $density: caption $ink rows high, ring ${designed} wide for its height, sharp"

  if [ -n "${LATENCY_TOOL:-}" ]; then
    local ins="" outs="" i
    for i in 1 2 3 4 5; do
      ins="$ins $("$LATENCY_TOOL" "$win" F11 "$screen_w" "$screen_h")" || fail "F11: no full screen picture"
      outs="$outs $("$LATENCY_TOOL" "$win" F11 "$normal_w" "$normal_h")" || fail "F11: no window again"
    done
    echo "$tag: new picture on the screen after F11 (ms): full screen$ins; back$outs"
  fi

  press F11
  await 10000 "F11: the picture covers the ${screen_w}x${screen_h} screen" full_screen_ring
  keep "full-screen-$density"
  local scale
  scale=$(awk -v h="$PH" 'BEGIN { printf "%.4f", h / 583 }')
  ratio=$(ring_ratio)
  awk -v a="$ratio" -v b="$designed" 'BEGIN { exit !(a > 0.99 * b && a < 1.01 * b) }' ||
    fail "the ring is $ratio wide for its height in full screen, $designed in the window"
  margins_black || fail "something outside the picture's ${PW}x${PH} rectangle in full screen"
  ink=$(caption_ink)
  awk -v i="$ink" -v s="$scale" 'BEGIN { exit !(i >= 0.7 * 16 * s && i <= 16 * s + 1) }' ||
    fail "the caption's letters are $ink rows high in full screen (scale $scale)"
  [ "$(blurred_red)" -eq 0 ] || fail "the ring is blurred in full screen"
  echo "$tag: full screen ${W}x${H}: the picture ${PW}x${PH} at ($PL, $PT), black around, ring $ratio wide for its height, caption $ink rows high"

  press Next
  await 30000 "full screen, PageDown: the circle has turned into the line at x = 0" \
    eval '[ "$(red_column 0)" -gt 50 ] && [ "$(circle_points "-1 0" "1 0")" -eq 0 ]'
  press Escape
  await 10000 "Esc: the window back at ${normal_w}x${normal_h} ($normal_x, $normal_y) with the tilt's line" back_with_the_line
  keep "back-$density"
  rm -f "$shot" "$shot.band.png" "$out"/band-*.png
}

# ---- the finished pull ------------------------------------------------------

# The picture below its caption band (the top 40 rows, scaled): BL, BT, BW, BH.
picture_body() {
  local band
  band=$(awk -v h="$PH" 'BEGIN { printf "%d", h * 40 / 583 + 0.5 }')
  BL=$PL BT=$((PT + band)) BW=$PW BH=$((PH - band))
}
slid_left() { [ "$(red_column -2.01091)" -gt 50 ] && [ "$(red_column 0)" -eq 0 ]; }
pull_finished() {
  picture_body
  [ "$(count "$GREY" "$BL" "$BT" "$BW" "$BH")" -gt 1000 ] && [ "$(count "$RED" "$BL" "$BT" "$BW" "$BH")" -eq 0 ]
}

# The pixels of exactly one colour in the rectangle w h x y of the last
# screenshot, with the rectangle l t r b (inclusive, screenshot pixels) left
# out when given: "PIECES PIXELS W H X Y", its 8-connected pieces, their
# pixels and bounding box (0 0 0 0 0 0 without any).
colour_pieces() {
  local colour=$1 w=$2 h=$3 x=$4 y=$5 out=() mask
  [ $# -lt 9 ] || out=(-fill black -draw "rectangle $(($6 - x)),$(($7 - y)) $(($8 - x)),$(($9 - y))")
  mask="$shot.mask.png"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -alpha off -fill black +opaque "$colour" \
    -fill white -opaque "$colour" "${out[@]}" "$mask"
  local pieces pixels box
  pieces=$(convert "$mask" -define connected-components:verbose=true -connected-components 8 \
    null: | awk 'NR > 1 && /gray\(255\)|#FFFFFF/ { n++ } END { print n + 0 }')
  pixels=$(convert "$mask" -format '%[fx:round(mean*w*h)]' info:)
  box=$(convert "$mask" -trim -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+')
  rm -f "$mask"
  if [ "$pixels" -eq 0 ]; then echo "0 0 0 0 0 0"; else
    set -- $box
    echo "$pieces $pixels $1 $2 $((x + $3)) $((y + $4))"
  fi
}

# The finished pull, read off a fresh screenshot below the caption band: the
# trace (pixels of exactly its light grey) is one 8-connected piece, as the
# segments of one tick after another must join up, with no gaps where their
# ends were drawn twice by exclusive-or; nothing is left of the plane (no
# red); and the only white is the point at the trace's right end, no larger
# than the point (radius 0.03 with a pen 0.05 wide, in world units). The
# trace is counted outside the point: the point's ring leaves a pinhole in
# its middle, where the trace's end shows through.
check_trace() {
  local what=$1 pieces pixels gw gh gx gy wpieces wpixels ww wh wx wy red largest
  sleep 0.3 # the last tick's drawing on the screen
  snap
  picture_body
  read -r wpieces wpixels ww wh wx wy < <(colour_pieces "$WHITE" "$BW" "$BH" "$BL" "$BT")
  read -r pieces pixels gw gh gx gy < <(colour_pieces "$GREY" "$BW" "$BH" "$BL" "$BT" \
    "$wx" "$wy" $((wx + ww - 1)) $((wy + wh - 1)))
  red=$(count "$RED" "$BL" "$BT" "$BW" "$BH")
  largest=$(awk -v w="$PW" 'BEGIN { printf "%d", 2 * (0.03 + 0.025) * w / 4.2 + 3 }')
  echo "$tag: finished pull, $what: the trace in $pieces piece(s) ($pixels pixels), $red red pixels, white $wpixels pixels in ${ww}x${wh} at ($wx, $wy)"
  [ "$wpixels" -gt 0 ] && [ "$ww" -le "$largest" ] && [ "$wh" -le "$largest" ] ||
    fail "finished pull, $what: white beyond the point ($wpixels pixels in ${ww}x${wh}, the point at most ${largest}x${largest})"
  [ "$red" -eq 0 ] || fail "finished pull, $what: $red red pixels left of the plane"
  [ "$pieces" -eq 1 ] || { cp "$shot" "$out/smoke-failed.png"; fail "finished pull, $what: the trace falls into $pieces pieces, not 1 (screenshot smoke-failed.png)"; }
  [ $((gx + gw - 1)) -ge $((wx - 2)) ] && [ $((gx + gw - 1)) -lt $((wx + ww)) ] ||
    fail "finished pull, $what: the point ($wx..$((wx + ww - 1))) is not at the trace's right end (x $((gx + gw - 1)))"
}

# From the tilt's edge-on line, PageDown to the end of the slide and again to
# the end of the pull, in the picture as laid out now; then check_trace.
# The screenshot is kept as smoke-pull-$2.png.
finish_pull() {
  page_down
  await 30000 "$1, PageDown: the line has slid to the left" slid_left
  page_down
  await 60000 "$1, PageDown: the pull has finished" pull_finished
  check_trace "$1"
  cp "$shot" "$out/smoke-pull-$2.png"
  rm -f "$shot"
}

# After walk_full_screen, in the window at the tilt's edge-on line: F11, on to
# the end of the pull in full screen and its trace checked there; Esc.
walk_full_screen_pull() {
  local density=${DENSITY:-1}
  press F11
  await 10000 "F11: the window covers the ${screen_w}x${screen_h} screen again" \
    eval 'geometry; [ "$W" -eq "$screen_w" ] && [ "$H" -eq "$screen_h" ]'
  picture_area fitted
  finish_pull "full screen ${W}x${H}" "full-screen-$density"
  press Escape
  await 10000 "Esc: the window back at ${normal_w}x${normal_h}" \
    eval 'geometry; [ "$W" -eq "$normal_w" ] && [ "$H" -eq "$normal_h" ]'
  picture_area whole
  rm -f "$shot"
}

# ---- starts with settings -------------------------------------------------

# Starts the program anew (the command and its arguments, with `env` before
# them for a locale) and waits for its window, whatever its title: pid, win.
start_with() {
  echo "$tag: $*"
  "$@" >/dev/null 2>&1 &
  pid=$!
  await_window "^VELQOR: " --onlyvisible
  sleep 1
  geometry
  picture_area whole
}
stop_it() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wine taskkill /f /im "$program_name" >/dev/null 2>&1 || true
  else
    kill "$pid" 2>/dev/null || true
  fi
  # It ends within a second or two. Under Wine a killed program has been seen
  # to hang in its ending, waiting on the wine server; after 10 s it is killed
  # outright, so that the walk goes on instead of waiting for ever.
  ends_within 10000 || kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# The starts a teacher's link or command line asks for, each read off a
# screenshot: a stage in the negative cycle slowed down in the light theme,
# the full lesson's last stage, and the texts in another language (asked
# for, and from the locale). RUN is the command that runs the program.
walk_starts() {
  local run=("$@") light grey magenta title want
  start_with "${run[@]}" --stage 3 --negative --speed 0.5 --theme light
  await 20000 "--stage 3 --negative --speed 0.5 --theme light: the pull on a light background" \
    eval '[ "$(count "rgb(255,255,255)" 0 $((H - 40)) 40 40)" -eq 1600 ] &&
          [ "$(count "rgb(96,96,96)" 0 "$body_y" "$W" "$body_h")" -gt 100 ] &&
          [ "$(count "rgb(192,64,16)" 0 "$body_y" "$W" "$body_h")" -gt 50 ]'
  keep settings
  stop_it

  start_with "${run[@]}" --lesson full
  local k
  for k in 1 2 3 4 5 6 7 8 9 10; do
    press Next
    sleep 0.3
  done
  await 20000 "--lesson full, PageDown ten times: both frequencies together" \
    eval '[ "$(count "rgb(219,112,147)" 0 "$body_y" "$W" "$body_h")" -gt 30 ] &&
          [ "$(count "rgb(224,255,255)" 0 "$body_y" "$W" "$body_h")" -gt 30 ]'
  keep full-lesson
  stop_it

  for lang in "${SMOKE_LANGUAGES[@]}"; do
    want="VELQOR: $(python3 "$walk_scripts/../po/catalogues.py" say \
      "$walk_scripts/../po/${lang%%=*}.po" "NEGATIVE FREQUENCY")"
    if [ "${lang#*=}" = "$lang" ]; then
      start_with "${run[@]}" --lang "$lang"
    else
      start_with env "${lang#*=}" "${run[@]}"
    fi
    title=$(xdotool getwindowname "$win")
    [ "$title" = "$want" ] || fail "${lang}: the title is \"$title\", not \"$want\""
    await 10000 "${lang}: the title \"$title\" and a caption" \
      eval '[ "$(count "$WHITE" 0 0 "$W" 40)" -gt 20 ] && [ "$(count "$YELLOW" 0 0 "$W" 40)" -gt 20 ]'
    keep "lang-${lang%%=*}"
    stop_it
  done
  rm -f "$shot" "$shot.band.png"
}
