#!/usr/bin/env python3
"""Write a synthetic SFL design of about a given size, in one of several shapes.

    gen_bench.py SHAPE SIZE_MB OUT.sfl

Shapes:
  a  many small modules
  b  one module with as many signals as assignments (100,000 of each at ~3 MB)
  c  one module with thousands of instances of one declared submodule,
     each driven through an instruction call
  d  deep condition nesting: nests of ~90 levels of if/else, par, alt, any
  e  long expressions: right-hand sides of ~1000 characters, balanced
  f  many assignments, with distinct conditions and values, to one register
     (each value is used twice, so -O merges exactly one pair per value)
  g  many stages in one module, each with four states and transfers
  h  like f, but each value is used by 200 assignments spread over the
     whole module (-O joins 200 conditions into each value's pair)

The size is approximate (the text is cut at a whole unit of the shape just
past the target). The number of statements written (declarations,
assignments, transfers, instances and condition headers) goes to
OUT.sfl.json as {"shape", "bytes", "statements"}, for the benchmark runner.
"""

import json
import sys


class Out:
    """Collects the text and counts statements."""

    def __init__(self):
        self.parts = []
        self.size = 0
        self.statements = 0

    def add(self, text, statements=0):
        self.parts.append(text)
        self.size += len(text)
        self.statements += statements


# Submodule used by shapes a and c: its declare and its definition, so that
# the Verilog output lints on its own.
SUB_DECLARE = """declare sub {
 input a<8>;
 output y<8>;
 instrin go;
 instr_arg go(a);
}
"""
SUB_MODULE = """module sub {
 input a<8>;
 output y<8>;
 instrin go;
 instr_arg go(a);
 reg_wr acc<8>;
 y = acc;
 instruct go acc := acc + a;
}
"""
SUB_STATEMENTS = 4 + 2 * 6 + 2


def shape_a(out, target):
    """Many small modules, each a little datapath with an instance."""
    out.add(SUB_DECLARE + SUB_MODULE, SUB_STATEMENTS)
    k = 0
    while out.size < target:
        out.add(
            f"module m{k} {{\n"
            " input a<8>, b<8>, c;\n"
            " output y<8>, z;\n"
            " instrin go, clr;\n"
            " reg_wr r<8>, s<8>;\n"
            " sel t<8>;\n"
            " sub u;\n"
            " t = a + b;\n"
            " y = r @ s;\n"
            " z = /|r;\n"
            " instruct go par { r := u.go(t).y; s := s + 0x01; }\n"
            " instruct clr par { if (c) r := 0x00; else s := t; }\n"
            "}\n",
            6 + 3 + 2 + 4 + 4,
        )
        k += 1


def shape_b(out, target):
    """One module: n signals, n assignments (a chain through all of them)."""
    # About 33 bytes per signal/assignment pair below.
    n = max(16, target // 33)
    out.add("module big {\n input i<8>;\n output o<8>;\n", 2)
    per_line = 16
    for lo in range(0, n, per_line):
        names = ", ".join(f"s{j}<8>" for j in range(lo, min(n, lo + per_line)))
        out.add(f" sel {names};\n", min(n, lo + per_line) - lo)
    out.add(" s0 = i;\n", 1)
    ops = ["+", "&", "|", "@", "-"]
    for j in range(1, n):
        out.add(f" s{j} = s{j - 1} {ops[j % 5]} i;\n", 1)
    out.add(f" o = s{n - 1};\n}}\n", 1)


def shape_c(out, target):
    """One module with n instances of `sub`, chained through calls."""
    n = max(4, target // 52)
    out.add(SUB_DECLARE + SUB_MODULE, SUB_STATEMENTS)
    out.add("module top {\n input i<8>;\n output o<8>;\n instrin run;\n", 3)
    for j in range(n):
        out.add(f" sub u{j};\n sel w{j}<8>;\n", 2)
    out.add(" w0 = u0.go(i).y;\n", 1)
    for j in range(1, n):
        out.add(f" instruct run w{j} = u{j}.go(w{j - 1}).y;\n", 2)
    out.add(f" o = w{n - 1};\n}}\n", 1)


DEPTH = 90
NESTS_PER_MODULE = 8
CONDS = ["c0", "c1", "c2", "c3", "a==b", "c4", "^c5", "a<3>", "c6 & c7", "b<0>"]


def nest(out, k):
    """One nest of about DEPTH condition levels driving register r<k>."""
    r = f"r{k}"
    lines = []
    stmts = 0
    level = 0
    i = 0
    # An if opens two levels (its own and the par block it governs), a bare
    # par block one; the innermost levels are an alt and an any block.
    closers = []
    while level < DEPTH - 3:
        cond = CONDS[i % len(CONDS)]
        if i % 10 == 9:
            lines.append(f"par {{ {r} := {r} + 0x{i % 256:02x};")
            closers.append("}")
            stmts += 2
            level += 1
        else:
            lines.append(f"if ({cond}) par {{ {r} := {r} @ 0x{i % 256:02x};")
            closers.append(f"}} else {r} := {r} - 0x{i % 256:02x};")
            stmts += 5
            level += 2
        i += 1
    lines.append(f"alt {{ c0: {r} := a; c1: any {{ c2: {r} := b; c3: {r} := a + b; }} "
                 f"else: {r} := 0x00; }}")
    stmts += 8
    lines.extend(reversed(closers))
    out.add("\n".join(lines) + "\n", stmts)


def shape_d(out, target):
    """Modules of NESTS_PER_MODULE deep nests each."""
    k = 0
    while out.size < target:
        regs = ", ".join(f"r{j}<8>" for j in range(NESTS_PER_MODULE))
        out.add(f"module d{k} {{\n input a<8>, b<8>, c0, c1, c2, c3, c4, c5, c6, c7;\n"
                f" output o<8>;\n reg_wr {regs};\n o = r0;\n", 13 + NESTS_PER_MODULE)
        for j in range(NESTS_PER_MODULE):
            nest(out, j)
        out.add("}\n")
        k += 1


def balanced(leaves, ops, lo, hi, salt):
    """A balanced parenthesised expression over leaves[lo:hi]."""
    if hi - lo == 1:
        return leaves[lo]
    mid = (lo + hi) // 2
    op = ops[(lo + hi + salt) % len(ops)]
    return (f"({balanced(leaves, ops, lo, mid, salt)} {op} "
            f"{balanced(leaves, ops, mid, hi, salt)})")


EXPRS_PER_MODULE = 200


def long_expression(j):
    """About 1000 characters: 112 leaves in a balanced tree."""
    leaves = []
    for t in range(112):
        v = (j * 7 + t * 13) % 23
        if v == 0:
            leaves.append(f"0x{(j + t) % 256:02x}")
        elif v == 1:
            leaves.append(f"(x{t % 16}<3:0> || x{(t + 1) % 16}<7:4>)")
        elif v == 2:
            leaves.append(f"^x{t % 16}")
        else:
            leaves.append(f"x{(v + t) % 16}")
    return balanced(leaves, ["+", "&", "|", "@", "-"], 0, len(leaves), j)


def shape_e(out, target):
    """Modules of EXPRS_PER_MODULE assignments of long expressions."""
    k = 0
    while out.size < target:
        xs = ", ".join(f"x{t}<8>" for t in range(16))
        ys = ", ".join(f"y{t}<8>" for t in range(EXPRS_PER_MODULE))
        out.add(f"module e{k} {{\n input {xs};\n output {ys};\n", 16 + EXPRS_PER_MODULE)
        for j in range(EXPRS_PER_MODULE):
            out.add(f" y{j} = {long_expression(j)};\n", 1)
        out.add("}\n")
        k += 1


def shape_f(out, target):
    """One register with n assignments, each under its own condition."""
    n = max(4, target // 48)
    out.add("module one {\n input a<32>;\n output o<32>;\n reg_wr r<32>;\n o = r;\n", 4)
    for j in range(n):
        out.add(f" if (a == 0x{j:08x}) r := 0x{j // 2:08x};\n", 2)
    out.add("}\n")


def shape_h(out, target):
    """One register with n assignments, 200 of them for each value."""
    n = max(4, target // 48)
    values = max(1, n // 200)
    out.add("module one {\n input a<32>;\n output o<32>;\n reg_wr r<32>;\n o = r;\n", 4)
    for j in range(n):
        out.add(f" if (a == 0x{j:08x}) r := 0x{j % values:08x};\n", 2)
    out.add("}\n")


def shape_g(out, target):
    """One module with n stages of four states each, started in a ring."""
    n = max(2, target // 500)
    out.add("module stages {\n input i<8>, c;\n output o<8>;\n instrin start;\n", 3)
    for j in range(n):
        out.add(f" reg_wr a{j}<8>;\n", 1)
    for j in range(n):
        out.add(f" stage_name st{j} {{ task t{j}(a{j}); task_fast f{j}(); }}\n", 3)
    out.add(" o = a0;\n instruct start generate st0.t0(i);\n", 3)
    for j in range(n):
        nxt = (j + 1) % n
        # The relay into the ring's first stage takes its plain task, so that
        # the task_fast selects form no combinational loop.
        fast = f"f{nxt}()" if nxt else "t0(a0)"
        out.add(
            f" stage st{j} {{\n"
            "  state_name s0, s1, s2, s3;\n"
            "  first_state s0;\n"
            f"  state s0 par {{ a{j} := a{j} + 0x01; goto s1; }}\n"
            "  state s1 par { if (c) goto s2; else goto s3; }\n"
            f"  state s2 par {{ generate st{nxt}.t{nxt}(a{j}); goto s3; }}\n"
            f"  state s3 alt {{ c: par {{ relay st{nxt}.{fast}; }} else: par {{ finish; goto s0; }} }}\n"
            " }\n",
            1 + 2 + 4 + 5 + 4 + 7,
        )
    out.add("}\n")


SHAPES = {
    "a": shape_a, "b": shape_b, "c": shape_c, "d": shape_d,
    "e": shape_e, "f": shape_f, "g": shape_g, "h": shape_h,
}


def generate(shape, size_mb, path):
    out = Out()
    SHAPES[shape](out, int(size_mb * 1024 * 1024))
    with open(path, "w") as f:
        f.write("".join(out.parts))
    info = {"shape": shape, "bytes": out.size, "statements": out.statements}
    with open(path + ".json", "w") as f:
        json.dump(info, f)
    return info


def main(argv):
    if len(argv) != 4 or argv[1] not in SHAPES:
        sys.stderr.write(__doc__)
        return 2
    info = generate(argv[1], float(argv[2]), argv[3])
    print(json.dumps(info))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
