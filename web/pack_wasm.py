#!/usr/bin/env python3
"""Packs the core's WebAssembly for the page: deflated (gzip, no time stamp,
so the same build gives the same bytes) and written as base64 into a classic
script, core-wasm.js, that sets BezierlabWasm. The page inflates it with the
browser's own DecompressionStream; a script is what a page opened from disk
may load, where fetching a .wasm file is refused.

    pack_wasm.py CORE.wasm OUT.js
"""
import base64
import gzip
import sys


def main():
    source, target = sys.argv[1:]
    with open(source, "rb") as f:
        packed = gzip.compress(f.read(), compresslevel=9, mtime=0)
    with open(target, "w", encoding="ascii") as f:
        f.write("// The core's WebAssembly, gzip in base64 (built by web/pack_wasm.py).\n")
        f.write('var BezierlabWasm = "' + base64.b64encode(packed).decode("ascii") + '";\n')


if __name__ == "__main__":
    main()
