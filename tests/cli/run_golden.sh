#!/usr/bin/env bash
# Runs vorda-match --json --type all on every case of cases.txt and prints a
# transcript: the arguments, standard output, standard error and the exit
# status of each. With --check EXPECTED the transcript must equal that file.
# Usage: run_golden.sh VORDA_MATCH CASES [--check EXPECTED] [-- EMULATOR...]
set -uo pipefail
exe="$1" cases="$2"
shift 2
expected=""
if [ "${1:-}" = "--check" ]; then expected="$2"; shift 2; fi
[ "${1:-}" = "--" ] && shift
emulator=("$@")

transcript() {
  local line args err status
  err=$(mktemp)
  while IFS= read -r line; do
    case "$line" in "" | "#"*) continue ;; esac
    eval "args=($line)"
    echo "### $line"
    "${emulator[@]}" "$exe" --json --type all "${args[@]}" 2>"$err"
    status=${PIPESTATUS[0]}
    echo "--- stderr"
    cat "$err"
    echo "--- exit $status"
  done <"$cases"
  rm -f "$err"
}

if [ -z "$expected" ]; then
  transcript
else
  diff -u "$expected" <(transcript)
fi
