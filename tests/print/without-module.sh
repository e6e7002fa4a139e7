#!/usr/bin/env bash
# without-module.sh PATH-TO-QUARVEL-SCENARIO SCENARIO: plays the scenario with
# the runner copied alone into an empty folder, where no print module is to
# be found beside it or among its libraries.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/"
"$work/$(basename "$1")" "$2"
