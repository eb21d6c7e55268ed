#!/usr/bin/env bash
# The program under valgrind memcheck, for the end-to-end scenarios: a memory error or a
# definite leak in a run that ends by itself makes the exit status 3, which the quit
# scenario checks. MALRECHNEN_BINARY names the program; the report goes to
# MALRECHNEN_MEMCHECK_LOG.
here=$(cd "$(dirname "$0")" && pwd)
exec valgrind --error-exitcode=3 --leak-check=full --errors-for-leak-kinds=definite \
     --show-leak-kinds=definite --num-callers=30 --suppressions="$here/../valgrind.supp" \
     --log-file="${MALRECHNEN_MEMCHECK_LOG:-/dev/stderr}" "$MALRECHNEN_BINARY" "$@"
