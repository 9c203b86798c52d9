#!/usr/bin/env python3
"""Runs one share of a Qt Test executable's cases, so that ctest can run a long one as
several entries side by side.

    QtTestShare.py k/n executable

A case is a test function without a table, or one row of a function's table, in the
order the executable lists them (-datatags); share k of n takes the cases k, k + n,
k + 2n, ... The executable then runs in place of this script with those cases named
on its command line, so ctest sees its own output, result and time limit.
"""
import os
import subprocess
import sys


def cases(executable):
    listing = subprocess.run([executable, "-datatags"], stdout=subprocess.PIPE, check=True).stdout
    found = []
    for line in listing.split(b"\n"):
        # "Class function" or "Class function tag"; a tag may hold blanks.
        parts = line.split(b" ", 2)
        if len(parts) < 2:
            continue
        if len(parts) == 3 and parts[2].startswith(b"__global__"):
            sys.exit("QtTestShare.py: tables of initTestCase_data are not shared out")
        found.append(parts[1] + b":" + parts[2] if len(parts) == 3 else parts[1])
    return found


def main():
    if len(sys.argv) != 3 or sys.argv[1].count("/") != 1:
        sys.exit(__doc__)
    k, n = (int(part) for part in sys.argv[1].split("/"))
    executable = sys.argv[2]
    mine = cases(executable)[k::n]
    if not mine:
        sys.exit("QtTestShare.py: share %d of %d of %s has no case" % (k, n, executable))
    os.execv(executable, [executable.encode()] + mine)


if __name__ == "__main__":
    main()
