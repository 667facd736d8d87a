#!/usr/bin/env bash
# A USI engine for the tests, which answers every position with 7g7f (a move of the initial
# position) unless its first argument names the fault it shows:
#   silent      never answers 'usi'
#   no-readyok  never answers 'isready'
#   crash       dies by a signal when told to search
#   deaf        never answers 'stop', and ignores 'quit'
#   junk        mixes lines that make no sense into its answers
#   illegal     names an illegal move in its line of play, and as its best move
#   stuck       reports the depth asked for but ends its search only when told to stop
#   mute        says nothing while it searches, until told to stop
#   lines       reports two best lines of the initial position, 7g7f 3c3d 6g6f and 2g2f
mode="${1:-good}"
# Where the tests look for it after killing it.
[ -n "${FAKE_ENGINE_PID_FILE:-}" ] && echo $$ >"$FAKE_ENGINE_PID_FILE"
while IFS= read -r line; do
  case "$line" in
    usi)
      [ "$mode" = silent ] && continue
      echo "id name Fake $mode"
      [ "$mode" = junk ] && echo "option name Broken type spin default 9 min 1 max 5"
      echo "option name MultiPV type spin default 1 min 1 max 5"
      echo "usiok" ;;
    isready) [ "$mode" = no-readyok ] || echo "readyok" ;;
    go*)
      case "$mode" in
        crash) echo "info depth 1 score cp 12 pv 7g7f"; kill -SEGV $$ ;;
        junk) printf 'info depth x\nthinking hard\ninfo score cp\ninfo depth 1 score cp 12 pv 7g7f\nbestmove 7g7f\n' ;;
        illegal) printf 'info depth 1 score cp 12 pv 7g7f 5a5e 3c3d\nbestmove 5i5a\n' ;;
        deaf) echo "info depth 1 score cp 12 pv 7g7f" ;;
        stuck) echo "info depth ${line##* } score cp 12 pv 7g7f" ;;
        mute) ;;
        lines) printf 'info depth 3 multipv 1 score cp 30 pv 7g7f 3c3d 6g6f\ninfo depth 3 multipv 2 score cp -5 nodes 1200 nps 40000 pv 2g2f\n' ;;
        *) [ "$line" = "go infinite" ] || echo "bestmove 7g7f" ;;
      esac ;;
    stop) [ "$mode" = deaf ] || echo "bestmove 7g7f" ;;
    quit) [ "$mode" = deaf ] || exit 0 ;;
  esac
done
# Deaf to the end of its input too.
[ "$mode" = deaf ] && exec sleep 60
