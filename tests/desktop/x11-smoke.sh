#!/usr/bin/env bash
# The real program on a real X server: under Xvfb on a free display, a first
# start takes its zoom from the desktop's font; at actual size the
# window titled "Quarvel" maps at the design's client area (767 x 671, and
# twice that at a scale factor of 2), a screenshot shows the window drawn
# rather than a blank frame, and Ctrl+Q ends the program with status 0.
# However else the window goes, the program ends with it, with status 0:
# destroyed from outside (xdotool windowclose), with or without a message
# box open, and on SIGTERM, SIGINT or SIGHUP. A message box destroyed from
# outside counts as answered. Started with a plan named on the command line,
# whatever bytes its name holds, the window opens with it and is titled by it.
# Two windows typing at once keep their own unsaved work, one killed and one
# quit, and a third reopens each exactly. Xvfb and the programs are ended
# whatever happens; settings and unsaved work stay in the work folder.
#
# x11-smoke.sh PATH-TO-QUARVEL
set -euo pipefail
program=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
kept=$XDG_STATE_HOME/quarvel
xvfb=""
app=""
other=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$other" ] && kill "$other" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "x11-smoke: $*" >&2
  exit 1
}

# Runs the command until it succeeds, a tenth of a second apart, at most
# the given number of times.
retry() {
  local tries=$1
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# Xvfb picks a free display number itself and writes it to the file. It
# must not reset when its last client goes, or the next one finds no server.
Xvfb -displayfd 3 -noreset -screen 0 2048x1600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
retry 300 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n 1 "$work/display")
export DISPLAY=":$display"

# The window whose title matches the pattern, "Quarvel" unless given.
find_window() {
  xdotool search --onlyvisible --name "${1:-^Quarvel\$}" 2>/dev/null | head -n 1 >"$work/window" && [ -s "$work/window" ]
}
exited() { ! kill -0 "$app" 2>/dev/null; }
# The intensity, 0 to 255, of one pixel of the screenshot.
pixel() { convert "$work/shot.png" -crop "1x1+$1+$2" +repage -format '%[fx:int(255*intensity)]' info:; }

# Starts the program at the scale factor given and waits for its window.
start() {
  env -u QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$1" "$program" 2>"$work/quarvel.log" &
  app=$!
  retry 300 find_window || fail "no window titled Quarvel was mapped at scale $1: $(cat "$work/quarvel.log")"
  window=$(cat "$work/window")
}

# The program has ended, after what was done to it, with status 0.
ended() {
  retry 300 exited || fail "the program is still running after $1"
  local status=0
  wait "$app" || status=$?
  app=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status after $1: $(cat "$work/quarvel.log")"
  echo "x11-smoke: $1 ended the program with status 0"
}

smoke() {
  local scale=$1 width=$((767 * $1)) height=$((671 * $1))
  start "$scale"

  # The form keeps its design size beneath the menu bar.
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  local bar=$((HEIGHT - height))
  if [ "$WIDTH" != "$width" ] || [ "$bar" -lt $((12 * scale)) ] || [ "$bar" -gt $((40 * scale)) ]; then
    fail "at scale $scale the window maps at ${WIDTH}x${HEIGHT}, not ${width}x${height} beneath a menu bar"
  fi

  # The screenshot shows the window drawn: many colours, the summary frame's
  # top edge dark, the background light. A window can map before it is drawn.
  local colours=0
  drawn() {
    import -window "$window" "$work/shot.png" || return 1
    colours=$(identify -format '%k' "$work/shot.png")
    [ "$colours" -ge 16 ] || return 1
    local x
    for x in 100 250 400; do
      [ "$(pixel $((x * scale)) $((bar + 496 * scale)))" -lt 100 ] || return 1
    done
    [ "$(pixel 4 $((bar + 4)))" -gt 180 ]
  }
  retry 100 drawn || fail "at scale $scale the screenshot ($colours colours) does not show the window drawn"
  local size
  size=$(identify -format '%wx%h' "$work/shot.png")
  [ "$size" = "${WIDTH}x${HEIGHT}" ] || fail "at scale $scale the screenshot is $size, not ${WIDTH}x${HEIGHT}"

  echo "x11-smoke: at scale $scale the window mapped at ${width}x${height} with $colours colours"

  # Ctrl+Q, typed into the focused window, ends the program.
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+q
  ended "Ctrl+Q at scale $scale"
}

# A first start takes the zoom at which the form's text (11 pixels at actual
# size) is as large as the desktop's: here Qt's own 9 points at 96 dots an
# inch, 12 pixels, so 125%. Ctrl+0 brings it to actual size, which is kept.
start 1
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^WIDTH=')"
[ "$WIDTH" = 959 ] || fail "a first start maps $WIDTH wide, not 959 (the form at 125%)"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+0
retry 300 test -s "$XDG_CONFIG_HOME/quarvel/settings.json" || fail "Ctrl+0 kept no zoom"
xdotool key --clearmodifiers ctrl+q
ended "Ctrl+Q after a first start"

smoke 1
smoke 2

# A plan named on the command line opens, though its name is not UTF-8.
plan=$work/hill-402-$'\xff'.quarvel
cp "$(dirname "$0")/hill-402.quarvel" "$plan"
QT_QPA_PLATFORM=xcb "$program" "$plan" 2>"$work/quarvel.log" &
app=$!
retry 300 find_window '^hill-402-.*\.quarvel — Quarvel$' ||
  fail "no window titled by the plan named on the command line: $(cat "$work/quarvel.log")"
xdotool windowfocus --sync "$(cat "$work/window")" key --clearmodifiers ctrl+q
ended "Ctrl+Q with a plan named on the command line"

# Starts the program once more, without waiting; its window is found by
# window_of.
launch() { QT_QPA_PLATFORM=xcb "$program" 2>>"$work/quarvel.log" & }
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 >"$work/window" && [ -s "$work/window" ]; }
# Drawn, and so taking input: a window can map before its program reads keys.
drawn_at_all() { import -window "$1" "$work/shot.png" && [ "$(identify -format '%k' "$work/shot.png")" -ge 16 ]; }
# Types the text into "Attack From" (Text35), the form's first box; then
# more into the box that has the focus (a second click there could make a
# double click, which selects a word).
type_into() {
  local HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^HEIGHT=')"
  xdotool windowfocus --sync "$1" mousemove --window "$1" 188 $((HEIGHT - 671 + 20)) click 1 type "$2"
}
type_more() { xdotool windowfocus --sync "$1" type "$2"; }
# The kept file whose "Attack From" is exactly the text.
kept_with() { grep -l -F "\"Text35\": \"$1\"," "$kept"/*.quarvel 2>/dev/null | head -n 1; }

launch
app=$!
launch
other=$!
retry 300 window_of "$app" || fail "the first of two windows did not map"
first=$(cat "$work/window")
retry 300 window_of "$other" || fail "the second of two windows did not map"
second=$(cat "$work/window")
xdotool windowmove --sync "$second" 900 0 # side by side: a click reaches the window it is meant for
retry 100 drawn_at_all "$first" || fail "the first of two windows was not drawn"
retry 100 drawn_at_all "$second" || fail "the second of two windows was not drawn"
type_into "$first" "Alpha"
type_into "$second" "Bravo"
type_more "$first" " one"
retry 300 test -n "$(kept_with "Alpha one")" || fail "the first window's typing is not kept"
kill -KILL "$app"
wait "$app" 2>/dev/null || true
app=$other
other=""
type_more "$second" " two"
xdotool key --clearmodifiers ctrl+q # at once, without waiting for the work to be kept
ended "Ctrl+Q in the second of two windows"
alpha=$(kept_with "Alpha one")
bravo=$(kept_with "Bravo two")
[ -n "$bravo" ] || fail "the second window's last typing is not kept"

# The third window reopens the newest kept work, then the other: each moves
# into the third window's own files, whole.
start 1
menu_open() { [ "$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l)" -ge 2 ]; }
for text in "Bravo two" "Alpha one"; do
  xdotool windowfocus --sync "$window" key --clearmodifiers alt+f
  retry 100 menu_open || fail "the File menu did not open"
  xdotool key l # Reopen &Last Session
  moved() { [ ! -e "$1" ] && [ -n "$(kept_with "$text")" ]; }
  retry 300 moved "$([ "$text" = "Alpha one" ] && echo "$alpha" || echo "$bravo")" ||
    fail "the third window did not reopen \"$text\""
done
find_window '^Untitled\* — Quarvel$' || fail "the reopened work is not titled as unsaved"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
ended "Ctrl+Q in the window that reopened both"
echo "x11-smoke: two windows kept their own work, killed and quit, and a third reopened each"

start 1
xdotool windowclose "$window"
ended "destroying the window"

# A count box typed into before a mission type is chosen shows "Mission
# Error". The box destroyed alone counts as answered, and the window takes
# typing again; the window destroyed while a box waits for its OK ends the
# program all the same.
find_box() { xdotool search --onlyvisible --name '^Mission Error$' 2>/dev/null | head -n 1 >"$work/box" && [ -s "$work/box" ]; }
no_box() { ! find_box; }
type_count() {
  local HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^HEIGHT=')"
  xdotool windowfocus --sync "$window"
  xdotool mousemove --window "$window" 60 $((HEIGHT - 671 + 337)) click 1 # Text4, beneath the menu bar
  xdotool type 1
  retry 300 find_box || fail "no Mission Error box showed"
}
start 1
type_count
xdotool windowclose "$(cat "$work/box")"
retry 300 no_box || fail "the Mission Error box is still shown after it was destroyed"
type_count
xdotool windowclose "$window"
ended "destroying the window under a message box"

for signal in TERM INT HUP; do
  start 1
  kill -s "$signal" "$app"
  ended "SIG$signal"
done
