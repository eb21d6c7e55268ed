#!/usr/bin/env bash
# End-to-end scenarios on the real program running under valgrind memcheck; fails on any
# memory error or definite leak that tests/valgrind.supp does not explain.
# Usage: memcheck_e2e.sh <malrechnen binary> <screenshot dir> [scenario name filter...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1; shots=$2; shift 2
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
export MALRECHNEN_BINARY=$binary MALRECHNEN_E2E_WAIT=90 MALRECHNEN_MEMCHECK_LOG=$logs/memcheck.%p.log
status=0
"$here/run_e2e.sh" "$here/under_memcheck.sh" "$shots" "$@" || status=1
for log in "$logs"/memcheck.*.log; do
  if ! grep -q "ERROR SUMMARY: 0 errors" "$log"; then
    cat "$log" >&2
    status=1
  fi
done
exit $status
