#!/usr/bin/env bash
# Starts the program with three article files, as a file manager or a shell
# does, and reads the article boxes as a screen reader would.
#
#   open_files_xvfb.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Tea Time\r\nA cup of tea.\r\n' >"$work/one.txt"
printf '\xef\xbb\xbfTime For Tea\nA mug of tea.' >"$work/two.txt"
printf '\x93Tea\x94\rA glass of iced tea.' >"$work/three.txt"
export KESTRELWICK_EXPECT_ARTICLES=$'Tea Time\nA cup of tea.\n\fTime For Tea\nA mug of tea.\f\u201cTea\u201d\nA glass of iced tea.'
exec "$(dirname "$0")/accessibility_xvfb.sh" "$program" "$work/one.txt" "$work/two.txt" "$work/three.txt"
