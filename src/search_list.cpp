#include "search_list.h"

#include "error.h"

list* search_instr_list(list* head, const std::string& name) {
    if (!head) syntax_error();
    if (head == g.wire_list) {
        list* rec = find_wire(name);
        if (!rec) syntax_error();
        return instr_args(rec);
    }
    for (declare* d = g.declare_list; d; d = d->next) {
        if (d->port == head) {
            list* port = d->port_index.get(name);
            if (!port) syntax_error();
            return instr_args(port);
        }
    }
    for (list* rec = head; rec; rec = rec->next)
        if (rec->name == name) return instr_args(rec);
    syntax_error();
}

list* search_declare_instr_list(declare* head, const std::string& inst, const std::string& instr) {
    instance* in = g.instance_index.get(inst);
    if (!in) syntax_error();
    const std::string& type_name = in->type->name;
    declare* d = nullptr;
    if (head == g.declare_list) {
        d = g.declare_index.get(type_name);
    } else {
        for (declare* x = head; x && !d; x = x->next)
            if (x->name == type_name) d = x;
    }
    if (!d) syntax_error();
    list* port = d->port_index.get(instr);
    if (!port) syntax_error();
    list* chain = instr_args(port);
    if (!chain) syntax_error();
    return chain;
}

stage* search_stage_list(const std::string& name) {
    if (!g.stage_list) syntax_error();
    stage* st = g.stage_index.get(name);
    if (!st) syntax_error();
    return st;
}

state* search_state_list(stage* st, const std::string& name, int first_check) {
    if (!st->state) syntax_error();
    if (first_check && st->first_state) syntax_error();
    state* s = st->state_index.get(name);
    if (!s) syntax_error();
    return s;
}

task* search_task_list(stage* st, const std::string& name) {
    if (!st->task) syntax_error();
    task* t = st->task_index.get(name);
    if (!t) syntax_error();
    return t;
}
