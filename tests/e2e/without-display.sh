#!/usr/bin/env bash
# The program started where there is no display (no DISPLAY, no platform chosen): what needs no
# window answers, and everything else ends with one line and a status, never an abort.
# Usage: without-display.sh MARLOCK
set -uo pipefail

marlock=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
printf '[TITLE Short game]\r\n1. P-7f\r\n' >"$work/game.esn"

failures=0
# expect STATUS STDOUT STDERR ARGUMENT...: the exact status and outputs of one run.
expect() {
  local status=$1 out=$2 err=$3
  shift 3
  local got=0
  "$marlock" "$@" >"$work/out" 2>"$work/err" || got=$?
  if [ "$got" -ne "$status" ] || [ "$(cat "$work/out")" != "$out" ] ||
    [ "$(cat "$work/err")" != "$err" ]; then
    echo "FAILED: marlock $*"
    echo "  status $got (wanted $status)"
    echo "  standard output: $(cat "$work/out")"
    echo "  standard error:  $(cat "$work/err")"
    failures=$((failures + 1))
  fi
}

no_window="marlock: Cannot show the window: no display (DISPLAY is not set)."
"$marlock" --version | grep -q '^Marlock [0-9]' || {
  echo "FAILED: marlock --version does not name the program and its version"
  failures=$((failures + 1))
}
expect 1 "" "marlock: Cannot open $work/missing.esn: No such file or directory" "$work/missing.esn"
expect 1 "" "marlock: Cannot open $work: Is a directory" "$work"
expect 1 "" "$no_window" "$work/game.esn"
expect 1 "" "$no_window"
expect 2 "" "marlock: Unknown option 'bogus'.
Try 'marlock --help'." --bogus
expect 2 "" "marlock: Only one file can be opened.
Try 'marlock --help'." "$work/game.esn" "$work/game.esn"

# The help names the options and the file, on standard output.
"$marlock" --help >"$work/out" 2>&1 || failures=$((failures + 1))
for word in --help --version FILE; do
  grep -q -- "$word" "$work/out" || {
    echo "FAILED: --help does not mention $word: $(cat "$work/out")"
    failures=$((failures + 1))
  }
done

# A display that is named but cannot be reached is no display either.
DISPLAY=:97 expect 1 "" "marlock: Cannot show the window: cannot connect to the display :97." \
  "$work/game.esn"

[ "$failures" -eq 0 ] && echo "without-display: passed"
[ "$failures" -eq 0 ]
