#!/usr/bin/env bash
# Checks the help index (Generic.hhk) against the pages in the help sources:
# - every entry points to a page of the project, and an entry with an anchor
#   to an anchor that the page has (name= or id=);
# - an entry without an anchor names its page: its text is part of the
#   page's <title> or the other way round, ignoring case. Help compilers
#   take a page's topic title from the first index entry that points to the
#   bare page, and viewers show it (KchmViewer on the page's tab), so an
#   entry such as "Admittance" must point to its place in the page
#   (smith.htm#codes), not to smith.htm, whose title is "Smith chart regions".
# Usage: check_index.sh HELP_SOURCE_FOLDER
set -euo pipefail
src="$1"
hhk="$src/Generic.hhk"
hhp="$src/Generic.hhp"
[ -f "$hhk" ] || { echo "no index at $hhk"; exit 1; }

# The pages the project compiles, each with its title.
declare -A title=()
while IFS= read -r file; do
  [[ "$file" == *.htm ]] || continue
  title[$file]="$(tr -d '\r\n' <"$src/$file" | sed -n 's/.*<title>\([^<]*\)<\/title>.*/\1/p')"
done < <(sed -n '/^\[FILES\]/,/^\[/{/^\[/d;p}' "$hhp" | tr -d '\r')

# Name and Local of each entry, one pair a line: NAME<TAB>LOCAL.
mapfile -t entries < <(tr -d '\r' <"$hhk" |
  sed -n 's/.*<param name="Name" value="\([^"]*\)">.*/N\t\1/p; s/.*<param name="Local" value="\([^"]*\)">.*/L\t\1/p' |
  awk -F'\t' '$1 == "N" { name = $2 } $1 == "L" { print name "\t" $2 }')
[ "${#entries[@]}" -ge 50 ] || { echo "the index has only ${#entries[@]} entries"; exit 1; }

failed=0
for entry in "${entries[@]}"; do
  name="${entry%%$'\t'*}"
  name="${name//&amp;/&}"
  local_="${entry#*$'\t'}"
  page="${local_%%#*}"
  if [ -z "${title[$page]+set}" ]; then
    echo "index entry \"$name\" points to $page, which is not a page of the help"
    failed=1
    continue
  fi
  if [ "$page" != "$local_" ]; then
    anchor="${local_#*#}"
    if ! grep -qE "(name|id)=\"$anchor\"" "$src/$page"; then
      echo "index entry \"$name\" points to $local_, but $page has no anchor \"$anchor\""
      failed=1
    fi
    continue
  fi
  n="${name,,}"
  t="${title[$page],,}"
  if [[ "$t" != *"$n"* && "$n" != *"$t"* ]]; then
    echo "index entry \"$name\" points to the whole page $page (\"${title[$page]}\"): point it to its place in the page"
    failed=1
  fi
done
[ "$failed" -eq 0 ] || exit 1
echo "$hhk: ${#entries[@]} entries, all pointing to existing places"
