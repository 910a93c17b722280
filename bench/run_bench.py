#!/usr/bin/env python3
"""Measure sflc on the synthetic designs of gen_bench.py.

For every shape and size: translation wall and CPU time, MB/s, statements/s,
peak RSS (from /usr/bin/time), and, up to --tools-max-mb, the CPU time of
`verilator --lint-only` and `iverilog -g2005 -t null` on the Verilog that
sflc wrote, with sflc's share of each. Then the instructions per statement
of one fixed design under callgrind.

    bench/run_bench.py [--shapes a,b,...] [--sizes 1,4,16,64] [options]

Shapes are those of gen_bench.py; a shape followed by "O" (e.g. fO) runs
sflc with -O. Designs are generated once into --work and reused.
Figures are printed as Markdown tables on stdout.

    bench/run_bench.py --before OLD_SFLC --sflc NEW_SFLC [--shapes ...]

compares two builds instead: each design is translated by the two binaries
in turn (old, new, old, new, ...), so that a change of machine load hits
both alike, and one table lists the best CPU time and the peak RSS of each
with the change in percent.  --sflc-args ARGS (e.g. "--line-directives")
are given to --sflc only, in both modes: what an option costs.
"""

import argparse
import json
import os
import re
import resource
import signal
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import gen_bench  # noqa: E402

MB = 1024 * 1024


def loadavg():
    with open("/proc/loadavg") as f:
        return float(f.read().split()[0])


def timed(cmd, timeout):
    """Runs cmd under /usr/bin/time; returns (rc, wall, cpu, maxrss_kb, stderr).
    The CPU time is taken from this process's children usage, to the
    microsecond (/usr/bin/time prints hundredths, too coarse at 1 MB)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with tempfile.NamedTemporaryFile("r", suffix=".time") as tf:
        full = ["/usr/bin/time", "-o", tf.name, "-f", "%e %U %S %M"] + cmd
        # In a session of its own, so that a timeout ends the measured
        # program too and not only /usr/bin/time.
        p = subprocess.Popen(full, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                             start_new_session=True)
        try:
            _, err = p.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.communicate()
            return None, timeout, None, None, "timeout"
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        fields = tf.read().split()[-4:]
        wall, rss = float(fields[0]), int(fields[3])
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        return p.returncode, wall, cpu, rss, err.decode(errors="replace")


def design(work, shape, size):
    path = os.path.join(work, f"{shape}_{size:g}MB.sfl")
    if os.path.exists(path) and os.path.exists(path + ".json"):
        with open(path + ".json") as f:
            return path, json.load(f)
    return path, gen_bench.generate(shape, size, path)


def tool_failure(r):
    """What a failed tool run shows in the table instead of its time."""
    if r[0] is None:
        return "timeout"
    lines = [l for l in r[4].splitlines() if "rror" in l or "give up" in l]
    return "failed: " + (lines[0].split(":")[-1].strip() if lines else f"exit {r[0]}")


def best_of(n, cmd, timeout):
    best = None
    for _ in range(n):
        r = timed(cmd, timeout)
        if r[0] is None or r[0] != 0:
            return r
        if best is None or r[2] < best[2]:
            best = r
    return best


def measure(args, shape, size):
    base, opt = shape[0], shape[1:] == "O"
    src, info = design(args.work, base, size)
    out = os.path.join(args.work, f"{shape}_{size:g}MB.v")
    cmd = [args.sflc] + args.sflc_args.split() + (["-O"] if opt else []) + ["-o", out, src]
    load0 = loadavg()
    rc, wall, cpu, rss, err = best_of(args.repeat if size <= 4 else 1, cmd, args.timeout)
    row = {"shape": shape, "size": size, "bytes": info["bytes"],
           "statements": info["statements"], "rc": rc, "wall": wall, "cpu": cpu,
           "rss_kb": rss, "load": max(load0, loadavg())}
    if rc != 0:
        row["error"] = err.strip().splitlines()[-1] if err.strip() else f"exit {rc}"
        return row
    if size <= args.tools_max_mb:
        r = timed(["verilator", "--lint-only", "-Wno-fatal", out], args.tool_timeout)
        row["verilator"] = r[2] if r[0] == 0 else tool_failure(r)
        r = timed(["iverilog", "-g2005", "-t", "null", out], args.tool_timeout)
        row["iverilog"] = r[2] if r[0] == 0 else tool_failure(r)
    if not args.keep:
        os.remove(out)
    return row


def fmt(v, pattern):
    if isinstance(v, str):
        return v
    return "-" if v is None else format(v, pattern)


def share(cpu, tool):
    return tool if isinstance(tool, str) or tool is None else cpu / max(tool, 0.005)


def print_shape(rows, out):
    shape = rows[0]["shape"]
    doc = gen_bench.SHAPES[shape[0]].__doc__.strip()
    out.write(f"\n### Shape {shape}: {doc}{' (sflc -O)' if shape.endswith('O') else ''}\n\n")
    out.write("| MB | input bytes | statements | wall s | CPU s | MB/s | stmts/s | peak RSS MB"
              " | RSS limit MB | verilator CPU s | sflc/verilator | iverilog CPU s"
              " | sflc/iverilog | load |\n")
    out.write("|---:" * 14 + "|\n")
    for r in rows:
        if r["rc"] != 0:
            out.write(f"| {r['size']:g} | {r['bytes']} | {r['statements']} | "
                      f"{r.get('error', 'failed')} (after {r['wall']:.0f} s) |"
                      + " |" * 10 + "\n")
            continue
        mb = r["bytes"] / MB
        cpu = max(r["cpu"], 0.005)
        ver, ivl = r.get("verilator"), r.get("iverilog")
        limit = 3 * mb + 32
        out.write(
            f"| {r['size']:g} | {r['bytes']} | {r['statements']} | {r['wall']:.2f} | {r['cpu']:.3f}"
            f" | {mb / cpu:.2f} | {r['statements'] / cpu:,.0f} | {r['rss_kb'] / 1024:.1f}"
            f" | {limit:.0f}{' **over**' if r['rss_kb'] / 1024 > limit else ''}"
            f" | {fmt(ver, '.2f')} | {fmt(share(r['cpu'], ver), '.3f')}"
            f" | {fmt(ivl, '.2f')} | {fmt(share(r['cpu'], ivl), '.3f')} | {r['load']:.1f} |\n")
    ok = [r for r in rows if r["rc"] == 0]
    if len(ok) >= 2:
        first, last = ok[0], ok[-1]
        per = [max(r["cpu"], 0.005) / (r["bytes"] / MB) for r in (first, last)]
        ratio = per[1] / per[0]
        out.write(f"\nCPU time per MB at {last['size']:g} MB / at {first['size']:g} MB:"
                  f" {ratio:.2f}{' **worse than linear**' if ratio > 1.3 else ''}\n")
    out.flush()


def compare(args, shapes, sizes):
    """Times --before against --sflc on every design, alternating the two."""
    out = sys.stdout
    out.write("\n### Before and after\n\n"
              f"before: {args.before}; after: {' '.join([args.sflc] + args.sflc_args.split())}; best of {args.repeat} runs of each"
              " up to 4 MB, 2 above, taken alternately.\n\n"
              "| shape | MB | CPU s before | CPU s after | change | peak RSS MB before"
              " | peak RSS MB after | change | load |\n")
    out.write("|---" * 2 + "|---:" * 7 + "|\n")
    worst = None
    for shape in shapes:
        for size in sizes:
            src, _ = design(args.work, shape[0], size)
            out_v = os.path.join(args.work, f"{shape}_{size:g}MB.v")
            opt = ["-O"] if shape.endswith("O") else []
            best = {}
            load0 = loadavg()
            for _ in range(args.repeat if size <= 4 else 2):
                for name, cmd in (("before", [args.before]), ("after", [args.sflc] + args.sflc_args.split())):
                    r = timed(cmd + opt + ["-o", out_v, src], args.timeout)
                    if r[0] != 0:
                        sys.exit(f"{name} failed on {shape} {size:g} MB: {r[4].strip()[-300:]}")
                    old = best.get(name)
                    best[name] = (min(old[0], r[2]) if old else r[2],
                                  max(old[1], r[3]) if old else r[3])
            if os.path.exists(out_v):
                os.remove(out_v)
            (cb, mb), (ca, ma) = best["before"], best["after"]
            dc, dm = 100 * (ca - cb) / max(cb, 0.001), 100 * (ma - mb) / mb
            worst = dc if worst is None else max(worst, dc)
            out.write(f"| {shape} | {size:g} | {cb:.3f} | {ca:.3f} | {dc:+.1f} % | {mb / 1024:.1f}"
                      f" | {ma / 1024:.1f} | {dm:+.1f} % | {max(load0, loadavg()):.1f} |\n")
            out.flush()
    out.write(f"\nLargest CPU change: {worst:+.1f} %\n")


def instructions(cmd, src):
    """The instructions that `cmd` runs to translate `src` (callgrind): the
    same for the same binary and input whatever the machine's load."""
    with tempfile.TemporaryDirectory() as tmp:
        cg = os.path.join(tmp, "callgrind.out")
        p = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={cg}"] + cmd
                           + ["-o", os.path.join(tmp, "out.v"), src],
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    m = re.search(r"Collected\s*:\s*(\d+)", p.stderr)
    if p.returncode != 0 or not m:
        sys.exit(f"callgrind failed: {p.stderr.strip()[-300:]}")
    return int(m.group(1))


def compare_instructions(args, shapes, sizes):
    """Counts the instructions of --before and --sflc on every design."""
    out = sys.stdout
    out.write("\n### Before and after, in instructions\n\n"
              f"before: {args.before}; after: {' '.join([args.sflc] + args.sflc_args.split())}; callgrind.\n\n"
              "| shape | MB | Ir before | Ir after | change |\n|---|---|---:|---:|---:|\n")
    worst = None
    for shape in shapes:
        for size in sizes:
            src, _ = design(args.work, shape[0], size)
            opt = ["-O"] if shape.endswith("O") else []
            before = instructions([args.before] + opt, src)
            after = instructions([args.sflc] + args.sflc_args.split() + opt, src)
            change = 100 * (after - before) / before
            worst = change if worst is None else max(worst, change)
            out.write(f"| {shape} | {size:g} | {before:,} | {after:,} | {change:+.2f} % |\n")
            out.flush()
    out.write(f"\nLargest change: {worst:+.2f} %\n")


def callgrind(args):
    shape, size = args.callgrind.split(":")
    src, info = design(args.work, shape, float(size))
    ir = instructions([args.sflc], src)
    sys.stdout.write(f"\n### Instructions per statement (callgrind)\n\n"
                     f"shape {shape} at {float(size):g} MB: {ir:,} Ir for {info['statements']:,}"
                     f" statements = {ir / info['statements']:,.0f} Ir per statement\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--shapes", default="a,b,c,d,e,f,fO,g,hO")
    ap.add_argument("--sizes", default="1,4,16,64")
    ap.add_argument("--sflc", default="/tmp/build-bench/src/sflc")
    ap.add_argument("--work", default="/tmp/sflc-bench")
    ap.add_argument("--tools-max-mb", type=float, default=4,
                    help="run verilator and iverilog only up to this size")
    ap.add_argument("--repeat", type=int, default=3,
                    help="best of N translations at sizes up to 4 MB")
    ap.add_argument("--timeout", type=float, default=900,
                    help="seconds per translation; larger sizes of a shape that "
                         "timed out are skipped")
    ap.add_argument("--tool-timeout", type=float, default=300)
    ap.add_argument("--callgrind", default="b:1", help="SHAPE:MB, or '' to skip")
    ap.add_argument("--keep", action="store_true", help="keep the Verilog outputs")
    ap.add_argument("--before", help="an older sflc to compare --sflc with")
    ap.add_argument("--sflc-args", default="", help="options for --sflc only (not for --before)")
    ap.add_argument("--instructions", action="store_true",
                    help="with --before: count instructions (callgrind) instead of timing")
    args = ap.parse_args()
    os.makedirs(args.work, exist_ok=True)
    sizes = [float(s) for s in args.sizes.split(",")]
    if args.before:
        (compare_instructions if args.instructions else compare)(args, args.shapes.split(","), sizes)
        return
    print(f"sflc: {args.sflc}; load average at start: {loadavg():.1f}; "
          f"CPU times are user+sys; ratios are CPU time of sflc over the tool's.")
    for shape in args.shapes.split(","):
        if shape[0] not in gen_bench.SHAPES or shape[1:] not in ("", "O"):
            sys.exit(f"unknown shape {shape}")
        rows = []
        for size in sizes:
            rows.append(measure(args, shape, size))
            if rows[-1]["rc"] != 0:
                break
        print_shape(rows, sys.stdout)
    if args.callgrind:
        callgrind(args)


if __name__ == "__main__":
    main()
