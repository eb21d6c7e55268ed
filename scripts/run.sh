#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests), and starts Malrechnen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" malrechnen
exec "${MALRECHNEN_BUILD_DIR:-$root/build}/src/malrechnen" "$@"
