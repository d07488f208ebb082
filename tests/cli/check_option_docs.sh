#!/usr/bin/env bash
# The options of the manual page and of the help file's command-line page
# are what vorda-match's declaration makes of them (scripts/make-option-docs
# writes them): the text between each file's markers equals the tool's.
# Usage: check_option_docs.sh VORDA_OPTION_DOCS MANUAL_PAGE HELP_PAGE
set -euo pipefail
tool="$1" man="$2" html="$3"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

between() {  # the lines strictly between the marker lines
  awk -v begin="$2" -v end="$3" 'index($0, end) == 1 { inside = 0 } inside { print } index($0, begin) == 1 { inside = 1 }' "$1"
}
status=0
for form in man html; do
  if [ "$form" = man ]; then
    between "$man" '.\\" Options: made from' '.\\" End of the options' >"$dir/file"
  else
    between "$html" '<!-- Options: made from' '<!-- End of the options' >"$dir/file"
  fi
  "$tool" "$form" >"$dir/made"
  [ -s "$dir/file" ] || { echo "no options between the markers of the $form page"; status=1; continue; }
  if ! diff -u "$dir/made" "$dir/file" >"$dir/diff"; then
    echo "the $form page's options differ from the declaration (run scripts/make-option-docs):"
    cat "$dir/diff"
    status=1
  fi
done
[ $status -eq 0 ] && echo "the manual page and the help page hold the declared options"
exit $status
