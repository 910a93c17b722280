#include "macro_names.h"

#include "constants.h"
#include "search_list.h"

list* find_macro(std::string_view name) {
    list* macro = find_in(g.define_index, name);
    const list* rec = find_in_scope(name);
    if (!rec) return macro && g.param_index.find_suffix(name) < 0 ? macro : nullptr;
    if (!macro || rec->name != name || !is_alpha(name[0])) return nullptr;
    const char* v = skip_space_only(macro->logic->value.c_str());
    return (is_digit(*v) && !constant_starts(v)) || *v == '-' ? nullptr : macro;
}
