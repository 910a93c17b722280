"""Random designs in the --extended dialect: `gen_design.py --extended`.

ExtendedDesign writes the base generator's designs with the constructs of
the --extended dialect put where real designs put them (inside conditions,
inside wider expressions, in blocks and stage bodies), under the base
generator's two rules and three more: a bidirect is driven in one place only
(two tri-state values ORed are unknown where one drives a 0); a register
without reset starts with a value and is not clocked on the falling edge
(the testbench's clock falls at time 0, before the inputs are set); a
block-local signal takes a level between those of what its block reads and
of what it drives.

Each construct is a name of CONSTRUCTS or FAULTS, asked for in one place
(`self.on(NAME)`).  FAULTS are constructs that a Verilog tool gets wrong
(tests/README.md); they are off unless `--features=+NAME` turns them on,
and `--features=-NAME` turns a construct off.
"""

import re
import sys

from gen_design import CMP, INF, Design, Sig, Token, as_block, assign_op, indent

CONSTRUCTS = """switch increments blocks tight locals value_selects expression_selects arrays loops memories
    initial_values decimals text width_macros digit_separators body_macros includes preprocessor instr_lists
    minus shifts extensions calls_in_conditions calls_in_values stage_tasks module_forms crlf sjis else_brace
    switch_conditions alt_call_conditions case_label_widths compare_beside_selects compare_after_call
    wide_minus_shifts select_parens_by_value one_bit_selects local_arrays array_value_index macro_redefinition
    macro_like_signal macro_selects macro_select_bounds decimal_to_memory constant_only_values minus_extension
    call_to_memory_word join_alternatives condition_call_args macro_decimals dot_character character_extension
    macro_prefix_pairs sflp""".split()
FAULTS = []  # constructs that a Verilog tool gets wrong: off unless turned on
# (in Shift_JIS several end in the byte of a backslash, 0x5C)
COMMENTS = ["表示", "ソフト", "能力", "構造", "カウンタ", "状態遷移", "初期化", "書き込み", "ポート", "表", "十"]
NAME = re.compile(r"^[A-Za-z_]\w*$")


def parse_features(args):
    """The set of constructs after the `--features=+a,-b` among args, and
    the other args."""
    on, rest, known = set(CONSTRUCTS), [], CONSTRUCTS + FAULTS
    for a in args:
        items = a[len("--features="):].split(",") if a.startswith("--features=") else rest.append(a)
        for item in filter(None, items or []):
            if item.lstrip("+-") not in known:
                sys.exit("unknown feature %s; known: %s" % (item, " ".join(known)))
            (on.discard if item[0] == "-" else on.add)(item.lstrip("+-"))
    return on, rest


class Element(Sig):
    """An array element or register file word, written x_k or x[k] at each use."""

    def __init__(self, rng, array, k, count, width, kind, **kw):
        super().__init__("%s_%0*x" % (array, len("%x" % (count - 1)), k), width, kind, **kw)
        self.rng, self.indexed = rng, "%s[%d]" % (array, k)

    ref = property(lambda self: self.rng.choice([self.name, self.indexed]), lambda self, v: None)


class ExtendedDesign(Design):
    def __init__(self, seed, features):
        super().__init__(seed)
        self.features = features
        self.lines[0] = "/* generated design, seed %d, --extended */" % seed
        self.decimals = []  # (name, value) of the macros whose value is a decimal number
        self.widths = []    # those of them defined before the modules: widths may use them
        self.arrays, self.mems, self.shown, self.includes, self.retired = [], [], [], {}, []
        self.loop = None    # (index text, count) while a loop body is written
        self.wide = 0       # inside an operand that Verilog widens to its context
        self.shifted = 0    # inside an operand of a shift
        self.count = 0      # for fresh names

    def on(self, name, p=1.0): return name in self.features and (p >= 1 or self.rng.random() < p)

    def fresh(self, prefix):
        self.count += 1
        return "%s%d" % (prefix, self.count)

    def first(self, forms, *args):
        """The text of the first of forms, in random order, that applies."""
        self.rng.shuffle(forms)
        return next(filter(None, (f(*args) for f in forms)), None)

    def new_module(self):
        super().new_module()
        self.arrays, self.mems = [], []

    # ------------------------------------------------------------ numbers

    def num(self, n, group=False):
        forms = [str(n)]
        if self.on("width_macros") and (not self.no_extend or self.on("macro_select_bounds")):
            forms += [name if v == n else "%s%+d" % (name, n - v) for name, v in self.widths]
            forms += ["%d*%d%+d" % (2, n // 2, n % 2) if n > 3 else "%d-2" % (n + 2)]
        if self.on("digit_separators") and n >= 10:
            forms.append("%s_%s" % (str(n)[0], str(n)[1:]))
        f = self.rng.choice(forms) if self.rng.random() < 0.4 else str(n)
        return "(%s)" % f if group and not f.isdigit() else f

    def decimal(self, w):
        """A decimal constant (or arithmetic, or macro) that fits w bits."""
        r = self.rng
        a, b = r.randint(0, 9), r.randint(1, 9)
        forms = [str(r.randrange(1 << w))] * 3 + ["-%d" % r.randint(1, 1 << (w - 1))]
        forms += ["(%d%s%d)" % (a, op, b) for op, v in (("+", a + b), ("*", a * b), ("/", a // b))
                  if v < 1 << w]
        forms += [name for name, v in self.decimals if v < 1 << w]
        return r.choice(forms + (["(%s)" % self.loop[0]] if self.loop and self.loop[1] <= 1 << w else []))

    def text(self, n, quote):
        pool = list("AZaz09;:,(){}[]/+-=<>#%" + "." * self.on("dot_character")) + ["\\n", "\\\\", "\\" + quote]
        return quote + "".join(self.rng.choice(pool) for _ in range(n)) + quote

    def const(self, w):
        if w % 8 == 0 and w <= 32 and self.on("text", 0.3):
            return self.text(w // 8, "'" if w == 8 else '"')
        c = super().const(w)
        if self.on("digit_separators", 0.2) and len(c) > 3 and "x" not in c[2:].lower():
            k = self.rng.randint(3, len(c) - 1)
            c = c[:k] + "_" + c[k:]
        return c

    def constant_value(self, w):
        """An initial value or memory word: any constant, cut to w bits."""
        r = self.rng
        return r.choice([self.decimal(w), self.const(w), "0x%X" % r.randrange(256), "-%d" % r.randint(1, 9),
                         "0x10 + %d" % r.randint(0, 9), "'%s'" % r.choice("AZ09;"), '"Hi"'] +
                        ["%s * 2 + 1" % name for name, _ in self.decimals])

    # -------------------------------------------------------- expressions

    def wide_expr(self, w, limit, depth): return self.under("wide", self.expr, w, limit, depth)

    def shifted_expr(self, w, limit, depth, wide=False):
        return self.under("shifted", self.wide_expr if wide else self.expr, w, limit, depth)

    def readable(self, limit):
        # Icarus 11 writes no runnable code for a shift of or by a memory
        # word of a constant address (m[1] >> a, a << m[0]): shifts leave
        # the words out
        return [s for s in super().readable(limit) if s.kind != "word" or not self.shifted]

    def args(self, formals, limit):
        return ", ".join(self.decimal(f.width) if self.on("decimals", 0.15)
                         else self.expr(f.width, limit, 1) for f in formals)

    def index(self, bits, limit):
        """A value below 2**bits that numbers a bit: a name or (expression)."""
        names = [s.ref for s in self.readable(limit) if s.width <= bits]
        r = self.rng
        return r.choice(names) if names and r.random() < 0.6 else "(%s)" % self.expr(r.randint(1, bits), limit, 1)

    def address(self, bits, limit):
        """An index that reads a signal: one of constants alone is constant
        arithmetic, which names no word outside the memory or array."""
        names = {re.match(r"\w+", s.ref).group() for s in self.sigs}
        for _ in range(20):
            e = self.expr(bits, limit, 1)
            if names & set(re.findall(r"(?<![\w'])[A-Za-z_]\w*", re.sub(r"'.'|0[box]\w+", "", e))):
                break
        return e

    def leaf(self, w, limit):
        forms = [self.value_select, self.memory_read, self.extension, self.loop_bit, self.one_bit_select, self.array_read]
        return self.rng.random() < 0.35 and self.first(forms, w, limit) or super().leaf(w, limit)

    def value_select(self, w, limit):
        cands = [s for s in self.readable(limit) if s.width >= 2]
        if w == 1 and cands and self.on("value_selects"):
            s = self.rng.choice(cands)
            return "%s<%s>" % (s.ref, self.index(s.width.bit_length() - 1, limit))

    def memory_read(self, w, limit):
        mems = [m for m in self.mems if m[2] == w]
        if mems and limit is not None and not self.shifted:
            name, bits, _ = self.rng.choice(mems)
            return "%s[%s]" % (name, self.address(bits, limit))

    def extension(self, w, limit):
        if w < 2 or self.no_extend or not self.on("extensions"):
            return None
        r = self.rng
        k = r.randint(1, w - 1)
        names = [s.ref for s in self.readable(limit) if s.width == k]
        names += [m[0] for m in self.macros if m[1] == k and m[2] in (None, self.module)]
        what = r.choice(names + ["(%s)" % self.expr(k, limit, 1), self.const(k)])
        if "'" in what and not self.on("character_extension"):
            what = Design.const(self, k)
        if self.on("character_extension", 0.3):  # the top bits of a widened character: 0
            return "(%d#%s)<%d:8>" % (w + 8, self.text(1, "'"), w + 7)
        return "%s%s%s#%s%s" % ("-" * self.on("minus_extension", 0.3), self.num(w, True),
                                r.choice(["", " "]), r.choice(["", " "]), what)

    def loop_bit(self, w, limit):
        cands = [s for s in self.readable(limit) if self.loop and s.width >= self.loop[1]]
        return "%s<%s>" % (self.rng.choice(cands).ref, self.loop[0]) if w == 1 and cands else None

    def one_bit_select(self, w, limit):
        if w == 1 and self.on("one_bit_selects"):
            cands = [s.ref for s in self.readable(limit) if s.width == 1]
            return "%s<0>" % self.rng.choice(cands + ["(%s)" % self.expr(1, limit, 1)])

    def array_read(self, w, limit):
        cands = [a for a in self.arrays if a[2] == w and a[1] & (a[1] - 1) == 0 and
                 all(e.src < limit for e in a[3])] if limit is not None else []
        if cands and self.on("array_value_index"):
            name, n, _, _ = self.rng.choice(cands)
            return "%s[%s]" % (name, self.address(n.bit_length() - 1, limit))

    def expr(self, w, limit, depth=2):
        forms = [self.minus, self.shift, self.expression_select, self.decimal_operand, self.comparison]
        return (depth > 0 and self.rng.random() < 0.3 and self.first(forms, w, limit, depth - 1)
                or super().expr(w, limit, depth))

    def minus(self, w, limit, d):
        if self.on("minus") and (not self.wide or self.on("wide_minus_shifts")):
            e = self.expr(w, limit, d)
            if self.rng.random() < 0.2 and (not self.no_extend or self.on("macro_prefix_pairs")):
                return "- -(%s)" % e
            return "-" + e if NAME.match(e) else "-(%s)" % e

    def shift(self, w, limit, d):
        if self.on("shifts") and (not self.wide or self.on("wide_minus_shifts")):
            names = [s.ref for s in self.under("shifted", self.readable, limit) if s.width <= 3]
            count = self.rng.choice(names + ["0b1", "0x2", "0o3", "(%s + 0b01)" % self.expr(2, limit, 0)])
            return "(%s) %s %s" % (self.shifted_expr(w, limit, d), self.rng.choice(["<<", ">>"]), count)

    def expression_select(self, w, limit, d):
        width = w + self.rng.randint(1, 3)
        e = self.expr(width, limit, d) if self.on("expression_selects") else None
        if not e or e in [m[0] for m in self.macros] and not self.on("macro_selects"):
            return None
        if w == 1 and self.on("select_parens_by_value", 0.5):
            return "(%s)<%s>" % (e, self.index(width.bit_length() - 1, limit))
        lo = self.rng.randint(0, width - w)
        return "(%s)<%s:%s>" % (e, self.num(lo + w - 1), self.num(lo))

    def decimal_operand(self, w, limit, d):
        if self.on("decimals") and (not self.no_extend or self.on("macro_decimals")):
            r = self.rng
            k, ops = (r.randint(1, 6), CMP) if w == 1 and r.random() < 0.5 else (w, "&|@+-")
            e, n, op = self.expr(k, limit, d), self.decimal(k), r.choice(ops)
            return "(%s) %s %s" % (e, op, n) if r.random() < 0.6 else "%s %s (%s)" % (n, op, e)

    def comparison(self, w, limit, d):
        """A comparison written as in real designs: operands without parentheses."""
        if w == 1:
            k = self.rng.randint(1, 6)
            op, a, b = self.rng.choice(CMP), self.leaf(k, limit), self.leaf(k, limit)
            if self.on("compare_beside_selects", 0.5):  # a < b<s>
                op = self.rng.choice(["<", "<="])
                a, b = self.leaf(1, limit), self.value_select(1, limit) or self.leaf(1, limit)
            elif "<" in op:
                a, b = ["(%s)" % x if re.search(r"<\s*[A-Za-z_(]", x) else x for x in (a, b)]
            return "%s %s %s" % (a, op, b)

    # --------------------------------------------------------- statements

    def call_text(self, c, args, width=None):
        port = self.rng.choice([p for p in c.outs if width in (None, p.width)])
        return port, "%s.%s(%s).%s" % (c.inst, c.instr, args, port.name)

    def call_cond(self, calls, limit):
        """A condition that calls instructions and reads their outputs."""
        r = self.rng
        parts = []
        for c in calls:
            args = [self.leaf(f.width, c.level) for f in c.args]
            args = [Design.const(self, f.width) if a[0] in "^-('" else a for f, a in zip(c.args, args)]
            port, text = self.call_text(c, self.args(c.args, c.level) if self.on("condition_call_args")
                                        else ", ".join(args))
            e, op = "(%s)" % self.expr(port.width, limit, 1), r.choice(CMP)
            parts.append(r.choice([text, "^" + text]) if port.width == 1 else
                         "%s<%s>" % (text, self.num(r.randrange(port.width))) if r.random() < 0.3 else
                         r.choice(["%s %s %s" % (text, op, e), "%s %s %s" % (e, op, text)]))
        return " %s " % r.choice("|&@").join("(%s)" % p for p in parts)

    def call_value(self, unit):
        """x = a value holding u.f(args).port, for a call joined with x."""
        x, c = unit
        r = self.rng
        s = x.sig if x.kind == "sig" else x
        text = self.call_text(c, self.args(c.args, c.level), s.width)[1]
        if x.kind == "mem":
            return ["%s[%s] := %s;" % (x.name, self.address(x.bits, x.level), text)]
        op, e = ":=" if s.kind == "reg" else "=", "(%s)" % self.expr(s.width, s.tgt, 1)
        if not self.on("calls_in_values", 0.7):
            value = text
        elif self.on("compare_after_call", 0.5):
            value = "(%s %s %s)" % (text, r.choice(["<", "<="]), e)
            value = value if s.width == 1 else "%d#%s" % (s.width, value)
        elif s.width == 1 and r.random() < 0.5:
            value = "%s %s %s" % (text, r.choice([o for o in CMP if "<" not in o]), e)
        elif s.kind == "reg" and self.on("increments", 0.3):
            op, value = r.choice(["+=", "-=", "&=", "|="]), text
        else:
            b = r.choice("&|@+-")
            value = r.choice(["%s %s %s" % (text, b, e), "%s %s %s" % (e, b, text)])
        return ["%s %s %s;" % (s.ref, op, value)]

    # A bidirect driven in two places is the OR of two tri-state values,
    # unknown where one drives a 0: each is driven in one place only.
    @staticmethod
    def single(u):
        return not isinstance(u, tuple) and u.kind == "sig" and u.sig.kind == "bidir"

    def subset(self, units, empty=False):
        return [u for u in super().subset(units, empty) if not self.single(u)]

    def stage_body(self, st, tokens):
        single = [t for t in tokens if self.single(t)]
        lines = super().stage_body(st, [t for t in tokens if t not in single])
        at = next((i + 1 for i, l in enumerate(lines) if "first_state" in l), 1)
        body = []
        self.sites(single, body, {"stage": st["index"]})
        return lines[:at] + indent(body) + lines[at:]

    def sites(self, tokens, body, ctx):
        """Most calls write their output to a target of the same site."""
        tokens = list(tokens)
        for c in [t for t in tokens if t.kind == "call" and t.outs]:
            widths = [p.width for p in c.outs]
            mems = [t for t in tokens if t.kind == "mem" and t.width in widths]
            xs = [t for t in tokens if t.kind == "sig" and t.sig.tgt > c.out_level and
                  t.sig.kind in ("sel", "out", "reg") and t.sig.width in widths]
            x = mems[0] if mems and self.on("call_to_memory_word", 0.7) else (
                xs and self.on("calls_in_values", 0.5) and self.rng.choice(xs))
            if x:
                tokens = [t for t in tokens if t not in (x, c)]
                body += self.build([(x, c)], min(x.level, c.level), ctx, self.rng.randint(0, 2))
        super().sites(tokens, body, ctx)

    def leaf_stmt(self, unit):
        if isinstance(unit, tuple):
            return self.call_value(unit)
        t = unit
        if t.kind in ("mem", "array"):
            return (self.memory_write if t.kind == "mem" else self.array_loop)(t)
        if t.kind == "gen" and self.on("module_forms", 0.4):
            return ["%s.%s(%s);" % (t.stage, t.task, self.args(t.args, INF))]
        forms = [self.increment, self.whole_decimal, self.alt_loop, self.join_loop]
        return t.kind == "sig" and self.rng.random() < 0.4 and self.first(forms, t.sig) or super().leaf_stmt(unit)

    def increment(self, s):
        return [self.update(s.ref, s.width, s.tgt)] if s.kind == "reg" and self.on("increments") else None

    def update(self, target, w, limit):
        op = self.rng.choice(["++", "--", "+=", "-=", "&=", "|="])
        return target + op + ";" if op in "++--" else "%s %s %s;" % (target, op, self.expr(w, limit))

    def whole_decimal(self, s):
        if self.on("decimals"):
            value = self.decimal(s.width)
            if self.on("constant_only_values", 0.5):  # a value that fits the target
                a, b = (self.rng.randrange(1 << s.width) for _ in "ab")
                value = "%d %s %d" % (a, self.rng.choice("|&" + "+" * (a + b < 1 << s.width)), b)
            return ["%s %s %s;" % (s.ref, assign_op(s), value)]

    def loop_head(self, kind, n):
        """`kind (i=b; i<n+b; i++)` and the text of the element index, i-b."""
        r = self.rng
        var, b, blank = r.choice("ijk"), r.choice([0, 0, 0, 1, 2]), r.choice(["", " "])
        test = r.choice(["%s<%s" % (var, self.num(n + b)), "%s<=%s" % (var, self.num(n + b - 1))])
        return ("%s (%s=%d;%s%s;%s%s++)" % (kind, var, b, blank, test, blank, var),
                var if b == 0 else "%s-%d" % (var, b))

    def alt_loop(self, s):
        r = self.rng
        n = r.randint(2, 4)
        sels = [x for x in self.readable(s.tgt) if x.width >= n]
        if not sels or s.kind == "bidir" or not self.on("loops"):
            return None
        (head, idx), op = self.loop_head("alt", n), assign_op(s)
        self.loop = (idx, n)
        value = self.decimal(s.width) if r.random() < 0.3 else self.expr(s.width, s.tgt)
        lines = [head + " {", "   %s<%s> : %s %s %s;" % (r.choice(sels).ref, idx, s.ref, op, value)]
        self.loop = None
        lines += ["   else : %s %s %s;" % (s.ref, op, self.expr(s.width, s.tgt))] if r.random() < 0.6 else []
        return lines + ["}"]

    def join_loop(self, s):
        fits = [(a, op) for a in self.arrays for op in ["+", "&", "|", "@", "||"]
                if all(e.src < s.tgt for e in a[3]) and (a[1] if op == "||" else 1) * a[2] == s.width]
        target = s.name if isinstance(s, Element) else s.ref
        if fits and NAME.match(target) and self.on("loops"):
            (name, n, _, _), op = self.rng.choice(fits)
            head, idx = self.loop_head("join", n)
            return ["%s { %s %s %s %s %s[%s]; }" % (head, target, assign_op(s), target, op, name, idx)]

    def array_loop(self, t):
        """One loop that drives every element of an array."""
        r = self.rng
        name, n, w, els = t.array
        reg = els[0].kind == "reg"
        head, idx = self.loop_head(r.choice(["par", "any"]), n)
        self.loop = (idx, n)
        stmt = ("%s[%s]%s;" % (name, idx, r.choice(["++", "--"])) if reg and self.on("increments", 0.3) else
                "%s[%s] %s %s;" % (name, idx, assign_op(els[0]), self.expr(w, t.level)))
        if head.startswith("any"):
            stmt = "%s : %s" % (self.loop_bit(1, t.level) or self.cond(t.level), stmt)
        self.loop = None
        return [head + " {", "   " + stmt, "}"]

    def memory_write(self, t):
        word = "%s[%s]" % (t.name, self.address(t.bits, t.level))
        word = self.rng.choice(t.words).ref if t.words and self.rng.random() < 0.3 else word
        if self.on("increments", 0.3):
            return [self.update(word, t.width, INF)]
        return ["%s := %s;" % (word, self.decimal(t.width) if self.on("decimal_to_memory", 0.3)
                               else self.expr(t.width, INF))]

    def free_stmts(self, limit, ctx):
        return [re.sub(r"^generate ", "", l) if self.on("module_forms", 0.3) else l
                for l in super().free_stmts(limit, ctx)]

    def starts_task(self, line): return super().starts_task(line) or re.match(r"S\d+\.\w+\(", line)

    def build(self, units, limit, ctx, depth):
        r = self.rng
        calls = [u for u in units if not isinstance(u, tuple) and u.kind == "call"]
        if depth > 0 and calls and self.on("calls_in_conditions", 0.7) and (
                lines := self.call_block(units, r.choice(calls), ctx, depth)):
            return lines
        if depth > 0 and units and self.on("switch", 0.12):
            return self.switch(units, limit, ctx, depth)
        instrs = [s.ref for s in self.sigs if s.kind == "instr" and s.src < limit]
        if depth > 0 and units and instrs and self.on("module_forms", 0.06):
            return ["instruct %s" % r.choice(instrs)] + indent(as_block(self.build(units, limit, ctx, depth - 1)))
        return super().build(units, limit, ctx, depth)

    def call_block(self, units, call, ctx, depth):
        """An if (or alt, any, switch) whose condition calls instructions:
        the units inside read the calls' outputs."""
        r = self.rng
        calls = [call] + [u for u in units if u is not call and not isinstance(u, tuple) and
                          u.kind == "call" and r.random() < 0.3]
        rest = [u for u in units if u not in calls]
        limit = min([self.unit_level(u) for u in rest] + [INF])
        if limit <= max(c.out_level for c in calls):
            return None
        if self.on("alt_call_conditions", 0.8):
            # what an alt or switch reads before the calls decides whether
            # they are carried out: it reads none of their outputs
            pos, low = r.randrange(3), min(c.level for c in calls)

            def label(i, other):
                return "(%s)" % (self.call_cond(calls, limit) if i == pos else
                                 self.cond(low if i < pos else limit)) if i < 3 else other
            if self.on("switch_conditions", 0.3):
                return self.switch(rest, limit, ctx, depth, label, low)
            return self.choices(r.choice(["alt", "any"]), rest, limit, ctx, depth, label, 3)
        a = self.subset(rest, empty=True)
        lines = ["if (%s)" % self.call_cond(calls, limit)] + indent(as_block(self.build(a, limit, ctx, depth - 1)))
        b = [u for u in rest if u not in a]
        if r.random() < 0.5:
            return lines + ["else"] + indent(as_block(self.build(b + self.subset(a, empty=True), limit, ctx, depth - 1)))
        return ["par {"] + indent(lines + self.build(b, limit, ctx, depth - 1)) + ["}"] if b else lines

    def switch(self, units, limit, ctx, depth, label=None, low=None):
        r = self.rng
        k, n = r.choice([1, 2, 2, 3, 4, 8]), 3 if label else r.randint(1, 3)

        def case(i, other):
            if i == n or label:
                return "default" if i == n else label(i, other)
            if self.on("switch_conditions", 0.2):
                return "(%s)" % self.cond(limit)
            cases = [self.case_label(k) for _ in range(r.choice([1, 1, 2, 3]))]
            return "case " + cases[0] if len(cases) == 1 else " | ".join("(case %s)" % c for c in cases)
        return self.choices("switch (%s)" % self.expr(k, low or limit, 1), units, limit, ctx, depth, case, n)

    def case_label(self, k):
        r = self.rng
        v = r.randrange(1 << k)
        forms = [str(v), "0b" + format(v, "0%db" % k)] + ["0x%0*X" % (k // 4, v)] * (k % 4 == 0)
        if k == 8 and 32 <= v < 127 and chr(v) not in "'\\.":
            forms.append("'%s'" % chr(v))
        if k == 8 and self.on("dot_character", 0.5):
            forms = ["'.'"]
        if self.on("case_label_widths", 0.3):
            forms = ["0b" + format(v, "0%db" % (k + 1)), "0x%X" % v]
        return r.choice(forms)

    def alternative(self, label, units, limit, ctx, depth):
        body = self.build(units, limit, ctx, depth - 1)
        body = as_block(body) if body[0].startswith("join") and not self.on("join_alternatives") else body
        sep = ": " if label.startswith(("case", "default")) else " : "
        return indent([label + sep + body[0]] + body[1:])

    def par(self, units, limit, ctx, depth):
        local = self.local(limit) if self.on("locals", 0.15) else None
        lines = super().par(units, limit, ctx, depth)
        if local:
            decl, drive, sigs = local
            self.sigs = [s for s in self.sigs if s not in sigs]
            self.retired += [s.name for s in sigs]
            lines[1:1] = indent([decl] + drive)
        return lines

    def local(self, limit):
        """A signal declared in a block: its level lies between the levels
        that the block reads and the block's own."""
        r = self.rng
        level = (max([s.src for s in self.sigs if s.src < limit] + [0]) + limit) / 2
        names = [n for n in self.retired if n not in [s.name for s in self.sigs]]
        name = r.choice(names) if names and r.random() < 0.4 else self.fresh("t")
        w = self.width()
        if self.on("local_arrays", 0.3):
            n = r.randint(1, 3)
            els = [Element(r, name, k, n, w, "sel", src=level, tgt=level) for k in range(n)]
            self.sigs += els
            return ("sela %s[%d]%s;" % (name, n, "<%d>" % w if w > 1 else ""),
                    ["%s = %s;" % (e.ref, self.expr(w, level)) for e in els], els)
        word = r.choice(["sel", "sel_v", "wire"] + ["reg_wr"] * (not self.comb))
        s = Sig(name, w, "reg", 0, INF) if word == "reg_wr" else Sig(name, w, "sel", level, level)
        drive = (word == "reg_wr" and self.increment(s) or
                 ["%s %s %s;" % (name, assign_op(s), self.expr(w, min(s.tgt, limit)))])
        self.sigs.append(s)
        return self.decl(word, [s]), drive, [s]

    # ----------------------------------------------------------- modules

    def decl(self, word, sigs):
        # every register without reset starts with a value: memories and
        # registers without reset would keep an unknown read before a first load
        if word == "reg" or word in ("reg_wr", "reg_ws") and self.on("initial_values", 0.3):
            for s in sigs:
                s.init = self.constant_value(s.width)
        return super().decl("wire" if word in ("sel", "sel_v") and self.on("module_forms", 0.15) else word, sigs)

    def clock_prefix(self, reg):
        # The testbench's clock falls at time 0, when the inputs are still
        # unknown: a register without reset on that edge would keep them.
        prefix = super().clock_prefix(reg)
        return "" if prefix == "neg_" and reg.word == "reg" else prefix

    def instr_decl(self, word, name, args, *arg_decls):
        if not self.on("instr_lists", 0.5):
            return super().instr_decl(word, name, args, *arg_decls)
        return ["%s %s(%s);" % (word, name, ", ".join(s.name for s in args))] + list(arg_decls)

    def module_ports(self, ports): return [] if self.on("module_forms", 0.3) else list(ports)

    def instance_name(self, index, module):
        taken = [s.ref.split(".")[0] for s in self.sigs if "." in s.ref]
        return module if module not in taken and self.on("module_forms", 0.3) else super().instance_name(index, module)

    def state_decl(self, states):
        lines = super().state_decl(states)
        return lines[1:] if self.on("module_forms", 0.3) else lines

    def preamble(self):
        for name in ["WA", "WB"][:self.rng.randint(1, 2)] if self.on("width_macros", 0.7) else []:
            self.widths.append((name, self.rng.choice([2, 3, 4, 8])))
        self.decimals += self.widths
        return ["%s %s %d" % ("#define" if self.on("preprocessor", 0.3) else "%d", n, v) for n, v in self.widths]

    def constant_macro(self, name, w):
        r = self.rng
        line, other = ("%%d %s %s" % (name, self.const(w)) for _ in range(2))
        if not self.on("preprocessor", 0.4):
            return [line]
        if r.random() < 0.4:
            return ["#define " + line[3:]]
        return r.choice([["#ifdef NO_" + name, other, "#else", line, "#endif"],
                         ["#ifndef NO_" + name, line, "#else", other, "#endif"]])

    def more_signals(self, level, decls, tokens):
        """Arrays, memories and macros of the module top."""
        r = self.rng
        if self.on("body_macros", 0.5):
            decls += self.body_macro()
        for _ in range(r.randint(1, 2) if self.on("arrays", 0.6) else 0):
            level += 10
            decls.append(self.array(level, tokens))
        for _ in range(r.randint(1, 2) if self.on("memories", 0.5) else 0):
            decls.append(self.memory(tokens))
        return level

    def body_macro(self):
        r = self.rng
        name, w = self.fresh("M"), r.choice([1, 2, 4, 8])
        lines = ["%%d %s %s" % (name, self.under("no_extend", self.expr, w, 1, 1))]
        if r.random() < 0.3:
            self.decimals.append((self.fresh("D"), r.randint(0, 15)))
            lines.append("%%d %s %d" % self.decimals[-1])
        if self.on("macro_like_signal", 0.4):  # a signal of the macro's name: the macro wins
            lines.insert(0, self.decl("sel_v", [Sig(name, r.choice([1, 2, 3, w]), "sel")]))
        self.macros.append((name, w, self.module))
        return lines

    def array(self, level, tokens):
        r = self.rng
        kind = r.choice(["sela", "sels", "rega", "regs"])
        name, n = self.fresh("a"), r.choice([2, 3, 4, 4, 8, 12])
        w = 1 if kind == "sels" else self.width()
        reg = kind in ("rega", "regs")  # registers without reset: they start with a value
        els = [Element(r, name, k, n, w, "reg" if reg else "sel", src=0 if reg else level,
                       tgt=INF if reg else level) for k in range(n)]
        self.sigs += els
        self.arrays.append((name, n, w, els))
        self.shown += [e.name for e in els]
        tokens += ([Token("array", els[0].tgt, array=(name, n, w, els))] if self.on("loops", 0.5) else
                   [Token("sig", e.tgt, sig=e) for e in els])
        return "%s %s[%s]%s%s;" % (kind, name, self.num(n), "<%s>" % self.num(w) if w > 1 else "",
                                   " = " + self.constant_value(w) if reg else "")

    def memory(self, tokens):
        r = self.rng
        kind, name, bits, w = r.choice(["mem", "regfile"]), self.fresh("m"), r.randint(1, 3), self.width()
        words = [Element(r, name, k, 1 << bits, w, "word") for k in range(1 << bits)] * (kind == "regfile")
        self.sigs += words
        self.mems.append((name, bits, w))
        self.shown += ["%s[%d]" % (name, k) for k in range(1 << bits)]
        tokens.append(Token("mem", INF, name=name, bits=bits, width=w, words=words))
        values = ["0"] if r.random() < 0.3 else [self.constant_value(w) for _ in range(r.randint(1, 1 << bits))]
        return "%s %s[%s]%s = { %s };" % (kind, name, self.num(1 << bits),
                                          "<%s>" % self.num(w) if w > 1 else "", ", ".join(values))

    def stage_signals(self, stages):
        self.sigs += [Sig("_%s_%s" % (st["name"], t[0]), 1, "task", st["on"], INF, ref="%s.%s" % (st["name"], t[0]))
                      for st in stages for t in st["tasks"] if self.on("stage_tasks")]

    def module_body(self, body):
        r = self.rng
        ours = [m for m in self.macros if m[2] is self.module and m[0].startswith("M")]
        for m in ours if self.on("macro_redefinition", 0.5) else []:
            starts = [i for i, l in enumerate(body) if i > len(body) // 2 and re.match(r"(?!else)\w", l)]
            macros, self.macros = self.macros, [x for x in self.macros if x is not m]  # (none names itself)
            at = r.choice(starts or [len(body)])
            body.insert(at, "%%d %s %s" % (m[0], self.under("no_extend", self.expr, m[1], 1, 1)))
            self.macros = macros
        if self.on("includes", 0.3):
            n = r.randint(1, 3)
            self.includes["inc_top.sfl"] = "\n".join(body[:n]) + "\n"
            body = ['%i "inc_top.sfl"'] + body[n:]
        return body

    def more_shown(self): return self.shown

    def sources(self, text):
        crlf = self.on("crlf", 0.33)
        files = dict({"design.sflp" if self.on("sflp", 0.5) else "design.sfl": text}, **self.includes)
        return {name: self.restyle(t, crlf) for name, t in files.items()}

    def restyle(self, text, crlf):
        """Blanks, braces, comments and line ends as real sources have them."""
        r = self.rng
        out = []
        for line in text.split("\n"):
            if not line.lstrip().startswith(("%", "#", "/*")):
                if self.on("blocks"):
                    line = re.sub(r"\bpar \{", lambda m: r.choice(["par {", "{"]), line)
                if self.on("tight"):
                    line = re.sub(r"\b(\w+) ([({])", lambda m: m.group(0) if r.random() < 0.5 or (
                        m.group(1) in ("else", "interface", "combinational") and
                        not self.on("else_brace")) else m.group(1) + m.group(2), line)
            if line.strip() and not line.lstrip().startswith(("#", "%i")) and self.on("sjis", 0.08):
                line += "  // " + " ".join(r.sample(COMMENTS, 2))
            out.append(line)
        return ("\r\n" if crlf else "\n").join(out)
