#!/usr/bin/env python3
"""Compares two builds of sflc byte for byte: the output files, standard
output, standard error and exit status of every case, under every option set.

  compare_builds.py --sflc NEW --reference OLD [--options-sets ...] CASES...
      CASES are rows files, case folders, or folders holding them; each case
      runs with its own command line and with each option set added.
  compare_builds.py --sflc NEW --reference OLD --gen-from REV --count N
      random designs made by the generator of commit REV (whose designs the
      reference build was made for), under every option set.
  compare_builds.py --sflc NEW --reference-commit REV --count N
      builds REV's sflc in a scratch folder first (for CI: the layout of
      the sources may change, the translations of these designs may not).

The first line of an output file holds the translation time and is left out.
"""

import argparse
import glob
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
SECTION = ("=== ", "<<< ", ">>> ")


def read_rows(path):
    """(name, argv, {input file: bytes}) for each row of a rows file."""
    rows, row, section = [], None, None
    with open(path, "rb") as f:
        for raw in f:
            line = raw.decode("latin-1")
            if line.startswith(SECTION):
                section = None
                if line.startswith("=== "):
                    row = [line[4:].strip(), [], {}]
                    rows.append(row)
                elif line.startswith("<<< "):
                    section = line[4:].strip()
                    row[2][section] = b""
            elif line.startswith("\\ No newline at end of file") and section:
                row[2][section] = row[2][section][:-1]
            elif section:
                row[2][section] += raw
            elif row and line.startswith("$ sflc"):
                row[1] = shlex.split(line[6:])
    return rows


def read_tree(path, leave_out=lambda rel: False):
    files = {}
    for dirpath, _, names in os.walk(path):
        for n in names:
            rel = os.path.relpath(os.path.join(dirpath, n), path)
            if not leave_out(rel):
                with open(os.path.join(dirpath, n), "rb") as f:
                    files[rel] = f.read()
    return files


def read_folder(path):
    files = read_tree(path, lambda rel: rel in ("cmd", "status", "stdout", "stderr", "absent", "no_verilog")
                      or rel.startswith("expect" + os.sep))
    with open(os.path.join(path, "cmd")) as f:
        return os.path.basename(path), shlex.split(f.read()), files


def collect(paths):
    cases = []
    for p in paths:
        if p.endswith(".rows"):
            cases += read_rows(p)
        elif os.path.isfile(os.path.join(p, "cmd")):
            cases.append(read_folder(p))
        elif p.endswith((".sfl", ".sflp")):
            with open(p, "rb") as f:
                cases.append((p, [os.path.basename(p)], {os.path.basename(p): f.read()}))
        elif os.path.isdir(p):
            designs = sorted(glob.glob(os.path.join(p, "*.sfl")) + glob.glob(os.path.join(p, "*.sflp")))
            if designs:
                # A simulation folder: each design, beside the files it includes.
                files = read_tree(p)
                cases += [(d, [os.path.relpath(d, p)], files) for d in designs]
            for entry in sorted(os.listdir(p)):
                full = os.path.join(p, entry)
                if entry.endswith(".rows") or os.path.isdir(full):
                    cases += collect([full])
    return cases


def outcome(sflc, argv, files, work):
    """Every byte that one run gives: status, streams, the files it leaves."""
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for rel, data in files.items():
        os.makedirs(os.path.dirname(os.path.join(work, rel)), exist_ok=True)
        with open(os.path.join(work, rel), "wb") as f:
            f.write(data)
    try:
        p = subprocess.run(["sflc"] + argv, executable=sflc, cwd=work, capture_output=True, timeout=60, stdin=subprocess.DEVNULL,
                           env=dict(os.environ, LC_ALL="C"))
        result = {"status": p.returncode, "stdout": p.stdout, "stderr": p.stderr}
    except subprocess.TimeoutExpired:
        result = {"status": "timeout"}
    for dirpath, _, names in os.walk(work):
        for n in names:
            rel = os.path.relpath(os.path.join(dirpath, n), work)
            if rel in files:
                continue
            with open(os.path.join(dirpath, n), "rb") as f:
                data = f.read()
            # The header's first line holds the translation time.
            result["file " + rel] = data.split(b"\n", 1)[-1] if data.startswith(b"// This file") else data
    if "stdout" in result and result["stdout"].startswith(b"// This file"):
        result["stdout"] = result["stdout"].split(b"\n", 1)[-1]
    return result


def first_difference(a, b):
    for key in sorted(set(a) | set(b)):
        if a.get(key) != b.get(key):
            x = a.get(key, b"(none)")
            y = b.get(key, b"(none)")
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
            cases.append(("gen %d" % seed, ["design.sfl"], {"design.sfl": f.read()}))
    return cases


def build_reference(rev, scratch):
    src = os.path.join(scratch, "ref")
    subprocess.run("git -C %s archive %s | tar -x -C %s" % (shlex.quote(ROOT), shlex.quote(rev), shlex.quote(src)),
                   shell=True, check=True, executable="/bin/bash") if os.makedirs(src) is None else None
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
    ap.add_argument("--count", type=int, default=0)
    ap.add_argument("cases", nargs="*")
    args = ap.parse_args()
    scratch = tempfile.mkdtemp(prefix="sflc-compare-")
    try:
        reference = args.reference or build_reference(args.reference_commit, scratch)
        cases = collect(args.cases)
        if args.count:
            cases += gen_cases(args.gen_from or args.reference_commit, args.count, scratch)
        runs = differ = 0
        for name, argv, files in cases:
            for extra in OPTION_SETS:
                runs += 1
                work = os.path.join(scratch, "run")
                new = outcome(os.path.abspath(args.sflc), extra + argv, files, work)
                old = outcome(os.path.abspath(reference), extra + argv, files, work)
                why = first_difference(old, new)
                if why:
                    differ += 1
                    print("DIFF %s [%s]: %s" % (name, " ".join(extra + argv), why))
        print("%d cases, %d runs, %d differ" % (len(cases), runs, differ))
        return 1 if differ else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
