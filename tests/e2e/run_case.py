#!/usr/bin/env python3
"""Run end-to-end translation cases against an sflc executable.

A case is a folder holding the input .sfl file(s) and these control files:

  cmd         one line: the arguments given to sflc (shell-like quoting)
  status      expected exit status (default 0)
  stdout      expected standard output bytes (absent: must be empty)
  stderr      expected standard error bytes (absent: must be empty)
  expect/     files that must exist after the run, with their exact bytes;
              the first line of a .v file (the translation time stamp) is
              matched by pattern instead
  absent      names (one a line) that must not exist after the run
  no_verilog  one-line reason to skip compiling the .v outputs

Usage:
  run_case.py --sflc PATH CASEDIR [CASEDIR ...]
  run_case.py [--sflc PATH] --all [--cases DIR]
"""

import argparse
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import hdl_check  # noqa: E402
import stubgen  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
TIMEOUT = 10

HEADER_RE = re.compile(rb"^// This file was translated at \w{3} \w{3} [ \d]\d \d\d:\d\d:\d\d \d{4}$")
CONTROL_FILES = {"cmd", "status", "stdout", "stderr", "expect", "absent", "no_verilog"}


class CaseFailure(Exception):
    pass


def read_bytes(path, default=b""):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return default


def first_difference(expected, actual, header_line=False):
    """Return None if equal, else (line number, expected line, actual line).

    With header_line, a first line that matches HEADER_RE in the expected
    text only needs to match HEADER_RE in the actual text as well.
    """
    exp = expected.splitlines(keepends=True)
    act = actual.splitlines(keepends=True)
    for i in range(max(len(exp), len(act))):
        e = exp[i] if i < len(exp) else None
        a = act[i] if i < len(act) else None
        if i == 0 and header_line and e is not None and a is not None:
            e_body, a_body = e.rstrip(b"\n"), a.rstrip(b"\n")
            if HEADER_RE.match(e_body) and e.endswith(b"\n"):
                if HEADER_RE.match(a_body) and a.endswith(b"\n"):
                    continue
                return i + 1, e, a
        if e != a:
            return (i + 1,
                    e if e is not None else "<end of file>",
                    a if a is not None else "<end of file>")
    return None


def compare(what, expected, actual, header_line=False):
    diff = first_difference(expected, actual, header_line)
    if diff:
        line, e, a = diff
        raise CaseFailure("%s differs at line %d: expected %r, got %r" % (what, line, e, a))


SANITIZER_RE = re.compile(rb"^(==\d+==ERROR: \w+Sanitizer.*|.*runtime error: .*|SUMMARY: \w+Sanitizer.*)$",
                          re.MULTILINE)


def sanitizer_report(stderr):
    """The first line of an AddressSanitizer, LeakSanitizer or
    UndefinedBehaviorSanitizer report on stderr, or None."""
    m = SANITIZER_RE.search(stderr)
    return m.group(1).decode("latin-1").strip() if m else None


def expected_files(expect_dir):
    """Relative paths of every regular file below expect/."""
    result = []
    for root, _dirs, files in os.walk(expect_dir):
        for name in files:
            result.append(os.path.relpath(os.path.join(root, name), expect_dir))
    return sorted(result)


def check_verilog(workdir, vfiles, case_dir, stats):
    """Put every translated file through Icarus Verilog, Verilator and Yosys
    (hdl_check.py), with stand-in modules for the submodules that only have
    a declare block.  Warning counts go into stats."""
    sfl_texts = []
    for root, _dirs, files in os.walk(case_dir):
        for name in sorted(files):
            if name.endswith(".sfl"):
                sfl_texts.append(read_bytes(os.path.join(root, name)).decode("latin-1"))
    for rel in vfiles:
        path = os.path.join(workdir, rel)
        text = read_bytes(path).decode("latin-1")
        extra = []
        stubs = stubgen.make_stubs([text], sfl_texts)
        if stubs:
            stub_path = os.path.join(os.path.dirname(workdir), "stubs.v")
            with open(stub_path, "w") as f:
                f.write(stubs)
            extra.append(stub_path)
        try:
            hdl_check.check_files(path, extra, stats)
        except hdl_check.HdlError as e:
            raise CaseFailure("%s: %s" % (rel, e))


def run_translation(sflc, case_dir, args, want_status, extra_env, label, tmp=None):
    """Run sflc once on a copy of the case and compare its streams, status
    and files; return the work folder and the expected files.  Without
    `tmp` the copy is removed afterwards."""
    own_tmp = tmp is None
    if own_tmp:
        tmp = tempfile.mkdtemp(prefix="sflc-e2e-")
    workdir = os.path.join(tmp, "work")
    try:
        shutil.copytree(case_dir, workdir,
                        ignore=lambda d, names: [n for n in names
                                                 if d == case_dir and n in CONTROL_FILES])
        env = dict(os.environ, LC_ALL="C", **extra_env)
        try:
            proc = subprocess.run(["sflc"] + args, executable=sflc, cwd=workdir, env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise CaseFailure("sflc did not finish within %d s" % TIMEOUT)

        report = sanitizer_report(proc.stderr)
        if report:
            raise CaseFailure("sanitizer report (exit status %d): %s"
                              % (proc.returncode, report))
        if proc.returncode < 0:
            raise CaseFailure("sflc was killed by signal %d; stderr %r"
                              % (-proc.returncode, proc.stderr[-300:]))
        if proc.returncode != want_status:
            raise CaseFailure("exit status: expected %d, got %d; stderr %r"
                              % (want_status, proc.returncode, proc.stderr[-300:]))
        compare("stdout", read_bytes(os.path.join(case_dir, "stdout")), proc.stdout)
        compare("stderr", read_bytes(os.path.join(case_dir, "stderr")), proc.stderr)

        expect_dir = os.path.join(case_dir, "expect")
        files = expected_files(expect_dir) if os.path.isdir(expect_dir) else []
        for rel in files:
            actual_path = os.path.join(workdir, rel)
            if not os.path.isfile(actual_path):
                raise CaseFailure("file %s was not created" % rel)
            compare("file %s" % rel, read_bytes(os.path.join(expect_dir, rel)),
                    read_bytes(actual_path), header_line=rel.endswith(".v"))

        absent = read_bytes(os.path.join(case_dir, "absent")).decode().split("\n")
        for name in (n.strip() for n in absent):
            if name and os.path.lexists(os.path.join(workdir, name)):
                raise CaseFailure("file %s exists but should not" % name)

        return workdir, files
    except CaseFailure as e:
        raise CaseFailure(label + str(e))
    finally:
        if own_tmp:
            shutil.rmtree(tmp, ignore_errors=True)


def run_case(sflc, case_dir, keep=False, report_dir=None):
    """Run one case; raise CaseFailure on the first difference.  With
    report_dir, leave the hardware-flow statistics of the case there."""
    cmd_text = read_bytes(os.path.join(case_dir, "cmd"), None)
    if cmd_text is None:
        raise CaseFailure("no cmd file")
    args = shlex.split(cmd_text.decode())
    status_text = read_bytes(os.path.join(case_dir, "status"), b"0").strip()
    try:
        want_status = int(status_text)
    except ValueError:
        raise CaseFailure("status file does not hold a number: %r" % status_text)

    # The source is read in pieces (SFLC_PIECE_BYTES): first in the smallest
    # pieces, which must change nothing, then as usual; the Verilog of the
    # usual run goes on to the hardware tools.
    run_translation(sflc, case_dir, args, want_status, {"SFLC_PIECE_BYTES": "0"},
                    "read in pieces: ")
    tmp = tempfile.mkdtemp(prefix="sflc-e2e-")
    stats = {"warnings": {}}
    try:
        workdir, files = run_translation(sflc, case_dir, args, want_status, {}, "", tmp)
        vfiles = [f for f in files if f.endswith(".v")]
        # SFLC_E2E_NO_HDL=1 (the sanitizer pass of CI) leaves out the
        # Verilog tools: the files were compared byte for byte above.
        if (want_status == 0 and vfiles and not os.path.exists(os.path.join(case_dir, "no_verilog"))
                and not os.environ.get("SFLC_E2E_NO_HDL")):
            check_verilog(workdir, vfiles, case_dir, stats)
    finally:
        if report_dir:
            hdl_check.write_record(report_dir, os.path.basename(case_dir.rstrip("/")), stats)
        if keep:
            print("kept %s" % tmp, file=sys.stderr)
        else:
            shutil.rmtree(tmp, ignore_errors=True)


def main(argv=None):
    ap = argparse.ArgumentParser(description="Run sflc end-to-end cases.")
    ap.add_argument("--sflc", help="sflc executable (default: build/src/sflc)")
    ap.add_argument("--all", action="store_true", help="run every case and print a summary")
    ap.add_argument("--cases", default=os.path.join(HERE, "cases"), help="folder of cases for --all")
    ap.add_argument("--keep", action="store_true", help="keep the temporary run folders")
    ap.add_argument("--report-dir", default=os.environ.get("SFLC_LINT_REPORT_DIR"),
                    help="folder for per-case Verilator warning records (hdl_check.py --merge)")
    ap.add_argument("case", nargs="*", help="case folders")
    args = ap.parse_args(argv)

    sflc = os.path.abspath(args.sflc or os.path.join(REPO, "build", "src", "sflc"))
    if not os.access(sflc, os.X_OK):
        print("sflc executable not found: %s" % sflc, file=sys.stderr)
        return 2

    cases = [os.path.abspath(c) for c in args.case]
    if args.all:
        cases += sorted(os.path.join(args.cases, d) for d in os.listdir(args.cases)
                        if os.path.isdir(os.path.join(args.cases, d)))
    if not cases:
        ap.error("no case given (name case folders or use --all)")

    passed, failed = 0, []
    for case in cases:
        name = os.path.basename(case.rstrip("/"))
        try:
            run_case(sflc, case, keep=args.keep, report_dir=args.report_dir)
        except CaseFailure as e:
            failed.append(name)
            print("FAIL %s: %s" % (name, e))
        else:
            passed += 1
            if args.all:
                print("ok   %s" % name)
    if args.all or len(cases) > 1:
        if failed:
            print("failed: %s" % " ".join(failed))
        print("%d passed, %d failed" % (passed, len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
