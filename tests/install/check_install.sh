#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a distribution
# would ship: the layout, the program started through its link until its
# first paint, vorda-match, the desktop entry, the metainfo and the man page.
set -euo pipefail
build="$1"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"

fail() { echo "FAIL: $*"; exit 1; }
for f in bin/vorda-match lib/vordaforwin/VordaForWin lib/vordaforwin/vorda-designer lib/vordaforwin/Generic.chm \
         lib/vordaforwin/VordaTypeA.gif lib/vordaforwin/VordaTypeH.gif \
         share/applications/org.vordaforwin.VordaForWin.desktop \
         share/metainfo/org.vordaforwin.VordaForWin.metainfo.xml \
         share/applications/org.vordaforwin.VordaForWin.Designer.desktop \
         share/metainfo/org.vordaforwin.VordaForWin.Designer.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.vordaforwin.VordaForWin.svg \
         share/icons/hicolor/48x48/apps/org.vordaforwin.VordaForWin.png \
         share/man/man1/vorda-match.1 share/man/man1/vorda-designer.1 share/doc/vordaforwin/README.md share/doc/vordaforwin/LICENSE; do
  [ -e "$root/$f" ] || fail "not installed: $f"
done
[ -L "$root/bin/vordaforwin" ] || fail "bin/vordaforwin is not a link"
[ "$(readlink "$root/bin/vordaforwin")" = "../lib/vordaforwin/VordaForWin" ] || fail "bad link"

# The program, started through the link, finds its pictures in its real
# folder and paints its window.
QT_QPA_PLATFORM=offscreen VORDA_QUIT_AFTER_FIRST_PAINT=1 timeout 60 "$root/bin/vordaforwin" \
  || fail "the installed program did not reach its first paint"
XDG_CONFIG_HOME="$dest/config" QT_QPA_PLATFORM=offscreen VORDA_QUIT_AFTER_FIRST_PAINT=1 \
  timeout 60 "$root/bin/vorda-designer" || fail "the installed designer did not start"

out="$("$root/bin/vorda-match" 40 30)" || fail "vorda-match failed"
grep -q "Series L: .500 normalized, 25.000 ohms" <<<"$out" || fail "vorda-match printed: $out"
version="$("$root/bin/vorda-match" --version)"
[ "$version" = "VordaForWin 2.0.0" ] || fail "vorda-match --version: $version"

for id in org.vordaforwin.VordaForWin org.vordaforwin.VordaForWin.Designer; do
  desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop entry $id"
  appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "metainfo $id"
done
page="$(MANWIDTH=80 man -l "$root/share/man/man1/vorda-match.1" 2>&1)" || fail "man page: $page"
grep -q "^SYNOPSIS" <<<"$page" && grep -q "vorda-match \[OPTION\]... \[--\] R X" <<<"$page" &&
  grep -q "^ *--intermediate R" <<<"$page" \
  || fail "the man page did not render: $page"
page="$(MANWIDTH=80 man -l "$root/share/man/man1/vorda-designer.1" 2>&1)" || fail "man page: $page"
grep -q "vorda-designer \[--help\] \[--version\] \[FILE\]" <<<"$page" \
  || fail "the designer's man page did not render: $page"
# The package recommends, first, a help viewer that shows Generic.chm as
# pages: kchmviewer. xchm 1.35 (Debian 12) shows them as HTML source.
recommends="$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")"
[ -n "$recommends" ] || fail "the package recommends nothing"
IFS=',' read -ra groups <<<"$recommends"
first_choice="$(xargs <<<"${groups[0]%%|*}")"
[ "$first_choice" = kchmviewer ] || fail "the first recommendation is $first_choice, not kchmviewer"
! grep -qw xchm <<<"$recommends" || fail "the package recommends xchm: $recommends"
# and a font with the schematics' ground symbol, which Debian 12's default
# fonts lack.
grep -qw fonts-symbola <<<"$recommends" || fail "the package does not recommend fonts-symbola"

echo "installed layout, program, vorda-match, desktop entry, metainfo, man page and recommends: all good"
