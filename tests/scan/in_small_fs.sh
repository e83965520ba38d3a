#!/bin/sh
# Runs a test program in a private mount namespace with a small tmpfs of its
# own (named in SCAN_SMALL_FS), where a full disk and a read-only folder can be
# made without touching the machine. Exits 77 (skipped) where no mount
# namespace can be had, e.g. without root.
set -u
unshare -m true 2>/dev/null || { echo "skipped: no private mount namespace here"; exit 77; }
dir=$(mktemp -d /tmp/scan-smallfs-XXXXXX) || exit 1
unshare -m sh -c '
  d=$1; shift
  mount --make-rprivate / 2>/dev/null
  mount -t tmpfs -o size=4m scantest "$d" || { echo "skipped: cannot mount a tmpfs"; exit 77; }
  SCAN_SMALL_FS=$d exec "$@"' smallfs "$dir" "$@"
rc=$?
rmdir "$dir" 2>/dev/null
exit $rc
