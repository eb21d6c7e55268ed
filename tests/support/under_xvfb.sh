#!/usr/bin/env bash
# Runs a command under an X server of its own: under_xvfb.sh <command> [arguments...]
set -euo pipefail
# The X server picks a free display itself and tells which.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$displayfile" "$runtime"' EXIT
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime
chmod 700 "$XDG_RUNTIME_DIR"
"$@"
