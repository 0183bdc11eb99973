#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest: wine-run.sh WINE PROGRAM [ARGUMENTS...]
# Wine starts its background processes (services, the desktop) from whichever program needs
# them first; they would inherit ctest's pipe and hold it open long after the program ended,
# and ctest waits for that pipe. So the program writes into a file, passed on at its end.
set -u
wine=$1
shift
output=$(mktemp)
"$wine" "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
# A program that Wine could not start or that died says nothing of its own.
[ "$status" -ne 0 ] && echo "wine-run: $(basename "$1") ended with status $status" >&2
exit "$status"
