#!/bin/sh
# Runs a command on the X display ($DISPLAY) with a window manager beside it,
# as on a desktop: openbox, when it is installed (the command then finds
# TEST_WINDOW_MANAGER set); else the command runs alone.
#
#   with_window_manager.sh COMMAND [ARGUMENT...]
#
# The manager's output goes to the test's log. Its configuration, cache
# (openbox.log) and data folders are a scratch folder of this run, never the
# user's home. It ends with this script, which waits for it; when the script
# is killed, the manager dies with it.
. "$(dirname "$0")/stop_process.sh"
wm=
scratch=
cleanup() {
  [ -z "$wm" ] || stop_process "$wm"
  [ -z "$scratch" ] || rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

if command -v openbox >/dev/null 2>&1; then
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/with-wm.XXXXXX") || exit 1
  mkdir -p "$scratch/config" "$scratch/cache" "$scratch/data"
  HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache XDG_DATA_HOME=$scratch/data \
    setpriv --pdeathsig KILL -- openbox --sm-disable &
  wm=$!
  # Managing once it has claimed the screen; a manager that exits first
  # (another one holds the screen, no display) is reported at once.
  waited=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    if ! kill -0 "$wm" 2>/dev/null; then
      wait "$wm"
      status=$?
      wm=  # reaped: its number may be another process's by now
      echo "$0: openbox exited (status $status) before it managed display $DISPLAY; its log:" >&2
      cat "$scratch/cache/openbox/openbox.log" >&2 2>/dev/null
      exit 1
    fi
    waited=$((waited + 1))
    if [ "$waited" -gt 1200 ]; then
      echo "$0: openbox did not manage display $DISPLAY within 60 s; its log:" >&2
      cat "$scratch/cache/openbox/openbox.log" >&2 2>/dev/null
      exit 1
    fi
    sleep 0.05
  done
  export TEST_WINDOW_MANAGER=openbox
fi
"$@"
exit $?
