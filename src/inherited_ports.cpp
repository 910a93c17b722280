#include "inherited_ports.h"

#include "error.h"
#include "insert_list.h"
#include "search_list.h"
#include "state.h"

void inherit_declare_ports(const std::string& module_name) {
    const declare* d = find_in(g.declare_index, module_name);
    if (!d) return;
    // Records the body does not replace are not counted in the -d total,
    // so that a module declaring all its ports counts as without --extended.
    UncountedAllocations uncounted;
    for (const list* port : d->ports) {
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
    g.wire_list.unlink(old);
    g.wire_list.replace(fresh, old);
    unused_list(fresh);
    return old;
}

void drop_inherited_args(const list* rec) {
    if (g.inherited_args.erase(rec)) g.module_args.erase(rec);
}
