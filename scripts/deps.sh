#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet,
# through sudo when not root. Sourced by the run and test commands.
set -euo pipefail

install_missing() {
  local missing=()
  local p
  for p in "$@"; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libcups2-dev libxcb1-dev libfontconfig-dev fonts-liberation)

# What the tests need besides: test libraries, a virtual display and X tools,
# a print spooler and page renderers, clang with its sanitizers and fuzzer,
# Debian packaging tools, the desktop entry's and the metainfo's checkers, the
# MIME database and man, locale sources; the cold-start benchmark's X
# libraries.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev libxcb-damage0-dev libxcb-xtest0-dev xvfb xauth x11-utils xdotool
  imagemagick
  cups cups-client cups-bsd poppler-utils ghostscript
  clang libclang-rt-14-dev libfuzzer-14-dev dpkg-dev file locales desktop-file-utils
  appstream shared-mime-info man-db)
