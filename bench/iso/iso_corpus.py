#!/usr/bin/env python3
"""Writes a tree for the CD image benchmark: about MEGABYTES of files in
nested folders, ~2000 files of mixed sizes (many small documents, some
pictures and archives of a few MB, a few large videos) with long names that
hold blanks. The bytes are random, so nothing depends on their content.

Usage: bench/iso/iso_corpus.py DEST [MEGABYTES]   (default 650)
"""
import os
import random
import sys

KINDS = [
    # (files per 2000, smallest, largest, name, extension)
    (1500, 1 << 10, 96 << 10, "Letter to the members of the club", "doc"),
    (380, 256 << 10, 1200 << 10, "Holiday photograph from the lake", "jpg"),
    (100, 2 << 20, 6 << 20, "Project archive of the spring term", "zip"),
    (20, 8 << 20, 16 << 20, "Family video of the summer", "avi"),
]
FOLDERS = ["My Documents", "My Documents\\Letters 2003", "My Documents\\Letters 2004",
           "My Pictures\\Lake Garda", "My Pictures\\Christmas at home", "Projects\\Spring term",
           "Projects\\Spring term\\Old drafts", "Videos"]


def main():
    dest = sys.argv[1]
    budget = int(sys.argv[2]) << 20 if len(sys.argv) > 2 else 650 << 20
    rng = random.Random(20261211)
    plan = []
    for count, smallest, largest, name, ext in KINDS:
        for i in range(count):
            plan.append((rng.randint(smallest, largest), name, ext, i))
    scale = budget / sum(size for size, *_ in plan)
    chunk = os.urandom(1 << 20)
    for size, name, ext, i in plan:
        folder = os.path.join(dest, *rng.choice(FOLDERS).split("\\"))
        os.makedirs(folder, exist_ok=True)
        size = max(1, int(size * scale))
        with open(os.path.join(folder, f"{name} number {i:04d}.{ext}"), "wb") as out:
            offset = rng.randrange(len(chunk))
            while size > 0:
                piece = chunk[offset:offset + size]
                out.write(piece)
                size -= len(piece)
                offset = 0


if __name__ == "__main__":
    main()
