#include "records.h"

#include "state.h"

list* new_list(bool run_long) {
    g.total_alloc_size += SIZE_LIST;
    return (run_long ? g.run_lists : g.module_lists).make();
}

void unused_list(list* rec) { g.module_lists.unmake(rec); }

logic* new_logic(bool run_long) {
    g.total_alloc_size += SIZE_LOGIC;
    if (run_long) return g.run_logics.make();
    logic* pair = g.module_logics.make();
    g.places.made(pair);
    return pair;
}

declare* new_declare() {
    g.total_alloc_size += SIZE_DECLARE;
    return g.run_declares.make();
}

stage* new_stage() {
    g.total_alloc_size += SIZE_STAGE;
    return g.module_stages.make();
}

task* new_task() {
    g.total_alloc_size += SIZE_TASK;
    return g.module_tasks.make();
}

state* new_state() {
    g.total_alloc_size += SIZE_STATE;
    return g.module_states.make();
}

list* new_net_record() {
    g.total_alloc_size += SIZE_LIST;
    return g.nets.make();
}

void count_new_net() { g.total_alloc_size += SIZE_NET; }

void append_pair(list* rec, logic* pair) {
    prepend_pair(rec, pair);
    rec->logic = pair;
}

void prepend_pair(list* rec, logic* pair) {
    if (rec->logic) {
        pair->next = rec->logic->next;
        rec->logic->next = pair;
    } else {
        pair->next = pair;
        rec->logic = pair;
    }
}
