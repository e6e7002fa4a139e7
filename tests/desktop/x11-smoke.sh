#!/usr/bin/env bash
# The real program on a real X server: under Xvfb on a free display, the
# window titled "Quarvel" maps at the design's client area (767 x 671, and
# twice that at a scale factor of 2), a screenshot shows the window drawn
# rather than a blank frame, and Ctrl+Q ends the program with status 0.
# Xvfb and the program are ended whatever happens.
#
# x11-smoke.sh PATH-TO-QUARVEL
set -euo pipefail
program=$1
work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
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
# must not reset when its last client, the program, ends: the next start
# would find no server to connect to.
Xvfb -displayfd 3 -screen 0 2048x1600x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
retry 300 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n 1 "$work/display")
export DISPLAY=":$display"

find_window() { xdotool search --onlyvisible --name '^Quarvel$' 2>/dev/null | head -n 1 >"$work/window" && [ -s "$work/window" ]; }
exited() { ! kill -0 "$app" 2>/dev/null; }
# The intensity, 0 to 255, of one pixel of the screenshot.
pixel() { convert "$work/shot.png" -crop "1x1+$1+$2" +repage -format '%[fx:int(255*intensity)]' info:; }

smoke() {
  local scale=$1 width=$((767 * $1)) height=$((671 * $1))
  env -u QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" "$program" 2>"$work/quarvel.log" &
  app=$!
  retry 300 find_window || fail "no window titled Quarvel was mapped at scale $scale: $(cat "$work/quarvel.log")"
  local window
  window=$(cat "$work/window")

  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
  if [ "$WIDTH" != "$width" ] || [ "$HEIGHT" != "$height" ]; then
    fail "at scale $scale the window maps at ${WIDTH}x${HEIGHT}, not ${width}x${height}"
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
      [ "$(pixel $((x * scale)) $((496 * scale)))" -lt 100 ] || return 1
    done
    [ "$(pixel 4 4)" -gt 180 ]
  }
  retry 100 drawn || fail "at scale $scale the screenshot ($colours colours) does not show the window drawn"
  local size
  size=$(identify -format '%wx%h' "$work/shot.png")
  [ "$size" = "${width}x${height}" ] || fail "at scale $scale the screenshot is $size, not ${width}x${height}"

  # Ctrl+Q, typed into the focused window, ends the program.
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers ctrl+q
  retry 300 exited || fail "at scale $scale the program is still running after Ctrl+Q"
  local status=0
  wait "$app" || status=$?
  app=""
  [ "$status" -eq 0 ] || fail "at scale $scale the program ended with status $status after Ctrl+Q: $(cat "$work/quarvel.log")"
  echo "x11-smoke: at scale $scale the window mapped at ${width}x${height} with $colours colours; Ctrl+Q ended it"
}

smoke 1
smoke 2
