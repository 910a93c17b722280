#include "search_list.h"

#include "error.h"

list* search_instr_list(list* head, const std::string& name) {
    if (!head) syntax_error();
    if (head == g.wire_list) {
        list* rec = find_wire(name);
        if (!rec) syntax_error();
        return rec->instr_arg;
    }
    for (declare* d = g.declare_list; d; d = d->next) {
        if (d->port == head) {
            auto it = d->port_index.find(name);
            if (it == d->port_index.end()) syntax_error();
            return it->second->instr_arg;
        }
    }
    for (list* rec = head; rec; rec = rec->next)
        if (rec->name == name) return rec->instr_arg;
    syntax_error();
}

list* search_declare_instr_list(declare* head, const std::string& inst, const std::string& instr) {
    auto it = g.instance_types.find(inst);
    if (it == g.instance_types.end()) syntax_error();
    declare* d = nullptr;
    if (head == g.declare_list) {
        auto dit = g.declare_index.find(it->second);
        if (dit != g.declare_index.end()) d = dit->second;
    } else {
        for (declare* x = head; x && !d; x = x->next)
            if (x->name == it->second) d = x;
    }
    if (!d) syntax_error();
    auto pit = d->port_index.find(instr);
    if (pit == d->port_index.end()) syntax_error();
    list* chain = pit->second->instr_arg;
    if (!chain) syntax_error();
    return chain;
}

stage* search_stage_list(const std::string& name) {
    if (!g.stage_list) syntax_error();
    auto it = g.stage_index.find(name);
    if (it == g.stage_index.end()) syntax_error();
    return it->second;
}

state* search_state_list(stage* st, const std::string& name, int first_check) {
    if (!st->state) syntax_error();
    if (first_check && st->first_state) syntax_error();
    auto it = st->state_index.find(name);
    if (it == st->state_index.end()) syntax_error();
    return it->second;
}

task* search_task_list(stage* st, const std::string& name) {
    if (!st->task) syntax_error();
    auto it = st->task_index.find(name);
    if (it == st->task_index.end()) syntax_error();
    return it->second;
}
