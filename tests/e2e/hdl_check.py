#!/usr/bin/env python3
"""Put translated Verilog through the hardware flow: Icarus Verilog,
Verilator lint and Yosys synthesis front end.

run_case.py calls check_files() for every case that translates
successfully.  Verilator warnings are collected per kind; a kind that the
output layout of sflc does not explain (EXPECTED_WARNINGS) fails the case.
Each case can leave a small JSON record in a report folder, and

    hdl_check.py --merge REPORT_DIR SUMMARY_FILE

merges the records into one summary (run as the CTest `verilator_report`).
"""

import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys

TOOL_TIMEOUT = 60

# Verilator -Wall warning kinds that valid sflc output is allowed to raise,
# each with the reason the output layout produces it.
EXPECTED_WARNINGS = {
    # One output file holds every module of the source, and the file is
    # named after the .sfl input (or -o), not after each module.
    "DECLFILENAME": "output file named after the input, not after each module",
    # Every non-combinational module gets m_clock and p_reset, used or not;
    # declared inputs, instance port nets and task argument registers that
    # the design never reads are still declared.
    "UNUSEDSIGNAL": "implicit m_clock/p_reset and declared but unread signals",
    # A declared sel, output or register that no statement drives is valid
    # SFL and is still declared; so are the input nets of an instance whose
    # instruction is never called and the select of a task never generated.
    "UNDRIVEN": "declared signals that no statement assigns",
    # Every state of a stage becomes a parameter, also when no goto names it
    # and it is the first state only.
    "UNUSEDPARAM": "state constants that nothing compares against",
    # Widths that SFL and Verilog count differently.  Valid SFL without any
    # sflc warning: "+", "-", "*" and "/" take operands of any widths, and
    # "<<" widens its result (b<<1 of a 4-bit b is 5 bits) while sflc
    # writes the plain Verilog operator, which Verilator sees extending an
    # operand.  Sources that mix widths elsewhere (sflc warns and goes on)
    # give the same extension or truncation in Verilog.  Verilator 5.006
    # calls all of these WIDTH; later versions split them into the other two.
    "WIDTH": "SFL operand widths that Verilog extends or cuts",
    "WIDTHEXPAND": "as WIDTH, newer Verilator",
    "WIDTHTRUNC": "as WIDTH, newer Verilator",
}

_MODULE_RE = re.compile(r"^\s*module\s+([A-Za-z_]\w*)\s*\(", re.M)
_VERILATOR_MSG_RE = re.compile(r"^%(Warning|Error)(?:-([A-Z0-9_]+))?:\s*(?:(\S+?):(\d+):(?:(\d+):)?)?\s*(.*)$")


class HdlError(Exception):
    pass


def defined_modules(text):
    return _MODULE_RE.findall(text)


def _tool(name):
    path = shutil.which(name)
    if not path:
        raise HdlError("%s not found (run scripts/setup.sh)" % name)
    return path


def _run(cmd):
    try:
        proc = subprocess.run(cmd, capture_output=True, timeout=TOOL_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise HdlError("%s did not finish within %d s" % (os.path.basename(cmd[0]), TOOL_TIMEOUT))
    return proc.returncode, (proc.stdout + proc.stderr).decode("latin-1")


def _excerpt(text, limit=600):
    text = text.strip().replace("\n", " | ")
    return text if len(text) <= limit else text[:limit] + " ..."


def iverilog(files):
    rc, out = _run([_tool("iverilog"), "-g2005", "-t", "null"] + files)
    if rc != 0:
        raise HdlError("iverilog: " + _excerpt(out))


def yosys(files, top):
    script = "read_verilog %s; hierarchy -check -top %s; proc; check" % (" ".join(files), top)
    rc, out = _run([_tool("yosys"), "-q", "-p", script])
    if rc != 0 or "ERROR" in out:
        raise HdlError("yosys (top %s): %s" % (top, _excerpt(out)))


def verilator(vfile, files, top):
    """Lint with `top` as top module; return the warnings located in vfile
    (or nowhere) as a set of (kind, line, column, message)."""
    rc, out = _run([_tool("verilator"), "--lint-only", "-Wall", "-Wno-fatal", "--default-language", "1364-2005",
                    "--top-module", top] + files)
    errors, warnings = [], set()
    for line in out.splitlines():
        m = _VERILATOR_MSG_RE.match(line)
        if not m:
            continue
        severity, kind, path, lineno, col, msg = m.groups()
        if severity == "Error":
            errors.append(line)
        elif path is None or os.path.realpath(path) == os.path.realpath(vfile):
            warnings.add((kind or "WARNING", int(lineno or 0), int(col or 0), msg))
    if rc != 0 or errors:
        raise HdlError("verilator (top %s): %s" % (top, _excerpt("\n".join(errors) or out)))
    return warnings


def check_files(vfile, extra_files, stats):
    """Run the three tools on vfile together with extra_files (stand-in
    modules); count into stats and raise HdlError on the first failure.

    stats: {"files": n, "tools": {tool: files checked},
            "warnings": {kind: count}, "unexpected": [messages]}
    """
    with open(vfile, encoding="latin-1") as f:
        tops = defined_modules(f.read())
    files = [vfile] + list(extra_files)
    stats["files"] = stats.get("files", 0) + 1
    tools = stats.setdefault("tools", {})

    iverilog(files)
    tools["iverilog"] = tools.get("iverilog", 0) + 1

    found = set()
    for top in tops:
        found |= verilator(vfile, files, top)
    tools["verilator"] = tools.get("verilator", 0) + 1
    counts = stats.setdefault("warnings", {})
    unexpected = stats.setdefault("unexpected", [])
    for kind, line, _col, msg in sorted(found):
        counts[kind] = counts.get(kind, 0) + 1
        if kind not in EXPECTED_WARNINGS:
            unexpected.append("%s:%d: %s: %s" % (os.path.basename(vfile), line, kind, msg))

    for top in tops:
        yosys(files, top)
    tools["yosys"] = tools.get("yosys", 0) + 1

    if unexpected:
        raise HdlError("unexpected Verilator warnings: " + "; ".join(unexpected))


def write_record(report_dir, case_name, stats):
    os.makedirs(report_dir, exist_ok=True)
    record = dict(stats, case=case_name)
    path = os.path.join(report_dir, case_name.replace(os.sep, "_") + ".json")
    with open(path + ".tmp", "w") as f:
        json.dump(record, f, indent=1, sort_keys=True)
    os.replace(path + ".tmp", path)


def merge(report_dir, summary_path):
    """Merge the per-case records into one summary; return 0 when at least
    one record was found and all of them could be read."""
    paths = sorted(glob.glob(os.path.join(report_dir, "*.json")))
    if not paths:
        print("no lint records in %s: did the e2e cases run?" % report_dir, file=sys.stderr)
        return 1
    records = []
    for path in paths:
        try:
            with open(path) as f:
                rec = json.load(f)
            if not isinstance(rec.get("case"), str) or not isinstance(rec.get("warnings"), dict):
                raise ValueError("no case name or warning counts")
        except (OSError, ValueError) as e:
            print("bad lint record %s: %s" % (path, e), file=sys.stderr)
            return 1
        records.append(rec)

    tools = {t: sum(1 for r in records if r.get("tools", {}).get(t)) for t in
             ("iverilog", "verilator", "yosys")}
    kinds = {}
    for rec in records:
        for kind, n in rec["warnings"].items():
            total, cases = kinds.get(kind, (0, 0))
            kinds[kind] = (total + n, cases + 1)

    lines = ["Verilator -Wall warnings in the translated end-to-end cases", "",
             "cases: %d; with Verilog checked by iverilog %d, verilator %d, yosys %d"
             % (len(records), tools["iverilog"], tools["verilator"], tools["yosys"]), "",
             "%-16s %-10s %8s %6s" % ("kind", "status", "warnings", "cases")]
    for kind in sorted(kinds):
        status = "expected" if kind in EXPECTED_WARNINGS else "FAILING"
        lines.append("%-16s %-10s %8d %6d" % (kind, status, kinds[kind][0], kinds[kind][1]))
    lines += ["", "per case:"]
    for rec in records:
        if not rec.get("tools"):
            lines.append("  %s: no Verilog checked" % rec["case"])
            continue
        detail = ", ".join("%s %d" % kv for kv in sorted(rec["warnings"].items())) or "clean"
        lines.append("  %s: %s" % (rec["case"], detail))
        lines += ["    " + u for u in rec.get("unexpected", [])]
    text = "\n".join(lines) + "\n"
    with open(summary_path, "w") as f:
        f.write(text)
    sys.stdout.write(text)
    return 0


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--merge", nargs=2, metavar=("REPORT_DIR", "SUMMARY"), required=True,
                    help="merge the per-case records of REPORT_DIR into SUMMARY")
    args = ap.parse_args(argv)
    return merge(*args.merge)


if __name__ == "__main__":
    sys.exit(main())
