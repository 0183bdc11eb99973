#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine for ctest: wine-run.sh WINE PROGRAM [ARGUMENTS...]
# Wine starts its background processes (services, the desktop) from whichever program needs
# them first; they would inherit ctest's pipe and hold it open long after the program ended,
# and ctest waits for that pipe. So the program writes into a file, passed on at its end.
set -u
wine=$1
shift
output=$(mktemp)
# Now and then Wine fails to start a program at all: it ends with a failure before writing
# a word (every test program prints before anything else). Only that is tried again; a
# program that ran and failed is reported as it stands.
# Wine reports a DLL it cannot find with status 53, which no retry mends.
missing_dll=53
for _ in 1 2 3; do
    "$wine" "$@" >"$output" 2>&1
    status=$?
    [ "$status" -eq 0 ] || [ "$status" -eq "$missing_dll" ] || [ -s "$output" ] && break
    echo "wine-run: Wine did not start $(basename "$1") (status $status); trying again" >&2
done
cat "$output"
rm -f "$output"
# A program that Wine could not start or that died says nothing of its own.
[ "$status" -ne 0 ] && echo "wine-run: $(basename "$1") ended with status $status" >&2
[ "$status" -eq "$missing_dll" ] &&
    echo "wine-run: a DLL it loads was not found: WINEPATH names Qt's and the compiler's (scripts/test-windows.sh)" >&2
exit "$status"
