#!/bin/sh
# Builds the program and the benchmarks in Release (in build-bench/, beside the normal
# build) and prints the table of figures: offscreen, and under an X server of its own
# where Xvfb is installed. RUNS, DROPS, IDLE_SECONDS, IDLE_WINDOWS and BOXES shorten a run.
# The figures also go into docs/benchmarks.md (FIGURES names another file, relative to the
# top folder), so the documentation shows what the last run measured.
set -eu
cd "$(dirname "$0")/.."
build=build-bench
figures=${FIGURES:-docs/benchmarks.md}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target malrechnen malrechnen_bench malrechnen_baseline \
    malrechnen_children_bench malrechnen_print_bench malrechnen_print malrechnen_store_bench \
    malrechnen_pupils_bench >/dev/null

display=
xvfb_pid=
table=
children=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -f "${fifo:-}" "$table" "$children"
}
trap cleanup EXIT INT TERM
table=$(mktemp)
children=$(mktemp)
if command -v Xvfb >/dev/null; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    xvfb_pid=$!
    if read -r number <"$fifo"; then
        display=":$number"
        echo "Xvfb auf $display" >&2
    else
        echo "Xvfb startet nicht, nur offscreen gemessen" >&2
        xvfb_pid=
    fi
fi

python3 bench/run.py "$build" $display >"$table"
cat "$table"

# Simulated children: what the report names, and the problems chosen for the child.
"$build/bench/malrechnen_children_bench" >"$children"
echo
echo "Simulierte Kinder:"
cat "$children"

python3 bench/write_figures.py "$figures" "$table" "$children"

# The window's longest pause while a sheet goes to a print server that never answers or
# hangs up at once (goal: under 50 ms), and when the closing message came.
echo
echo "Drucken ohne Antwort des Druckdienstes:"
QT_QPA_PLATFORM=offscreen "$build/bench/malrechnen_print_bench" "${RUNS:-3}" 2>/dev/null

# The class store: a drop with storing on, a child's school year, a class of 30.
echo
"$build/bench/malrechnen_store_bench"

# Pupils the tutor does not share: their own procedure, memory, bugs and slips.
echo
echo "Kinder mit eigenem Verfahren:"
"$build/bench/malrechnen_pupils_bench"
