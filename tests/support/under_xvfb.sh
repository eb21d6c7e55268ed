#!/usr/bin/env bash
# Runs a command under an X server of its own: under_xvfb.sh <command> [arguments...]
# The command starts only once the server answers.
set -euo pipefail
displayfile=$(mktemp)
runtime=$(mktemp -d)
# -displayfd: the server takes the first free display itself, so servers started at the
# same moment (tests run in parallel, other runs on the machine) never share one; it
# writes the number once it listens.
# -noreset: by default the server resets whenever its last client leaves and drops
# every client that is connecting at that moment ("could not connect to display"); the
# accessibility bus launcher, xdotool and every program that ends are such last clients.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
# Nothing in the clean-up may fail: the command's own exit status is the answer.
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$displayfile" "$runtime" 2>/dev/null || true' EXIT
for _ in $(seq 600); do
  [ -s "$displayfile" ] && break
  kill -0 $xvfb 2>/dev/null || break
  sleep 0.05
done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$runtime
chmod 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 600); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.05
done
xdotool getdisplaygeometry >/dev/null || { echo "Xvfb on $DISPLAY does not answer" >&2; exit 1; }
"$@"
