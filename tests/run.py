#!/usr/bin/env python3
"""The end-to-end runner of the sflc tests (tests/README.md).

  run.py cases --harness SFLC_UNIT CASES...    rows files and case folders: the
      in-process harness compares every case, then each successful
      translation goes through iverilog, Verilator -Wall and Yosys.  With
      --add OPTION, the translations of the cases that succeed are made
      again with OPTION added, must differ only by `line directives, and
      go through the tools instead
  run.py sim --sflc SFLC DIR                   translate DIR's .sfl/.sflp files plain
      and with -O (and the options of DIR/args), put them through the Verilog
      tools as `cases` does, simulate them with the testbench DIR/tb.v (or
      --tb FILE); the run must print PASS
  run.py gen --sflc SFLC [--seed N --count N --jobs N --with OPTION]
          [--dialect extended [--features=+NAME,-NAME]]
      random designs (gen/gen_design.py), translated plain and with -O, read
      whole and in pieces, simulated: the traces must agree.  With --with,
      each design must translate to the same bytes with OPTION added.  The
      extended dialect's designs (gen/gen_extended.py) are translated with
      --extended, and every output goes through the Verilog tools as well.
  `sim` and `gen` take --add OPTION too: every translation has OPTION added.
"""

import argparse
import glob
import multiprocessing
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "gen"))

# Verilator -Wall warning kinds that valid sflc output is allowed to raise,
# each with the reason the output layout produces it.
EXPECTED_WARNINGS = {
    # One output file holds every module of the source, named after the input.
    "DECLFILENAME": "output file named after the input, not after each module",
    # m_clock and p_reset exist in every non-combinational module; declared
    # inputs, instance nets and task argument registers may go unread.
    "UNUSEDSIGNAL": "implicit m_clock/p_reset and declared but unread signals",
    # A declared sel, output or register that no statement drives is valid
    # SFL; so are the nets of an instruction never called.
    "UNDRIVEN": "declared signals that no statement assigns",
    # Every state of a stage becomes a parameter, compared against or not.
    "UNUSEDPARAM": "state constants that nothing compares against",
    # "+", "-", "*", "/" take operands of any widths in SFL and "<<" widens
    # its result; sources that mix widths elsewhere (sflc warns) give the same
    # extension or truncation.  Newer Verilator splits WIDTH in two.
    "WIDTH": "SFL operand widths that Verilog extends or cuts",
    "WIDTHEXPAND": "as WIDTH, newer Verilator",
    "WIDTHTRUNC": "as WIDTH, newer Verilator",
}
# More kinds that a random design's own logic raises: a comparison of
# operands whose values make it constant.
GEN_WARNINGS = {
    "UNSIGNED": "random comparisons such as x >= 0",
    "CMPCONST": "random comparisons with constants out of the operand's range",
}
MODULE_RE = re.compile(r"^\s*module\s+([A-Za-z_]\w*)\s*\(", re.M)
INSTANCE_RE = re.compile(r"^\s*([A-Za-z_]\w*)\s+([A-Za-z_]\w*)\s*\((.*)\)\s*;\s*$", re.M)
DECLARE_RE = re.compile(r"\bdeclare\s+([A-Za-z_]\w*)\s*(interface\s*)?\{([^}]*)\}")
PORT_RE = re.compile(r"^\s*(input|output|bidirect|instrin|instrout)\s+(.*)$", re.S)
VERILATOR_RE = re.compile(r"^%(Warning|Error)(?:-([A-Z0-9_]+))?:\s*(?:(\S+?):(\d+):(?:\d+:)?)?\s*(.*)$", re.M)
DIRECTION = {"input": "input", "instrin": "input", "output": "output", "instrout": "output",
             "bidirect": "inout"}


class Failure(Exception):
    pass


def run(cmd, cwd=None, timeout=60, **env):
    try:
        p = subprocess.run(cmd, cwd=cwd, capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL,
                           env=dict(os.environ, LC_ALL="C", **env))
    except subprocess.TimeoutExpired:
        raise Failure("%s did not finish within %d s" % (os.path.basename(cmd[0]), timeout))
    return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")


def excerpt(text, limit=600):
    text = text.strip().replace("\n", " | ")
    return text if len(text) <= limit else text[:limit] + " ..."


def stubs(verilog, sfl_texts):
    """Empty modules for the submodules that the Verilog instantiates but does
    not define (a `declare` block only): ports from the declare block of the
    SFL sources, else one-bit inputs named as in the instance line."""
    declares = {}
    for text in sfl_texts:
        text = re.sub(r"//[^\n]*", "", re.sub(r"/\*.*?\*/", " ", text, flags=re.S))
        for name, interface, body in DECLARE_RE.findall(text):
            ports = [] if interface else [("input", "m_clock", 1), ("input", "p_reset", 1)]
            for stmt in body.split(";"):
                d = PORT_RE.match(stmt)
                # (an instruction's argument list, --extended, is no port)
                for item in re.sub(r"\([^)]*\)", "", d.group(2)).split(",") if d else []:
                    p = re.match(r"^\s*([A-Za-z_]\w*)\s*(?:<\s*(\d+)\s*>)?\s*$", item)
                    if p:
                        ports.append((DIRECTION[d.group(1)], p.group(1), int(p.group(2) or 1)))
            declares.setdefault(name, ports)
    defined = set(MODULE_RE.findall(verilog))
    out = {}
    for mod, inst, conns in INSTANCE_RE.findall(verilog):
        if mod in defined or mod in out or mod in ("module", "assign", "always", "if", "else") or inst == "module":
            continue
        ports = declares.get(mod) or [("input", p, 1) for p in re.findall(r"\.\s*([A-Za-z_]\w*)\s*\(", conns)]
        lines = ["module %s(%s);" % (mod, ", ".join(p[1] for p in ports))]
        lines += ["   %s %s%s;" % (d, "[%d:0] " % (w - 1) if w > 1 else "", n) for d, n, w in ports]
        lines += ["   assign %s = %d'b0;" % (n, w) for d, n, w in ports if d == "output"]
        out[mod] = "\n".join(lines + ["endmodule\n"])
    return "".join(out.values())


def hdl_check(workdir, rel, allowed=EXPECTED_WARNINGS):
    """iverilog, Verilator -Wall (each module as top) and Yosys on one
    translated file; returns the Verilator warning kinds found."""
    vfile = os.path.join(workdir, rel)
    with open(vfile, encoding="latin-1") as f:
        verilog = f.read()
    sfl = []
    for path in glob.glob(os.path.join(workdir, "**", "*.sfl*"), recursive=True):
        with open(path, encoding="latin-1") as f:
            sfl.append(f.read())
    files = [vfile]
    stub_text = stubs(verilog, sfl)
    if stub_text:
        files.append(os.path.join(os.path.dirname(workdir), os.path.basename(workdir) + "-stubs.v"))
        with open(files[1], "w") as f:
            f.write(stub_text)
    rc, out, err = run(["iverilog", "-g2005", "-t", "null"] + files)
    if rc:
        raise Failure("iverilog: " + excerpt(out + err))
    kinds = set()
    for top in MODULE_RE.findall(verilog):
        # (-O0: the lint needs no optimization, and the optimizing passes of
        # Verilator 5.006 stop on some valid outputs: "Internal Error: ...
        # toUQuad with 4-state", "Unsupported: 4-state numbers in this context")
        rc, out, err = run(["verilator", "--lint-only", "-Wall", "-Wno-fatal", "-O0",
                             "--default-language", "1364-2005", "--top-module", top] + files)
        errors = [m.group(0) for m in VERILATOR_RE.finditer(out + err) if m.group(1) == "Error"]
        if rc or errors:
            raise Failure("verilator (top %s): %s" % (top, excerpt("\n".join(errors) or out + err)))
        for m in VERILATOR_RE.finditer(out + err):
            # (located in the output, or where its `line directives lead)
            if m.group(3) is None or os.path.realpath(m.group(3)) not in map(os.path.realpath, files[1:]):
                if (m.group(2) or "WARNING") not in allowed:
                    raise Failure("unexpected Verilator warning: %s" % m.group(0))
                kinds.add(m.group(2))
        script = "read_verilog %s; hierarchy -check -top %s; proc; check" % (" ".join(files), top)
        rc, out, err = run(["yosys", "-q", "-p", script])
        if rc or "ERROR" in out + err:
            raise Failure("yosys (top %s): %s" % (top, excerpt(out + err)))
    return kinds


def memory_check(vfile):
    """Yosys must infer every array of the translated file as a memory."""
    with open(vfile, encoding="latin-1") as f:
        arrays = len(re.findall(r"^\s*reg\b[^;]*\[0:\d+\];", f.read(), re.M))
    if not arrays:
        return
    rc, out, err = run(["yosys", "-p", "read_verilog %s; proc; memory -nomap; stat" % vfile])
    found = sum(int(n) for n in re.findall(r"\$mem(?:_v2)?\s+(\d+)", out))
    if rc or found != arrays:
        raise Failure("yosys infers %d memories of the %d arrays in %s" % (found, arrays, vfile))


def cases(args):
    """Runs the harness on the cases, then the Verilog tools on its outputs."""
    scratch = tempfile.mkdtemp(prefix="sflc-cases-")
    try:
        add = ["--add", args.add] if args.add else []
        status = subprocess.run([args.harness, "--keep", scratch] + add + args.cases).returncode
        if os.environ.get("SFLC_NO_HDL"):  # the sanitizer pass of .ci/run
            return status
        kinds, failed = set(), 0
        with open(os.path.join(scratch, "hdl.list")) as f:
            for workdir, rel in (line.rstrip("\n").split("\t") for line in f):
                try:
                    kinds |= hdl_check(workdir, rel)
                except Failure as e:
                    print("FAIL %s: %s: %s" % (os.path.basename(workdir).split("-", 1)[1], rel, e))
                    failed += 1
        print("Verilator warning kinds: %s; %d outputs failed the Verilog tools"
              % (" ".join(sorted(kinds)) or "none", failed))
        return 1 if status or failed else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def sources(folder):
    """The SFL (.sfl) and SFL+ (.sflp) designs of a folder, by name."""
    return sorted(glob.glob(os.path.join(folder, "*.sfl")) + glob.glob(os.path.join(folder, "*.sflp")))


def sim(args):
    """Simulates the designs of one folder against its testbench."""
    src = os.path.abspath(args.dir)
    tb = os.path.abspath(args.tb or os.path.join(src, "tb.v"))
    argfile = os.path.join(src, "args")
    extra = open(argfile).read().split() if os.path.isfile(argfile) else []
    status = 0
    for variant in ([], ["-O"]):
        with tempfile.TemporaryDirectory(prefix="sflc-sim-") as work:
            vfiles = []
            for design in sources(src) if os.path.isdir(src) else [src]:
                vfiles.append(os.path.join(work, os.path.splitext(os.path.basename(design))[0] + ".v"))
                rc, out, err = run([args.sflc] + extra + variant + args.add + ["-o", vfiles[-1], design], cwd=work)
                if rc or out or err:
                    raise Failure("sflc %s on %s: exit %d: %s" % (" ".join(variant), design, rc, out + err))
                hdl_check(work, os.path.basename(vfiles[-1]))
                memory_check(vfiles[-1])
            rc, out, err = run(["iverilog", "-g2005", "-I", os.path.join(HERE, "sim"), "-o", "sim.vvp", tb] + vfiles,
                               cwd=work)
            if rc:
                raise Failure("iverilog: " + excerpt(out + err))
            rc, out, err = run(["vvp", "-n", "sim.vvp"], cwd=work)
            print("".join("[%s] %s\n" % (" ".join(variant) or "plain", l) for l in out.splitlines()), end="")
            if rc or re.search(r"^FAIL", out, re.M) or not re.search(r"^PASS$", out, re.M):
                status = 1
    return status


def translate(sflc, work, opts, out, source, **env):
    rc, _, err = run([sflc] + opts + ["-o", out, source], cwd=work, **env)
    path = os.path.join(work, out)
    if not os.path.exists(path):
        return rc, err, None
    with open(path, "rb") as f:
        return rc, err, f.read().split(b"\n", 1)[-1]  # without the time stamp


def gen_one(job):
    """None when the random design `seed` passes, else the reason."""
    import gen_design
    sflc, seed, with_opt, features, add = job
    work = tempfile.mkdtemp(prefix="sflc-gen-%d-" % seed)
    try:
        files, tb = gen_design.generate(seed, features)
        for name, data in list(files.items()) + [("tb.v", tb.encode())]:
            with open(os.path.join(work, name), "wb") as f:
                f.write(data)
        source = next(iter(files))
        dialect = [] if features is None else ["--extended"]
        traces, what = [], "sflc"
        for opts in (add, ["-O"] + add):
            opts = dialect + opts
            rc, err, body = translate(sflc, work, opts, "a.v", source)
            what = "sflc %s" % (" ".join(opts) or "(no option)")
            if rc or err:
                return "%s: exit %d: %s" % (what, rc, err.strip()[:300])
            if with_opt:
                if translate(sflc, work, opts + [with_opt], "b.v", source) != (rc, err, body):
                    return "%s: %s changes the translation" % (what, with_opt)
                continue
            if translate(sflc, work, opts, "b.v", source, SFLC_PIECE_BYTES="0") != (rc, err, body):
                return "%s: the source read in pieces translates differently" % what
            if features is not None and not os.environ.get("SFLC_NO_HDL"):
                hdl_check(work, "a.v", dict(EXPECTED_WARNINGS, **GEN_WARNINGS))
            rc, out, err = run(["iverilog", "-g2005", "-o", "sim.vvp", "a.v", "tb.v"], cwd=work)
            if rc:
                return "iverilog: " + excerpt(out + err, 300)
            rc, out, err = run(["vvp", "-n", "sim.vvp"], cwd=work)
            traces.append([l for l in out.splitlines() if l and not l.startswith(("VCD", "tb.v:"))])
            if rc or not traces[-1]:
                return "simulation failed: " + err[:200]
        if traces and traces[0] != traces[1]:
            diff = next((a, b) for a, b in zip(traces[0] + [""], traces[1] + [""]) if a != b)
            return "traces differ:\n      plain: %s\n      -O:    %s" % diff
        return None
    except Failure as e:
        return "%s: %s" % (what, e)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def gen(args):
    limit = int(os.environ.get("SFLC_GEN_MAX", 0))
    count = min(args.count, limit) if limit > 0 else args.count
    seeds = range(args.seed, args.seed + count)
    features, how = None, ""
    if args.dialect == "extended":
        import gen_extended
        features = gen_extended.parse_features(args.features)[0]
        how = "--extended %s" % " ".join(args.features)
    with multiprocessing.Pool(args.jobs) as pool:
        results = pool.map(gen_one, [(args.sflc, s, args.with_opt, features, args.add) for s in seeds], chunksize=4)
    failed = [(s, why) for s, why in zip(seeds, results) if why]
    for s, why in failed:
        print("FAIL seed %d: %s\n     reproduce: python3 tests/gen/gen_design.py %s%d DIR"
              % (s, why, how.rstrip() + " " if how else "", s))
    print("gen: %d passed, %d failed" % (len(results) - len(failed), len(failed)))
    return 1 if failed else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = ap.add_subparsers(dest="what", required=True)
    p = sub.add_parser("cases")
    p.add_argument("--harness", required=True)
    p.add_argument("--add")
    p.add_argument("cases", nargs="+")
    p = sub.add_parser("sim")
    p.add_argument("--sflc", required=True)
    p.add_argument("--tb")
    p.add_argument("--add", action="append", default=[])
    p.add_argument("dir")
    p = sub.add_parser("gen")
    p.add_argument("--sflc", required=True)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--count", type=int, default=300)
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--with", dest="with_opt")
    p.add_argument("--add", action="append", default=[])
    p.add_argument("--dialect", choices=["base", "extended"], default="base")
    p.add_argument("--features", action="append", default=[], type=lambda v: "--features=" + v,
                   help="extended dialect: +NAME,-NAME (gen/gen_extended.py)")
    args = ap.parse_args()
    if getattr(args, "sflc", None):
        args.sflc = os.path.abspath(args.sflc)
    try:
        return {"cases": cases, "sim": sim, "gen": gen}[args.what](args)
    except Failure as e:
        print("FAIL", e)
        return 1


if __name__ == "__main__":
    sys.exit(main())
