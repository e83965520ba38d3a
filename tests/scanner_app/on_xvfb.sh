#!/bin/sh
# Runs a test program on a private X server (Xvfb), with a window manager as
# on a desktop where one is installed, under umockdev-wrapper.
# Exits 77 (skipped) when Xvfb is not installed.
here=$(dirname "$0")
export QT_QPA_PLATFORM=xcb
exec "$here/../support/with_xvfb.sh" umockdev-wrapper "$@"
