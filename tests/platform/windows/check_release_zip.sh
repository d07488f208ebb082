#!/usr/bin/env bash
# The release zip unpacks and runs from any folder: packs it with CPack in
# the Windows build folder, unpacks it into a folder whose path has blanks
# and non-ASCII letters, checks what it holds, then runs vorda-match.exe and
# the main window (offscreen, quitting once it has painted) from there.
# Usage: check_release_zip.sh BUILD-DIR WINE
set -euo pipefail
build="$1"
wine="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A package of its own, not the one scripts/package-windows leaves behind.
(cd "$build" && cpack -G ZIP -B "$work/pack" >"$work/cpack.log") || {
  cat "$work/cpack.log"
  exit 1
}
zip="$(ls "$work"/pack/vordaforwin-*-win64.zip)"
folder="$work/Program Files/Vorda Ångström – Тест"
mkdir -p "$folder"
(cd "$folder" && unzip -q "$zip")
top="$(ls -d "$folder"/vordaforwin-*-win64)"

status=0
for f in VordaForWin.exe vorda-designer.exe vorda-match.exe Generic.chm README.md LICENSE \
  VordaTypeA.gif VordaTypeB.gif VordaTypeC.gif VordaTypeD.gif VordaTypeE.gif VordaTypeF.gif \
  VordaTypeG.gif VordaTypeH.gif; do
  [ -f "$top/$f" ] || {
    echo "the zip lacks $f"
    status=1
  }
done
extra="$(cd "$top" && ls | grep -Ev '^(VordaForWin|vorda-designer|vorda-match)\.exe$|^VordaType[A-H]\.gif$|^(Generic\.chm|README\.md|LICENSE)$' || true)"
[ -z "$extra" ] || {
  echo "the zip holds more than it should: $extra"
  status=1
}

# vorda-match.exe from the folder, started by its full path.
out="$("$wine" "$top/vorda-match.exe" --json 25 30 2>/dev/null | tr -d '\r' || true)"
case "$out" in
  *'"lblNormReal": ".500"'*'"lblNormImag": ".600"'*) echo "vorda-match.exe runs from: $top" ;;
  *)
    echo "vorda-match.exe from $top printed:"
    echo "$out"
    status=1
    ;;
esac

# The main window, offscreen: it finds its pictures beside it and paints.
if (cd "$top" && VORDA_QUIT_AFTER_FIRST_PAINT=1 timeout 120 "$wine" "$top/VordaForWin.exe" \
  -platform offscreen 2>"$work/window.txt"); then
  echo "VordaForWin.exe painted its window and quit"
else
  echo "VordaForWin.exe failed from $top:"
  cat "$work/window.txt"
  status=1
fi
exit $status
