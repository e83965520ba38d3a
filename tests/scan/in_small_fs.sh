#!/bin/sh
# Runs a test program in a private mount namespace with a small tmpfs of its
# own (named in SCAN_SMALL_FS), where a full disk and a read-only folder can be
# made without touching the machine. Root gets the mount namespace alone; a
# normal user gets it inside a user namespace of its own (unshare -r), where
# it may mount. Exits 77 (skipped) where neither can be had, e.g. where user
# namespaces are turned off.
set -u
namespace=-m
unshare $namespace true 2>/dev/null || namespace="-r -m"
unshare $namespace true 2>/dev/null || { echo "skipped: no private mount namespace here"; exit 77; }
dir=$(mktemp -d /tmp/scan-smallfs-XXXXXX) || exit 1
unshare $namespace sh -c '
  d=$1; shift
  mount --make-rprivate / 2>/dev/null
  mount -t tmpfs -o size=4m scantest "$d" || { echo "skipped: cannot mount a tmpfs"; exit 77; }
  SCAN_SMALL_FS=$d exec "$@"' smallfs "$dir" "$@"
rc=$?
rmdir "$dir" 2>/dev/null
exit $rc
