#!/usr/bin/env python3
"""The layers of the translator call downwards only.

  layering.py LIB...   the static libraries of the layers, lowest first

Each layer's headers are on the include path of the layers above it only, so
an include that runs upwards fails to compile; this check catches the call
that runs upwards anyway (through a declaration written by hand, or a
definition in a header): a symbol that a layer uses and only a higher layer
defines.  Exit status 1 names each one.
"""

import os
import subprocess
import sys


def symbols(lib, flag):
    """(mangled name, nm type letter) of the library's objects."""
    out = subprocess.run(["nm", "--format=posix", flag, lib], capture_output=True, text=True, check=True).stdout
    return {tuple(line.split()[:2]) for line in out.splitlines() if len(line.split()) >= 2}


def demangled(name):
    return subprocess.run(["c++filt", name], capture_output=True, text=True).stdout.strip() or name


def main(libs):
    layers = [os.path.basename(lib) for lib in libs]
    lowest = {}
    for rank, lib in enumerate(libs):
        for name, kind in symbols(lib, "--defined-only"):
            # Weak definitions (templates, inline functions) stand wherever
            # they are used; only the strong ones say where a function lives.
            if kind in "TDBR":
                lowest.setdefault(name, rank)
    upwards = []
    for rank, lib in enumerate(libs):
        for name, _ in symbols(lib, "--undefined-only"):
            if lowest.get(name, -1) > rank:
                upwards.append("%s calls %s of %s" % (layers[rank], demangled(name), layers[lowest[name]]))
    for line in sorted(upwards):
        print(line)
    print("%d layers, %d calls upwards" % (len(libs), len(upwards)))
    return 1 if upwards else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
