#!/bin/sh
# snmpd "pass" handler for the printer's private objects. Answers a GET
# ("-g OID") from the table in the file "values" beside this script: one
# object a line, "OID TYPE VALUE", the value running to the end of the line.
# Objects not in the table are not served; nothing is writable.
[ "$1" = "-g" ] || exit 0
while read -r oid type value; do
  if [ "$oid" = "$2" ]; then
    printf '%s\n%s\n%s\n' "$oid" "$type" "$value"
    exit 0
  fi
done < "$(dirname "$0")/values"
exit 0
