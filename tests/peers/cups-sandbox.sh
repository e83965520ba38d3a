# A private CUPS for tests and the sample job: its own configuration, spool and
# logs in one folder, and ServerBin/DataDir overlays of the system's that add our
# filter and PPD without touching /usr. Source this file, then:
#   cups_sandbox_init DIR FILTER [PPD...]   prepare DIR (no daemon yet)
#   cups_sandbox_start                      start cupsd on DIR/cups.sock, wait until ready
#   cups_sandbox_stop                       stop it (also done by the EXIT trap you set)
# After init, CUPS_SANDBOX_FILES is the cups-files.conf (for cupsfilter -c) and,
# after start, CUPS_SERVER points lp/lpadmin/lpstat at the private daemon.

cups_sandbox_init() {
  local dir=$1 filter=$2; shift 2
  local serverbin datadir entry name
  serverbin=$(cups-config --serverbin)
  datadir=$(cups-config --datadir)
  CUPS_SANDBOX_DIR=$dir
  mkdir -p "$dir"/{etc,state,cache,spool,tmp,log,serverbin/filter,datadir/model/ktr6620lxv}
  # Filters run as lp: every folder on their way must be traversable, TMPDIR writable.
  chmod 755 "$dir"
  chmod 1777 "$dir/tmp"

  for entry in "$serverbin"/*; do
    name=${entry##*/}
    [ "$name" = filter ] || ln -s "$entry" "$dir/serverbin/$name"
  done
  for entry in "$serverbin"/filter/*; do
    ln -s "$entry" "$dir/serverbin/filter/${entry##*/}"
  done
  # A copy, not a link: CUPS refuses filters that are writable by others, and the
  # build tree's permissions are not ours to vouch for.
  install -m 0755 "$filter" "$dir/serverbin/filter/${filter##*/}"

  for entry in "$datadir"/*; do
    name=${entry##*/}
    [ "$name" = model ] || ln -s "$entry" "$dir/datadir/$name"
  done
  for entry in "$datadir"/model/*; do
    [ -e "$entry" ] && ln -s "$entry" "$dir/datadir/model/${entry##*/}"
  done
  local ppd
  for ppd in "$@"; do
    install -m 0644 "$ppd" "$dir/datadir/model/ktr6620lxv/"
  done

  cat > "$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
StateDir $dir/state
CacheDir $dir/cache
RequestRoot $dir/spool
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin $dir/serverbin
DataDir $dir/datadir
FileDevice Yes
Sandboxing Relaxed
User lp
Group lp
SystemGroup root
CONF
  cat > "$dir/etc/cupsd.conf" <<CONF
ErrorPolicy abort-job
LogLevel debug
Listen $dir/cups.sock
Browsing No
DefaultAuthType None
WebInterface No
MaxJobs 0
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  CUPS_SANDBOX_FILES=$dir/etc/cups-files.conf
}

cups_sandbox_start() {
  local dir=$CUPS_SANDBOX_DIR i
  cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" &
  CUPS_SANDBOX_PID=$!
  export CUPS_SERVER=$dir/cups.sock
  for i in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && return 0
    kill -0 "$CUPS_SANDBOX_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "cupsd did not start; its log:" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null
  return 1
}

cups_sandbox_stop() {
  [ -n "${CUPS_SANDBOX_PID:-}" ] || return 0
  kill "$CUPS_SANDBOX_PID" 2>/dev/null
  wait "$CUPS_SANDBOX_PID" 2>/dev/null
  CUPS_SANDBOX_PID=
}

# Waits until job ID of QUEUE is no longer pending or processing (at most SECONDS).
cups_sandbox_wait_job() {
  local queue=$1 id=$2 seconds=${3:-60} i
  for i in $(seq $((seconds * 20))); do
    lpstat -W completed -o "$queue" 2>/dev/null | grep -q "^$queue-$id " && return 0
    sleep 0.05
  done
  echo "job $queue-$id did not complete within ${seconds}s" >&2
  return 1
}
