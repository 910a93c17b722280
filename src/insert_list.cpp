#include "insert_list.h"

#include "arrays.h"
#include "block_locals.h"
#include "constant_arithmetic.h"
#include "constants.h"
#include "error.h"
#include "made_up_names.h"
#include "memory_contents.h"
#include "inherited_ports.h"
#include "initial_values.h"
#include "processes.h"
#include "search_list.h"
#include "verilog_names.h"
#include "statement_ends.h"

list* append_wire_record(bool net) {
    list* rec = net ? new_net_record() : new_list();
    g.wire_list.append(rec);
    return rec;
}

void append_instr_arg(const list* rec, list* arg, bool run_long) {
    (run_long ? g.run_args : g.module_args)[rec].append(arg);
}

namespace {

// Where the names of a declaration are entered besides their list: the
// wire index, nowhere (found by find_wire without it), or the innermost
// open block.
enum class Entry { kIndexed, kDerived, kLocal };

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
    if (g.extended_flag) {
        // --extended: constant arithmetic, of numbers and macros.
        if (!read_constant_arithmetic(q, v)) syntax_error();
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
    if (v < 1) syntax_error();
    width = v > 0x7fffffff ? 0x7fffffff : static_cast<int>(v);
    p = skip_ws(p);
    if (*p != '>') syntax_error();
    ++p;
    return skip_ws(p);
}

// Enters the port nets of one instance and its connection line.
list* enter_instance(const std::string& inst, list* cur) {
    declare* d = find_in(g.declare_index, g.module_name);
    if (!d) syntax_error();
    instance* in = g.instances.make();
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
        std::string decl = "sel " + netname;
        if (port->width > 1) decl += "<" + std::to_string(port->width) + ">";
        decl += ";";
        int t = T_SEL;
        char m = 'x';
        if (port->type == T_INSTRIN) {
            t = T_INSTRSELF;
            m = '0';
        } else if (port->type == T_INSTROUT) {
            t = T_INSTRSELF;
        }
        enter_names(&decl[0], cur, t, m, found ? Entry::kDerived : Entry::kIndexed);
        mark_made_up(cur, netname, MadeUp::kPortNet, inst, port->name);
        // The next net's record goes at the end of the wire list: where
        // `cur` was, unless the net replaced an array element of its name
        // and `cur` left the list unused.
        cur = append_wire_record();
    }
    return cur;
}

// An array element that a declaration of its own name replaces
// (`regs b[8]<16>; sel b_0<16>;`): the element's record takes the new
// declaration, in the array's place.  False when `rec` is no such element.
bool replace_array_element(list* rec, int type, char mark, int width) {
    if (g.array_elements.erase(rec) == 0) return false;
    rec->type = type;
    rec->mark = mark;
    rec->edge = g.clock_aspect;
    rec->width = width;
    g.initial_values.erase(rec);
    return true;
}

// Reads the declaration at `text` into `record` and the records after it,
// entering its names as `entry` says; with `arrays`, a name may declare an
// array.
char* enter_names(char* text, list* record, int type, char mark, Entry entry, bool arrays) {
    if (g.combinational && (is_register_type(type) || is_memory_type(type))) syntax_error();
    char* p = text;
    if (type == T_INSTANCE)
        p = read_identifier(p, g.module_name);
    else if (is_ident_start(*p))
        while (is_ident_char(*p)) ++p;
    list* cur = record;
    std::string name;
    for (;;) {
        p = skip_ws(p);
        p = read_identifier(p, name);
        check_verilog_name(name);
        p = skip_ws(p);
        // --extended: an instruction with its argument list, `f(a, b)`.
        std::vector<std::string> args;
        bool has_args = *p == '(' && g.extended_flag && is_instruction_type(type);
        if (has_args) p = skip_ws(read_terminal_args(p, args));
        long long elements = 0;
        if (arrays && *p == '[') {
            p = read_array_size(p, elements);
            declare_array(name, elements, entry == Entry::kLocal);
        }
        char* depth = is_memory_type(type) ? p : nullptr;  // mem name[depth]
        if (depth) {
            if (*p != '[') syntax_error();
            p = find_end(p + 1, "];");
            if (*p != ']') syntax_error();
            p = skip_ws(p + 1);
        }
        // --extended: a register's initial value, a memory's contents.
        bool initialized = g.extended_flag && (is_register_type(type) || is_memory_type(type));
        int width = 1;
        if (*p != ',' && *p != ';' && !(initialized && *p == '=')) {
            if ((p[0] == '<' && p[1] == '<') || *p != '<' || type == T_INSTANCE) syntax_error();
            p = read_width(p, width);
            if (*p != ',' && *p != ';' && !(initialized && *p == '=')) syntax_error();
        }
        bool valued = initialized && *p == '=';
        std::string value;
        if (valued) p = depth ? read_memory_contents(p + 1, value) : read_initial_value(p + 1, value);
        bool last = *p == ';';
        if (type == T_INSTANCE) {
            cur = enter_instance(name, cur);
            ++p;
            if (last) {
                drop_spare_record();
                return p;
            }
            continue;
        }
        if (g.declare_flag) {
            if (g.declare_list.empty()) {
                // Required output, word for word ("arienai": "cannot
                // happen"): a declare block always has its record, but
                // the message and status 1 stay for a table found empty.
                fprintf(stderr, "declare is NULL! ... arienai\n");
                fatal_exit(1);
            }
            if (g.declare_list.last()->port_index.count(name)) name_duplication();
        }
        long long count = elements ? elements : 1;
        bool taken = false;
        for (long long k = 0; k < count; ++k) {
            std::string element = elements ? array_element_name(name, k) : name;
            list* old = nullptr;
            if (!g.declare_flag) {
                old = find_in_scope(element);
                // (A memory never does: it is a duplicate.)
                if (old && !elements && !depth && replace_array_element(old, type, mark, width)) {
                    if (valued) set_initial_value(old, value);
                    continue;
                }
                // A name the module took from its declare is replaced by the
                // body's declaration (not by a block-local one).
                if (!(old && !elements && entry != Entry::kLocal && is_inherited_port(old))) {
                    // A block-local name may repeat only names that are not visible.
                    // Nor a word of a register file.
                    if (old || (entry != Entry::kLocal && local_holds(element)) || register_file_word(element))
                        name_duplication();
                    old = nullptr;
                }
            }
            if (taken) cur = chain_after(cur);
            taken = true;
            if (old) cur = take_inherited_port(old, cur);
            cur->name = entry == Entry::kLocal ? local_output_name(element)
                                               : store_text(element, g.declare_flag != 0);
            cur->type = type;
            cur->mark = mark;
            cur->edge = g.clock_aspect;
            cur->width = width;
            if (g.declare_flag)
                g.declare_list.last()->port_index.insert(cur);
            else if (entry == Entry::kIndexed)
                g.wire_index.insert(cur);
            else if (entry == Entry::kLocal)
                declare_local(element, cur);
            if (elements) g.array_elements.insert(cur);
            if (has_args) enter_terminal_args(cur, args);
            if (depth) read_memory_depth(depth, cur, element);
            if (valued && depth) set_memory_contents(cur, value);
            if (valued && !depth) set_initial_value(cur, value);
        }
        ++p;
        if (last) {
            // Every name replaced an element: the fresh record goes.
            if (!taken) drop_spare_record();
            return p;
        }
        if (taken) cur = chain_after(cur);
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
