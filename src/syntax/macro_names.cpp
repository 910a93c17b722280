#include "macro_names.h"

#include "constants.h"
#include "search_list.h"

list* find_macro(std::string_view name) {
    // Most names are no macro's: the macros are looked at first.
    list* macro = find_in(g.define_index, name);
    if (!macro) return nullptr;
    const list* rec = find_in_scope(name);
    if (!rec) return g.param_index.find_suffix(name) < 0 ? macro : nullptr;
    if (rec->name != name || !is_alpha(name[0])) return nullptr;
    const char* v = skip_space_only(macro->logic->value.c_str());
    return (is_digit(*v) && !constant_starts(v)) || *v == '-' ? nullptr : macro;
}
