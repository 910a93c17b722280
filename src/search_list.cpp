#include "search_list.h"

#include "block_locals.h"
#include "constants.h"
#include "error.h"


namespace {

// The -O net "_net_N", or null.
list* find_net(std::string_view name) {
    if (name.size() < 6 || name.substr(0, 5) != "_net_" || name.size() > 15) return nullptr;
    std::string_view digits = name.substr(5);
    if (digits.size() > 1 && digits[0] == '0') return nullptr;
    size_t n = 0;
    for (char c : digits) {
        if (!is_digit(c)) return nullptr;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    // The net being entered is made before it has its name.
    if (n >= g.nets.size()) return nullptr;
    list* rec = g.nets.at(n);
    return rec->name == name ? rec : nullptr;
}

// The port net "_INSTANCE_PORT" of an instance whose nets are not
// indexed, or null.  Instance and port names may hold '_' themselves, so
// every split is tried.
list* find_port_net(std::string_view name) {
    if (g.instance_index.empty() || name.size() < 4 || name[0] != '_') return nullptr;
    for (size_t k = 2; k + 1 < name.size(); ++k) {
        if (name[k] != '_') continue;
        const instance* in = g.instance_index.get(name.substr(1, k - 1));
        if (!in || !in->first_net) continue;
        list* net = in->first_net;
        for (const list* port = in->type->ports.first(); port && net; port = port->next, net = net->next) {
            if (net->name == name) return net;
            if (port == in->last_port) break;
        }
    }
    return nullptr;
}

}  // namespace

list* find_wire(std::string_view name) {
    if (list* rec = find_local(name)) return rec;
    // A name is held once among all three (entering a second one is a
    // duplicate), so the order only matters for speed: a generated name
    // is looked for where it would be first, sparing the wire index a
    // search that fails.
    if (!name.empty() && name[0] == '_') {
        if (list* rec = find_net(name)) return rec;
        if (list* rec = find_port_net(name)) return rec;
    }
    return g.wire_index.get(name);
}


list* instr_args(const list* rec) {
    auto it = g.module_args.find(rec);
    if (it != g.module_args.end()) return it->second.first();
    it = g.run_args.find(rec);
    return it != g.run_args.end() ? it->second.first() : nullptr;
}

list* search_instr_list(const std::string& name) {
    if (g.wire_list.empty()) syntax_error();
    list* rec = find_wire(name);
    if (!rec) syntax_error();
    return instr_args(rec);
}

list* search_declare_instr_list(const std::string& inst, const std::string& instr) {
    instance* in = g.instance_index.get(inst);
    if (!in) syntax_error();
    declare* d = find_in(g.declare_index, in->type->name);
    if (!d) syntax_error();
    list* port = d->port_index.get(instr);
    if (!port) syntax_error();
    list* chain = instr_args(port);
    if (!chain) syntax_error();
    return chain;
}

list* find_macro(std::string_view name) {
    list* macro = find_in(g.define_index, name);
    const list* rec = find_wire(name);
    if (!rec) return macro && g.param_index.find_suffix(name) < 0 ? macro : nullptr;
    if (!macro || rec->name != name || !is_alpha(name[0])) return nullptr;
    const char* v = skip_space_only(macro->logic->value.c_str());
    return (is_digit(*v) && !constant_starts(v)) || *v == '-' ? nullptr : macro;
}

stage* search_stage_list(const std::string& name) {
    if (g.stage_list.empty()) syntax_error();
    stage* st = g.stage_index.get(name);
    if (!st) syntax_error();
    return st;
}

state* search_state_list(stage* st, const std::string& name, int first_check) {
    if (st->states.empty()) syntax_error();
    if (first_check && st->first_state) syntax_error();
    state* s = st->state_index.get(name);
    if (!s) syntax_error();
    return s;
}

task* search_task_list(stage* st, const std::string& name) {
    if (st->tasks.empty()) syntax_error();
    task* t = st->task_index.get(name);
    if (!t) syntax_error();
    return t;
}
