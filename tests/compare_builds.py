#!/usr/bin/env python3
"""Compares two builds of sflc byte for byte: the output files, standard
output, standard error and exit status of random designs, under every option
set.

  compare_builds.py --sflc NEW --reference OLD --gen-from REV --count N
      random designs made by the generator of commit REV (whose designs the
      reference build was made for), under every option set.
  compare_builds.py --sflc NEW --reference-commit REV --count N
      builds REV's sflc in a scratch folder first (for CI: the layout of
      the sources may change, the translations of these designs may not).

The first line of an output file holds the translation time and is left out.
"""

import argparse
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
# (--shinpi's success line is one of two chosen at random: left out.)
OPTION_SETS = [[], ["-O"], ["--old"], ["--posres"], ["--extended"], ["-O", "--extended"], ["-d"], ["-n"],
               ["-p"], ["--tundere"], ["--2channel=e"], ["--check"]]


def outcome(sflc, argv, design, work):
    """Every byte that one run on design.sfl gives: status, streams, the files
    it leaves."""
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(work, "design.sfl"), "wb") as f:
        f.write(design)
    try:
        p = subprocess.run(["sflc"] + argv, executable=sflc, cwd=work, capture_output=True, timeout=60, stdin=subprocess.DEVNULL,
                           env=dict(os.environ, LC_ALL="C"))
        result = {"status": p.returncode, "stdout": p.stdout, "stderr": p.stderr}
    except subprocess.TimeoutExpired:
        result = {"status": "timeout"}
    for dirpath, _, names in os.walk(work):
        for n in names:
            rel = os.path.relpath(os.path.join(dirpath, n), work)
            if rel != "design.sfl":
                with open(os.path.join(dirpath, n), "rb") as f:
                    result["file " + rel] = f.read()
    for key, data in result.items():
        # The header's first line holds the translation time.
        if key != "stderr" and isinstance(data, bytes) and data.startswith(b"// This file"):
            result[key] = data.split(b"\n", 1)[-1]
    return result


def first_difference(a, b):
    for key in sorted(set(a) | set(b)):
        if a.get(key) != b.get(key):
            x, y = a.get(key, b"(none)"), b.get(key, b"(none)")
            if isinstance(x, bytes) and isinstance(y, bytes):
                xl, yl = x.split(b"\n"), y.split(b"\n")
                for i, (p, q) in enumerate(zip(xl + [b"(end)"], yl + [b"(end)"])):
                    if p != q:
                        return "%s differs at line %d: %r against %r" % (key, i + 1, q, p)
            return "%s: %r against %r" % (key, y, x)
    return None


def gen_cases(rev, count, scratch):
    """Designs of the generator as it was at commit `rev`."""
    gen_dir = os.path.join(scratch, "gen")
    os.makedirs(gen_dir)
    with open(os.path.join(gen_dir, "gen_design.py"), "wb") as f:
        f.write(subprocess.run(["git", "-C", ROOT, "show", rev + ":tests/gen/gen_design.py"], check=True,
                               capture_output=True).stdout)
    cases = []
    for seed in range(1, count + 1):
        d = os.path.join(gen_dir, str(seed))
        subprocess.run([sys.executable, os.path.join(gen_dir, "gen_design.py"), str(seed), d], check=True)
        with open(os.path.join(d, "design.sfl"), "rb") as f:
            cases.append(("gen %d" % seed, f.read()))
    return cases


def build_reference(rev, scratch):
    src = os.path.join(scratch, "ref")
    os.makedirs(src)
    subprocess.run("git -C %s archive %s | tar -x -C %s" % (shlex.quote(ROOT), shlex.quote(rev), shlex.quote(src)),
                   shell=True, check=True, executable="/bin/bash")
    build = os.path.join(src, "build")
    subprocess.run(["cmake", "-S", src, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DBUILD_TESTING=OFF"],
                   check=True, capture_output=True)
    subprocess.run(["cmake", "--build", build, "-j2", "--target", "sflc"], check=True, capture_output=True)
    return os.path.join(build, "src", "sflc")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--sflc", required=True)
    ap.add_argument("--reference")
    ap.add_argument("--reference-commit")
    ap.add_argument("--gen-from")
    ap.add_argument("--count", type=int, required=True)
    args = ap.parse_args()
    scratch = tempfile.mkdtemp(prefix="sflc-compare-")
    try:
        reference = args.reference or build_reference(args.reference_commit, scratch)
        cases = gen_cases(args.gen_from or args.reference_commit, args.count, scratch)
        runs = differ = 0
        for name, design in cases:
            for extra in OPTION_SETS:
                runs += 1
                argv, work = extra + ["design.sfl"], os.path.join(scratch, "run")
                new = outcome(os.path.abspath(args.sflc), argv, design, work)
                old = outcome(os.path.abspath(reference), argv, design, work)
                why = first_difference(old, new)
                if why:
                    differ += 1
                    print("DIFF %s [%s]: %s" % (name, " ".join(argv), why))
        print("%d cases, %d runs, %d differ" % (len(cases), runs, differ))
        return 1 if differ else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
