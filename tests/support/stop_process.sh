# Sourced by the X server and window-manager helpers.
#
#   stop_process PID
#
# Ends the helper's child PID and waits until it is gone: TERM first, so that
# it can clean up after itself (Xvfb removes its socket from /tmp/.X11-unix),
# then KILL if it is still there after 10 s. A helper that only sent
# TERM and exited would have the child killed mid-shutdown by its parent-death
# signal, its files left behind.

# Whether PID is still a running child of this shell: an ended child stays a
# zombie until it is waited for, so kill -0 alone would call it running; and
# once the shell has reaped it, the number may come to another process.
process_running() {
  read -r process_stat 2>/dev/null <"/proc/$1/stat" || return 1
  # The fields after the command's name: state, parent, ...
  set -- ${process_stat##*) }
  [ "$2" = "$$" ] || return 1
  case $1 in
    Z* | X*) return 1 ;;
  esac
  return 0
}

stop_process() {
  kill -TERM "$1" 2>/dev/null || return 0
  stop_tries=0
  while process_running "$1"; do
    stop_tries=$((stop_tries + 1))
    [ "$stop_tries" -ne 200 ] || kill -KILL "$1" 2>/dev/null
    sleep 0.05
  done
  wait "$1" 2>/dev/null
  return 0
}
