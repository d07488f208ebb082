#!/usr/bin/env bash
# scripts/check-pipes refuses a pipeline whose reader can stop before its
# writer (the fault that stopped scripts/build-qt-windows on some machines),
# across continued lines, and passes the project's own scripts.
set -uo pipefail
check="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$check" >/dev/null || fail "the project's own scripts"
# (Written with @ for the pipe, so that this file passes the check itself.)
for bad in "dpkg -L q @ grep -m1 x" "x=\$(find . @\n  head -n 1)" "ls @ grep -qx a" \
  "cat f @ sed -n '1p;q'" "cmd @ awk '/x/ {exit}'" "cmd @ read -r first"; do
  printf '#!/bin/bash\n%b\n' "${bad//@/|}" >"$dir/bad.sh"
  "$check" "$dir/bad.sh" >/dev/null 2>&1 && fail "not refused: $bad"
done
for good in "a || grep -q x f" "x=\$(cmd)\ngrep -m1 y <<<\"\$x\"" "ls | sort | tee f" \
  "grep -Eo 'x' f | grep -Eo '[0-9]+'" "ls # not | head"; do
  printf '#!/bin/bash\n%b\n' "$good" >"$dir/good.sh"
  "$check" "$dir/good.sh" >/dev/null 2>&1 || fail "refused: $good"
done
echo "check-pipes: refuses early readers, passes the rest"
