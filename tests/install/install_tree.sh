#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR and checks that the menu entry finds what it
# names: the program on its Exec line, the icon of its Icon line, and that the software
# centre's description points at the entry; and that the printing library lies where the
# program loads it from.
# Usage: install_tree.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
usr=$stage/usr
failed=0
fail() { echo "FAIL: $*"; failed=1; }

entry=$usr/share/applications/malrechnen.desktop
[ -f "$entry" ] || { echo "FAIL: no desktop entry at ${entry#"$stage"}"; exit 1; }
key() { sed -n "s/^$1=//p" "$entry"; }

exec_line=$(key Exec)
program=${exec_line%% *}
[ -x "$usr/bin/$program" ] || fail "Exec=$exec_line, but /usr/bin/$program is not an installed program"

# The program loads its printing library on the first print, by a path relative to its own
# folder that it carries as text.
printing=$(grep -a -o '\.\./lib/[[:alnum:]_/.-]*\.so' "$usr/bin/$program" | head -n 1 || true)
if [ -z "$printing" ]; then
  fail "/usr/bin/$program names no printing library"
elif [ ! -f "$usr/bin/$printing" ]; then
  fail "/usr/bin/$program loads its printing library from bin/$printing, which is not installed"
fi

icon=$(key Icon)
svg=$usr/share/icons/hicolor/scalable/apps/$icon.svg
if [ ! -f "$svg" ]; then
  fail "Icon=$icon, but there is no hicolor/scalable/apps/$icon.svg"
elif ! grep -q '<svg' "$svg"; then
  fail "${svg#"$stage"} is not an SVG image"
fi

metainfo=("$usr"/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "no AppStream metainfo in /usr/share/metainfo"
# Checks the metainfo against the installed tree: its launchable must be the entry above.
appstreamcli validate-tree --no-net "$usr" || fail "appstreamcli validate-tree"

exit "$failed"
