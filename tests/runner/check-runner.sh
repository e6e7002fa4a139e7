#!/usr/bin/env bash
# The runner's contract: output lines and exit statuses.
set -u
runner=$1
cases=$(dirname "$0")/cases
made=$(mktemp -d)
trap 'rm -rf "$made"' EXIT
fail=0

expect() { # status, pattern, runner arguments...
  local want=$1 pattern=$2
  shift 2
  local out status
  out=$("$runner" "$@" 2>/dev/null)
  status=$?
  if [ "$status" -ne "$want" ]; then
    echo "FAIL: $* exited $status, expected $want"; echo "$out"; fail=1
  elif ! grep -qF -- "$pattern" <<<"$out"; then
    echo "FAIL: $* printed no line with: $pattern"; echo "$out"; fail=1
  fi
}

expect 0 "1 passed, 0 failed" "$cases/passing.scn"
expect 1 "$cases/failing.scn:3: expect Label1 5" "$cases/failing.scn"
expect 1 'expected Label1 "5"; found "0"' "$cases/failing.scn"
expect 1 "0 passed, 1 failed" "$cases/failing.scn"
expect 1 "not checked" "$cases/unchecked-box.scn"
expect 1 'found message box "Mission Error" " Select Mission Type!"' "$cases/wrong-box.scn"
expect 1 "found it disabled" "$cases/closed-list.scn"
expect 2 "$cases/unknown-step.scn:2: frobnicate Text4" "$cases/unknown-step.scn"
expect 2 "no control named" "$cases/unknown-control.scn"
expect 2 "cannot be read" "$cases/no-such-file.scn"
# A file that fails to parse counts as failed and the others still run.
expect 2 "1 passed, 2 failed" "$cases/passing.scn" "$cases/unknown-step.scn" "$cases/failing.scn"
# Text beyond ASCII is typed as an input method delivers it; a step that
# cannot be typed (a control character, bytes that are not UTF-8) fails
# with its line, and the runner goes on to the next file.
expect 0 "1 passed, 0 failed" "$cases/non-ascii.scn"
printf 'expect Label1 0\ntype Text35 "a\001b"\nexpect Label1 0\n' >"$made/control.scn"
printf 'type Text35 "Z\374rich"\n' >"$made/latin1.scn"
expect 1 "$made/control.scn:2: type Text35" "$made/control.scn"
expect 1 "$made/latin1.scn:1: type Text35" "$made/latin1.scn"
expect 1 "1 passed, 2 failed" "$made/control.scn" "$made/latin1.scn" "$cases/passing.scn"
# A quote left open makes the file unreadable; an empty file name fails its
# step.
printf 'expect Label1 "0\n' >"$made/quote.scn"
printf 'open ""\n' >"$made/empty-path.scn"
expect 2 "a quote that is not closed" "$made/quote.scn"
expect 1 "found an empty PATH" "$made/empty-path.scn"
exit $fail
