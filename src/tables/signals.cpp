#include "signals.h"

#include "block_locals.h"
#include "error.h"
#include "name_suggestions.h"
#include "search_list.h"

list* append_wire_record(bool net) {
    list* rec = net ? new_net_record() : new_list();
    g.wire_list.append(rec);
    return rec;
}

void append_instr_arg(const list* rec, list* arg, bool run_long) {
    (run_long ? g.run_args : g.module_args)[rec].append(arg);
}

void check_allowed_here(int type) {
    if (g.combinational && (is_register_type(type) || is_memory_type(type)))
        syntax_error(nullptr, "a combinational module has no registers or memories");
}

bool is_inherited_port(const list* rec) { return g.inherited_ports.count(rec) != 0; }

void drop_inherited_args(const list* rec) {
    if (g.inherited_args.erase(rec)) g.module_args.erase(rec);
}

namespace {

// A name duplication of `name`, declared first as `first`.
[[noreturn]] void duplicate(const list* first, std::string_view name) {
    std::string n(name);
    Mistake m = at_word(n, declared_again(first, n));
    m.notes = declared_here(first, n);
    name_duplication(m);
}

// An array element that a declaration of its own name replaces
// (`regs b[8]<16>; sel b_0<16>;`): the element's record takes the new
// declaration, in the array's place.  False when `rec` is no such element.
bool replace_array_element(list* rec, const SignalDecl& d) {
    if (g.array_elements.erase(rec) == 0) return false;
    rec->type = d.type;
    rec->mark = d.mark;
    rec->edge = g.clock_aspect;
    rec->width = d.width;
    g.initial_values.erase(rec);
    return true;
}

// The body declares the name of the inherited port `old`: `old` moves to
// the place of the fresh record `fresh` and is returned, to be filled.
list* take_inherited_port(list* old, list* fresh) {
    g.inherited_ports.erase(old);
    drop_inherited_args(old);
    g.wire_list.unlink(old);
    g.wire_list.replace(fresh, old);
    unused_list(fresh);
    return old;
}

}  // namespace

list* claim_signal_name(const SignalDecl& d, bool& replaced) {
    check_allowed_here(d.type);
    replaced = false;
    if (g.declare_flag) {
        if (g.declare_list.empty()) {
            // Required output, word for word ("arienai": "cannot happen"):
            // a declare block always has its record, but the message and
            // status 1 stay for a table found empty.
            translation_error("declare is NULL! ... arienai\n",
                              Mistake(nullptr, "a declaration in a declare block that has no record"));
        }
        if (const list* port = g.declare_list.last()->port_index.get(d.name)) duplicate(port, d.name);
        return nullptr;
    }
    list* old = find_in_scope(d.name);
    // (A memory or an array's own element never does: it is a duplicate.)
    if (old && !d.element && !d.memory && replace_array_element(old, d)) {
        replaced = true;
        return old;
    }
    // A name the module took from its declare is replaced by the body's
    // declaration (not by a block-local one).
    if (old && !d.element && d.entry != Entry::kLocal && is_inherited_port(old)) return old;
    // A block-local name may repeat only names that are not visible.  Nor
    // a word of a register file.
    if (old) duplicate(old, d.name);
    if (d.entry != Entry::kLocal && local_holds(d.name))
        name_duplication(at_word(std::string(d.name), "'" + std::string(d.name) +
                                                          "' is the name of a signal declared inside a block before"));
    if (register_file_word(std::string(d.name)))
        name_duplication(at_word(std::string(d.name), "'" + std::string(d.name) + "' names a word of a register file"));
    return nullptr;
}

list* enter_signal(list* fresh, list* claimed, const SignalDecl& d) {
    list* rec = claimed ? take_inherited_port(claimed, fresh) : fresh;
    std::string name(d.name);
    rec->name = d.entry == Entry::kLocal ? local_output_name(name) : store_text(name, g.declare_flag != 0);
    rec->type = d.type;
    rec->mark = d.mark;
    rec->edge = g.clock_aspect;
    rec->width = d.width;
    // (--explain: the ports of a declare too, for a declaration again.)
    if (!g.declare_flag || g.explain) g.places.made(rec);
    if (g.declare_flag)
        g.declare_list.last()->port_index.insert(rec);
    else if (d.entry == Entry::kIndexed)
        g.wire_index.insert(rec);
    else if (d.entry == Entry::kLocal)
        declare_local(name, rec);
    return rec;
}

list* make_signal(list* fresh, const SignalDecl& d) {
    bool replaced;
    list* claimed = claim_signal_name(d, replaced);
    if (!replaced) return enter_signal(fresh, claimed, d);
    // The record made ahead goes unused: made last, it is the wire list's
    // last record, which leaves the list and goes back to its store.
    unused_list(g.wire_list.drop_last());
    g.places.made(claimed);
    return claimed;
}

list* make_signal(std::string_view name, int type, int width, char mark, Entry entry, bool net) {
    list* fresh = append_wire_record(net);
    return make_signal(fresh, SignalDecl{name, type, mark, width, entry});
}
