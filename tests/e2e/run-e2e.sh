#!/usr/bin/env bash
# End-to-end test of the installed program on a real X server (Xvfb):
#   installs the build into a temporary prefix and checks the installed files;
#   starts the program on a copy of a small record, plays 7g-7f with real mouse clicks,
#   saves with Ctrl+S and checks the saved file holds the move;
#   does the same with a KIF file in Shift_JIS, and reads the saved file back with esn;
#   takes a screenshot and checks the pieces' yellow and the last move's shading in the squares;
#   checks that a file that cannot be opened shows a message box and ends with status 1;
#   checks that the program speaks Japanese in a Japanese locale.
# Usage: run-e2e.sh BUILD_DIR SCREENCOUNT_PROGRAM
#
# The program prints the board window's screen position ("marlock: board at X,Y") when
# MARLOCK_REPORT_GEOMETRY is set; that is how the clicks find the squares.
set -euo pipefail

build=$(cd "$1" && pwd)
screencount=$2

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "e2e: FAILED: $tool is not installed (scripts/setup --test installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "e2e: FAILED: $*" >&2
  if [ -f "$work/screen.png" ]; then
    cp "$work/screen.png" "$build/e2e-failure.png"
    echo "e2e: the screenshot is in $build/e2e-failure.png" >&2
  fi
  if [ -f "$work/marlock.err" ]; then
    echo "--- program's standard error:" >&2
    cat "$work/marlock.err" >&2
  fi
  exit 1
}

# --- Installation -------------------------------------------------------------------------
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/marlock bin/esn share/applications/marlock.desktop \
  share/mime/packages/marlock-esn.xml share/mime/packages/marlock-records.xml share/icons/hicolor/32x32/apps/marlock.png \
  share/icons/hicolor/32x32/mimetypes/application-x-esn-record.png \
  share/icons/hicolor/256x256/apps/marlock.png share/icons/hicolor/scalable/apps/marlock.svg \
  share/icons/hicolor/scalable/mimetypes/application-x-esn-record.svg \
  share/doc/marlock/copyright share/doc/marlock/changelog.gz; do
  [ -e "$prefix/$f" ] || fail "the installation lacks $f"
done

# A session of its own: settings, desktop files and the record stay inside the work folder.
export HOME=$work/home
export XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_HOME=$work/home/.local/share
export XDG_DATA_DIRS=$prefix/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export LSAN_OPTIONS=${LSAN_OPTIONS:-}
marlock=$prefix/bin/marlock

# --- A real X server --------------------------------------------------------------------------
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

record=$work/game.esn
printf '[TITLE End to end]\r\n[BLACK Hana]\r\n[WHITE Tomas]\r\n' >"$record"

# Starts the program on FILE and waits for its window, titled TITLE, and for the board's place.
start_program() { # FILE TITLE
  MARLOCK_REPORT_GEOMETRY=1 "$marlock" "$1" 2>"$work/marlock.err" &
  app_pid=$!
  window=$(timeout 20 xdotool search --sync --name "^$2 - Marlock\$" | head -n1) ||
    fail "no window titled '$2 - Marlock' appeared"
  for _ in $(seq 100); do
    grep -q '^marlock: board at ' "$work/marlock.err" && break
    sleep 0.1
  done
  position=$(sed -n 's/^marlock: board at \(-\?[0-9]*\),\(-\?[0-9]*\)$/\1 \2/p' "$work/marlock.err" |
    head -n1)
  [ -n "$position" ] || fail "the program did not report where its board is"
  read -r board_x board_y <<<"$position"
}
stop_program() {
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}
start_program "$record" 'game\.esn'

# Square centres: file 1 is the rightmost column of the grid, rank a the top row.
square_left() { echo $((board_x + 320 - 32 * ($1 - 1))); }
square_top() { echo $((board_y + 32 + 32 * $1)); }
click_square() {
  xdotool mousemove --sync $(($(square_left "$1") + 16)) $(($(square_top "$2") + 16)) click 1
  sleep 0.2
}

click_square 7 6  # the pawn on 7g
click_square 7 5  # to 7f

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+s
for _ in $(seq 100); do
  grep -q 'P-7f' "$record" && break
  sleep 0.1
done
grep -q '1\. P-7f' "$record" || fail "the saved record does not hold 1. P-7f: $(cat "$record")"
grep -q '\[TITLE End to end\]' "$record" || fail "the saved record lost its title"

# --- What the screen shows ----------------------------------------------------------------
probe() { # FILE RANK COLOUR
  echo "$(square_left "$1"),$(square_top "$2"),32,32,$3"
}
yellow=ffff66
last_move=e6be6e
screen_shows_the_move() {
  local counts
  counts=$("$screencount" "$work/screen.png" \
    "$(probe 7 5 $yellow)" "$(probe 7 6 $yellow)" "$(probe 7 6 $last_move)" "$(probe 5 0 $yellow)") ||
    fail "no screenshot"
  mapfile -t c <<<"$counts"
  problem=""
  [ "${c[0]}" -ge 100 ] || problem="7f shows no piece (${c[0]} yellow pixels)"
  [ "${c[1]}" -eq 0 ] || problem="7g still shows a piece (${c[1]} yellow pixels)"
  [ "${c[2]}" -ge 600 ] || problem="7g, which the move left, is not shaded (${c[2]} pixels)"
  [ "${c[3]}" -ge 100 ] || problem="White's king on 5a is not drawn (${c[3]} yellow pixels)"
  [ -z "$problem" ]
}
# The window repaints on its own time: give it a moment before judging.
for _ in $(seq 10); do
  screen_shows_the_move && break
  sleep 0.2
done
[ -z "$problem" ] || fail "$problem"
stop_program

# --- A KIF file in Shift_JIS: a move entered, saved with Ctrl+S in the same format -----------
kif=$work/even.kif
printf '%s\r\n' '先手：花子' '後手：トマス' '手数----指手---------消費時間--' '   1 ７六歩(77)' |
  iconv -f UTF-8 -t CP932 >"$kif"
start_program "$kif" 'even\.kif'
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+End
sleep 0.2
click_square 3 2 # White's pawn on 3c
click_square 3 3 # to 3d
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+s
for _ in $(seq 100); do
  iconv -f CP932 -t UTF-8 "$kif" 2>/dev/null | grep -q '３四歩' && break
  sleep 0.1
done
stop_program
saved=$(iconv -f CP932 -t UTF-8 "$kif") || fail "the saved KIF is not Shift_JIS"
! iconv -f UTF-8 -t UTF-8 "$kif" >/dev/null 2>&1 || fail "the saved KIF is in UTF-8, not Shift_JIS"
grep -q '^ *2 ３四歩(33)' <<<"$saved" || fail "the saved KIF lacks the move 2 line: $saved"
grep -q '^先手：花子' <<<"$saved" || fail "the saved KIF lost its players: $saved"
# The format library reads back the tree the program saved: the same nodes as the moves alone.
printf 'position startpos moves 7g7f 3c3d\n' >"$work/even.usi"
nodes() { "$prefix/bin/esn" dump --json "$1" | sed -n '/^"nodes"/,/^\],$/p'; }
[ -n "$(nodes "$kif")" ] && [ "$(nodes "$kif")" = "$(nodes "$work/even.usi")" ] ||
  fail "the saved KIF does not read back as 7g7f 3c3d: $(nodes "$kif")"

# --- A file that cannot be opened, with a display: a message box, then status 1 --------------
"$marlock" "$work/missing.esn" 2>"$work/missing-x.err" &
app_pid=$!
box=$(timeout 20 xdotool search --sync --name '^Marlock$' | head -n1) ||
  fail "no message box for a file that cannot be opened"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key --clearmodifiers Return
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 1 ] || fail "after the message box the program ended with status $status, not 1"
grep -q "^marlock: Cannot open $work/missing.esn: " "$work/missing-x.err" ||
  fail "no reason on standard error with a display: $(cat "$work/missing-x.err")"

# --- A Japanese locale: the program speaks Japanese ------------------------------------------
env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 "$marlock" 2>"$work/marlock.err" &
app_pid=$!
# xdotool's pattern does not match Japanese: the window is found by its English end.
title=""
for _ in $(seq 100); do
  for w in $(xdotool search --name ' - Marlock$' 2>/dev/null); do
    title=$(xdotool getwindowname "$w")
    [ "$title" = "無題 - Marlock" ] && break 2
  done
  sleep 0.2
done
[ "$title" = "無題 - Marlock" ] || fail "in a Japanese locale the window is titled '$title'"
stop_program

echo "e2e: passed (board at $board_x,$board_y; counts ${c[*]})"
