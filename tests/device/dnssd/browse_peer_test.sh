#!/usr/bin/env bash
# The browser against a real Avahi daemon and real publishers. The daemon runs
# in a network namespace of its own (one veth pair, TEST-NET-1 address, nothing
# reaches the machine's interfaces) and on a private system bus, with a tmpfs
# over /run and /etc/avahi/services in its own mount namespace, so it meets no
# other avahi-daemon and publishes no service of the machine.
# Usage: browse_peer_test.sh BROWSE_PROGRAM. Needs root; exits 77 (skipped)
# without it or without the daemons.
set -euo pipefail
browse=$1

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: needs root for the daemon's namespaces"; exit 77
fi
for tool in avahi-daemon avahi-publish-service dbus-daemon unshare ip; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

dir=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$dir"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- browser output"; cat "$dir/out"
  echo "--- avahi-daemon"; cat "$dir/avahi.log" 2>/dev/null || true
  exit 1
}

# Waits up to 20 s until the browser's output has the line (as a whole line).
wait_for_line() {
  local deadline=$((SECONDS + 20))
  until grep -qxF -- "$1" "$dir/out"; do
    [ $SECONDS -lt $deadline ] || fail "no line \"$1\""
    sleep 0.05
  done
}

cat > "$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$dir/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
cat > "$dir/avahi.conf" <<CONF
[server]
host-name=ktrtest
use-ipv4=yes
use-ipv6=no
allow-interfaces=d0
enable-dbus=yes
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
CONF

dbus-daemon --config-file="$dir/bus.conf" --nofork --nopidfile >"$dir/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -S "$dir/bus" ] && break; sleep 0.02; done
[ -S "$dir/bus" ] || fail "the private bus did not come up"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/bus"

# The browser first: no daemon yet, so it waits for one.
"$browse" >"$dir/out" 2>"$dir/err" &
browser=$!
pids+=("$browser")
wait_for_line "browser.stateUpdateHandler waiting(Daemon not running)"

unshare --net --mount sh -c "
  set -e
  mount -t tmpfs tmpfs /run
  if [ -d /etc/avahi/services ]; then mount -t tmpfs tmpfs /etc/avahi/services; fi
  ip link set lo up
  ip link add d0 type veth peer name d1
  ip link set d1 up
  ip link set d0 up
  ip addr add 192.0.2.1/24 dev d0
  exec avahi-daemon -f '$dir/avahi.conf' --no-drop-root --no-chroot --no-rlimits
" >"$dir/avahi.log" 2>&1 &
pids+=($!)
wait_for_line "browser.stateUpdateHandler ready"

publish() {
  avahi-publish-service "$@" >>"$dir/publish.log" 2>&1 &
  pids+=($!)
}
result="browser.browseResultsChangedHandler result: "
publish "KTR6620LXV Office" _pdl-datastream._tcp 9100
office=$!
wait_for_line "${result}KTR6620LXV Office._pdl-datastream._tcp.local"
# Another type is not browsed for; a name from the network stays on its line.
publish "Web" _http._tcp 80
publish $'Second\nfloor' _pdl-datastream._tcp 9100
wait_for_line "${result}Second\\010floor._pdl-datastream._tcp.local"
kill "$office"
wait "$office" 2>/dev/null || true
# The set without the office printer: one line, after the lines of both.
deadline=$((SECONDS + 20))
until [ "$(tail -n 1 "$dir/out")" = "${result}Second\\010floor._pdl-datastream._tcp.local" ] &&
      [ "$(tail -n 2 "$dir/out" | head -n 1)" = "${result}Second\\010floor._pdl-datastream._tcp.local" ]; do
  [ $SECONDS -lt $deadline ] || fail "the office printer's removal was not printed"
  sleep 0.05
done
sleep 0.5

kill "$browser"
wait "$browser" || fail "the browser did not end cleanly"

expected="browser.stateUpdateHandler waiting(Daemon not running)
browser.stateUpdateHandler ready
${result}KTR6620LXV Office._pdl-datastream._tcp.local
${result}KTR6620LXV Office._pdl-datastream._tcp.local
${result}Second\\010floor._pdl-datastream._tcp.local
${result}Second\\010floor._pdl-datastream._tcp.local"
[ "$(cat "$dir/out")" = "$expected" ] || {
  echo "--- expected"; echo "$expected"; fail "the browser printed other lines"
}
echo "1 passed, 0 failed"
