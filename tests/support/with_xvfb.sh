#!/bin/sh
# Runs a command on a private X server (Xvfb, 1024x768, 24 bits) with a
# window manager beside it (with_window_manager.sh), as on a desktop.
#
#   with_xvfb.sh COMMAND [ARGUMENT...]
#
# The server picks a free display number itself and says which once it takes
# connections (-displayfd): tests started side by side never race for one
# number, as with "xvfb-run -a". The server ends with this script, which
# waits for it to remove its socket (/tmp/.X11-unix/X<n>); when the script is
# killed, the server dies with it. Exits 77 (skipped) when Xvfb is not
# installed.
#
# With TEST_X_DISPLAYS set, appends to that file a line for the server:
# "<display number> <pid> <inode and change time of /tmp/.X11-unix/X<n>>",
# so that a check after the suite (check_nothing_left.sh) can tell whether
# it left its socket or a lock file behind.
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
. "$here/stop_process.sh"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/with-xvfb.XXXXXX") || exit 1
server=
cleanup() {
  [ -z "$server" ] || stop_process "$server"
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

: >"$scratch/display"
setpriv --pdeathsig KILL -- Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
  3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
server=$!
# Waits for the number's line; a server that exits first is reported at once.
waited=0
until [ "$(wc -l <"$scratch/display")" -ge 1 ]; do
  if ! kill -0 "$server" 2>/dev/null; then
    echo "$0: Xvfb exited before it took connections:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  waited=$((waited + 1))
  if [ "$waited" -gt 1200 ]; then
    echo "$0: Xvfb did not take connections within 60 s:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
display=$(head -n 1 "$scratch/display")
if [ -n "${TEST_X_DISPLAYS:-}" ]; then
  echo "$display $server $(stat -c '%i %z' "/tmp/.X11-unix/X$display" 2>/dev/null || echo -)" >>"$TEST_X_DISPLAYS"
fi
DISPLAY=:$display
export DISPLAY
"$here/with_window_manager.sh" "$@"
exit $?
