#!/usr/bin/env bash
# Runs a command on a private Xvfb screen (1280 x 800) with a known desktop
# colour, #3a5f7d.
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"
rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:$number
xsetroot -solid '#3a5f7d'
"$@"
