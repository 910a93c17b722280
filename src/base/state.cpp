#include "state.h"

Sflc g;

void reset_state() { g = Sflc(); }

Text store_text(std::string_view s, bool run_long) { return (run_long ? g.run_texts : g.module_texts).add(s); }

void delete_all_list() {
    g.wire_list.clear();
    g.wire_index.clear();
    g.local_index.clear();
    g.open_locals.clear();
    g.closed_locals.clear();
    g.open_local_arrays.clear();
    g.closed_local_arrays.clear();
    g.stage_list.clear();
    g.last_state_names = nullptr;
    g.stage_index.clear();
    g.net_index.clear();
    g.net_num = 0;
    g.nets.clear();
    g.merge_index.clear();
    g.merge_entries.clear();
    g.module_lists.clear();
    g.module_logics.clear();
    g.module_stages.clear();
    g.module_tasks.clear();
    g.module_states.clear();
    g.module_args.clear();
    g.memory_depths.clear();
    g.memory_writes.clear();
    g.memory_address_nets.clear();
    g.element_read_nets.clear();
    g.memory_contents.clear();
    g.inherited_ports.clear();
    g.made_up_renames.clear();
    g.made_up_long.clear();
    g.inherited_args.clear();
    g.initial_values.clear();
    g.arrays.clear();
    g.array_elements.clear();
    g.module_texts.clear();
    g.places.forget_module_records();
    // Records that hold module texts go with them.
    g.param_index.clear();
    clear_instances();
    g.last_condition = Text();
    g.last_condition_owner = nullptr;
    g.last_value = Text();
}

void delete_declare() {
    g.declare_list.clear();
    g.declare_index.clear();
    g.run_declares.clear();
}

void delete_run_tables() {
    delete_declare();
    g.define_index.clear();
    g.expanded_macros.clear();
    g.macro_serials.clear();
    g.macro_versions.clear();
    g.macros_naming_versions.clear();
    g.run_lists.clear();
    g.run_logics.clear();
    g.run_args.clear();
    g.run_texts.clear();
    for (Text& t : g.constant_texts) t = Text();
}

void clear_instances() {
    g.instances.clear();
    g.places.forget_instances();
    g.instance_list.clear();
    g.instance_index.clear();
}
