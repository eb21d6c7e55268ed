#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest: once in the normal
# build, once more built with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MALRECHNEN_BUILD_DIR:-$root/build}
sanitized=${MALRECHNEN_SANITIZE_DIR:-$root/build-sanitize}
"$root/scripts/setup.sh"

"$root/scripts/build.sh"
(cd "$build" && ctest --output-on-failure -j"$(nproc)")

echo "== Tests with AddressSanitizer, LeakSanitizer und UndefinedBehaviorSanitizer =="
cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMALRECHNEN_SANITIZE=ON >/dev/null
cmake --build "$sanitized" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$sanitized" && ctest --output-on-failure -j"$(nproc)" -R '^(unit|widget|store)\.')
