#!/usr/bin/env bash
# End to end through a real cupsd: install the build into a staging root, make a
# queue from the installed PPD with lpadmin, print the sample document with lp,
# and check that the job stream the file: device received holds the pages in the
# order the printer must get them.
# Arguments: BUILD_DIR SOURCE_DIR DECODE_TOOL COUNT_MARKS_TOOL
set -euo pipefail
build=$1 source=$2 decode=$3 count_marks=$4

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: needs root to run cupsd with its filters as user lp"
  exit 77
fi

. "$source/tests/peers/cups-sandbox.sh"
D=$(mktemp -d)
chmod 755 "$D"  # cupsd's helpers run as lp and must reach the sandbox inside
trap 'cups_sandbox_stop; [ -n "${KEEP:-}" ] || rm -rf "$D"' EXIT
fail() { echo "FAIL: $*" >&2; echo "--- cupsd log (job lines) ---" >&2; grep -E '\[Job [0-9]+\]' "$D/cups/log/error_log" | grep -vE 'envp|argv' | tail -40 >&2; exit 1; }

# The install rules put the filter where CUPS looks for filters and the PPD where
# lpinfo lists it.
DESTDIR=$D/root cmake --install "$build" >/dev/null
serverbin=$(cups-config --serverbin)
filter=$D/root$serverbin/filter/printfilter-quktr6620lxv
[ -x "$filter" ] || fail "install put no filter at $serverbin/filter"
[ "$(stat -c %a "$filter")" = 755 ] || fail "installed filter has mode $(stat -c %a "$filter"), CUPS wants 755"
ppd=$(find "$D/root" -path '*/share/ppd/*' -name '*.ppd' | head -n 1)
[ -n "$ppd" ] || fail "install put no PPD under share/ppd"
# The filter is checked above; cupstestppd would look for it under /usr.
cupstestppd -q -I filters "$ppd" || fail "cupstestppd rejects the installed PPD"

cups_sandbox_init "$D/cups" "$filter" "$ppd"
cups_sandbox_start || fail "cupsd did not start"
model=$(lpinfo -m | awk '/KTR6620LXV/ {print $1; exit}')
[ -n "$model" ] || fail "lpinfo -m does not list the KTR6620LXV PPD"

# One queue per case, each writing to its own file.
print_case() {  # NAME EXPECTED_MARKS LP_OPTIONS...
  local name=$1 expected=$2; shift 2
  local out=$D/$name.prn pages=$D/$name
  lpadmin -p "$name" -E -v "file://$out" -m "$model" 2>/dev/null
  local id
  id=$(lp -d "$name" "$@" "$source/data/sample/document.pdf" | sed -n "s/.*$name-\([0-9]*\).*/\1/p")
  [ -n "$id" ] || fail "$name: lp did not queue the job"
  cups_sandbox_wait_job "$name" "$id" 120 || fail "$name: job did not complete"
  lpstat -W completed -l -o "$name" | grep -qiE 'aborted|stopped' && fail "$name: job did not finish cleanly"
  [ -s "$out" ] || fail "$name: the device received nothing"
  mkdir -p "$pages"
  "$decode" "$out" "$pages" >"$pages/listing" || fail "$name: the job stream does not decode"
  local seen="" page
  for page in "$pages"/page-*.pbm; do
    seen="$seen$("$count_marks" "$page" 100) "
  done
  [ "${seen% }" = "$expected" ] || fail "$name: pages arrived as marks [${seen% }], expected [$expected]"
  head -c 4096 "$out" | grep -aq '^Event=StartOfJob;' || fail "$name: stream does not begin with the start event"
  tail -c 64 "$out" | grep -aq 'Event=EndOfJob;$' || fail "$name: stream does not end with the end event"
  echo "ok: $name: pages [$expected]"
  CASE_OUT=$out
}

# Long-edge duplex, two collated copies: back side first, a blank back for the
# odd last page, and the filter repeats the whole set itself.
print_case duplex "2 1 0 3 2 1 0 3" -o sides=two-sided-long-edge -n 2
grep -aq 'Sides=TwoSidedLongEdge;' "$CASE_OUT" || fail "duplex: header lacks Sides=TwoSidedLongEdge"
grep -aq 'Copies=1;' "$CASE_OUT" || fail "duplex: collated copies must be sent as Copies=1"

# Scaled to half, one-sided: pages in order, marks still found at half size.
print_case half "1 2 3" -o QUORScale=50%
grep -aq 'Sides=OneSided;' "$CASE_OUT" || fail "half: header lacks Sides=OneSided"

# Uncollated copies are the printer's job: one set, and the header asks for three.
print_case uncollated "1 2 3" -n 3 -o Collate=False
grep -aq 'Copies=3;' "$CASE_OUT" || fail "uncollated: header must carry Copies=3"
