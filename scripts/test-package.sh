#!/usr/bin/env bash
# Builds the Debian package in build-package/ (Release, no tests), checks what
# it holds and what it depends on, installs it with apt-get as a person would,
# checks that the desktop knows it (its menu entry, its plans' MIME type, its
# AppStream metainfo, its man page), and starts the installed program: --help
# and --version without a display, and offscreen with a plan to open.
# The package is removed again at the end. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
install_missing "${BUILD_PACKAGES[@]}" dpkg-dev file desktop-file-utils appstream shared-mime-info man-db xvfb xdotool

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

# What it holds: the program and its print module, its desktop entry, icon, MIME type, metainfo and
# man page in the XDG and FHS places.
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/quarvel usr/lib/quarvel/quarvel-print.so usr/share/applications/org.quarvel.quarvel.desktop \
  usr/share/icons/hicolor/scalable/apps/quarvel.svg usr/share/mime/packages/quarvel.xml \
  usr/share/metainfo/org.quarvel.quarvel.metainfo.xml usr/share/man/man1/quarvel.1; do
  grep -q " \./$file\$" <<<"$contents" || fail "$deb holds no /$file"
done
# Checked as the package lays them out: the metainfo with the desktop entry it
# launches (validate-tree finds a misnamed entry; validate alone does not),
# warnings counting as failures, and the man page warning-free.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net "$tree" || fail "the metainfo or the desktop entry it launches does not validate"
lint=$(groff -man -ww -z "$tree/usr/share/man/man1/quarvel.1" 2>&1)
[ -z "$lint" ] || fail "the man page does not render cleanly: $lint"
version=$(dpkg-deb -f "$deb" Version)
release=$(grep -om1 '<release version="[^"]*"' "$tree/usr/share/metainfo/org.quarvel.quarvel.metainfo.xml")
[ "$release" = "<release version=\"$version\"" ] || fail "the metainfo's newest release is not $version: $release"
rm -rf "$tree"
trap - EXIT

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
  rm -rf "${home:-}"
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq quarvel >/dev/null || true
}
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./$deb"
[ -x /usr/bin/quarvel ] || fail "/usr/bin/quarvel was not installed"
desktop-file-validate /usr/share/applications/org.quarvel.quarvel.desktop
# The package's triggers have taken in the plans' type, and a file manager
# opens them with Quarvel.
grep -qx '[0-9]*:application/x-quarvel-plan:\*\.quarvel' /usr/share/mime/globs2 ||
  fail "the MIME database does not know *.quarvel"
grep -qx 'application/x-quarvel-plan=\(.*;\)\?org\.quarvel\.quarvel\.desktop;.*' /usr/share/applications/mimeinfo.cache ||
  fail "no desktop entry is named for application/x-quarvel-plan"
pages=$(man -wa quarvel) || true
grep -qx /usr/share/man/man1/quarvel.1 <<<"$pages" || fail "man finds no quarvel page in /usr/share/man (does dpkg leave it out?)"
fonts=$(fc-list : family) # read whole: grep -q would end fc-list early, and pipefail with it
grep -qx "Liberation Sans" <<<"$fonts" || fail "the window's font, Liberation Sans, is not installed"

# --help and --version answer without a display.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
said=$("${nodisplay[@]}" /usr/bin/quarvel --version) || fail "quarvel --version failed: $said"
[ "$said" = "quarvel $version" ] || fail "quarvel --version prints \"$said\", not quarvel $version"
said=$("${nodisplay[@]}" /usr/bin/quarvel --help) || fail "quarvel --help failed: $said"
grep -qx 'Usage: /usr/bin/quarvel \[options\] \[plan\]' <<<"$said" || fail "quarvel --help prints no usage: $said"

# The installed program comes up offscreen with a plan named on the command
# line, opens it (it joins the recent plans in the settings) and stays up.
# Its settings and unsaved work go to a folder of the test's own.
home=$(mktemp -d)
cp tests/desktop/hill-402.quarvel "$home/"
XDG_CONFIG_HOME=$home XDG_STATE_HOME=$home QT_QPA_PLATFORM=offscreen /usr/bin/quarvel "$home/hill-402.quarvel" \
  >"$home/log" 2>&1 &
pid=$!
opened() { grep -qF "\"$home/hill-402.quarvel\"" "$home/quarvel/recent-plans.json" 2>/dev/null; }
for _ in $(seq 100); do
  opened || ! kill -0 "$pid" 2>/dev/null && break
  sleep 0.1
done
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  pid=""
  fail "the installed program ended at start-up with status $status: $(cat "$home/log")"
fi
opened || fail "the installed program did not open the plan named on the command line: $(cat "$home/log")"
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
log=$home/log
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$log.display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$log.display" ] && break; sleep 0.1; done
[ -s "$log.display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$log.display")"
XDG_CONFIG_HOME=$home XDG_STATE_HOME=$home CUPS_SERVER=/nonexistent/cups.sock QT_QPA_PLATFORM=xcb /usr/bin/quarvel \
  >"$log" 2>&1 &
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
echo "test-package: $deb installs, the desktop knows it, /usr/bin/quarvel opens a plan, and prints through its module"
