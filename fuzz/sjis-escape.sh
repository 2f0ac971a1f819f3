#!/bin/sh
# Copies a C++ source with every non-ASCII character written as octal escapes of its Shift_JIS
# bytes, so that a compiler without a Shift_JIS execution charset (clang) still gives the game's
# texts their Shift_JIS bytes. Octal escapes never run into the next character, and a trail byte
# that looks like a backslash is escaped with its lead byte.
# Usage: sjis-escape.sh SOURCE OUTPUT
set -eu
mkdir -p "$(dirname "$2")"
iconv -f UTF-8 -t CP932 "$1" |
  LC_ALL=C perl -pe 's{([\x81-\x9f\xe0-\xfc][\x40-\x7e\x80-\xfc]|[\xa1-\xdf])}{join "", map { sprintf "\\%03o", ord } split //, $1}ge' >"$2.tmp"
mv "$2.tmp" "$2"
