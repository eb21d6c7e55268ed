#!/usr/bin/env bash
# Configures and builds into build/ (or $MALRECHNEN_BUILD_DIR): everything (program, tests,
# benchmarks), or only the targets named, e.g. `build.sh malrechnen`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MALRECHNEN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
