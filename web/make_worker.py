#!/usr/bin/env python3
"""Writes the page's service worker, sw.js, from worker.js: the list of the
page's files (every file in the page's folder but the worker itself) and the
build's name, a hash of those files' names and bytes, so that a build that
changes any of them is a new cache, and an unchanged one the same.

    make_worker.py WORKER.js PAGE_FOLDER
"""
import hashlib
import json
import os
import sys


def main():
    template, folder = sys.argv[1:]
    files = sorted(f for f in os.listdir(folder)
                   if f != "sw.js" and os.path.isfile(os.path.join(folder, f)))
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        digest.update(name.encode() + b"\0" + str(len(data)).encode() + b"\0" + data)
    with open(template, encoding="utf-8") as f:
        text = f.read()
    text = text.replace('"@BUILD@"', json.dumps(digest.hexdigest()[:16]))
    text = text.replace('["@FILES@"]', json.dumps(["./"] + files))
    with open(os.path.join(folder, "sw.js"), "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
