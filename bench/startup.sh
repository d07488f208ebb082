#!/usr/bin/env bash
# Start-up of VordaForWin against a bare QMainWindow of the same size, both
# offscreen, each quitting right after its first paint: wall time, CPU time
# (user + system) and peak resident memory of the whole process, median of N
# runs. The programs take turns, run by run, so that both see the same load
# of the machine. OTHER, another build of VordaForWin (an older commit's,
# with its pictures beside it), is timed in the same turns against the same
# bare window.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS] [OTHER]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/common.sh"
BUILD_DIR="${1:-$BUILD_DIR}"
RUNS="${2:-30}"
OTHER="${3:-}"
export QT_QPA_PLATFORM=offscreen VORDA_QUIT_AFTER_FIRST_PAINT=1

TIMER="$BUILD_DIR/bench/process_timer"
programs=("$BUILD_DIR/bench/bare_window" "$BUILD_DIR/ui/VordaForWin")
names=("bare QMainWindow" "VordaForWin")
if [ -n "$OTHER" ]; then
  programs+=("$OTHER")
  names+=("OTHER")
fi
for exe in "$TIMER" "${programs[@]}"; do
  if [ ! -x "$exe" ]; then
    echo "startup.sh: $exe is missing: build process_timer, bare_window and VordaForWin" >&2
    exit 1
  fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for exe in "${programs[@]}"; do "$TIMER" "$exe" >/dev/null; done  # warm the file cache
for ((i = 0; i < RUNS; i++)); do
  for p in "${!programs[@]}"; do
    "$TIMER" "${programs[$p]}" >>"$out/$p"
  done
done

medians() {  # "wall cpu kib" of the runs in file $1
  local c values line=()
  for c in 1 2 3; do
    values=$(awk -v c="$c" '{print $c}' "$1" | sort -n)
    line+=("$(sed -n "$((RUNS / 2 + 1))p" <<<"$values")")
  done
  echo "${line[*]}"
}

printf 'runs each: %d (median), taking turns\n' "$RUNS"
[ -z "$OTHER" ] || printf 'OTHER: %s\n' "$OTHER"
printf '%-18s %9s %9s %10s\n' "" "wall ms" "CPU ms" "peak KiB"
for p in "${!programs[@]}"; do
  read -r wall cpu kib <<<"$(medians "$out/$p")"
  awk -v n="${names[$p]}:" -v w="$wall" -v c="$cpu" -v k="$kib" \
    'BEGIN { printf "%-18s %9.1f %9.1f %10d\n", n, w / 1000, c / 1000, k }'
done
read -r bare_wall bare_cpu bare_kib <<<"$(medians "$out/0")"
for p in "${!programs[@]}"; do
  [ "$p" -eq 0 ] && continue
  read -r wall cpu kib <<<"$(medians "$out/$p")"
  label="ratio:"
  [ "$p" -gt 1 ] && label="ratio of OTHER:"
  awk -v l="$label" -v bw="$bare_wall" -v bc="$bare_cpu" -v bk="$bare_kib" \
    -v w="$wall" -v c="$cpu" -v k="$kib" 'BEGIN {
    printf "%-18s %9.3f %9.3f %10.3f  (targets: time <= 1.15, memory <= 1.25)\n",
      l, w / bw, c / bc, k / bk
  }'
done
