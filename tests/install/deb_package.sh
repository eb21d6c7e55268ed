#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks its name, dependencies and files.
# As root it also installs the package on this machine, checks the installed files and
# purges it again, also when a check fails on the way.
# Usage: deb_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
chmod 755 "$work" # apt reads the package as its own unprivileged user
installed_here=0

purge() {
  apt-get purge -y -qq -o DPkg::Lock::Timeout=60 malrechnen >/dev/null
}
# shellcheck disable=SC2317  # reached through the EXIT trap
cleanup() {
  local status=$?
  if ((installed_here)); then
    purge || { echo "FAIL: could not purge malrechnen; remove it by hand"; status=1; }
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

failed=0
fail() { echo "FAIL: $*"; failed=1; }

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
debs=("$work"/malrechnen_*.deb)
if [ ! -f "${debs[0]}" ] || ((${#debs[@]} != 1)); then
  echo "FAIL: cpack made no single malrechnen .deb"
  exit 1
fi
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = malrechnen ] || fail "package name is not malrechnen"
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the Qt widgets library: $depends"
# The printing library is loaded on the first print, so only its own links name these.
[[ $depends == *libqt6printsupport6* ]] || fail "Depends lacks Qt's print support: $depends"
[[ $depends == *libcups2* ]] || fail "Depends lacks the print server's library: $depends"
# The class store's library links Qt's SQL module; its SQLite driver is loaded by name.
[[ $depends == *libqt6sql6-sqlite* ]] || fail "Depends lacks Qt's SQLite driver: $depends"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"

files=(
  /usr/bin/malrechnen
  /usr/lib/malrechnen/libmalrechnen_print.so
  /usr/lib/malrechnen/libmalrechnen_store.so
  /usr/share/applications/malrechnen.desktop
  /usr/share/icons/hicolor/scalable/apps/malrechnen.svg
  /usr/share/metainfo/internal.malrechnen.malrechnen.metainfo.xml
)
contents=$(dpkg-deb -c "$deb")
for f in "${files[@]}"; do
  grep -q " \.$f\$" <<<"$contents" || fail "$f missing from the package"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package was built and inspected, installing it is left out"
  exit "$failed"
fi

# Test runs of other build trees would install and purge the same package underneath us.
exec 9>/tmp/malrechnen-deb-test.lock
flock -w 60 9 || { echo "FAIL: another package test holds the lock"; exit 1; }

if dpkg-query -W -f='${Status}' malrechnen 2>/dev/null | grep -q 'ok installed'; then
  echo "malrechnen is already installed on this machine; leaving it alone, round trip skipped"
  exit 77
fi

installed_here=1
apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=60 "$deb" >/dev/null
dpkg-query -W -f='${Status}' malrechnen | grep -q 'install ok installed' || fail "dpkg does not list malrechnen as installed"
for f in "${files[@]}"; do
  [ -e "$f" ] || fail "$f not installed"
done
[ -x /usr/bin/malrechnen ] || fail "/usr/bin/malrechnen is not executable"

if purge; then installed_here=0; else fail "apt-get purge malrechnen failed"; fi
for f in "${files[@]}"; do
  [ ! -e "$f" ] || fail "$f left behind after purge"
done
! dpkg-query -W -f='${Status}' malrechnen 2>/dev/null | grep -q 'ok installed' || fail "malrechnen still installed"

exit "$failed"
