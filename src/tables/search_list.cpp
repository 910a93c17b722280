#include "search_list.h"

#include "block_locals.h"
#include "error.h"
#include "made_up_names.h"
#include "name_suggestions.h"


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

list* find_in_scope(std::string_view name) {
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

list* find_wire(std::string_view name) {
    if (list* rec = find_in_scope(name)) return rec;
    return find_closed_local(name);
}

list* find_verilog_name(std::string_view name) {
    if (list* rec = find_in_scope(name); rec && rec->name == name) return rec;
    return g.local_index.get(name);
}


list* instr_args(const list* rec) {
    auto it = g.module_args.find(rec);
    if (it != g.module_args.end()) return it->second.first();
    it = g.run_args.find(rec);
    return it != g.run_args.end() ? it->second.first() : nullptr;
}

list* search_instr_list(const std::string& name) {
    list* rec = g.wire_list.empty() ? nullptr : find_wire(name);
    if (!rec) syntax_error(at_word(name, unknown("instruction", name, signal_names())));
    return instr_args(rec);
}

list* search_declare_instr_list(const std::string& inst, const std::string& instr) {
    instance* in = g.instance_index.get(inst);
    if (!in) syntax_error(at_word(inst, unknown("instance", inst, instance_names())));
    declare* d = find_in(g.declare_index, in->type->name);
    if (!d) syntax_error(at_word(inst, "the module of '" + inst + "' has no declare"));
    list* port = d->port_index.get(instr);
    if (!port) syntax_error(at_word(instr, no_member(inst, instr)));
    list* chain = instr_args(port);
    if (!chain)
        syntax_error(at_word(instr, "'" + instr + "' of '" + d->name + "' takes no arguments (it has no instr_arg)"));
    return chain;
}

stage* search_stage_list(const std::string& name) {
    stage* st = g.stage_list.empty() ? nullptr : g.stage_index.get(name);
    if (!st) syntax_error(at_word(name, unknown("stage", name, stage_names()) +
                                            (g.stage_list.empty() ? " (the module names no stage in a stage_name)" : "")));
    return st;
}

state* search_state_list(stage* st, const std::string& name, int first_check) {
    if (st->states.empty()) syntax_error(at_word(name, "unknown state '" + name + "': stage '" + st->name.str() +
                                                           "' names no states (state_name)"));
    if (first_check && st->first_state)
        syntax_error(at_word(name, "stage '" + st->name.str() + "' has a first_state already ('" +
                                       st->first_state->name.str() + "')"));
    state* s = st->state_index.get(name);
    if (!s) syntax_error(at_word(name, unknown("state", name, state_names(st), " of stage '" + st->name.str() + "'")));
    return s;
}

task* search_task_list(stage* st, const std::string& name) {
    task* t = st->tasks.empty() ? nullptr : st->task_index.get(name);
    if (!t) syntax_error(at_word(name, unknown("task", name, task_names(st), " of stage '" + st->name.str() + "'")));
    return t;
}

const list* memory_named(const std::string& name) {
    // Every memory has its depth from its declaration on.
    if (g.memory_depths.empty()) return nullptr;
    const list* rec = find_wire(name);
    return rec && is_memory_type(rec->type) ? rec : nullptr;
}

const list* register_file_word(const std::string& name, long long* word) {
    if (g.memory_depths.empty()) return nullptr;
    size_t cut = name.rfind('_');
    if (cut == std::string::npos || cut == 0) return nullptr;
    std::string digits = name.substr(cut + 1);
    if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdef") != std::string::npos)
        return nullptr;
    std::string base = name.substr(0, cut);
    const list* rec = find_wire(base);
    if (!rec || rec->type != T_REGFILE) return nullptr;
    long long k = std::stoll(digits, nullptr, 16), depth = g.memory_depths.at(rec);
    if (k >= depth || element_name(base, k, depth) != name) return nullptr;
    if (word) *word = k;
    return rec;
}
