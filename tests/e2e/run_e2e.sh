#!/usr/bin/env bash
# Starts what the end-to-end scenarios need (an X server, a private D-Bus with the
# accessibility bus, a print server), runs them against the real program, and stops it all
# again. The program starts only when the display and the accessibility bus answer.
# Usage: run_e2e.sh <malrechnen binary> <screenshot dir> [scenario name filter...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1; shots=$2; shift 2
mkdir -p "$shots"

# A print server of our own whose default printer writes PDF files.
cupsdir=$(mktemp -d)
export CUPS_SERVER=$("$here/private_cups.sh" "$cupsdir")
# Client settings of the user running the tests (a default printer of theirs) stay out.
export MALRECHNEN_E2E_HOME=$(mktemp -d)
# The print server is not our child: wait until it has gone before its folder goes. Nothing
# here may fail, or the run would fail after its scenarios passed.
cleanup() {
  local cupsd
  cupsd=$(cat "$cupsdir/cupsd.pid" 2>/dev/null) || cupsd=
  if [ -n "$cupsd" ] && kill "$cupsd" 2>/dev/null; then
    for _ in $(seq 100); do
      grep -qs '^State:[[:space:]]*[^Z]' "/proc/$cupsd/status" || break # gone, or only its exit status left
      sleep 0.05
    done
  fi
  rm -rf "$cupsdir" "$MALRECHNEN_E2E_HOME" 2>/dev/null || true
}
trap cleanup EXIT

# What the buses and the accessibility registry say of themselves, on starting and when the
# X server goes before them.
noise="Failed to set fd limit|Activating service|Successfully activated|SpiRegistry daemon|X connection to :[0-9]+ broken"
"$here/../support/under_xvfb.sh" dbus-run-session -- bash -c '
  set -eu
  # The session bus starts the accessibility bus launcher on the first question, once. (A
  # launcher started by hand beside it can lose the race for the bus name after writing
  # the address of its own bus, soon gone, onto the X root window, where the program looks
  # first.)
  address=
  for _ in $(seq 600); do
    address=$(dbus-send --session --dest=org.a11y.Bus --print-reply=literal /org/a11y/bus \
              org.a11y.Bus.GetAddress 2>/dev/null) && break
    sleep 0.05
  done
  address=$(echo $address)
  [ -n "$address" ] || { echo "the accessibility bus does not start" >&2; exit 1; }
  # The registry on that bus starts on its first call too: wait for it here, not in the
  # first scenario.
  registry() {
    dbus-send --bus="$address" --dest=org.a11y.atspi.Registry --print-reply \
      /org/a11y/atspi/accessible/root org.freedesktop.DBus.Properties.Get \
      string:org.a11y.atspi.Accessible string:ChildCount >/dev/null
  }
  for _ in $(seq 600); do registry 2>/dev/null && break; sleep 0.05; done
  registry || { echo "the accessibility registry does not answer" >&2; exit 1; }
  /usr/bin/python3 "$0" "$@"
' "$here/run.py" "$binary" "$shots" "$@" \
  > >(grep --line-buffered -v -E "$noise") 2> >(grep --line-buffered -v -E "$noise" >&2)
