#!/usr/bin/env python3
"""Random SFL designs that must simulate the same with and without -O.

generate(seed) returns ({file name: bytes}, testbench_text).  A design
holds up to two submodules (declared and defined in SFL, one of them
possibly a combinational `interface` module), constant and expression macros, and a
module `top` with inputs, instruction inputs, outputs, sel/sel_v nets,
reg/reg_wr/reg_ws registers (some with pos_/neg_ prefixes), instrself and
instrout terminals, a bidirect, instances of the submodules, stages with
tasks (with and without arguments, task_fast too), states and the
transfers generate/goto/finish/relay, and statements nested in
par/alt/any/if/else/instruct blocks.  The testbench drives seeded random
values on every input, holds reset for two cycles and then prints the
outputs, nets and registers every cycle.

Two rules keep each design well defined and its meaning independent of -O
(which ORs the values of one target whose conditions hold together, where
the plain layout lets the first one win):

* every target is driven from one site only, and inside that site only in
  mutually exclusive places: the alternatives of one alt, the two branches
  of an if/else, the states of one stage.  Statements that only drive a 1
  (instruction activations, task starts without arguments) and `finish`
  may appear anywhere;
* combinational signals have levels and read only lower ones, so there are
  no combinational loops; the conditions of a block count as read by
  everything in it, a stage's activity signal by everything in its body.

The hooks below are where gen_extended.py puts the constructs of the
--extended dialect; in the base dialect they draw no random numbers, so a
seed gives the same design as before they existed.

    gen_design.py SEED DIR     writes DIR/design.sfl and DIR/tb.v
    gen_design.py --extended [--features=+NAME,-NAME] SEED DIR
                               the same in the --extended dialect (files
                               that the design includes too)
"""

import os
import random
import sys

INF = 10 ** 9
RESET_CYCLES = 2
CMP = ["==", "!=", "<", ">", "<=", ">="]


class Sig:
    """A signal: its name as declared (or made by sflc), ref as the source
    reads it (u0.y for ports), src and tgt the levels where it is read and
    driven, word its declaration keyword, init its initial value (--extended)."""

    def __init__(self, name, width, kind, src=0, tgt=INF, ref=None, word=None):
        self.name, self.ref, self.width, self.kind = name, ref or name, width, kind
        self.src, self.tgt, self.word, self.init = src, tgt, word, None


class Token:
    """Something that one site drives, at most once on every path."""

    def __init__(self, kind, level, **kw):
        self.__dict__.update(kw, kind=kind, level=level)


def assign_op(s):
    return ":=" if s.kind == "reg" else "="


def indent(lines):
    return ["   " + l for l in lines]


def as_block(lines):
    """A statement that may stand after `if (...)`, `else`, `state X` or
    `instruct X` without swallowing an `else` that follows it."""
    return lines if lines[0].startswith("par") else ["par {"] + indent(lines) + ["}"]


class Design:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.lines = ["/* generated design, seed %d */" % seed]
        self.macros = []   # (name, width, module or None for every module)
        self.module = None
        self.no_extend = False

    # ---------------------------------------------------------------- hooks
    # The places where gen_extended.py puts its constructs; here they write
    # the base dialect and draw no random numbers.  wide_expr writes an
    # operand that Verilog widens to its context, shifted_expr the left
    # operand of a shift.
    def num(self, n, group=False): return str(n)
    def wide_expr(self, w, limit, depth): return self.expr(w, limit, depth)
    def shifted_expr(self, w, limit, depth, wide=False): return self.expr(w, limit, depth)
    def clock_prefix(self, reg): return self.rng.choice(["", "", "", "pos_", "neg_"])
    def starts_task(self, line): return line.startswith("generate")
    def module_ports(self, ports): return list(ports)
    def instance_name(self, index, module): return "u%d" % index
    def more_signals(self, level, decls, tokens): return level
    def stage_signals(self, stages): pass
    def module_body(self, body): return body
    def more_shown(self): return []
    def preamble(self): return []
    def constant_macro(self, name, w): return ["%%d %s %s" % (name, self.const(w))]
    def sources(self, text): return {"design.sfl": text}

    def instr_decl(self, word, name, args, *arg_decls):
        return (["%s %s;" % (word, name)] + list(arg_decls) +
                (["instr_arg %s(%s);" % (name, ", ".join(s.name for s in args))] if args else []))

    def state_decl(self, states):
        return ["state_name %s;" % ", ".join(states), "first_state %s;" % self.rng.choice(states)]

    def under(self, counter, make, *args):
        """make(*args) with the counter attribute raised by one meanwhile."""
        setattr(self, counter, getattr(self, counter) + 1)
        try:
            return make(*args)
        finally:
            setattr(self, counter, getattr(self, counter) - 1)

    # ---------------------------------------------------------- expressions

    def const(self, w):
        r = self.rng
        if w % 4 == 0 and r.random() < 0.4:
            return "0x" + "".join(r.choice("0123456789abcdefABCDEF") for _ in range(w // 4))
        if w % 3 == 0 and r.random() < 0.3:
            return "0o" + "".join(r.choice("01234567") for _ in range(w // 3))
        k = w % 4 or 4
        if k < w and r.random() < 0.25:
            # binary digits, then hexadecimal ones: one constant in two parts
            return ("0b" + "".join(r.choice("01") for _ in range(k)) + r.choice("xX") +
                    "".join(r.choice("0123456789abcdef") for _ in range((w - k) // 4)))
        return "0b" + "".join(r.choice("01") for _ in range(w))

    def readable(self, limit):
        if limit is None:  # the inputs alone
            return [s for s in self.sigs if s.kind in ("in", "instr") and s.src == 0]
        return [s for s in self.sigs if s.src < limit]

    def leaf(self, w, limit):
        r = self.rng
        sigs = self.readable(limit)
        same = [s for s in sigs if s.width == w]
        wider = [s for s in sigs if s.width > w]
        narrower = [s for s in sigs if s.width < w and "." not in s.ref and not self.no_extend]
        macros = [m for m in self.macros if m[1] == w and m[2] in (None, self.module)]
        how = r.choice(["const"] + ["same"] * 4 * bool(same) + ["select"] * 2 * bool(wider) +
                       ["extend"] * bool(narrower) + ["macro"] * bool(macros))
        if how == "same":
            return r.choice(same).ref
        if how == "select":
            s = r.choice(wider)
            lo = r.randrange(0, s.width - w + 1)
            if w == 1 and r.random() < 0.7:
                return "%s<%s>" % (s.ref, self.num(lo))
            return "%s<%s:%s>" % (s.ref, self.num(lo + w - 1), self.num(lo))
        if how == "extend":
            return "%s#%s" % (self.num(w, True), r.choice(narrower).ref)
        if how == "macro":
            return r.choice(macros)[0]
        return self.const(w)

    def expr(self, w, limit, depth=2):
        """An expression of exactly w bits reading only levels below limit."""
        r = self.rng
        if depth <= 0 or r.random() < 0.35:
            return self.leaf(w, limit)
        d = depth - 1
        f = r.choice(["bin"] * 4 + ["not", "shr"] + ["cat", "mul", "shl"] * (w >= 2) + ["cmp"] * 3 * (w == 1) +
                     ["red"] * 2 * (w == 1))
        if f == "bin":
            return "(%s) %s (%s)" % (self.expr(w, limit, d), r.choice("&|@+-"), self.expr(w, limit, d))
        if f == "not":
            return "^(%s)" % self.expr(w, limit, d)
        if f == "shr":
            return "(%s) >> %s" % (self.shifted_expr(w, limit, d), self.num(r.randint(1, 3)))
        if f == "shl":
            n = r.randint(1, w - 1)
            return "(%s) << %s" % (self.shifted_expr(w - n, limit, d, True), self.num(n))
        if f in ("cat", "mul"):
            a = r.randint(1, w - 1)
            e = self.expr if f == "cat" else self.wide_expr
            return "(%s) %s (%s)" % (e(a, limit, d), "||" if f == "cat" else "*", e(w - a, limit, d))
        if f == "cmp":
            k = r.randint(1, 6)
            return "(%s) %s (%s)" % (self.expr(k, limit, d), r.choice(CMP), self.expr(k, limit, d))
        return "%s(%s)" % (r.choice(["/|", "/&", "/@"]), self.expr(r.randint(2, 6), limit, d))

    def cond(self, limit):
        c = self.expr(1, limit, 2)
        while c == "0b1":
            # An earlier alternative that is the constant 1 leaves "~(1'b1)&"
            # in the negation of the alternatives; the removal of "(1'b1)&"
            # then makes "~~(...)", which is no Verilog (reported).
            c = self.expr(1, limit, 2)
        if self.rng.random() < 0.25:
            c = "(%s) %s (%s)" % (c, self.rng.choice("&|@"), self.expr(1, limit, 1))
        return c

    def args(self, formals, limit):
        return ", ".join(self.expr(f.width, limit, 1) for f in formals)

    # ----------------------------------------------------------- statements

    def leaf_stmt(self, unit):
        if isinstance(unit, tuple):  # x = u.f(args).port;
            x, c = unit
            port = self.rng.choice([p for p in c.outs if p.width == x.sig.width])
            return ["%s %s %s.%s(%s).%s;" % (x.sig.name, assign_op(x.sig), c.inst, c.instr,
                                             self.args(c.args, c.level), port.name)]
        t = unit
        if t.kind == "sig":
            return ["%s %s %s;" % (t.sig.ref, assign_op(t.sig), self.expr(t.sig.width, t.sig.tgt))]
        if t.kind == "goto":
            return ["goto %s;" % self.rng.choice(t.states)]
        head = {"call": lambda: "%s.%s" % (t.inst, t.instr), "selfcall": lambda: t.name,
                "gen": lambda: "generate %s.%s" % (t.stage, t.task)}[t.kind]()
        return ["%s(%s);" % (head, self.args(t.args, INF if t.kind == "gen" else t.level))]

    def free_stmts(self, limit, ctx):
        """Statements that only drive a 1, or finish a stage: any number of
        them may stand anywhere the levels allow."""
        r, out, stage = self.rng, [], ctx.get("stage")
        for f in self.frees:
            if f.level < limit or r.random() > 0.12 or f.kind == "gen0" and stage is not None and f.index <= stage:
                continue
            out.append("generate %s.%s();" % (f.stage, f.task) if f.kind == "gen0" else
                       "%s.%s();" % (f.inst, f.instr) if f.kind == "call0" else "%s();" % f.name)
        return out + ["finish;"] * (stage is not None and r.random() < 0.08)

    def pair_units(self, tokens):
        """Sometimes join a call with a target that takes one of its outputs."""
        units = list(tokens)
        for c in [t for t in tokens if t.kind == "call" and t.outs]:
            widths = set(p.width for p in c.outs)
            xs = [t for t in units if not isinstance(t, tuple) and t.kind == "sig" and
                  t.sig.tgt > c.out_level and t.sig.kind in ("sel", "out", "reg") and
                  t.sig.width in widths]
            if xs and self.rng.random() < 0.5:
                x = self.rng.choice(xs)
                units = [u for u in units if u not in (x, c)] + [(x, c)]
        return units

    @staticmethod
    def unit_level(u):
        return min(u[0].level, u[1].level) if isinstance(u, tuple) else u.level

    def build(self, units, limit, ctx, depth):
        """One statement driving every unit at most once on every path."""
        r = self.rng
        if not units or len(units) == 1 and (depth <= 0 or r.random() < 0.6):
            body = self.leaf_stmt(units[0]) if units else []
            free = self.free_stmts(limit, ctx)
            return ["par {"] + indent(body + free) + ["}"] if free else body or [";"]
        if depth <= 0:
            return self.par(units, limit, ctx, 0)
        shape = r.choice(["par", "par", "alt", "alt", "any", "if", "ifelse"])
        if shape == "par":
            return self.par(units, limit, ctx, depth - 1)
        if shape == "if":
            inner = self.build(units, limit, ctx, depth - 1)
            return ["if (%s)" % self.cond(limit)] + indent(as_block(inner) if inner[0].startswith("if ") else inner)
        if shape == "ifelse":
            a = self.subset(units)
            b = [u for u in units if u not in a] + self.subset(a, empty=True)
            then = self.build(a, limit, ctx, depth - 1)
            other = self.build(b, limit, ctx, depth - 1)
            then = as_block(then) if then[0].startswith("if ") else then  # no dangling else
            if other[0].startswith("if ") and "else" in [l.strip() for l in other]:
                other = as_block(other)  # no else-if chains
            return ["if (%s)" % self.cond(limit)] + indent(then) + ["else"] + indent(other)
        n = r.randint(1, 3)
        return self.choices(shape, units, limit, ctx, depth,
                            lambda i, other: other if i == n else "(%s)" % self.cond(limit), n, 0.6)

    def choices(self, head, units, limit, ctx, depth, label, n=None, p_else=0.5):
        """head { label(0) : ... label(n-1) : ... [label(n) : ...] }: exclusive
        alternatives may each drive any unit, those of any split them."""
        n = n or self.rng.randint(1, 3)
        if head == "any":
            groups = self.split(units, n)
        else:
            groups = [self.subset(units) for _ in range(n)]
            groups[-1] += [u for u in units if not any(u in g for g in groups)]
            if self.rng.random() < p_else:
                groups.append(self.subset(units, empty=True))
        lines = [head + " {"]
        for i, g in enumerate(groups):
            lines += self.alternative(label(i, "else"), g, limit, ctx, depth)
        return lines + ["}"]

    def alternative(self, label, units, limit, ctx, depth):
        body = self.build(units, limit, ctx, depth - 1)
        return indent([label + " : " + body[0]] + body[1:])

    def par(self, units, limit, ctx, depth):
        groups = self.split(units, self.rng.randint(1, max(1, min(3, len(units)))))
        if len(groups) == 1 and len(groups[0]) > 1:
            groups = [[u] for u in groups[0]]
        lines = ["par {"] + [l for g in groups for l in indent(self.build(g, limit, ctx, depth))]
        return lines + indent(self.free_stmts(limit, ctx)) + ["}"]

    def subset(self, units, empty=False):
        s = [u for u in units if self.rng.random() < 0.6]
        return s or ([self.rng.choice(units)] if units and not empty else [])

    def split(self, units, n):
        groups = [[] for _ in range(n)]
        for u in units:
            groups[self.rng.randrange(n)].append(u)
        return [g for g in groups if g] or [[]]

    def sites(self, tokens, body, ctx):
        """Hand the tokens out to statements (1 to 4 each) and append them."""
        r = self.rng
        tokens = list(tokens)
        r.shuffle(tokens)
        while tokens:
            n = r.randint(1, min(4, len(tokens)))
            group, tokens = tokens[:n], tokens[n:]
            units = self.pair_units(group)
            limit = min(self.unit_level(u) for u in units)
            lines = self.build(units, limit, ctx, r.randint(0, 3))
            if self.starts_task(lines[0]):
                lines = as_block(lines)  # a task is started under some level
            if ctx.get("top") and r.random() < 0.3:
                cands = [s for s in self.sigs if s.kind == "instr" and s.src < limit]
                if cands:
                    lines = ["instruct %s" % r.choice(cands).ref] + indent(as_block(lines))
            body += lines

    # --------------------------------------------------------------- modules

    def new_module(self):
        self.sigs, self.frees, self.module, self.comb = [], [], object(), False

    def width(self): return self.rng.choice([1, 1, 2, 3, 4, 5, 8])

    def decl(self, word, sigs):
        return "%s %s;" % (word, ", ".join(
            s.name + ("<%s>" % self.num(s.width) if s.width > 1 or self.rng.random() < 0.1 else "") +
            (" = " + s.init if s.init else "") for s in sigs))

    def submodule(self, index):
        r = self.rng
        self.new_module()
        name = "sub%d" % index
        comb = self.comb = r.random() < 0.3
        w = self.width
        ins = [Sig("a%d" % i, w(), "in") for i in range(r.randint(1, 2))]
        outs = [Sig("y%d" % i, w(), "out") for i in range(r.randint(1, 2))]
        go = Sig("go", 1, "instr") if r.random() < 0.8 else None
        done = r.random() < 0.5
        go_args = [s for s in ins if go and r.random() < 0.6]
        regs = [] if comb else [Sig("acc%d" % i, w(), "reg", word="reg_wr") for i in range(r.randint(0, 2))]
        self.sigs += ins + regs + ([go] if go else [])
        ports = [self.decl("input", ins), self.decl("output", outs)]
        ports += (self.instr_decl("instrin", "go", go_args) if go else []) + ["instrout done;"] * done
        self.frees += [Token("self", INF, name="done")] * done
        self.lines += ["declare %s%s {" % (name, " interface" if comb else "")] + indent(ports) + ["}"]
        body = self.module_ports(ports) + ([self.decl("reg_wr", regs)] if regs else [])
        counted = regs[:1] if go and regs and r.random() < 0.7 else []
        tokens = [Token("sig", s.tgt, sig=s) for s in outs + regs if s not in counted]
        self.sites(tokens, body, {"top": True})
        for acc in counted:  # a register counted up while the instruction is active: its only site
            body += ["instruct go par {", "   %s := %s;" % (acc.name, self.expr(acc.width, INF))]
            body += ["   done();"] * done + ["}"]
        self.lines += ["module %s%s {" % (name, " combinational" if comb else "")] + indent(body) + ["}", ""]
        return {"name": name, "ins": ins, "outs": outs, "go": go, "go_args": go_args, "done": done}

    def top(self, subs):
        r = self.rng
        w = self.width
        self.new_module()
        ins = [Sig("i%d" % i, w(), "in") for i in range(r.randint(1, 4))]
        tis = [Sig("ti%d" % i, 1, "instr") for i in range(r.randint(0, 2))]
        self.sigs += ins + tis
        outs = [Sig("o%d" % i, w(), "out") for i in range(r.randint(1, 3))]
        decls = [self.decl("input", ins)] + ([self.decl("instrin", tis)] if tis else []) + [self.decl("output", outs)]
        q = Sig("q0", 1, "instrout") if r.random() < 0.4 else None
        decls += ["instrout q0;"] * bool(q)
        self.frees += [Token("self", INF, name="q0")] * bool(q)
        bd = Sig("bd0", w(), "bidir") if r.random() < 0.2 else None
        decls += [self.decl("bidirect", [bd])] if bd else []
        tokens = [Token("sig", INF, sig=s) for s in outs + ([bd] if bd else [])]

        # an expression macro over the inputs, defined just before top
        if r.random() < 0.5:
            # (a width extension needs declared names, which a macro lacks)
            mw = r.choice([1, 2, 4])
            self.lines.append("%%d F0 %s" % self.under("no_extend", self.expr, mw, None, 1))
            self.macros.append(("F0", mw, self.module))

        early = [Sig("e%d" % i, w(), "sel", 10 * i + 10, 10 * i + 10, word=r.choice(["sel", "sel_v"]))
                 for i in range(r.randint(1, 4))]
        level = 10 * len(early)
        decls += [self.decl(s.word, [s]) for s in early]
        self.sigs += early
        tokens += [Token("sig", s.tgt, sig=s) for s in early]
        if r.random() < 0.5:
            level += 10
            k = Sig("k0", 1, "instr", level, level)
            ka = Sig("ka0", w(), "sel", level - 1, level - 1)
            self.sigs += [k, ka]
            decls += self.instr_decl("instrself", "k0", [ka], self.decl("sel", [ka]))
            tokens.append(Token("selfcall", ka.tgt, name="k0", args=[ka]))

        regs = []
        for i in range(r.randint(1, 5)):
            regs.append(Sig("r%d" % i, w(), "reg", word=r.choice(["reg_wr", "reg_wr", "reg_ws", "reg"])))
            decls.append(self.clock_prefix(regs[-1]) + self.decl(regs[-1].word, regs[-1:]))
        self.sigs += regs
        level = self.more_signals(level, decls, tokens)

        for m in range(r.randint(0, 2) if subs else 0):
            sub = r.choice(subs)
            inst = self.instance_name(m, sub["name"])
            lin, lout = level + 11, level + 12
            level += 20
            decls.append("%s %s;" % (sub["name"], inst))
            port = lambda p, kind, src, tgt: Sig("_%s_%s" % (inst, p.name), p.width, kind, src, tgt,
                                                 ref="%s.%s" % (inst, p.name))
            tokens += [Token("sig", lin, sig=port(p, "port", lin, lin)) for p in sub["ins"] if p not in sub["go_args"]]
            self.sigs += [port(p, "port", lout, INF) for p in sub["outs"]]
            self.sigs += [port(Sig("done", 1, "instr"), "instr", lout, INF)] * sub["done"]
            if sub["go"] and sub["go_args"]:
                tokens.append(Token("call", lin, inst=inst, instr="go", args=sub["go_args"], outs=sub["outs"],
                                    out_level=lout))
            elif sub["go"]:
                self.frees.append(Token("call0", lin, inst=inst, instr="go"))

        stages = []
        for k in range(r.randint(0, 2)):
            name = "S%d" % k
            st = {"name": name, "index": k, "tasks": [], "sel": level + 11, "on": level + 12,
                  "states": ["A%d" % i for i in range(r.choice([0, 1, 2, 3, 5]))]}
            level += 20
            for j in range(r.randint(1, 2)):
                args = [Sig("ra%d%d" % (k, j), w(), "reg", word="reg_wr")] if r.random() < 0.4 else []
                self.sigs += args
                regs += args
                decls += [self.decl("reg_wr", args)] if args else []
                task = "ta%d" % j
                st["tasks"].append((task, r.random() < 0.3, args))
                (tokens if args else self.frees).append(
                    Token("gen" if args else "gen0", st["sel"], stage=name, task=task, args=args, index=k))
            decls += ["stage_name %s {" % name] + indent(
                ["%s %s(%s);" % ("task_fast" if fast else "task", t, ", ".join(a.name for a in args))
                 for t, fast, args in st["tasks"]]) + ["}"]
            stages.append(st)
        self.stages = stages
        self.stage_signals(stages)

        late = [Sig("l%d" % i, w(), "sel", level + 10 * i + 10, level + 10 * i + 10, word="sel")
                for i in range(r.randint(0, 3))]
        level += 10 * len(late)
        decls[1:1] = [self.decl("sel", [s]) for s in late]
        self.sigs += late
        tokens += [Token("sig", s.tgt, sig=s) for s in late]
        tokens += [Token("sig", INF, sig=s) for s in regs
                   if not s.name.startswith("ra") and (s.word != "reg" or s.init)]

        # tokens that read no lower level than a stage's activity signal
        # may move into that stage's body
        in_stage = {st["name"]: [] for st in stages}
        in_stage[None] = []  # the top level
        for t in tokens:
            fits = [st for st in stages if t.level > st["on"] and (t.kind != "gen" or t.index > st["index"])]
            in_stage[r.choice(fits)["name"] if fits and r.random() < 0.5 else None].append(t)
        body = list(decls)
        # a register without reset is loaded from the inputs in every cycle,
        # so it holds no unknown value after the first clock edge
        body += ["%s := %s;" % (s.name, self.expr(s.width, None)) for s in regs
                 if s.word == "reg" and not s.init]
        self.sites(in_stage[None], body, {"top": True})
        for f in self.frees:  # every task is started from somewhere
            if f.kind == "gen0":
                body.append("if (%s) generate %s.%s();" % (self.cond(f.level), f.stage, f.task))
        for st in stages:
            body += self.stage_body(st, in_stage[st["name"]])
        self.lines += ["module top {"] + indent(self.module_body(body)) + ["}"]

        driven = outs + ([bd] if bd else []) + ([q] if q else [])
        show = [s.name for s in driven + early + late + regs]
        for st in stages:
            show += ["_%s_on_reg" % st["name"]] + ["_%s_state" % st["name"]] * bool(st["states"])
        return self.testbench(ins + tis, driven, show + self.more_shown())

    def stage_body(self, st, tokens):
        r = self.rng
        ctx = {"stage": st["index"]}
        states = st["states"]
        lines = self.state_decl(states) if states else []
        direct = [t for t in tokens if not states or r.random() < 0.3]
        in_states = [t for t in tokens if t not in direct]
        self.sites(direct, lines, ctx)
        if r.random() < 0.3:
            lines.append("if (%s) finish;" % self.cond(st["on"]))
        later = [s for s in self.stages if s["index"] > st["index"]]
        for i, name in enumerate(states):
            # states exclude each other: each may drive any of the tokens
            units = [t for t in in_states if r.random() < 0.6 or i == len(states) - 1]
            if r.random() < 0.6:
                units.append(Token("goto", INF, states=states))
            units = self.pair_units(units)
            limit = min([self.unit_level(u) for u in units] + [INF])
            body = as_block(self.build(units, limit, ctx, r.randint(0, 2)))
            if later and r.random() < 0.25:
                s2 = r.choice(later)
                task, _fast, args = s2["tasks"][0]
                if not args:
                    body = body[:-1] + ["   relay %s.%s();" % (s2["name"], task), "}"]
            lines += ["state %s %s" % (name, body[0])] + body[1:]
        return ["stage %s {" % st["name"]] + indent(lines) + ["}"]

    def testbench(self, inputs, outputs, show, cycles=24):
        r = self.rng
        lines = ["`timescale 1ns/1ns", "module tb;", "   reg m_clock, p_reset;"]
        lines += ["   %s %s%s;" % (kind, "[%d:0] " % (s.width - 1) if s.width > 1 else "", s.name)
                  for kind, group in (("reg", inputs), ("wire", outputs)) for s in group]
        conns = ["m_clock", "p_reset"] + [s.name for s in inputs + outputs]
        lines.append("   top dut(%s);" % ", ".join(".%s(%s)" % (c, c) for c in conns))
        lines += ["   initial begin", "      m_clock = 0; p_reset = 0;"]
        fmt = " ".join("%s=%%b" % n for n in show)
        for c in range(cycles):
            lines += ["      p_reset = 1;"] * (c == RESET_CYCLES)
            lines.append("      #1 %s" % " ".join("%s = %d;" % (s.name, r.randrange(1 << s.width)) for s in inputs))
            lines.append('      #3 $display("%d %s", %s);' % (c, fmt, ", ".join("dut.%s" % n for n in show))
                         if c >= RESET_CYCLES else "      #3 ;")
            lines.append("      #1 m_clock = 1; #5 m_clock = 0;")
        lines += ["      $finish;", "   end", "endmodule"]
        return "\n".join(lines) + "\n"


def generate(seed, features=None):
    """({file name: bytes}, testbench text): the design's source first, then
    the files it includes.  With a set of gen_extended.FEATURES names the
    design is written in the --extended dialect."""
    import gen_extended
    d = Design(seed) if features is None else gen_extended.ExtendedDesign(seed, features)
    d.lines += d.preamble()
    for i in range(d.rng.randint(0, 2)):
        d.macros.append(("K%d" % i, d.rng.choice([2, 4, 8]), None))
        d.lines += d.constant_macro(*d.macros[-1][:2])
    subs = [d.submodule(i) for i in range(d.rng.randint(0, 2))]
    tb = d.top(subs)
    files = d.sources("\n".join(d.lines) + "\n")
    return {name: text.encode("shift_jis") for name, text in files.items()}, tb


def main(argv):
    import gen_extended
    args, features = argv[1:], None
    if args[:1] == ["--extended"]:
        features, args = gen_extended.parse_features(args[1:])
    if len(args) != 2 or not args[0].isdigit():
        print("usage: gen_design.py [--extended [--features=[+-]NAME,...]] SEED DIR", file=sys.stderr)
        return 2
    files, tb = generate(int(args[0]), features)
    os.makedirs(args[1], exist_ok=True)
    for name, data in list(files.items()) + [("tb.v", tb.encode())]:
        with open(os.path.join(args[1], name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
