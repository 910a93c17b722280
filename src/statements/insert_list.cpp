#include "insert_list.h"

#include "arrays.h"
#include "block_locals.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "error.h"
#include "explain.h"
#include "extended_hooks.h"
#include "made_up_names.h"
#include "name_suggestions.h"
#include "processes.h"
#include "signals.h"
#include "search_list.h"
#include "verilog_names.h"
#include "statement_ends.h"

namespace {

char* enter_names(char* text, list* record, int type, char mark, Entry entry, bool arrays = false);

// A fresh record linked after `cur` in the list that `cur` belongs to (the
// ports of the declare being read, or the wire list).
list* chain_after(list* cur) {
    bool in_declare = g.declare_flag != 0;
    list* n = new_list(in_declare);
    if (in_declare)
        g.declare_list.last()->ports.insert_after(cur, n);
    else
        g.wire_list.insert_after(cur, n);
    return n;
}

// The record made ahead for the next name goes unused (after the last port
// net of an instance statement, or when every name of a statement replaced
// an array element): made last, it is the wire list's last record, which
// leaves the list and goes back to its store.
void drop_spare_record() { unused_list(g.wire_list.drop_last()); }

// Reads the width between '<' and '>' and the blanks after it.
char* read_width(char* p, int& width) {
    ++p;  // '<'
    p = skip_ws(p);
    const char* q = p;
    long long v;
    if (extended_dialect()) {
        // --extended: constant arithmetic, of numbers and macros.
        if (!read_constant_arithmetic(q, v)) syntax_error(p, "expected a width (a number, a macro, constant arithmetic) after '<'");
        p += q - p;
    } else {
        bool neg = false;
        if (*q == '+' || *q == '-') {
            neg = *q == '-';
            ++q;
        }
        v = is_digit(*q) ? read_decimal(q) : 0;
        if (neg) v = -v;
        if (q != p && is_digit(*p)) p += q - p;  // a sign is not skipped, so "+2" fails below
    }
    if (v < 1) syntax_error(p, "expected a width of 1 bit or more after '<', found " + found_at(p));
    width = v > 0x7fffffff ? 0x7fffffff : static_cast<int>(v);
    p = skip_ws(p);
    if (*p != '>') syntax_error(p, "expected '>' after the width, found " + found_at(p));
    ++p;
    return skip_ws(p);
}

// Enters the port nets of one instance and its connection line.
list* enter_instance(const std::string& inst, list* cur) {
    declare* d = find_in(g.declare_index, g.module_name);
    if (!d) syntax_error(at_word(g.module_name, unknown("module", g.module_name, declare_names())));
    instance* in = g.instances.make();
    g.places.made(in);
    in->name = store_text(inst);
    in->type = d;
    g.instance_list.append(in);
    g.instance_index.insert(in);
    // The nets of an instance of up to kFoundPorts ports are found through
    // it (a short walk) rather than kept in the wire index.
    constexpr int kFoundPorts = 16;
    int ports = 0;
    for (const list* port = d->ports.first(); port && ports <= kFoundPorts; port = port->next) ++ports;
    bool found = ports <= kFoundPorts && !g.declare_flag;
    if (found && !d->ports.empty()) in->first_net = cur;
    for (list* port : d->ports) {
        in->last_port = port;
        std::string netname = make_up_name(MadeUp::kPortNet, inst, port->name);
        int t = T_SEL;
        char m = 'x';
        if (port->type == T_INSTRIN) {
            t = T_INSTRSELF;
            m = '0';
        } else if (port->type == T_INSTROUT) {
            t = T_INSTRSELF;
        }
        list* net = make_signal(cur, SignalDecl{netname, t, m, port->width, found ? Entry::kDerived : Entry::kIndexed});
        mark_made_up(net, netname, MadeUp::kPortNet, inst, port->name);
        // The next net's record goes at the end of the wire list: where
        // `cur` was, unless the net replaced an array element of its name
        // and `cur` left the list unused.
        cur = append_wire_record();
    }
    return cur;
}

// Reads the declaration at `text` into `record` and the records after it,
// entering its names as `entry` says; with `arrays`, a name may declare an
// array.
// One name of a declaration as read: its instruction arguments, array
// size, memory depth, width and value, the extended dialect's among them.
struct DeclaredName {
    std::string name;
    std::vector<std::string> args;
    bool has_args = false;
    long long elements = 0;
    char* depth = nullptr;
    int width = 1;
    bool valued = false;
    std::string value;
};

// --extended, after a declared name: an instruction's argument list
// `f(a, b)`, an array's size `t[3]`, a memory's depth `m[8]` (only the
// extended dialect's keywords declare arrays and memories).
char* read_extended_suffix(char* p, int type, Entry entry, bool arrays, DeclaredName& n) {
    n.has_args = *p == '(' && is_instruction_type(type);
    if (n.has_args) p = skip_ws(read_terminal_args(p, n.args));
    if (arrays && *p == '[') {
        p = read_array_size(p, n.elements);
        declare_array(n.name, n.elements, entry == Entry::kLocal);
    }
    if (is_memory_type(type)) {
        n.depth = p;
        if (*p != '[') syntax_error(p, "expected '[' and the number of words of '" + n.name + "', found " + found_at(p));
        char* open = p;
        p = find_end(p + 1, "];");
        if (*p != ']') syntax_error(open, "this '[' is not closed before ';'");
        p = skip_ws(p + 1);
    }
    return p;
}

// Neither ',' nor ';' follows the declared name `name` at `p`.
[[noreturn]] void separator_expected(const char* p, const std::string& name) {
    syntax_error(p, "expected ',' or ';' after '" + name + "', found " + found_at(p));
}

// name [ "<" width ">" ], and what the extended dialect lets follow a
// name, up to the ',' or ';' after it.
char* read_declared_name(char* p, int type, Entry entry, bool arrays, DeclaredName& n) {
    p = skip_ws(p);
    p = read_identifier(p, n.name);
    check_verilog_name(n.name);
    p = skip_ws(p);
    const ExtendedHooks* x = extended_dialect();
    if (x) p = read_extended_suffix(p, type, entry, arrays, n);
    // --extended: a register's initial value, a memory's contents.
    bool initialized = x && (is_register_type(type) || is_memory_type(type));
    if (*p != ',' && *p != ';' && !(initialized && *p == '=')) {
        if (type == T_INSTANCE && *p == '<') syntax_error(p, "an instance has no width");
        if ((p[0] == '<' && p[1] == '<') || *p != '<') separator_expected(p, n.name);
        p = read_width(p, n.width);
        if (*p != ',' && *p != ';' && !(initialized && *p == '=')) separator_expected(p, n.name);
    }
    n.valued = initialized && *p == '=';
    if (n.valued) p = x->declared_value(p + 1, n.depth != nullptr, n.value);
    return p;
}

// Enters the signal (or the elements of the array) that `n` declares, the
// first into `cur`; `taken` tells whether `cur` took one.  Returns the
// record of the last signal entered.
list* enter_declared_name(list* cur, const DeclaredName& n, int type, char mark, Entry entry, bool& taken) {
    const ExtendedHooks* x = extended_dialect();
    long long count = n.elements ? n.elements : 1;
    taken = false;
    for (long long k = 0; k < count; ++k) {
        std::string element = n.elements ? array_element_name(n.name, k) : n.name;
        SignalDecl d{element, type, mark, n.width, entry, n.elements != 0, n.depth != nullptr};
        bool replaced;
        list* claimed = claim_signal_name(d, replaced);
        if (replaced) {
            if (n.valued) x->value_declared(claimed, false, n.value);
            continue;
        }
        if (taken) cur = chain_after(cur);
        taken = true;
        cur = enter_signal(cur, claimed, d);
        if (n.elements) g.array_elements.insert(cur);
        if (n.has_args) enter_terminal_args(cur, n.args);
        if (n.depth) x->memory_declared(n.depth, cur, element);
        if (n.valued) x->value_declared(cur, n.depth != nullptr, n.value);
    }
    return cur;
}

char* enter_names(char* text, list* record, int type, char mark, Entry entry, bool arrays) {
    check_allowed_here(type);
    char* p = text;
    if (type == T_INSTANCE)
        p = read_identifier(p, g.module_name);
    else if (is_ident_start(*p))
        while (is_ident_char(*p)) ++p;
    list* cur = record;
    for (;;) {
        DeclaredName n;
        p = read_declared_name(p, type, entry, arrays, n);
        bool last = *p++ == ';';
        bool taken = true;
        if (type == T_INSTANCE)
            cur = enter_instance(n.name, cur);
        else
            cur = enter_declared_name(cur, n, type, mark, entry, taken);
        if (last) {
            // The record made ahead for a next name (after the last port
            // net of an instance), or every name replaced an element.
            if (type == T_INSTANCE || !taken) drop_spare_record();
            return p;
        }
        if (type != T_INSTANCE && taken) cur = chain_after(cur);
    }
}

}  // namespace

// declaration -> KEYWORD name [ "<" width ">" ] { "," name [ "<" width ">" ] } ";"
char* insert_list(char* text, list* record, int type, char mark, bool arrays) {
    return enter_names(text, record, type, mark, Entry::kIndexed, arrays);
}

char* insert_derived_list(char* text, list* record, int type, char mark) {
    return enter_names(text, record, type, mark, Entry::kDerived);
}

char* insert_local_list(char* text, list* record, int type, char mark, bool arrays) {
    return enter_names(text, record, type, mark, Entry::kLocal, arrays);
}
