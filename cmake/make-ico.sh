#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs PNG pictures into a Windows icon file: make-ico.sh ICON PNG...
# An icon file may hold each picture as a whole PNG; its directory names each one's width and
# height (0 for 256), its size and where it starts.
set -euo pipefail
icon=$1
shift
byte() { printf "\\x$(printf %02x "$1")"; }
le16() { byte $(($1 & 255)) && byte $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)) && le16 $(($1 >> 16)); }
# A PNG's width and height are big-endian words at bytes 16 and 20: their low bytes.
low_byte() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
{
    le16 0 && le16 1 && le16 $#
    offset=$((6 + 16 * $#))
    for png in "$@"; do
        size=$(stat -c %s "$png")
        byte "$(low_byte "$png" 19)" && byte "$(low_byte "$png" 23)" && byte 0 && byte 0
        le16 1 && le16 32 && le32 "$size" && le32 "$offset"
        offset=$((offset + size))
    done
    cat "$@"
} >"$icon"
