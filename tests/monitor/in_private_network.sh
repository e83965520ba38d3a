#!/bin/sh
# Runs a test program in a network namespace of its own, where no interface
# is up: whatever it does on the network reaches nothing. Exits 77
# (skipped) where no network namespace can be had, e.g. without root.
unshare -n true 2>/dev/null || { echo "skipped: no private network namespace here"; exit 77; }
exec unshare -n "$@"
