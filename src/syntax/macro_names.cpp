#include "macro_names.h"

#include "constant_arithmetic.h"
#include "constants.h"
#include "extended_hooks.h"
#include "search_list.h"

list* find_macro(std::string_view name) {
    // Most names are no macro's: the macros are looked at first.
    list* macro = find_in(g.define_index, name);
    if (!macro) return nullptr;
    const list* rec = find_in_scope(name);
    if (!rec) return g.param_index.find_suffix(name) < 0 ? macro : nullptr;
    if (rec->name != name || !is_alpha(name[0])) return nullptr;
    const char* v = skip_space_only(macro->logic->value.c_str());
    if ((!is_digit(*v) || constant_starts(v)) && *v != '-') return macro;
    // --extended: a value of signals that starts with a number or a minus
    // (7 - a, -(a)) is no bare number.
    if (!extended_dialect()) return nullptr;
    const char* e = v;
    ConstantInt n;
    bool number = read_constant_arithmetic(e, n);
    e = skip_space_only(e);
    return number && (*e == '\0' || *e == '#') ? nullptr : macro;
}

bool selectable_macro(std::string_view name) {
    const list* m = find_macro(name);
    return !m || m->mark == kNamesSignal;
}
