#!/usr/bin/env bash
# Checks that a help file is a valid compiled HTML help file: extract_chmLib
# can read it, and its table of contents lists pages that are all inside it.
# With the help source folder as second argument, also checks that the file
# was compiled from the sources as they stand (scripts/make-help).
set -euo pipefail
chm="$1"
src="${2:-}"
[ -f "$chm" ] || { echo "no help file at $chm"; exit 1; }
[ "$(head -c 4 "$chm")" = "ITSF" ] || { echo "not a compiled help file: $chm"; exit 1; }
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
extract_chmLib "$chm" "$out" >/dev/null
tocs="$(find "$out" -maxdepth 1 -iname '*.hhc')"
toc="${tocs%%$'\n'*}"
[ -n "$toc" ] || { echo "no table of contents in $chm"; exit 1; }
mapfile -t pages < <(grep -o -i '<param name="Local" value="[^"#]*' "$toc" | sed 's/.*value="//' | sort -u)
[ "${#pages[@]}" -ge 10 ] || { echo "the table of contents lists only ${#pages[@]} pages"; exit 1; }
for page in "${pages[@]}"; do
  [ -s "$out/$page" ] || { echo "listed page missing: $page"; exit 1; }
done
[ -n "$(find "$out" -maxdepth 1 -iname '*.hhk')" ] || { echo "no index in $chm"; exit 1; }
for page in index.htm types.htm messages.htm examples.htm cli.htm smith.htm; do
  [[ " ${pages[*]} " == *" $page "* ]] || { echo "contents do not list $page"; exit 1; }
done
if [ -n "$src" ]; then
  for file in "$src"/*.htm "$src"/*.css "$src"/Generic.hhc "$src"/Generic.hhk; do
    cmp -s "$file" "$out/$(basename "$file")" ||
      { echo "$chm holds another $(basename "$file") than $src: run scripts/make-help"; exit 1; }
  done
fi
echo "$chm: ${#pages[@]} pages in the table of contents, all present"
