#!/usr/bin/env bash
# Without a display, or with one that cannot be reached, the program says so
# in one line that names the installed program, and ends with status 1.
program=$1
for display in "" ":9999"; do
  said=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)
  status=$?
  if [ "$status" -ne 1 ] || [ "$(wc -l <<<"$said")" -ne 1 ] || [[ "$said" != "quarvel: "*"xvfb-run quarvel" ]]; then
    echo "with DISPLAY=\"$display\" the program ended with status $status and said: $said"
    exit 1
  fi
done
