#include "block_locals.h"

#include "made_up_names.h"

Text local_output_name(const std::string& name) {
    if (!local_holds(name)) return store_text(name);
    return store_text(make_up_local_name(name));
}

void declare_local(const std::string& name, list* rec) {
    // A made-up name is found by that name in translated texts; a kept
    // one through the blocks.
    Text sfl_name = rec->name;
    if (rec->name != name) {
        g.wire_index.insert(rec);
        sfl_name = store_text(name);
    } else {
        g.local_index.insert(rec);
    }
    g.open_locals[sfl_name] = rec;
    innermost_level()->locals.emplace_back(sfl_name, rec);
}

void declare_local_array(const std::string& base, long long size) {
    Text name = store_text(base);
    g.open_local_arrays[name] = size;
    innermost_level()->local_arrays.emplace_back(name, size);
}

list* find_local(std::string_view name) {
    // Blocks have no locals without --extended.
    if (g.open_locals.empty()) return nullptr;
    return find_in(g.open_locals, name);
}

list* find_closed_local(std::string_view name) {
    if (g.closed_locals.empty()) return nullptr;
    return find_in(g.closed_locals, name);
}

long long local_array_size(std::string_view base, bool closed) {
    const auto& arrays = closed ? g.closed_local_arrays : g.open_local_arrays;
    if (arrays.empty()) return 0;
    auto it = arrays.find(base);
    return it == arrays.end() ? 0 : it->second;
}

bool local_holds(std::string_view name) { return g.local_index.get(name) != nullptr; }

void close_block_locals(stack_entry& e) {
    for (const auto& local : e.locals) {
        g.open_locals.erase(local.first);
        g.closed_locals[local.first] = local.second;
    }
    for (const auto& array : e.local_arrays) {
        g.open_local_arrays.erase(array.first);
        g.closed_local_arrays[array.first] = array.second;
    }
    e.locals.clear();
    e.local_arrays.clear();
}

void reopen_block_locals(const stack_entry& e) {
    for (const auto& local : e.locals) g.open_locals[local.first] = local.second;
    for (const auto& array : e.local_arrays) g.open_local_arrays[array.first] = array.second;
}
