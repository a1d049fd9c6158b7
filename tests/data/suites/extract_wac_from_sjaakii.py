#!/usr/bin/env python3
"""Extract the Win At Chess suite that Debian's sjaakii binary carries.

The sjaakii package (bookworm, 1.4.1-2, amd64) compiles its test suites into
/usr/games/sjaakii as NUL-terminated C strings, one EPD record per string.
This script takes every such string that holds a "WAC." id, in the order in
which they lie in the binary, and writes one per line.  Nothing inside a
record is changed; the only change of form is NUL -> newline.

Usage:
    apt-get download sjaakii      # sjaakii_1.4.1-2_amd64.deb
    dpkg-deb -x sjaakii_1.4.1-2_amd64.deb x
    python3 extract_wac_from_sjaakii.py x/usr/games/sjaakii > wac.epd
"""
import re
import sys

data = open(sys.argv[1], "rb").read()
records = re.findall(rb'(?<=\0)[^\0]*"WAC\.[^\0]*(?=\0)', data)
if len(records) != 300:
    sys.exit("expected 300 WAC records, found %d" % len(records))
sys.stdout.buffer.write(b"".join(r + b"\n" for r in records))
