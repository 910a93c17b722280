"""Stand-in Verilog modules for submodules that a translated file uses but
does not define.

sflc turns an SFL `declare NAME { ... }` block into nothing but instance
lines of the form

    NAME u1(.m_clock(m_clock), .p_reset(p_reset), .a(_u1_a));

so the generated Verilog only compiles when something provides NAME.  This
module builds empty modules with the right ports, taken from the declare
blocks of the SFL sources when they can be found, and otherwise from the
port names of the instance line (all one-bit inputs).

Usable as a library (make_stubs) or from the command line:

    python3 stubgen.py OUT.v [OUT2.v ...] --sfl top.sfl [sub.sfl ...]
"""

import argparse
import re
import sys

# Words that start a statement in the Verilog that sflc writes and that
# could otherwise look like "TYPE NAME(" to the instance pattern.
_VERILOG_KEYWORDS = {
    "module", "endmodule", "input", "output", "inout", "wire", "reg",
    "assign", "always", "if", "else", "begin", "end", "parameter",
    "initial", "case", "for", "while", "function", "task",
}

_INSTANCE_RE = re.compile(r"^\s*([A-Za-z_]\w*)\s+([A-Za-z_]\w*)\s*\((.*)\)\s*;\s*$")
_MODULE_RE = re.compile(r"^\s*module\s+([A-Za-z_]\w*)\s*\(", re.M)
_PORT_CONN_RE = re.compile(r"\.\s*([A-Za-z_]\w*)\s*\(")
_DECLARE_RE = re.compile(r"\bdeclare\s+([A-Za-z_]\w*)\s*(interface\s*)?\{([^}]*)\}")
_PORT_DECL_RE = re.compile(r"^\s*(input|output|bidirect|instrin|instrout)\s+(.*)$", re.S)
_PORT_NAME_RE = re.compile(r"^\s*([A-Za-z_]\w*)\s*(?:<\s*(\d+)\s*>)?\s*$")

_DIRECTION = {
    "input": "input", "instrin": "input",
    "output": "output", "instrout": "output",
    "bidirect": "inout",
}


def strip_sfl_comments(text):
    """Blank out // line comments and /* */ block comments."""
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def parse_declares(sfl_texts):
    """Map module type name -> (interface, [(direction, name, width), ...]).

    The first declare of a name wins, as in the translator.
    """
    declares = {}
    for text in sfl_texts:
        for m in _DECLARE_RE.finditer(strip_sfl_comments(text)):
            name, interface, body = m.group(1), bool(m.group(2)), m.group(3)
            if name in declares:
                continue
            ports = []
            for stmt in body.split(";"):
                d = _PORT_DECL_RE.match(stmt)
                if not d:
                    continue  # instr_arg and anything else carries no port
                direction = _DIRECTION[d.group(1)]
                for item in d.group(2).split(","):
                    p = _PORT_NAME_RE.match(item)
                    if p:
                        ports.append((direction, p.group(1), int(p.group(2) or 1)))
            declares[name] = (interface, ports)
    return declares


def find_instances(verilog_text):
    """Return {module type: [port names of its first instance line]}."""
    found = {}
    for line in verilog_text.splitlines():
        m = _INSTANCE_RE.match(line)
        if not m or m.group(1) in _VERILOG_KEYWORDS or m.group(2) in _VERILOG_KEYWORDS:
            continue
        found.setdefault(m.group(1), _PORT_CONN_RE.findall(m.group(3)))
    return found


def defined_modules(verilog_text):
    return set(_MODULE_RE.findall(verilog_text))


def _stub(name, ports):
    """ports: [(direction, name, width)] in port-list order."""
    lines = ["module %s(%s);" % (name, ", ".join(p[1] for p in ports))]
    for direction, pname, width in ports:
        rng = "[%d:0] " % (width - 1) if width > 1 else ""
        lines.append("   %s %s%s;" % (direction, rng, pname))
    for direction, pname, width in ports:
        if direction == "output":
            lines.append("   assign %s = %d'b0;" % (pname, width))
    lines.append("endmodule")
    return "\n".join(lines) + "\n"


def make_stubs(verilog_texts, sfl_texts):
    """Verilog text defining every module type that the given translated
    files instantiate but do not define themselves."""
    defined = set()
    instances = {}
    for text in verilog_texts:
        defined |= defined_modules(text)
        for mod, ports in find_instances(text).items():
            instances.setdefault(mod, ports)
    declares = parse_declares(sfl_texts)

    out = []
    for mod in sorted(instances):
        if mod in defined:
            continue
        if mod in declares:
            interface, ports = declares[mod]
            if not interface:
                ports = [("input", "m_clock", 1), ("input", "p_reset", 1)] + ports
        else:
            ports = [("input", p, 1) for p in instances[mod]]
        out.append(_stub(mod, ports))
    return "\n".join(out)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("verilog", nargs="+", help="translated Verilog files")
    ap.add_argument("--sfl", nargs="*", default=[], help="SFL sources holding declare blocks")
    args = ap.parse_args(argv)

    def read(path):
        with open(path, encoding="latin-1") as f:
            return f.read()

    sys.stdout.write(make_stubs([read(p) for p in args.verilog], [read(p) for p in args.sfl]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
