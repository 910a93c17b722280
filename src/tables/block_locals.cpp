#include "block_locals.h"

Text local_output_name(const std::string& name) {
    if (!local_holds(name)) return store_text(name);
    for (int n = 1;; ++n) {
        std::string made = name + "$" + std::to_string(n);
        if (!g.wire_index.get(made)) return store_text(made);
    }
}

void declare_local(const std::string& name, list* rec) {
    // A made-up name is found by that name in translated texts; a kept
    // one only while its block is open.
    if (rec->name != name)
        g.wire_index.insert(rec);
    else
        g.local_index.insert(rec);
    g.stack[g.sp].locals.emplace_back(name, rec);
}

list* find_local(std::string_view name) {
    if (!g.extended_flag) return nullptr;  // blocks have no locals without it
    for (int level = g.sp; level >= 0; --level)
        for (const auto& local : g.stack[level].locals)
            if (local.first == name) return local.second;
    return nullptr;
}

bool local_holds(std::string_view name) { return g.local_index.get(name) != nullptr; }
