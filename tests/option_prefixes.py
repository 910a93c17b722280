#!/usr/bin/env python3
"""Every one- and two-letter prefix of every long option keeps its meaning:
a run with the prefix gives the same status, streams and files as the run
with the option's full name; the ambiguous ones stay ambiguous.  The table
is written out, so that an option added later cannot change what a prefix
means unnoticed.

Usage: option_prefixes.py --sflc PATH
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

# prefix -> the long option it means (None: ambiguous)
PREFIXES = {
    "o": None, "ou": "output", "ol": "old", "op": "optimize",
    "h": "help", "he": "help", "v": "version", "ve": "version",
    "d": "debug", "de": "debug", "l": "lines", "li": "lines",
    "t": "tundere", "tu": "tundere", "2": "2channel", "2c": "2channel",
    "p": "posres", "po": "posres", "n": "number", "nu": "number",
    "s": "shinpi", "sh": "shinpi", "e": "extended", "ex": "extended",
    "m": "make-deps", "ma": "make-deps", "i": "include-dir", "in": "include-dir",
    "c": "check", "ch": "check",
    # --line-directives, added later, begins as --lines does: the prefixes
    # they share keep meaning --lines.
    "lin": "lines", "line": "lines", "line-": "line-directives",
    # --explain, added later, begins as --extended does: --e and --ex keep
    # meaning --extended.
    "exp": "explain", "ext": "extended",
}
# The argument of options that take one, and the input each is run on
# (shinpi's success line is picked at random: it runs on a failing input).
ARGUMENT = {"output": "out.v", "make-deps": "m.d", "include-dir": "inc"}
INPUT = {"include-dir": "top.sfl", "shinpi": "bad.sfl", "explain": "bad.sfl"}
FILES = {
    "m.sfl": "module m {\n  input a;\n  output b;\n  reg_wr r;\n  b = r;\n  if (a) r := ^r;\n}\n",
    "bad.sfl": "module m {\n  input a;\n  output b c;\n}\n",
    "top.sfl": "%i \"lib.sfl\"\n",
    "inc/lib.sfl": "module lib { input a; output b; b = a; }\n",
}
STAMP = re.compile(rb"^// This file was translated at [^\n]*\n")


def outcome(sflc, option, arg, source):
    """Status, streams and written files of one run, time stamps masked."""
    with tempfile.TemporaryDirectory(prefix="sflc-prefix-") as work:
        for name, text in FILES.items():
            os.makedirs(os.path.dirname(os.path.join(work, name)), exist_ok=True)
            with open(os.path.join(work, name), "w") as f:
                f.write(text)
        args = ["--" + option + ("=" + arg if arg else ""), source]
        p = subprocess.run([sflc] + args, cwd=work, capture_output=True, timeout=30)
        files = {}
        for root, _dirs, names in os.walk(work):
            for name in names:
                path = os.path.join(root, name)
                with open(path, "rb") as f:
                    files[os.path.relpath(path, work)] = STAMP.sub(b"(time)\n", f.read())
        return p.returncode, p.stdout, p.stderr, files


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sflc", required=True)
    sflc = os.path.abspath(ap.parse_args().sflc)
    failures = []
    for prefix, option in sorted(PREFIXES.items()):
        if option is None:
            status, _out, err, _files = outcome(sflc, prefix, "x.v", "m.sfl")
            if status != 1 or b"is ambiguous" not in err:
                failures.append("--%s is not ambiguous: exit %d, %r" % (prefix, status, err))
            continue
        arg, source = ARGUMENT.get(option), INPUT.get(option, "m.sfl")
        short = outcome(sflc, prefix, arg, source)
        full = outcome(sflc, option, arg, source)
        if short != full:
            failures.append("--%s does not act as --%s:\n  %r\n  %r" % (prefix, option, short[:3], full[:3]))
    for f in failures:
        print("FAIL " + f)
    print("%d prefixes, %d failed" % (len(PREFIXES), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
