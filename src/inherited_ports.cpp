#include "inherited_ports.h"

#include "error.h"
#include "insert_list.h"
#include "search_list.h"
#include "state.h"

namespace {

// The record before `rec` in the wire list (null: `rec` is the first).
list* wire_before(const list* rec) {
    list* before = nullptr;
    for (list* r = g.wire_list; r && r != rec; r = r->next) before = r;
    return before;
}

void unlink_wire(list* rec) {
    list* before = wire_before(rec);
    if (before)
        before->next = rec->next;
    else
        g.wire_list = rec->next;
    if (g.wire_tail == rec) g.wire_tail = before;
}

}  // namespace

void inherit_declare_ports(const std::string& module_name) {
    const declare* d = find_in(g.declare_index, module_name);
    if (!d) return;
    // Records the body does not replace are not counted in the -d total,
    // so that a module declaring all its ports counts as without --extended.
    UncountedAllocations uncounted;
    for (const list* port = d->port; port; port = port->next) {
        list* rec = append_wire_record();
        rec->name = store_text(port->name);
        rec->type = port->type;
        rec->mark = port->mark;
        rec->edge = port->edge;
        rec->width = port->width;
        g.wire_index.insert(rec);
        g.inherited_ports.insert(rec);
        for (const list* arg = instr_args(port); arg; arg = arg->next) {
            list* a = new_list();
            a->name = store_text(arg->name);
            append_instr_arg(rec, a, false);
            g.inherited_args.insert(rec);
        }
    }
}

bool is_inherited_port(const list* rec) { return g.inherited_ports.count(rec) != 0; }

list* take_inherited_port(list* old, list* fresh) {
    g.inherited_ports.erase(old);
    drop_inherited_args(old);
    unlink_wire(old);
    list* before = wire_before(fresh);
    if (before)
        before->next = old;
    else
        g.wire_list = old;
    old->next = fresh->next;
    if (g.wire_tail == fresh) {
        g.wire_tail = old;
        g.wire_prev_tail = before;
    }
    unused_list(fresh);
    return old;
}

void drop_inherited_args(const list* rec) {
    if (g.inherited_args.erase(rec)) g.module_args.erase(rec);
}
