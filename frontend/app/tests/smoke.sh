#!/bin/sh
# Starts the program given as $1 under a virtual X server, waits until its start screen (window title
# $START_TITLE) is shown, then closes it. Fails when the window never comes up or the program dies.
#
# The X server picks a free display itself (-displayfd), so several of these can run at once; choosing
# a display number from lock files, as xvfb-run -a does, races when two start together.
set -u
program=$1
export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT

tries=0
while [ ! -s "$scratch/display" ]; do
    if ! kill -0 $xvfb 2>/dev/null || [ $tries -ge 100 ]; then
        echo "the virtual X server did not start:"; cat "$scratch/xvfb.log"; exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
done
DISPLAY=:$(cat "$scratch/display")
export DISPLAY

"$program" & pid=$!
tries=0
while [ $tries -lt 100 ]; do
    if ! kill -0 $pid 2>/dev/null; then echo "the program ended before its start screen showed"; exit 1; fi
    if xwininfo -root -tree | grep -q "\"$START_TITLE\""; then
        kill -TERM $pid
        wait $pid
        echo "start screen \"$START_TITLE\" shown; program closed"
        exit 0
    fi
    sleep 0.1
    tries=$((tries + 1))
done
kill -KILL $pid
echo "no window \"$START_TITLE\" within 10 seconds"
exit 1
