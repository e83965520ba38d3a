#!/bin/sh
# Runs a command on the X display ($DISPLAY) with a window manager beside it,
# as on a desktop: openbox, when it is installed (the command then finds
# TEST_WINDOW_MANAGER set); else the command runs alone.
#
#   with_window_manager.sh COMMAND [ARGUMENT...]
wm=
if command -v openbox >/dev/null 2>&1; then
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # Managing once it has claimed the screen.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "$0: openbox did not start" >&2
      kill "$wm" 2>/dev/null
      exit 1
    fi
    sleep 0.05
  done
  export TEST_WINDOW_MANAGER=openbox
fi
"$@"
rc=$?
[ -z "$wm" ] || kill "$wm" 2>/dev/null
exit $rc
