#!/usr/bin/env python3
"""Every text key the status monitor's code uses has an entry in every string
table, with a translation.

check_string_tables.py LUPDATE SCRATCH_DIR --sources DIR... --tables FILE.ts...

lupdate finds the keys (every translate(), tr() and QT_TRANSLATE_NOOP call in
the sources); all must be of the shared context "Localizable", and each
table must translate each of them.
"""
import argparse
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

CONTEXT = "Localizable"


def messages(ts_file):
    """{(context, source): translation or None when unfinished or empty}"""
    found = {}
    for context in ElementTree.parse(ts_file).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            done = (translation is not None and translation.get("type") not in ("unfinished", "obsolete", "vanished")
                    and (translation.text or "") != "")
            found[(name, source)] = translation.text if done else None
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("lupdate")
    parser.add_argument("scratch")
    parser.add_argument("--sources", nargs="+", required=True)
    parser.add_argument("--tables", nargs="+", required=True)
    args = parser.parse_args()

    os.makedirs(args.scratch, exist_ok=True)
    used_file = os.path.join(args.scratch, "used-keys.ts")
    if os.path.exists(used_file):
        os.remove(used_file)
    subprocess.run([args.lupdate, "-silent", "-locations", "none", "-extensions", "cpp,h", *args.sources,
                    "-ts", used_file], check=True)
    used = set(messages(used_file))
    if len(used) < 10:
        sys.exit(f"lupdate found only {len(used)} keys in {args.sources}: is the scan broken?")

    failures = []
    for context, source in sorted(used):
        if context != CONTEXT:
            failures.append(f"key {source!r} is in context {context!r}, not {CONTEXT!r}")
    for table in args.tables:
        entries = messages(table)
        for key in sorted(used):
            if key not in entries:
                failures.append(f"{os.path.basename(table)}: no entry for {key[1]!r}")
            elif entries[key] is None:
                failures.append(f"{os.path.basename(table)}: no translation for {key[1]!r}")
    if failures:
        sys.exit("\n".join(failures))
    print(f"{len(used)} keys, each translated in {len(args.tables)} tables")


if __name__ == "__main__":
    main()
