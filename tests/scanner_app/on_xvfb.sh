#!/bin/sh
# Runs a test program on a private X server (Xvfb), with a window manager as
# on a desktop where one is installed, under umockdev-wrapper.
# Exits 77 (skipped) when Xvfb is not installed.
command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed"; exit 77; }
here=$(dirname "$0")
exec xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
  "$here/../support/with_window_manager.sh" umockdev-wrapper "$@"
