#!/usr/bin/env bash
# The windows' command lines, with no display at all: vorda-designer answers
# --help, --version and a wrong option without a window; both programs say
# in one line that there is no display instead of aborting, also when the
# display named is not there.
# Usage: check_command_lines.sh VORDAFORWIN VORDA-DESIGNER
set -uo pipefail
main="$1" designer="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
out="$(mktemp)" err="$(mktemp)"
trap 'rm -f "$out" "$err"' EXIT

run() { "$@" >"$out" 2>"$err"; echo $?; }

[ "$(run "$designer" --help)" = 0 ] || fail "--help: $(cat "$err")"
grep -qx "Usage: vorda-designer \[--help\] \[--version\] \[FILE\]" "$out" || fail "--help printed: $(cat "$out")"
[ "$(run "$designer" --version)" = 0 ] || fail "--version"
grep -qx "VordaForWin Designer [0-9.]*" "$out" || fail "--version printed: $(cat "$out")"
[ "$(run "$designer" --bogus)" = 2 ] || fail "an unknown option is not a usage error"
grep -q "^vorda-designer: Unknown option 'bogus'" "$err" || fail "--bogus said: $(cat "$err")"
[ -s "$out" ] && fail "--bogus printed on standard output"
for program in "$main" "$designer"; do
  status="$(run "$program")"
  [ "$status" = 1 ] || fail "$program without a display: status $status"
  [ "$(wc -l <"$err")" = 1 ] && grep -q "no display to show the window on" "$err" \
    || fail "$program without a display said: $(cat "$err")"
  # A display named that no server answers: the same line, never Qt's abort.
  status="$(DISPLAY=:58 run "$program")"
  [ "$status" = 1 ] || fail "$program with DISPLAY=:58: status $status"
  grep -q "DISPLAY=:58 cannot be reached" "$err" || fail "$program with DISPLAY=:58 said: $(cat "$err")"
done
echo "command lines: all good"
