// Set-up for the expression tests: a module with a few signals, state
// constants and macros.
#ifndef SFLC_TEST_EXPR_SUPPORT_H
#define SFLC_TEST_EXPR_SUPPORT_H

#include <initializer_list>
#include <utility>

#include "test_support.h"

namespace expr_test {

using namespace sflc_test;

inline std::string width_warning(const std::string& what) {
    return kSource + ": " + std::to_string(kLine) + ": Warning: operand width unmatch for " + what +
           "\n";
}

// One warning line per operator named in `ops` (blank separated).
inline std::string width_warnings(const std::string& ops) {
    std::string out;
    size_t i = 0;
    while (i < ops.size()) {
        size_t e = ops.find(' ', i);
        if (e == std::string::npos) e = ops.size();
        if (e > i) out += width_warning(ops.substr(i, e - i));
        i = e + 1;
    }
    return out;
}

inline void add_macro(const std::string& name, const std::string& value) {
    list* m = new_list(true);
    m->name = store_text(name, true);
    m->logic = new_logic(true);
    m->logic->value = store_text(value, true);
    if (g.define_tail)
        g.define_tail->next = m;
    else
        g.define_list = m;
    g.define_tail = m;
    g.define_index.emplace(m->name, m);
}

inline void add_state_constants(std::initializer_list<std::pair<const char*, int>> names) {
    for (const auto& n : names) g.param_index.add(store_text(n.first), n.second);
}

// a, b, c, x, y: 8 bits; d: 4; e: 1; w: 16; the port net of instance u1:
// 4 bits; state constants whose names end in idle, go and t_e.
inline void standard_module() {
    fresh();
    declare_signals("input a<8>, b<8>, c<8>, x<8>, y<8>, d<4>, e, w<16>;", T_INPUT);
    declare_signals("sel _u1_out<4>;", T_SEL);
    add_state_constants({{"_main_idle", 2}, {"_p_go", 2}, {"_st_e", 3}, {"_q_go", 3}});
}

}  // namespace expr_test

#endif
