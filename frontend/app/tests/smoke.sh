#!/bin/sh
# Starts the program given as $1 under a virtual X server, waits until its start screen (window title
# $START_TITLE) is shown, then closes it. Fails when the window never comes up or the program dies.
set -u
program=$1
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  "$1" & pid=$!
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
' smoke "$program"
