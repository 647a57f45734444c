#!/bin/bash
# Runs one test program under Wine on an X display of its own (a fresh Xvfb), so that test
# processes running side by side never take the pointer or the keyboard focus from one another.
#   isolated.sh <wine loader> <program> [arguments...]
display_file=$(mktemp)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 500); do [ -s "$display_file" ] && break; sleep 0.01; done
DISPLAY=:$(cat "$display_file") "$@"
