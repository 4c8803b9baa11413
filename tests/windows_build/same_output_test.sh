#!/usr/bin/env bash
# The same program on both systems: the check of the worked example and of
# the example articles with notes gives, byte for byte, the same standard
# output, standard error and exit status from the Linux build and from
# kestrelwick.exe under Wine (line breaks LF on both).
#
#   same_output_test.sh LINUX_PROGRAM WINDOWS_PROGRAM
set -uo pipefail
linux=$1
windows=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

source "$here/tests/data/sample.sh"
sample_article 1 crlf >"$work/dogs1.txt"
sample_article 2 bom-lf >"$work/dogs2.txt"
sample_article 3 cr >"$work/dogs3.txt"

compare() {  # NAME FILE1 FILE2 FILE3
    local name=$1
    shift
    env -u DISPLAY "$linux" --check "$@" >"$work/linux.out" 2>"$work/linux.err"
    local linux_status=$?
    env -u DISPLAY wine "$windows" --check "$@" >"$work/windows.out" 2>"$work/windows.err"
    local windows_status=$?
    for stream in out err; do
        if ! cmp -s "$work/linux.$stream" "$work/windows.$stream"; then
            echo "FAIL: $name: standard ${stream/err/error} differs"
            diff <(od -c "$work/linux.$stream") <(od -c "$work/windows.$stream") | head -n 10
            failures=$((failures + 1))
        fi
    done
    if [ "$linux_status" -ne "$windows_status" ]; then
        echo "FAIL: $name: exit status $linux_status on Linux, $windows_status on Windows"
        failures=$((failures + 1))
    fi
    echo "$name: $(wc -c <"$work/linux.out") bytes of spin text, status $linux_status"
}
compare "the worked example" "$work/dogs1.txt" "$work/dogs2.txt" "$work/dogs3.txt"
compare "articles with notes" "$here"/docs/examples/garden-{1,2,3}.txt

echo "same output: $failures failed"
[ "$failures" -eq 0 ]
