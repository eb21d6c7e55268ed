#!/usr/bin/env bash
# The program started without a display to show its windows on (DISPLAY unset, empty,
# naming no X server): it says in German on standard error that it needs a graphical
# desktop and ends with status 1, never with the toolkit's abort.
# Usage: no_display.sh <malrechnen>
set -u
program=$1
failed=0
err=$(mktemp)
trap 'rm -f "$err"' EXIT
check() { # <case> <expected line> <env args...>
    local name=$1 expected=$2
    shift 2
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE "$@" "$program" 2>"$err" </dev/null
    local status=$?
    if [ "$status" -ne 1 ]; then
        echo "FAIL $name: exit status $status, expected 1"; failed=1
    elif ! grep -q "^Malrechnen braucht eine grafische Oberfläche" "$err" \
         || ! grep -qF "$expected" "$err"; then
        echo "FAIL $name: standard error was:"; cat "$err"; failed=1
    elif [ "$(head -c 1 "$err")" != "M" ]; then
        echo "FAIL $name: the toolkit spoke first:"; cat "$err"; failed=1
    else
        echo "PASS $name"
    fi
}
check "DISPLAY unset" "DISPLAY ist leer" -u DISPLAY
check "DISPLAY empty" "DISPLAY ist leer" DISPLAY=
check "no X server there" "Die Anzeige „:4711“ ist nicht erreichbar." DISPLAY=:4711
exit $failed
