#!/usr/bin/env bash
# vorda-match on a generated Touchstone file of POINTS points (default one
# million): --each throughput in points per second (type 1 as text; all
# types as a text table, as one JSON document and as JSON lines, the lines
# against the table of the same run), the bytes written a point, and the
# peak resident memory of --each, of --freq (the file read as a stream) and
# of --freq with --sweep (the file kept in memory), each against an empty
# run of vorda-match --version measured in the same run.
# Usage: bench/measured.sh [BUILD_DIR] [POINTS]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/common.sh"
ensure_packages time gawk
BUILD_DIR="${1:-$BUILD_DIR}"
POINTS="${2:-1000000}"
exe="$BUILD_DIR/cli/vorda-match"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/big.s1p"

# A resonant load swept from 1 to 3 GHz, S11 as real and imaginary parts.
awk -v n="$POINTS" 'BEGIN {
  print "! generated for the benchmark"; print "# Hz S RI R 50"
  for (i = 0; i < n; i++) {
    printf "%.17g %.17g %.17g\n", 1e9 + i * (2e9 / n), 0.5 + 0.4 * sin(i * 1e-4), 0.3 * cos(i * 3e-4)
  }
}' >"$file"

run() {  # prints "seconds peak_kib bytes" of one run; its output is counted
  /usr/bin/time -o "$work/time" -f '%e %M' "$@" 2>"$work/err" | wc -c >"$work/bytes" || {
    cat "$work/err"
    exit 1
  }
  echo "$(tail -n 1 "$work/time") $(cat "$work/bytes")"
}

read -r _ empty_kib < <(run "$exe" --version)
read -r each_s each_kib < <(run "$exe" --s1p "$file" --each --type 1)
# The same on the first tenth of the file: a design a point should cost the
# same whatever the file's length.
tenth="$work/tenth.s1p"
awk -v n="$((POINTS / 10 + 2))" 'NR <= n' "$file" >"$tenth"
read -r tenth_s _ < <(run "$exe" --s1p "$tenth" --each --type 1)
read -r table_s table_kib table_b < <(run "$exe" --s1p "$file" --each --type all)
read -r json_s json_kib json_b < <(run "$exe" --s1p "$file" --each --type all --json)
read -r jsonl_s jsonl_kib jsonl_b < <(run "$exe" --s1p "$file" --each --type all --jsonl)
read -r freq_s freq_kib < <(run "$exe" --s1p "$file" --freq 2G --type all)
read -r sweep_s sweep_kib < <(run "$exe" --s1p "$file" --freq 2G --sweep 1.9G:2.1G:1001 --type 1)
awk -v n="$POINTS" -v e="$empty_kib" -v es="$each_s" -v ek="$each_kib" -v js="$json_s" \
    -v jk="$json_kib" -v fs="$freq_s" -v fk="$freq_kib" -v ss="$sweep_s" -v sk="$sweep_kib" \
    -v ts="$table_s" -v tk="$table_kib" -v tb="$table_b" -v jb="$json_b" \
    -v ls="$jsonl_s" -v lk="$jsonl_kib" -v lb="$jsonl_b" -v hs="$tenth_s" 'BEGIN {
  printf "points: %d; empty run (vorda-match --version): %d KiB peak\n", n, e
  printf "--each, type 1, text:      %7.2f s  %9.0f points/s  peak %6d KiB (+%d KiB)\n", es, n / es, ek, ek - e
  printf "--each, type 1, a tenth:   %7.2f s; time a point, whole file against a tenth: %.2f (1: linear)\n", hs, (hs > 0 ? (es / n) / (hs / (n / 10)) : 0)
  printf "--each, all types, table:  %7.2f s  %9.0f points/s  peak %6d KiB (+%d KiB)  %6.0f bytes a point\n", ts, n / ts, tk, tk - e, tb / n
  printf "--each, all types, JSON:   %7.2f s  %9.0f points/s  peak %6d KiB (+%d KiB)  %6.0f bytes a point\n", js, n / js, jk, jk - e, jb / n
  printf "--each, all types, JSONL:  %7.2f s  %9.0f points/s  peak %6d KiB (+%d KiB)  %6.0f bytes a point, %.2f times the table'"'"'s speed\n", ls, n / ls, lk, lk - e, lb / n, ts / ls
  printf "--freq (streamed):         %7.2f s                     peak %6d KiB (+%d KiB)\n", fs, fk, fk - e
  printf "--freq --sweep (in memory):%7.2f s                     peak %6d KiB (+%d KiB)\n", ss, sk, sk - e
}'
