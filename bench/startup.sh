#!/usr/bin/env bash
# Start-up of VordaForWin against a bare QMainWindow of the same size, both
# offscreen, each quitting right after its first paint: wall time of the
# whole process and its peak resident memory, median of N runs.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/common.sh"
ensure_packages time
BUILD_DIR="${1:-$BUILD_DIR}"
RUNS="${2:-30}"
export QT_QPA_PLATFORM=offscreen VORDA_QUIT_AFTER_FIRST_PAINT=1

measure() {  # prints "median_ms median_kib"
  local exe="$1" times=() mems=() i start end kib out
  out=$(mktemp)
  "$exe" >/dev/null 2>&1  # warm the file cache
  for ((i = 0; i < RUNS; i++)); do
    start=$(date +%s%N)
    /usr/bin/time -o "$out" -f '%M' "$exe" >/dev/null 2>&1
    end=$(date +%s%N)
    kib=$(tail -n 1 "$out")
    times+=($(((end - start) / 1000)))
    mems+=("$kib")
  done
  rm -f "$out"
  local t m
  t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$((RUNS / 2 + 1))p")
  m=$(printf '%s\n' "${mems[@]}" | sort -n | sed -n "$((RUNS / 2 + 1))p")
  echo "$t $m"
}

read -r bare_us bare_kib < <(measure "$BUILD_DIR/bench/bare_window")
read -r vorda_us vorda_kib < <(measure "$BUILD_DIR/ui/VordaForWin")
awk -v bt="$bare_us" -v bm="$bare_kib" -v vt="$vorda_us" -v vm="$vorda_kib" -v n="$RUNS" 'BEGIN {
  printf "runs each: %d (median)\n", n
  printf "bare QMainWindow: %8.1f ms  %8d KiB peak\n", bt / 1000, bm
  printf "VordaForWin:      %8.1f ms  %8d KiB peak\n", vt / 1000, vm
  printf "ratio:            time %.3f  memory %.3f  (target <= 1.25)\n", vt / bt, vm / bm
}'
