#!/bin/sh
# Run after the whole suite (scripts/test): fails when the suite left an X
# server's socket or lock file in /tmp, or when Qt's stand-in runtime folder
# appeared.
#
#   check_nothing_left.sh X_DISPLAYS [RUNTIME_FOLDER]
#
# X_DISPLAYS is the file where with_xvfb.sh noted, for each server it
# started, "<display> <pid> <inode and change time of its socket>". Only
# those servers are judged, never another user's or another run's: a socket
# /tmp/.X11-unix/X<n> that is still the very file our server made (same
# inode, same change time to the nanosecond) is what it left; a server that
# took the number since has made a file of its own. A lock file
# /tmp/.X<n>-lock (servers started without -displayfd write one) is ours when
# it holds our server's pid.
#
# RUNTIME_FOLDER is given when it did not exist before the build: Qt makes
# it (/tmp/runtime-<user>) for a program that runs without XDG_RUNTIME_DIR,
# and leaves it.
set -u
left=0
if [ -s "$1" ]; then
  while read -r display pid socket_identity; do
    socket=/tmp/.X11-unix/X$display
    if [ "$socket_identity" != - ] && [ "$(stat -c '%i %z' "$socket" 2>/dev/null)" = "$socket_identity" ]; then
      echo "left behind by the X server of display :$display (pid $pid): $socket"
      left=1
    fi
    lock=/tmp/.X$display-lock
    holder=
    [ ! -r "$lock" ] || read -r holder <"$lock"
    if [ "$holder" = "$pid" ]; then
      echo "left behind by the X server of display :$display (pid $pid): $lock"
      left=1
    fi
  done <"$1"
fi
if [ -n "${2:-}" ] && [ -e "$2" ]; then
  echo "left behind: $2, the runtime folder Qt makes for a program run without XDG_RUNTIME_DIR"
  left=1
fi
# Silent when all is well, so that the suite's own summary stays the last line.
exit "$left"
