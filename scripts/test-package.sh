#!/usr/bin/env bash
# Builds the Debian package in build-package/ (Release, no tests), checks what
# it holds and what it depends on, installs it with apt-get as a person would,
# and starts the installed program offscreen to see it come up and stay up.
# The package is removed again at the end. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" dpkg-dev file desktop-file-utils xvfb xdotool

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
fail() {
  echo "test-package: $*" >&2
  exit 1
}

rm -f build-package/quarvel_*.deb
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_TESTS=OFF -DQUARVEL_BENCHMARKS=OFF >/dev/null
cmake --build build-package -j2
(cd build-package && cpack -G DEB)
debs=(build-package/quarvel_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

# What it holds: the program and its print module, its desktop entry and
# icon in the XDG places.
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/quarvel usr/lib/quarvel/quarvel-print.so usr/share/applications/quarvel.desktop \
  usr/share/icons/hicolor/scalable/apps/quarvel.svg; do
  grep -q " \./$file\$" <<<"$contents" || fail "$deb holds no /$file"
done
desktop-file-validate packaging/quarvel.desktop

# What it asks for: the Qt libraries it links, the window's font and Qt's
# platform plugins.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libcups2 fonts-liberation qt6-qpa-plugins; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "$deb does not depend on $package: $depends"
done

# apt-get resolves the dependencies from its lists, which a fresh machine may
# not have yet.
compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null || "${sudo[@]}" apt-get update -qq
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq quarvel >/dev/null || true
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./$deb"
[ -x /usr/bin/quarvel ] || fail "/usr/bin/quarvel was not installed"
desktop-file-validate /usr/share/applications/quarvel.desktop
fonts=$(fc-list : family) # read whole: grep -q would end fc-list early, and pipefail with it
grep -qx "Liberation Sans" <<<"$fonts" || fail "the window's font, Liberation Sans, is not installed"

# The installed program comes up offscreen and stays up.
log=$(mktemp)
QT_QPA_PLATFORM=offscreen /usr/bin/quarvel >"$log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  pid=""
  fail "the installed program ended at start-up with status $status: $(cat "$log")"
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

# The print service's library is loaded with Print's module, not at start;
# the installed program finds the module. On a virtual display with no print
# service, Ctrl+P offers to save the page as a PDF file instead of saying
# that the module is missing.
if ldd /usr/bin/quarvel | grep -q libcups; then
  fail "/usr/bin/quarvel loads the print service's library at start"
fi
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$log.display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$log.display" ] && break; sleep 0.1; done
[ -s "$log.display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$log.display")"
CUPS_SERVER=/nonexistent/cups.sock QT_QPA_PLATFORM=xcb /usr/bin/quarvel >"$log" 2>&1 &
pid=$!
shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window=""
for _ in $(seq 100); do window=$(shown '^Quarvel$') && [ -n "$window" ] && break; sleep 0.1; done
[ -n "$window" ] || fail "the installed program showed no window: $(cat "$log")"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+p
for _ in $(seq 100); do
  [ -n "$(shown '^Save as PDF$')" ] && break
  [ -n "$(shown '^Print Error$')" ] && fail "the installed program did not find its print module"
  sleep 0.1
done
[ -n "$(shown '^Save as PDF$')" ] || fail "Ctrl+P in the installed program offered no Save as PDF dialog: $(cat "$log")"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
rm -f "$log" "$log.display"
echo "test-package: $deb installs, /usr/bin/quarvel comes up and stays up, and prints through its module"
