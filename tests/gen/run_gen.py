#!/usr/bin/env python3
"""Translate a batch of random designs (gen_design.py) with and without -O,
simulate both with Icarus Verilog on the same testbench and compare the
printed traces.  Every design must translate with exit status 0 and no
message, compile, and print the same trace both ways.

    run_gen.py --sflc PATH [--seed N] [--count N] [--max-count N] [--jobs N] [--keep DIR]
"""

import argparse
import multiprocessing
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_design  # noqa: E402


def run(cmd, cwd, timeout=60, **extra_env):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, timeout=timeout,
                          env=dict(os.environ, LC_ALL="C", **extra_env), stdin=subprocess.DEVNULL)


def body(path):
    """The Verilog file without its first line (the time stamp)."""
    with open(path, "rb") as f:
        return f.read().split(b"\n", 1)[-1]


def check(job):
    """None when the design passes, else a one-line reason."""
    sflc, seed, keep = job
    work = tempfile.mkdtemp(prefix="sflc-gen-%d-" % seed)
    try:
        sfl, tb = gen_design.generate(seed)
        with open(os.path.join(work, "design.sfl"), "w") as f:
            f.write(sfl)
        with open(os.path.join(work, "tb.v"), "w") as f:
            f.write(tb)
        traces = {}
        for tag, opts in (("plain", []), ("O", ["-O"])):
            out = "%s.v" % tag
            p = run([sflc] + opts + ["-o", out, "design.sfl"], work)
            if p.returncode != 0 or p.stderr:
                return "sflc %s: exit %d: %s" % (" ".join(opts) or "(no option)", p.returncode,
                                                 p.stderr.decode("latin-1").strip()[:300])
            # Reading the source in the smallest pieces changes nothing.
            p = run([sflc] + opts + ["-o", "pieces.v", "design.sfl"], work, SFLC_PIECE_BYTES="0")
            if p.returncode != 0 or body(os.path.join(work, "pieces.v")) != body(os.path.join(work, out)):
                return "sflc %s: the source read in pieces translates differently" % " ".join(opts)
            p = run(["iverilog", "-g2005", "-o", "%s.vvp" % tag, out, "tb.v"], work)
            if p.returncode != 0:
                return "iverilog rejects %s: %s" % (out, (p.stderr or p.stdout).decode(
                    "latin-1").strip().replace("\n", " | ")[:300])
            p = run(["vvp", "-n", "%s.vvp" % tag], work)
            lines = [l for l in p.stdout.decode("latin-1").splitlines()
                     if l and not l.startswith(("VCD", "tb.v:"))]
            if p.returncode != 0 or not lines:
                return "simulation of %s failed: %s" % (out, p.stderr.decode("latin-1")[:200])
            traces[tag] = lines
        for a, b in zip(traces["plain"], traces["O"]):
            if a != b:
                return "traces differ:\n      plain: %s\n      -O:    %s" % (a, b)
        if len(traces["plain"]) != len(traces["O"]):
            return "traces differ in length"
        return None
    finally:
        if keep:
            dst = os.path.join(keep, "seed%d" % seed)
            shutil.rmtree(dst, ignore_errors=True)
            shutil.copytree(work, dst)
        shutil.rmtree(work, ignore_errors=True)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--sflc", required=True)
    ap.add_argument("--seed", type=int, default=1, help="first seed")
    ap.add_argument("--count", type=int, default=300, help="number of designs")
    ap.add_argument("--max-count", type=int, default=int(os.environ.get("SFLC_GEN_MAX", 0)),
                    help="at most this many designs (default: $SFLC_GEN_MAX, 0 = no limit)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    ap.add_argument("--keep", help="copy every design's folder here")
    args = ap.parse_args(argv)
    for tool in ("iverilog", "vvp"):
        if not shutil.which(tool):
            print("%s not found (run scripts/setup.sh)" % tool, file=sys.stderr)
            return 2
    sflc = os.path.abspath(args.sflc)
    keep = os.path.abspath(args.keep) if args.keep else None
    count = min(args.count, args.max_count) if args.max_count > 0 else args.count
    seeds = range(args.seed, args.seed + count)
    with multiprocessing.Pool(args.jobs) as pool:
        results = pool.map(check, [(sflc, s, keep) for s in seeds], chunksize=4)
    failed = [(s, why) for s, why in zip(seeds, results) if why]
    for s, why in failed:
        print("FAIL seed %d: %s" % (s, why))
        print("     reproduce: python3 tests/gen/gen_design.py %d DIR" % s)
    print("gen: %d passed, %d failed" % (len(results) - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
