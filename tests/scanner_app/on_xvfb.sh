#!/bin/sh
# Runs a test program on a private X server (Xvfb) under umockdev-wrapper.
# Exits 77 (skipped) when Xvfb is not installed.
command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed"; exit 77; }
exec xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb umockdev-wrapper "$@"
