// Module emission: the Verilog text of one finished module, from its
// signal list, its instances and its state constants.
#include <cstdio>
#include <string>
#include <string_view>

#include "scan.h"
#include "error.h"
#include "explain.h"
#include "line_directives.h"
#include "made_up_names.h"
#include "memory_printing.h"
#include "search_list.h"

std::string instance_line(const instance* in) {
    const declare* d = in->type;
    std::string text = "   " + d->name + " " + in->name + "(";
    if (!d->interface) text += ".m_clock(m_clock), .p_reset(p_reset)";
    bool first = d->interface;
    for (const list* port = in->last_port ? d->ports.first() : nullptr; port; port = port->next) {
        if (!first) text += ", ";
        first = false;
        text += "." + port->name + "(" + made_up_name(MadeUp::kPortNet, in->name, port->name) + ")";
        if (port == in->last_port) break;
    }
    text += ");\n";
    return text;
}

namespace {

bool always_true(std::string_view c) { return c == "(1'b1)" || c == "((1'b1))"; }

void put_repeated(FILE* out, char c, int n) {
    for (int i = 0; i < n; ++i) fputc(c, out);
}

// Ends the line, and starts the next one, which writes `pair`, with `indent`.
void next_line(FILE* out, const char* indent, const logic* pair) {
    fputc('\n', out);
    mark_line(out, g.places.of(pair));
    fputs(indent, out);
}

void print_assign(FILE* out, const list* rec) {
    auto put_default = [&]() {
        if (rec->type == T_BIDIRECT) {
            fprintf(out, "%d'b", rec->width);
            put_repeated(out, 'z', rec->width);
        } else {
            fprintf(out, "%d'b0", rec->width);
        }
    };
    const logic* first = first_pair(rec);
    const logic* l = first;
    fputc('\n', out);
    mark_line(out, l ? g.places.of(l) : g.places.of(rec));
    fprintf(out, "   assign %s = ", rec->name.c_str());
    if (!l) {
        put_default();
        fputs(";\n", out);
        return;
    }
    if (!next_pair(rec, l) && always_true(l->cond)) {
        fprintf(out, "%s;\n", l->value.c_str());
        return;
    }
    if (g.old_flag) {
        int opened = 0;
        for (; l; l = next_pair(rec, l)) {
            if (l != first) {
                fputc('(', out);
                ++opened;
            }
            fprintf(out, "(%s)?%s:", l->cond.c_str(), l->value.c_str());
            if (next_pair(rec, l))
                next_line(out, "   ", next_pair(rec, l));
            else
                put_default();
        }
        put_repeated(out, ')', opened);
        fputs(";\n", out);
        return;
    }
    for (; l; l = next_pair(rec, l)) {
        fprintf(out, "(%s?%s:", l->cond.c_str(), l->value.c_str());
        put_default();
        if (next_pair(rec, l)) {
            fputs(")|", out);
            next_line(out, "   ", next_pair(rec, l));
        } else {
            fputs(");\n", out);
        }
    }
}

// The stage whose state register `rec` is: the one named in its name
// _S_state, unless the register took a variant of that name.
const stage* stage_of_state_register(const list* rec) {
    std::string_view n = rec->name;
    auto is_owner = [rec](const stage* st) { return rec->name == made_up_name(MadeUp::kStageSignal, st->name, "state"); };
    if (n.size() > 7 && n.substr(n.size() - 6) == "_state") {
        const stage* st = g.stage_index.get(n.substr(1, n.size() - 7));
        if (st && is_owner(st)) return st;
    }
    for (const stage* st : g.stage_list)
        if (is_owner(st)) return st;
    return nullptr;
}

// The reset of a register with one: its first state, initial value, 0s or 1s.
void print_reset(FILE* out, const list* rec) {
    fprintf(out, "      if (%sp_reset)%s%s <= ", g.posres ? "" : "!", g.O_flag ? "\n        " : " ", rec->name.c_str());
    if (rec->mark == 'f') {
        const stage* st = stage_of_state_register(rec);
        if (!st) syntax_error(nullptr, "the state register '" + rec->name.str() + "' belongs to no stage");
        if (st->states.empty() || !st->first_state)
            syntax_error(nullptr, "stage '" + st->name.str() + "' has states but no first_state");
        fputs(made_up_name(MadeUp::kState, st->name, st->first_state->name).c_str(), out);
    } else if (const Text* value = initial_value(rec)) {
        fputs(value->c_str(), out);
    } else if (rec->type == T_REG_WR) {
        fprintf(out, "%d'b0", rec->width);
    } else {
        fprintf(out, "%d'b", rec->width);
        put_repeated(out, '1', rec->width);
    }
    fputs(";\n", out);
}

// -O: one condition, the or of the pairs' conditions, and the or of the
// values under their conditions.
void print_merged_updates(FILE* out, const list* rec, const logic* l) {
    fputs(rec->type == T_REG ? "      if (" : "      else if (", out);
    for (const logic* x = l; x; x = next_pair(rec, x)) fprintf(out, "%s%s", x == l ? "" : "|", x->cond.c_str());
    fputc(')', out);
    next_line(out, "        ", l);
    fprintf(out, "%s <= ", rec->name.c_str());
    for (const logic* x = l; x; x = next_pair(rec, x)) {
        fprintf(out, "(%s?%s:%d'b0)", x->cond.c_str(), x->value.c_str(), rec->width);
        if (next_pair(rec, x)) {
            fputc('|', out);
            next_line(out, "        ", next_pair(rec, x));
        }
    }
    fputs(";\n   end\n", out);
}

void print_always(FILE* out, const list* rec) {
    bool resettable = is_resettable_type(rec->type);
    fputc('\n', out);
    mark_line(out, g.places.of(rec));
    fprintf(out, "   always @(%s m_clock", rec->edge ? "negedge" : "posedge");
    if (resettable) fprintf(out, " or %s p_reset", g.posres ? "posedge" : "negedge");
    fputs(") begin\n", out);
    const char* name = rec->name.c_str();
    if (resettable) print_reset(out, rec);
    const logic* l = first_pair(rec);
    if (!l) {
        fputs("   end\n", out);
        return;
    }
    mark_line(out, g.places.of(l));
    if (!next_pair(rec, l) && always_true(l->cond)) {
        fputs("      ", out);
        if (resettable && g.O_flag) {
            fputs("else", out);
            next_line(out, "        ", l);
        } else if (resettable) {
            fputs("else ", out);
        }
        fprintf(out, "%s <= %s;\n   end\n", name, l->value.c_str());
        return;
    }
    if (g.O_flag) return print_merged_updates(out, rec, l);
    for (const logic* x = l; x; x = next_pair(rec, x)) {
        bool first = x == l && rec->type == T_REG;
        if (x != l) mark_line(out, g.places.of(x));
        fprintf(out, "      %sif (%s) %s <= %s;\n", first ? "" : "else ", x->cond.c_str(), name,
                x->value.c_str());
    }
    fputs("   end\n", out);
}


// The declaration that a signal of type `t` takes, or null.
const char* declaration_keyword(int t) {
    if (is_register_type(t) || is_memory_type(t)) return "   reg ";
    switch (t) {
        case T_INPUT: case T_INSTRIN: return "   input ";
        case T_OUTPUT: case T_INSTROUT: return "   output ";
        case T_BIDIRECT: return "   inout ";
        case T_SEL: case T_INSTRSELF: return "   wire ";
        default: return nullptr;
    }
}

// The state constants, as parameter declarations.
void print_parameters(FILE* out) {
    size_t k = 0;
    for (const ParamIndex::Param& p : g.param_index.all()) {
        if (p.first) {
            if (p.width == 1)
                fputs("   parameter\n", out);
            else
                fprintf(out, "   parameter [%d:0]\n", p.width - 1);
        }
        mark_line(out, g.places.of_constant(k++));
        fprintf(out, "      %s = %d'd%d%s", p.name.c_str(), p.width, p.value, p.last ? ";\n" : ",\n");
    }
}

}  // namespace

void print_output(FILE* out, const std::string& module_name) {
    if (g.wire_list.empty())
        translation_error("module port is empty\n", Mistake(nullptr, "module '" + module_name + "' has no ports"));
    fputc('\n', out);
    mark_line(out, g.places.module());
    fprintf(out, "module %s(", module_name.c_str());
    bool first = true;
    for (const list* r : g.wire_list) {
        if (!is_port_type(r->type)) continue;
        fprintf(out, "%s%s", first ? "" : ", ", r->name.c_str());
        first = false;
    }
    fputs(");\n", out);
    for (const list* r : g.wire_list) {
        const char* kw = declaration_keyword(r->type);
        if (!kw)
            translation_error("unknown type: " + r->name.str() + ", " + std::to_string(r->type) + "\n",
                              Mistake(nullptr, "'" + r->name.str() + "' has a type that no declaration makes"));
        mark_line(out, g.places.of(r));
        fputs(kw, out);
        if (r->width > 1) fprintf(out, "[%d:0] ", r->width - 1);
        fputs(r->name.c_str(), out);
        if (is_memory_type(r->type)) fprintf(out, " [0:%lld]", g.memory_depths.at(r) - 1);
        // A register without reset starts with its initial value at power-up.
        const Text* value = r->type == T_REG ? initial_value(r) : nullptr;
        if (value) fprintf(out, " = %s", value->c_str());
        fputs(";\n", out);
    }
    for (const instance* in : g.instance_list) {
        mark_line(out, g.places.of(in));
        fputs(instance_line(in).c_str(), out);
    }
    print_parameters(out);
    for (const list* r : g.wire_list) {
        if (is_memory_type(r->type)) {
            print_memory_contents(out, r);
            print_memory(out, r);
        }
        bool takes_part = r->logic || (is_register_type(r->type) && r->mark == 'f') ||
                          r->type == T_INSTROUT || (r->type == T_INSTRSELF && r->mark != 'x');
        if (!takes_part) continue;
        if (is_combinational_type(r->type))
            print_assign(out, r);
        else if (is_register_type(r->type))
            print_always(out, r);
    }
    // The module's closing brace is the statement being translated.
    mark_line(out, g.places.current());
    fputs("endmodule\n", out);
    flush_output(out);
    if (g.d_flag) printf("%s: convert succeeded\n", module_name.c_str());
}
