#!/usr/bin/env bash
# typical-page.sh PATH-TO-QUARVEL-SCENARIO TYPICAL-EVENT.SCN: the page that
# Export as PDF makes of the typical event says in words, beneath the
# drawing, which plan it is, when it was printed, the force with its whole
# type names and the summary; and it holds no picture, only lines and text.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{ cat "$2"; printf 'export %s\nno-alert\n' "$work/page.pdf"; } >"$work/page.scn"
"$1" "$work/page.scn" >/dev/null
beneath=$(pdftotext -layout "$work/page.pdf" - | sed -n '/^Plan /,$p' | tr -s ' ')
status=0
for line in "Plan Untitled" "Trucks 2 ZIL Medium Truck" "Infantry 3 Regular Infantry Squad" \
  "You can Carry 1 Squad/s OR 2740 Pounds of Cargo" "You can Tow 2 Weapons from the \"Towed\" Section" \
  "You Will Need 51 Combat Supplies for the Mission" "Of Those, 17 Supplies can be carried as the Combat Load"; do
  grep -qxF "$line" <<<"$beneath" || { echo "not beneath the drawing: $line" && status=1; }
done
grep -qx "Printed .*$(date +%Y).*" <<<"$beneath" || { echo "no date of printing" && status=1; }
images=$(pdfimages -list "$work/page.pdf" | tail -n +3)
[ -z "$images" ] || { echo "pictures on the page: $images" && status=1; }
exit $status
