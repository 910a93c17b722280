"""Random designs in the --extended dialect: `gen_design.py --extended`.

ExtendedDesign writes the base generator's designs with the constructs of
FEATURES put where real designs put them (inside conditions, inside wider
expressions, in blocks and stage bodies), under the base generator's two
rules and three more: a bidirect is driven in one place only (two tri-state
values ORed are unknown where one drives a 0); a register without reset
starts with a value and is not clocked on the falling edge (the testbench's
clock falls at time 0, before the inputs are set); block-local signals take
a level between those of what their block reads and of what it drives.

Each construct is one entry of FEATURES, asked for by name in one place.
The entries that are off by default are constructs that sflc translates
wrongly today (tests/README.md); `--features=+NAME,-NAME` turns entries on
and off.
"""

import re
import sys

from gen_design import INF, Design, Sig, Token, as_block, indent

FEATURES = {  # name: (on by default, what the designs get)
    "switch": (True, "switch with decimal, based and character labels, (case a) | (case b), default"),
    "increments": (True, "++, --, +=, -=, &=, |= on registers, array elements and memory words"),
    "blocks": (True, "{ } for par { }"),
    "tight": (True, "no blank between a keyword or name and the ( or { after it"),
    "locals": (True, "declarations local to a block (sel, sel_v, wire, reg_wr), sibling blocks sharing a name"),
    "value_selects": (True, "a<s>, a<(e)>: the bit that a value numbers"),
    "expression_selects": (True, "(e)<h:l>"),
    "arrays": (True, "sela, sels, rega, regs, elements as x[k] and x_k"),
    "loops": (True, "par and any loops over arrays, alt loops, join loops"),
    "memories": (True, "mem and regfile with contents, read and written by address, words by name"),
    "initial_values": (True, "register initial values"),
    "decimals": (True, "decimal and negative constants, constant arithmetic, decimal macros"),
    "text": (True, "character and string constants"),
    "width_macros": (True, "macros and constant arithmetic in widths, selects, counts and bounds"),
    "digit_separators": (True, "0b0000_0001, 1_2"),
    "body_macros": (True, "%d inside a module"),
    "includes": (True, "%i of declarations inside a module"),
    "preprocessor": (True, "#define, #ifdef/#ifndef/#else/#endif"),
    "instr_lists": (True, "argument lists on instruction declarations, empty instr_arg lists"),
    "minus": (True, "unary minus"),
    "shifts": (True, "shifts by a signal, a based constant or an expression"),
    "extensions": (True, "N#x of ports, macros, constants and expressions, blanks around #"),
    "calls_in_conditions": (True, "instruction calls in if conditions, two in one"),
    "calls_in_values": (True, "an instruction call's output inside a wider value"),
    "stage_tasks": (True, "stage.task in expressions"),
    "module_forms": (True, "ports from the declare, an instance named like its type, states from "
                           "state blocks, instruct inside blocks, tasks started without generate, wire"),
    "crlf": (True, "CR LF line ends in a third of the designs"),
    "sjis": (True, "comments in Shift_JIS"),
    # translated wrongly today
    "else_brace": (False, "else{, interface{, combinational{"),
    "switch_conditions": (False, "switch alternatives that are plain conditions"),
    "alt_call_conditions": (False, "instruction calls in alt and any conditions"),
    "case_label_widths": (False, "case labels narrower or wider than the selector"),
    "compare_beside_selects": (False, "a < b<s>, a <= b<s>"),
    "compare_after_call": (False, "x = u.f(a).q < b;"),
    "wide_minus_shifts": (False, "unary minus and shifts by a signal inside wider operations"),
    "select_parens_by_value": (False, "(a @ b)<s>"),
    "one_bit_selects": (False, "a<0> of a 1-bit signal or expression"),
    "local_arrays": (False, "arrays declared inside blocks"),
    "array_value_index": (False, "arrays read by a signal index"),
    "macro_redefinition": (False, "a macro defined again further down a module"),
    "macro_like_signal": (False, "a macro named like a signal declared before it"),
    "macro_selects": (False, "(K)<h:l> of a macro K"),
    "macro_select_bounds": (False, "%d F a<W-1:0>: a macro in a select bound inside a macro's value"),
    "decimal_to_memory": (False, "a decimal constant as the whole value written to a memory word"),
    "constant_only_values": (False, "x = 1 | 4;"),
    "minus_extension": (False, "-5#a"),
    "call_to_memory_word": (False, "m[a] := u.f(b).q;"),
    "join_alternatives": (False, "a join loop as the body of an alt, any or switch alternative"),
    "condition_call_args": (False, "if (u.f(^a).y): a call's argument that starts with ^, - or ( in a condition"),
    "macro_decimals": (False, "%d F a + 1 used more than once: a decimal constant in a macro's value"),
    "dot_character": (False, "the character constant '.'"),
    "character_extension": (False, "N#'c': a character constant widened"),
    "macro_prefix_pairs": (False, "%d F - -a: two prefix operators in a row in a macro's value"),
    "sflp": (False, ".sflp sources, whose stage.task is true while the stage runs that task"),
}

CMP = ["==", "!=", "<", ">", "<=", ">="]
COMMENTS = ["表示", "ソフト", "能力", "構造", "カウンタ", "状態遷移", "初期化", "書き込み", "ポート"]
NAME = re.compile(r"^[A-Za-z_]\w*$")


def parse_features(args):
    """The feature set after `--features=+a,-b` among args, and the rest."""
    on = {name for name, (default, _) in FEATURES.items() if default}
    rest = []
    for a in args:
        if not a.startswith("--features="):
            rest.append(a)
            continue
        for item in filter(None, a.split("=", 1)[1].split(",")):
            name = item.lstrip("+-")
            if name not in FEATURES:
                sys.exit("unknown feature %s; known: %s" % (name, " ".join(FEATURES)))
            (on.discard if item.startswith("-") else on.add)(name)
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
        self.arrays = []    # (name, count, width, elements)
        self.mems = []      # (name, address width, width)
        self.shown = []     # more names for the testbench
        self.includes = {}
        self.loop = None    # (index text, count) while a loop body is written
        self.wide = 0       # inside an operand that Verilog widens to its context
        self.shifted = 0    # inside an operand of a shift
        self.count = 0      # for fresh names
        self.retired = []   # names of block locals whose blocks are closed

    def on(self, name, p=1.0):
        return name in self.features and (p >= 1 or self.rng.random() < p)

    def fresh(self, prefix):
        self.count += 1
        return "%s%d" % (prefix, self.count)

    def new_module(self):
        super().new_module()
        self.arrays, self.mems = [], []

    # ------------------------------------------------------------ numbers

    def num(self, n, group=False):
        r = self.rng
        forms = [str(n)]
        if self.on("width_macros") and (not self.no_extend or self.on("macro_select_bounds")):
            for name, v in self.widths:
                forms.append(name if v == n else "%s%+d" % (name, n - v))
                if n == 2 * v:
                    forms.append(name + "*2")
            forms.append("%d*%d%+d" % (2, n // 2, n % 2) if n > 3 else "%d-%d" % (n + 2, 2))
        if self.on("digit_separators") and n >= 10:
            forms.append("%s_%s" % (str(n)[0], str(n)[1:]))
        f = r.choice(forms) if r.random() < 0.4 else str(n)
        return "(%s)" % f if group and not f.isdigit() else f

    def decimal(self, w):
        """A decimal constant (or arithmetic, or macro) that fits w bits."""
        r = self.rng
        a, b = r.randint(0, 9), r.randint(1, 9)
        forms = [str(r.randrange(1 << w))] * 3 + ["-%d" % r.randint(1, 1 << (w - 1))]
        forms += ["(%d%s%d)" % (a, op, b) for op, v in (("+", a + b), ("*", a * b), ("/", a // b))
                  if v < 1 << w]
        forms += [name for name, v in self.decimals if v < 1 << w]
        if self.loop and self.loop[1] <= 1 << w:
            forms.append("(%s)" % self.loop[0])
        return r.choice(forms)

    def text(self, n, quote):
        pool = list("AZaz09;:,(){}[]/+-=<>#%" + "." * self.on("dot_character")) + ["\\n", "\\\\", "\\" + quote]
        return quote + "".join(self.rng.choice(pool) for _ in range(n)) + quote

    def const(self, w):
        if w % 8 == 0 and w <= 32 and self.on("text", 0.3):
            return self.text(w // 8, "'" if w == 8 else '"')
        c = super().const(w)
        digits = c[2:]
        if self.on("digit_separators", 0.2) and len(digits) > 1 and "x" not in digits.lower():
            k = self.rng.randint(1, len(digits) - 1)
            c = c[:2] + digits[:k] + "_" + digits[k:]
        return c

    def constant_value(self, w):
        """An initial value or memory word: any constant, cut to w bits."""
        r = self.rng
        forms = [self.decimal(w), self.const(w), "0x%X" % r.randrange(256), "-%d" % r.randint(1, 9),
                 "0x10 + %d" % r.randint(0, 9), "'%s'" % r.choice("AZ09;"), '"Hi"']
        forms += ["%s * 2 + 1" % name for name, _ in self.decimals]
        return r.choice(forms)

    # -------------------------------------------------------- expressions

    def wide_expr(self, w, limit, depth):
        self.wide += 1
        try:
            return self.expr(w, limit, depth)
        finally:
            self.wide -= 1

    def shifted_expr(self, w, limit, depth, wide=False):
        self.shifted += 1
        try:
            return (self.wide_expr if wide else self.expr)(w, limit, depth)
        finally:
            self.shifted -= 1

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
        if names and self.rng.random() < 0.6:
            return self.rng.choice(names)
        return "(%s)" % self.expr(self.rng.randint(1, bits), limit, 1)

    def leaf(self, w, limit):
        if self.rng.random() < 0.35:
            forms = [self.value_select, self.memory_read, self.extension, self.loop_bit,
                     self.one_bit_select, self.array_read]
            self.rng.shuffle(forms)
            for form in forms:
                text = form(w, limit)
                if text:
                    return text
        return super().leaf(w, limit)

    def value_select(self, w, limit):
        cands = [s for s in self.readable(limit) if s.width >= 2]
        if w != 1 or not cands or not self.on("value_selects"):
            return None
        s = self.rng.choice(cands)
        return "%s<%s>" % (s.ref, self.index(s.width.bit_length() - 1, limit))

    def memory_read(self, w, limit):
        mems = [m for m in self.mems if m[2] == w]
        if not mems or limit is None or self.shifted:
            return None
        name, bits, _ = self.rng.choice(mems)
        return "%s[%s]" % (name, self.expr(bits, limit, 1))

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
        return "%s%s%s#%s%s" % ("-" if self.on("minus_extension", 0.3) else "", self.num(w, True),
                                r.choice(["", " "]), r.choice(["", " "]), what)

    def loop_bit(self, w, limit):
        cands = [s for s in self.readable(limit) if self.loop and s.width >= self.loop[1]]
        if w != 1 or not cands:
            return None
        return "%s<%s>" % (self.rng.choice(cands).ref, self.loop[0])

    def one_bit_select(self, w, limit):
        cands = [s.ref for s in self.readable(limit) if s.width == 1]
        if w != 1 or not self.on("one_bit_selects"):
            return None
        return "%s<0>" % self.rng.choice(cands + ["(%s)" % self.expr(1, limit, 1)])

    def array_read(self, w, limit):
        cands = [a for a in self.arrays if a[2] == w and a[1] & (a[1] - 1) == 0 and
                 all(e.src < limit for e in a[3])] if limit is not None else []
        if not cands or not self.on("array_value_index"):
            return None
        name, n, _, _ = self.rng.choice(cands)
        return "%s[%s]" % (name, self.expr(n.bit_length() - 1, limit, 1))

    def expr(self, w, limit, depth=2):
        if depth > 0 and self.rng.random() < 0.3:
            forms = [self.minus, self.shift, self.expression_select, self.decimal_operand,
                     self.comparison]
            self.rng.shuffle(forms)
            for form in forms:
                text = form(w, limit, depth - 1)
                if text:
                    return text
        return super().expr(w, limit, depth)

    def minus(self, w, limit, d):
        if not self.on("minus") or (self.wide and not self.on("wide_minus_shifts")):
            return None
        e = self.expr(w, limit, d)
        if self.rng.random() < 0.2 and (not self.no_extend or self.on("macro_prefix_pairs")):
            return "- -(%s)" % e
        return "-" + e if NAME.match(e) else "-(%s)" % e

    def shift(self, w, limit, d):
        if not self.on("shifts") or (self.wide and not self.on("wide_minus_shifts")):
            return None
        r = self.rng
        self.shifted += 1
        names = [s.ref for s in self.readable(limit) if s.width <= 3]
        count = r.choice(names + ["0b1", "0x2", "0o3", "(%s + 0b01)" % self.expr(2, limit, 0)])
        self.shifted -= 1
        return "(%s) %s %s" % (self.shifted_expr(w, limit, d), r.choice(["<<", ">>"]), count)

    def expression_select(self, w, limit, d):
        if not self.on("expression_selects"):
            return None
        width = w + self.rng.randint(1, 3)
        e = self.expr(width, limit, d)
        if e in [m[0] for m in self.macros] and not self.on("macro_selects"):
            return None
        if w == 1 and self.on("select_parens_by_value", 0.5):
            return "(%s)<%s>" % (e, self.index(width.bit_length() - 1, limit))
        lo = self.rng.randint(0, width - w)
        return "(%s)<%s:%s>" % (e, self.num(lo + w - 1), self.num(lo))

    def decimal_operand(self, w, limit, d):
        if not self.on("decimals") or (self.no_extend and not self.on("macro_decimals")):
            return None
        r = self.rng
        k, ops = (r.randint(1, 6), CMP) if w == 1 and r.random() < 0.5 else (w, "&|@+-")
        e, n, op = self.expr(k, limit, d), self.decimal(k), r.choice(ops)
        return "(%s) %s %s" % (e, op, n) if r.random() < 0.6 else "%s %s (%s)" % (n, op, e)

    def comparison(self, w, limit, d):
        """A comparison written as in real designs: operands without parentheses."""
        if w != 1:
            return None
        r = self.rng
        k = r.randint(1, 6)
        op, a, b = r.choice(CMP), self.leaf(k, limit), self.leaf(k, limit)
        if "<" in op and not self.on("compare_beside_selects"):
            a, b = ["(%s)" % x if re.search(r"<\s*[A-Za-z_(]", x) else x for x in (a, b)]
        return "%s %s %s" % (a, op, b)

    # --------------------------------------------------------- statements

    def call_text(self, call):
        port = self.rng.choice(call.outs)
        return port, "%s.%s(%s).%s" % (call.inst, call.instr, self.args(call.args, call.level),
                                       port.name)

    def call_cond(self, calls, limit):
        r = self.rng
        parts = []
        for c in calls:
            port, text = self.call_text(c)
            if not self.on("condition_call_args"):
                args = [self.leaf(f.width, c.level) for f in c.args]
                text = "%s.%s(%s).%s" % (c.inst, c.instr, ", ".join(
                    self.const(f.width) if a[0] in "^-('" else a for f, a in zip(c.args, args)), port.name)
            if port.width == 1:
                parts.append(r.choice([text, "^" + text]))
            elif r.random() < 0.3:
                parts.append("%s<%s>" % (text, self.num(r.randrange(port.width))))
            else:
                e, op = "(%s)" % self.expr(port.width, limit, 1), r.choice(CMP)
                parts.append(r.choice(["%s %s %s" % (text, op, e), "%s %s %s" % (e, op, text)]))
        return " %s " % r.choice("|&@").join("(%s)" % p for p in parts)

    def call_value(self, unit):
        """x = a value holding u.f(args).port, for a call joined with x."""
        x, c = unit
        r = self.rng
        port = r.choice([p for p in c.outs if p.width == (x.sig if x.kind == "sig" else x).width])
        text = "%s.%s(%s).%s" % (c.inst, c.instr, self.args(c.args, c.level), port.name)
        if x.kind == "mem":
            return ["%s[%s] := %s;" % (x.name, self.expr(x.bits, x.level, 1), text)]
        s = x.sig
        op = ":=" if s.kind == "reg" else "="
        if not self.on("calls_in_values", 0.7):
            return ["%s %s %s;" % (s.ref, op, text)]
        e = "(%s)" % self.expr(s.width, s.tgt, 1)
        if self.on("compare_after_call", 0.5):
            value = "(%s %s %s)" % (text, r.choice(["<", "<="]), e)
            return ["%s %s %s;" % (s.ref, op, value if s.width == 1 else "%d#%s" % (s.width, value))]
        if s.width == 1 and r.random() < 0.5:
            cmp = r.choice([o for o in CMP if "<" not in o])
            return ["%s %s %s %s %s;" % (s.ref, op, text, cmp, e)]
        if s.kind == "reg" and self.on("increments", 0.3):
            return ["%s %s %s;" % (s.ref, r.choice(["+=", "-=", "&=", "|="]), text)]
        b = r.choice("&|@+-")
        return ["%s %s %s;" % (s.ref, op, r.choice(["%s %s %s" % (text, b, e), "%s %s %s" % (e, b, text)]))]

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
        tokens = list(tokens)
        for c in [t for t in tokens if t.kind == "call" and t.outs]:
            mems = [t for t in tokens if t.kind == "mem" and t.width in [p.width for p in c.outs]]
            if mems and self.on("call_to_memory_word", 0.7):  # m[a] := u.f(b).q;
                tokens = [t for t in tokens if t not in (mems[0], c)]
                body += self.build([(mems[0], c)], c.level, ctx, self.rng.randint(0, 2))
        super().sites(tokens, body, ctx)

    def leaf_stmt(self, unit):
        if isinstance(unit, tuple):
            return self.call_value(unit)
        t = unit
        if t.kind == "mem":
            return self.memory_write(t)
        if t.kind == "array":
            return self.array_loop(t)
        if t.kind == "gen" and self.on("module_forms", 0.4):
            return ["%s.%s(%s);" % (t.stage, t.task, self.args(t.args, INF))]
        if t.kind == "sig" and self.rng.random() < 0.4:
            forms = [self.increment, self.whole_decimal, self.alt_loop, self.join_loop]
            self.rng.shuffle(forms)
            for form in forms:
                lines = form(t.sig)
                if lines:
                    return lines
        return super().leaf_stmt(unit)

    def increment(self, s):
        if s.kind != "reg" or not self.on("increments"):
            return None
        return [self.update(s.ref, s.width, s.tgt)]

    def update(self, target, w, limit):
        op = self.rng.choice(["++", "--", "+=", "-=", "&=", "|="])
        return target + op + ";" if op in "++--" else "%s %s %s;" % (target, op, self.expr(w, limit))

    def whole_decimal(self, s):
        if not self.on("decimals"):
            return None
        value = self.decimal(s.width)
        if self.on("constant_only_values", 0.5):
            value = "%s %s %s" % (value, self.rng.choice("|&+"), self.decimal(s.width))
        return ["%s %s %s;" % (s.ref, ":=" if s.kind == "reg" else "=", value)]

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
        head, idx = self.loop_head("alt", n)
        op = ":=" if s.kind == "reg" else "="
        self.loop = (idx, n)
        value = self.decimal(s.width) if r.random() < 0.3 else self.expr(s.width, s.tgt)
        lines = [head + " {", "   %s<%s> : %s %s %s;" % (r.choice(sels).ref, idx, s.ref, op, value)]
        self.loop = None
        if r.random() < 0.6:
            lines.append("   else : %s %s %s;" % (s.ref, op, self.expr(s.width, s.tgt)))
        return lines + ["}"]

    def join_loop(self, s):
        r = self.rng
        fits = [(a, op) for a in self.arrays for op in ["+", "&", "|", "@", "||"]
                if all(e.src < s.tgt for e in a[3]) and
                (a[2] == s.width if op != "||" else a[1] * a[2] == s.width)]
        target = s.name if isinstance(s, Element) else s.ref
        if not fits or not NAME.match(target) or not self.on("loops"):
            return None
        (name, n, _, _), op = r.choice(fits)
        head, idx = self.loop_head("join", n)
        return ["%s { %s %s %s %s %s[%s]; }" % (head, target, ":=" if s.kind == "reg" else "=",
                                                 target, op, name, idx)]

    def array_loop(self, t):
        """One loop that drives every element of an array."""
        r = self.rng
        name, n, w, els = t.array
        reg = els[0].kind == "reg"
        head, idx = self.loop_head(r.choice(["par", "any"]), n)
        self.loop = (idx, n)
        if reg and self.on("increments", 0.3):
            stmt = "%s[%s]%s;" % (name, idx, r.choice(["++", "--"]))
        else:
            stmt = "%s[%s] %s %s;" % (name, idx, ":=" if reg else "=", self.expr(w, t.level))
        if head.startswith("any"):
            stmt = "%s : %s" % (self.loop_bit(1, t.level) or self.cond(t.level), stmt)
        self.loop = None
        return [head + " {"] + indent([stmt]) + ["}"]

    def memory_write(self, t):
        r = self.rng
        word = "%s[%s]" % (t.name, self.expr(t.bits, t.level, 1))
        if t.words and r.random() < 0.3:
            word = r.choice(t.words).ref
        if self.on("increments", 0.3):
            return [self.update(word, t.width, INF)]
        value = self.expr(t.width, INF)
        if self.on("decimal_to_memory", 0.3):
            value = self.decimal(t.width)
        return ["%s := %s;" % (word, value)]

    def free_stmts(self, limit, ctx):
        out = super().free_stmts(limit, ctx)
        return [re.sub(r"^generate ", "", l) if self.on("module_forms", 0.3) else l for l in out]

    def starts_task(self, line):
        return super().starts_task(line) or re.match(r"S\d+\.\w+\(", line)

    def build(self, units, limit, ctx, depth):
        r = self.rng
        calls = [u for u in units if not isinstance(u, tuple) and u.kind == "call"]
        if depth > 0 and calls and self.on("calls_in_conditions", 0.7):
            lines = self.call_block(units, r.choice(calls), ctx, depth)
            if lines:
                return lines
        if depth > 0 and units and self.on("switch", 0.12):
            return self.switch(units, limit, ctx, depth)
        instrs = [s.ref for s in self.sigs if s.kind == "instr" and s.src < limit]
        if depth > 0 and units and instrs and self.on("module_forms", 0.06):
            inner = as_block(self.build(units, limit, ctx, depth - 1))
            return ["instruct %s" % r.choice(instrs)] + indent(inner)
        return super().build(units, limit, ctx, depth)

    def call_block(self, units, call, ctx, depth):
        """An if (or alt, any) whose condition calls an instruction: the
        units inside read the call's outputs."""
        r = self.rng
        calls = [call] + [u for u in units if u is not call and not isinstance(u, tuple) and
                          u.kind == "call" and r.random() < 0.3]
        rest = [u for u in units if u not in calls]
        limit = min([self.unit_level(u) for u in rest] + [INF])
        if limit <= max(c.out_level for c in calls):
            return None
        if self.on("alt_call_conditions", 0.8):
            shape = r.choice(["alt", "any"])
            pos = r.randrange(3)
            return self.choices(shape, rest, limit, ctx, depth, lambda i: "(%s)" % (
                self.call_cond(calls, limit) if i == pos else self.cond(limit)), "else", 3)
        a = self.subset(rest, empty=True)
        then = as_block(self.build(a, limit, ctx, depth - 1))
        lines = ["if (%s)" % self.call_cond(calls, limit)] + indent(then)
        if r.random() < 0.5:
            other = [u for u in rest if u not in a] + self.subset(a, empty=True)
            lines += ["else"] + indent(as_block(self.build(other, limit, ctx, depth - 1)))
        elif len(a) < len(rest):
            lines = ["par {"] + indent(lines + self.build([u for u in rest if u not in a], limit,
                                                          ctx, depth - 1)) + ["}"]
        return lines

    def choices(self, head, units, limit, ctx, depth, label, other, n=None):
        """head { label(0) : ... label(n-1) : ... [other : ...] }: exclusive
        alternatives may each drive any unit, those of any split them."""
        r = self.rng
        n = n or r.randint(1, 3)
        if head == "any":
            groups = self.split(units, n)
        else:
            groups = [self.subset(units) for _ in range(n)]
            groups[-1] += [u for u in units if not any(u in g for g in groups)]
        lines = [head + " {"]
        for i, g in enumerate(groups):
            lines += self.alternative(label(i), g, limit, ctx, depth)
        if head != "any" and r.random() < 0.5:
            lines += self.alternative(other, self.subset(units, empty=True), limit, ctx, depth)
        return lines + ["}"]

    def switch(self, units, limit, ctx, depth):
        r = self.rng
        k = r.choice([1, 2, 2, 3, 4, 8])
        head = "switch (%s)" % self.expr(k, limit, 1)

        def label(i):
            if self.on("switch_conditions", 0.2):
                return "(%s)" % self.cond(limit)
            cases = [self.case_label(k) for _ in range(r.choice([1, 1, 2, 3]))]
            return "case " + cases[0] if len(cases) == 1 else " | ".join("(case %s)" % c for c in cases)
        return self.choices(head, units, limit, ctx, depth, label, "default")

    def case_label(self, k):
        r = self.rng
        v = r.randrange(1 << k)
        forms = [str(v), "0b" + format(v, "0%db" % k)]
        if k % 4 == 0:
            forms.append("0x%0*X" % (k // 4, v))
        if k == 8 and 32 <= v < 127 and chr(v) not in "'\\.":
            forms.append("'%s'" % chr(v))
        if k == 8 and self.on("dot_character", 0.5):
            forms = ["'.'"]
        if self.on("case_label_widths", 0.3):
            forms = ["0b" + format(v, "0%db" % (k + 1)), "0x%X" % v]
        return r.choice(forms)

    def alternative(self, label, units, limit, ctx, depth):
        body = self.build(units, limit, ctx, depth - 1)
        if body[0].startswith("join") and not self.on("join_alternatives"):
            body = ["par {"] + indent(body) + ["}"]
        sep = ": " if label.startswith(("case", "default")) else " : "
        return indent([label + sep + body[0]] + body[1:])

    def par(self, units, limit, ctx, depth):
        local = self.local(limit) if self.on("locals", 0.15) else None
        lines = super().par(units, limit, ctx, depth)
        if local:
            decl, drive, sigs = local
            for s in sigs:
                self.sigs.remove(s)
                self.retired.append(s.name)
            lines[1:1] = indent([decl] + drive)
        return lines

    def local(self, limit):
        """A signal declared in a block: its level lies between the levels
        that the block reads and the block's own."""
        r = self.rng
        level = (max([s.src for s in self.sigs if s.src < limit] + [0]) + limit) / 2
        taken = set(s.name for s in self.sigs)
        names = [n for n in self.retired if n not in taken]
        name = r.choice(names) if names and r.random() < 0.4 else self.fresh("t")
        w = self.width()
        if self.on("local_arrays", 0.3):
            n = r.randint(1, 3)
            els = [Element(r, name, k, n, w, "sel", src=level, tgt=level) for k in range(n)]
            drive = ["%s = %s;" % (e.ref, self.expr(w, level)) for e in els]
            self.sigs += els
            return "sela %s[%d]%s;" % (name, n, "<%d>" % w if w > 1 else ""), drive, els
        word = r.choice(["sel", "sel_v", "wire"] + ["reg_wr"] * (not self.comb))
        if word == "reg_wr":
            s = Sig(name, w, "reg", 0, INF)
            drive = self.increment(s) or ["%s := %s;" % (name, self.expr(w, limit))]
        else:
            s = Sig(name, w, "sel", level, level)
            drive = ["%s = %s;" % (name, self.expr(w, level))]
        self.sigs.append(s)
        return self.decl(word, [s]), drive, [s]

    # ----------------------------------------------------------- modules

    def decl(self, word, sigs):
        r = self.rng
        # every register without reset starts with a value: memories and
        # registers without reset would keep an unknown read before a first load
        if word == "reg" or word in ("reg_wr", "reg_ws") and self.on("initial_values", 0.3):
            for s in sigs:
                s.init = self.constant_value(s.width)
        if word in ("sel", "sel_v") and self.on("module_forms", 0.15):
            word = "wire"
        return "%s %s;" % (word, ", ".join(
            s.name + ("<%s>" % self.num(s.width) if s.width > 1 or r.random() < 0.1 else "") +
            (" = " + s.init if s.init else "") for s in sigs))

    def clock_prefix(self, reg):
        # The testbench's clock falls at time 0, when the inputs are still
        # unknown: a register without reset on that edge would keep them.
        prefix = super().clock_prefix(reg)
        return "" if prefix == "neg_" and reg.word == "reg" else prefix

    def instr_decl(self, word, name, args, *arg_decls):
        if not self.on("instr_lists", 0.5):
            return super().instr_decl(word, name, args, *arg_decls)
        return ["%s %s(%s);" % (word, name, ", ".join(s.name for s in args))] + list(arg_decls)

    def module_ports(self, ports):
        return [] if self.on("module_forms", 0.3) else list(ports)

    def instance_name(self, index, module):
        taken = [s.ref.split(".")[0] for s in self.sigs if "." in s.ref]
        if module not in taken and self.on("module_forms", 0.3):
            return module
        return super().instance_name(index, module)

    def state_decl(self, states):
        lines = super().state_decl(states)
        return lines[1:] if self.on("module_forms", 0.3) else lines

    def preamble(self):
        out = []
        if self.on("width_macros", 0.7):
            for name in ["WA", "WB"][:self.rng.randint(1, 2)]:
                v = self.rng.choice([2, 3, 4, 8])
                self.decimals.append((name, v))
                self.widths.append((name, v))
                out.append("%s %s %d" % ("#define" if self.on("preprocessor", 0.3) else "%d", name, v))
        return out

    def constant_macro(self, name, w):
        r = self.rng
        value = self.const(w)
        if not self.on("preprocessor", 0.4):
            return ["%%d %s %s" % (name, value)]
        if r.random() < 0.4:
            return ["#define %s %s" % (name, value)]
        other = "%%d %s %s" % (name, self.const(w))  # on the branch not taken
        if r.random() < 0.5:
            return ["#ifdef NO_%s" % name, other, "#else", "%%d %s %s" % (name, value), "#endif"]
        return ["#ifndef NO_%s" % name, "%%d %s %s" % (name, value), "#else", other, "#endif"]

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
        self.no_extend = True
        value = self.expr(w, 1, 1)
        self.no_extend = False
        lines = ["%%d %s %s" % (name, value)]
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
        if self.on("loops", 0.5):
            tokens.append(Token("array", els[0].tgt, array=(name, n, w, els)))
        else:
            tokens += [Token("sig", e.tgt, sig=e) for e in els]
        return "%s %s[%s]%s%s;" % (kind, name, self.num(n), "<%s>" % self.num(w) if w > 1 else "",
                                   " = " + self.constant_value(w) if reg else "")

    def memory(self, tokens):
        r = self.rng
        kind, name, bits, w = r.choice(["mem", "regfile"]), self.fresh("m"), r.randint(1, 3), self.width()
        depth = 1 << bits
        words = []
        if kind == "regfile":
            words = [Element(r, name, k, depth, w, "word") for k in range(depth)]
            self.sigs += words
        self.mems.append((name, bits, w))
        self.shown += ["%s[%d]" % (name, k) for k in range(depth)]
        tokens.append(Token("mem", INF, name=name, bits=bits, width=w, words=words))
        values = ["0"] if r.random() < 0.3 else [self.constant_value(w) for _ in range(r.randint(1, depth))]
        return "%s %s[%s]%s = { %s };" % (kind, name, self.num(depth), "<%s>" % self.num(w) if w > 1 else "",
                                          ", ".join(values))

    def stage_signals(self, stages):
        for st in stages:
            for task, _fast, _args in st["tasks"] if self.on("stage_tasks") else []:
                self.sigs.append(Sig("_%s_%s" % (st["name"], task), 1, "task", st["on"], INF,
                                     ref="%s.%s" % (st["name"], task)))

    def module_body(self, body):
        r = self.rng
        if self.on("macro_redefinition", 0.5):
            for name, w, module in self.macros:
                if module is self.module and name.startswith("M"):
                    starts = [i for i, l in enumerate(body) if i > len(body) // 2 and not l[:1].isspace()]
                    self.no_extend = True
                    body.insert(r.choice(starts or [len(body)]), "%%d %s %s" % (name, self.expr(w, 1, 1)))
                    self.no_extend = False
        if self.on("includes", 0.3):
            n = r.randint(1, 3)
            self.includes["inc_top.sfl"] = "\n".join(body[:n]) + "\n"
            body = ['%i "inc_top.sfl"'] + body[n:]
        return body

    def more_shown(self):
        return self.shown

    def sources(self, text):
        crlf = self.on("crlf", 0.33)
        files = {"design.sflp" if self.on("sflp") else "design.sfl": text}
        files.update(self.includes)
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
        text = "\n".join(out)
        return text.replace("\n", "\r\n") if crlf else text
