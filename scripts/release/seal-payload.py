#!/usr/bin/env python3
"""Writes the list that a medium's installer carries of its payload.

A line per file: "<sha256> <size> <path>", the path relative to the payload
with backslashes, in the order of the paths' bytes, UTF-8. The installer
refuses a payload that differs from it: a file missing, added, or with other
content. The same payload always gives the same bytes.

Usage: scripts/release/seal-payload.py PAYLOAD OUT
"""
import hashlib
import os
import sys


def entries(payload):
    for folder, subfolders, files in os.walk(payload, followlinks=True):
        subfolders.sort()
        for name in files:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, payload)
            if "\\" in relative or "\n" in relative or "\r" in relative:
                sys.exit(f"seal-payload: a name Windows cannot take: {relative!r}")
            digest = hashlib.sha256()
            with open(path, "rb") as f:
                for block in iter(lambda: f.read(1 << 20), b""):
                    digest.update(block)
            yield relative.replace(os.sep, "\\").encode(), digest.hexdigest(), os.path.getsize(path)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    payload, out = sys.argv[1], sys.argv[2]
    if not os.path.isdir(payload):
        sys.exit(f"seal-payload: no folder {payload}")
    lines = sorted(entries(payload))
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out + ".tmp", "wb") as f:
        for relative, digest, size in lines:
            f.write(b"%s %d %s\n" % (digest.encode(), size, relative))
    os.replace(out + ".tmp", out)


if __name__ == "__main__":
    main()
