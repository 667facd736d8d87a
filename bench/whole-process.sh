#!/usr/bin/env bash
# Times `esn check` and `esn convert` in fresh processes, best of five, on the samples that
# `esn_bench --write-samples=FOLDER` writes:
#   bench/whole-process.sh ESN FOLDER
# For each file: the best wall time, moves per second, the peak resident size and the bytes a
# move costs beyond the file's own size and an empty file's run; then, for each target format,
# what writing adds to reading the CSA line (`esn convert` against `esn check`).
set -euo pipefail
esn="$1"
folder="$2"
moves=1000000

# The best of five: prints "SECONDS KIB" of the fastest run.
best() {
  local best_s="" best_k=""
  for _ in 1 2 3 4 5; do
    local out
    /usr/bin/time -o "$folder/time.txt" -f "%e %M" "$@" >/dev/null 2>&1 || true
    out=$(tail -1 "$folder/time.txt")
    local s=${out% *} k=${out#* }
    if [ -z "$best_s" ] || awk "BEGIN{exit !($s < $best_s)}"; then best_s=$s; best_k=$k; fi
  done
  echo "$best_s $best_k"
}

: >"$folder/empty.csa"
read -r _ empty_k < <(best "$esn" check "$folder/empty.csa")
echo "empty run: $empty_k KiB"
printf '%-16s %8s %10s %12s %14s\n' file seconds moves/s "peak KiB" "bytes/move"
for f in long-line.esn timed-line.kif timed-line.ki2 timed-line.csa timed-line.jkf timed-line.usi; do
  read -r s k < <(best "$esn" check "$folder/$f")
  size=$(stat -c %s "$folder/$f")
  awk -v f="$f" -v s="$s" -v k="$k" -v e="$empty_k" -v size="$size" -v m="$moves" 'BEGIN {
    printf "%-16s %8.2f %9.2fM %12d %14.1f\n", f, s, m / s / 1e6, k, ((k - e) * 1024 - size) / m }'
done
read -r base _ < <(best "$esn" check "$folder/timed-line.csa")
printf '%-16s %8s %10s %12s\n' "convert to" seconds "adds (s)" "peak KiB"
for to in esn kif ki2 csa jkf usi; do
  read -r s k < <(best "$esn" convert "$folder/timed-line.csa" --to "$to" -o "$folder/out.$to")
  awk -v t="$to" -v s="$s" -v b="$base" -v k="$k" 'BEGIN {
    printf "%-16s %8.2f %10.2f %12d\n", t, s, s - b, k }'
done
rm -f "$folder/empty.csa" "$folder/time.txt" "$folder"/out.*
