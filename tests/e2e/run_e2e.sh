#!/usr/bin/env bash
# Starts what the end-to-end scenarios need (an X server, a private D-Bus with the
# accessibility bus), runs them against the real program, and stops it all again.
# Usage: run_e2e.sh <malrechnen binary> <screenshot dir> [scenario name filter...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1; shots=$2; shift 2
mkdir -p "$shots"

display=99
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.05; done
export DISPLAY=":$display"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  trap "kill $launcher 2>/dev/null || true" EXIT
  /usr/bin/python3 "$0" "$@"
' "$here/run.py" "$binary" "$shots" "$@" 2> >(grep -v -E "Failed to set fd limit|Activating service|Successfully activated|SpiRegistry daemon" >&2)
