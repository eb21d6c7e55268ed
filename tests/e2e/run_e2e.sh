#!/usr/bin/env bash
# Starts what the end-to-end scenarios need (an X server, a private D-Bus with the
# accessibility bus), runs them against the real program, and stops it all again.
# Usage: run_e2e.sh <malrechnen binary> <screenshot dir> [scenario name filter...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1; shots=$2; shift 2
mkdir -p "$shots"

# The X server picks a free display itself and tells which.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayfile"' EXIT
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

# A print server of our own whose default printer writes PDF files.
cupsdir=$(mktemp -d)
export CUPS_SERVER=$("$here/private_cups.sh" "$cupsdir")
trap 'kill $xvfb 2>/dev/null || true; kill "$(cat "$cupsdir/cupsd.pid")" 2>/dev/null || true; rm -f "$displayfile"' EXIT
# Client settings of the user running the tests (a default printer of theirs) stay out.
export MALRECHNEN_E2E_HOME=$(mktemp -d)

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  trap "kill $launcher 2>/dev/null || true" EXIT
  # The program looks for the accessibility bus once, at start: it must be up by then.
  for _ in $(seq 200); do
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.05
  done
  /usr/bin/python3 "$0" "$@"
' "$here/run.py" "$binary" "$shots" "$@" 2> >(grep -v -E "Failed to set fd limit|Activating service|Successfully activated|SpiRegistry daemon" >&2)
