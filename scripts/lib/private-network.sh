# Private networks for the try scripts: network namespaces of this run,
# joined to one bridge, addressed from 192.0.2.0/24, with real snmpd agents
# standing for the printer. Nothing reaches the machine's own interfaces.
# Source it from the tree's top folder, as root; set net_tag (a short name
# unique to the run) and net_shim (the broadcast shim library) first, then
# call net_switch, net_host and net_agent; net_cleanup undoes everything.

net_namespaces=()
net_pids=()

net_switch() {
  ip netns add "$net_tag-sw"
  net_namespaces+=("$net_tag-sw")
  ip -n "$net_tag-sw" link add br0 type bridge
  ip -n "$net_tag-sw" link set br0 up
}

# A host: namespace $net_tag-NAME with ADDRESS on its eth0.
net_host() {  # name address
  local ns=$net_tag-$1
  ip netns add "$ns"
  net_namespaces+=("$ns")
  ip -n "$ns" link set lo up
  ip -n "$net_tag-sw" link add "v$1" type veth peer name eth0 netns "$ns"
  ip -n "$net_tag-sw" link set "v$1" master br0 up
  ip -n "$ns" addr add "$2/24" brd 192.0.2.255 dev eth0
  ip -n "$ns" link set eth0 up
}

# The printer's SNMP agent in host NAME, its files in FOLDER, serving the
# status text ("code,words") and toner percentage when given. It is asked
# from host ASKER until it answers. Stock snmpd does not answer broadcasts
# on Linux; the preloaded shim lets it.
net_agent() {  # name address folder asker [status toner]
  local folder=$3
  mkdir -p "$folder/persist"
  cp tests/sim/snmp/pass.sh "$folder/pass.sh"
  : >"$folder/values"
  if [ $# -ge 6 ]; then
    printf '%s string %s\n%s integer %s\n' .1.3.6.1.4.1.48117.2.7.1.1 "$5" .1.3.6.1.4.1.48117.2.7.4.1 "$6" \
      >"$folder/values"
  fi
  sed -e "s|@PERSISTENT_DIR@|$folder/persist|" -e "s|@ACCESS@|rocommunity ploxen default|" \
      -e "s|@SYS_OBJECT_ID@|.1.3.6.1.4.1.48117.4.7.1.8|" -e "s|@PASS_SCRIPT@|$folder/pass.sh|" \
      tests/sim/snmp/snmpd.conf.in >"$folder/snmpd.conf"
  ip netns exec "$net_tag-$1" env LD_PRELOAD="$net_shim" \
    snmpd -f -C -c "$folder/snmpd.conf" -Lf "$folder/snmpd.log" udp:161 &
  net_pids+=($!)
  for _ in $(seq 100); do
    ip netns exec "$net_tag-$4" env MIBS= snmpget -v2c -c ploxen -t 0.05 -r 0 "$2" .1.3.6.1.2.1.1.1.0 \
      >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "snmpd at $2 did not start: $(cat "$folder/snmpd.log")" >&2
  exit 1
}

net_cleanup() {
  local pid ns
  for pid in "${net_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  for ns in "${net_namespaces[@]}"; do ip netns del "$ns" 2>/dev/null || true; done
}
