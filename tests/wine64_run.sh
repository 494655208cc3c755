#!/bin/sh
# How ctest runs a test exe: under wine64, with the output collected in a file and printed
# once the exe has ended. Wine may start a helper process of its own (the desktop process)
# from the test, and that helper would otherwise inherit ctest's output pipe and keep the
# test from ever ending.
output=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit $status
