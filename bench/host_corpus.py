#!/usr/bin/env python3
"""Copies a tree of real files from this host's /usr for the archive benchmarks.

Usage: bench/host_corpus.py DEST [MEGABYTES]   (default 1000)

The generated corpus of zip_bench is made to look like a user profile, and a
generator can flatter the code. This one takes what a real system holds, in
shares of the byte budget: headers, documentation (partly already gzip'ed),
Python modules, message catalogues and icons, shared libraries, and the few
large files (compilers, big libraries) that dominate many real trees. Files
are taken in sorted path order, so the same host gives the same corpus.
Symbolic links and unreadable files are skipped.
"""
import os
import shutil
import sys

# (share of the budget, roots, smallest file, largest file); 0 = no limit.
MiB = 1 << 20
GROUPS = [
    (0.15, ["/usr/include"], 0, 8 * MiB),
    (0.12, ["/usr/share/doc"], 0, 8 * MiB),
    (0.10, ["/usr/lib/python3", "/usr/lib/python3.11"], 0, 8 * MiB),
    (0.06, ["/usr/share/locale"], 0, 8 * MiB),
    (0.04, ["/usr/share/icons", "/usr/share/man"], 0, 8 * MiB),
    (0.13, ["/usr/lib/x86_64-linux-gnu", "/usr/bin"], 0, 8 * MiB),
    (0.40, ["/usr/lib"], 8 * MiB + 1, 64 * MiB),
]


def files_under(roots, smallest, largest):
    for root in roots:
        for folder, dirs, names in os.walk(root):
            dirs.sort()
            for name in sorted(names):
                path = os.path.join(folder, name)
                if os.path.islink(path) or not os.path.isfile(path):
                    continue
                size = os.path.getsize(path)
                if size < smallest or (largest and size > largest):
                    continue
                if os.access(path, os.R_OK):
                    yield path, size


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    dest = sys.argv[1]
    budget = int(sys.argv[2] if len(sys.argv) > 2 else 1000) * MiB
    taken = set()
    total_files = total_bytes = 0
    for share, roots, smallest, largest in GROUPS:
        room = int(budget * share)
        for path, size in files_under(roots, smallest, largest):
            if path in taken or size > room:
                continue
            target = os.path.join(dest, path.lstrip("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            try:
                shutil.copyfile(path, target)
            except OSError:
                continue
            taken.add(path)
            room -= size
            total_files += 1
            total_bytes += size
            if room <= 0:
                break
    print(f"{total_files} files, {total_bytes} bytes copied from /usr")


if __name__ == "__main__":
    main()
