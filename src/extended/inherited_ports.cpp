#include "inherited_ports.h"

#include "error.h"
#include "signals.h"
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
        g.places.made(rec);
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
