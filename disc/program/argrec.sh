#!/bin/sh
# Records the arguments it was started with, one a line, in the file named by
# DATAVIND_ARGREC, and the folder it was started in. Used to check the disc's
# command links.
[ -n "${DATAVIND_ARGREC:-}" ] || exit 0
{
    echo "cwd=$(pwd)"
    for a in "$@"; do echo "arg=$a"; done
} > "$DATAVIND_ARGREC.tmp" && mv "$DATAVIND_ARGREC.tmp" "$DATAVIND_ARGREC"
