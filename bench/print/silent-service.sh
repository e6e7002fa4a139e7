#!/usr/bin/env bash
# What a person sees when the print service stops answering: the program on
# a real X server (Xvfb) with a default printer on the print tests' private
# scheduler, which is stopped (SIGSTOP) just before Print is pressed (Ctrl+P).
# A second later the person clicks into a count box and types 42; a second
# after that another window covers part of the window and goes away again.
# Printed: when the uncovered part was painted again, when a dialog came up
# (or, after SECONDS, what came once the scheduler went on), and whether 42
# reached the count box once the dialog was closed with Escape.
#
#   tests/print/spooler.sh --timeout 200 bench/print/silent-service.sh build/quarvel [SECONDS]
set -euo pipefail
program=$(realpath "$1")
limit=${2:-60}
[ -n "${QUARVEL_SCHEDULER:-}" ] || { echo "run it through tests/print/spooler.sh" >&2; exit 2; }
work=$(mktemp -d)
xvfb="" app="" cover=""
cleanup() {
  kill -CONT "$QUARVEL_SCHEDULER" 2>/dev/null || true
  for pid in $cover $app $xvfb; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
shot() { import -window root "$work/$1.png"; }
# Pixels of an area that differ between two screenshots.
differ() {
  convert "$work/$1.png" -crop "$3" +repage "$work/a.png"
  convert "$work/$2.png" -crop "$3" +repage "$work/b.png"
  compare -metric AE -fuzz 10% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
# Dark pixels in an area: the digits typed into a count box.
ink() { convert "$work/$1.png" -crop "$2" +repage -colorspace gray -threshold 50% -negate -format '%[fx:int(w*h*mean)]' info:; }
dialog() {
  local title
  for title in "Print Error" "Save as PDF"; do
    xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 && { echo "$title"; return 0; }
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
lpadmin -p desk -E -v "file:$QUARVEL_SPOOL/out/desk.prn" -m drv:///sample.drv/generic.ppd 2>/dev/null
lpadmin -d desk
QT_QPA_PLATFORM=xcb "$program" 2>"$work/quarvel.log" &
app=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Quarvel$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window: $(cat "$work/quarvel.log")" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
box="19x13+595+446"        # inside the count box Text16, beneath the menu bar, the window at the corner
area="300x150+100+100"     # what the other window covers
shot before

kill -STOP "$QUARVEL_SCHEDULER"
start=$(now)
xdotool key --clearmodifiers ctrl+p
sleep 1
xdotool mousemove 604 452 click 1 # Print took the focus: into the count box, as a person would
xdotool type --delay 50 "42"
sleep 1
xmessage -geometry 300x150+100+100 -bg black -fg black "cover" 2>/dev/null &
cover=$!
sleep 0.5
kill "$cover"
wait "$cover" 2>/dev/null || true
cover=""
uncovered=$(since "$start")

painted="" seen=""
while [ "$(since "$start" | cut -d. -f1)" -lt "$limit" ]; do
  if [ -z "$painted" ]; then
    shot now
    [ "$(differ before now "$area")" -lt 100 ] && painted=$(since "$start")
  fi
  seen=$(dialog) && break
  sleep 0.2
done
if [ -n "$painted" ]; then
  echo "uncovered at ${uncovered} s, painted again at $painted s"
else
  echo "uncovered at ${uncovered} s, not painted again in $limit s"
fi
if [ -n "$seen" ]; then
  echo "\"$seen\" came up at $(since "$start") s, the scheduler still stopped"
else
  echo "no dialog in $limit s; the scheduler goes on"
  kill -CONT "$QUARVEL_SCHEDULER"
  resumed=$(now)
  for _ in $(seq 100); do
    seen=$(dialog) && break
    sleep 0.1
  done
  echo "then: ${seen:+\"$seen\" came up}${seen:-no dialog} within $(since "$resumed") s"
  sleep 2
  printed=$(stat -c %s "$QUARVEL_SPOOL/out/desk.prn" 2>/dev/null || echo 0)
  echo "the printer has printed $printed bytes"
fi
if [ -n "$seen" ]; then
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$seen\$" | head -n 1)" 2>/dev/null || true
  xdotool key Escape
  sleep 1
fi
shot after
[ -z "${QUARVEL_SHOTS:-}" ] || cp "$work"/before.png "$work"/after.png "$QUARVEL_SHOTS"
echo "dark pixels in the count box: $(ink before "$box") before Print, $(ink after "$box") at the end" \
  "(the text cursor alone makes about 12, the digits 42 about 30)"
kill -0 "$app" 2>/dev/null && echo "the program is still running" || echo "the program has ended"
