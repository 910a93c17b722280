#include "array_index.h"

#include <algorithm>

#include "arrays.h"
#include "constants.h"
#include "error.h"
#include "made_up_names.h"
#include "memory_words.h"
#include "search_list.h"
#include "set_logic.h"
#include "statement_ends.h"

ElementIndex element_index(const std::string& base, const std::string& index) {
    long long size = array_size(base);
    ElementIndex ix;
    {
        LineCountingOff off;
        ix.text = computed_index(base, size, index, "\"array index\"", ix.width);
    }
    ix.reach = ix.width < 62 ? std::min(size, 1LL << ix.width) : size;
    return ix;
}

// The condition that the index selects element `k`.
std::string selects(const ElementIndex& ix, long long k) {
    return "(" + ix.text + "==" + std::to_string(ix.width) + "'d" + std::to_string(k) + ")";
}

list* element(const std::string& base, long long k) {
    list* rec = find_wire(array_element_name(base, k));
    if (!rec) syntax_error(at_word(base, "array '" + base + "' has no element " + std::to_string(k)));
    return rec;
}

const list* first_array_element(const std::string& base) {
    return array_size(base) ? element(base, 0) : nullptr;
}

std::string array_element_read(const std::string& base, const std::string& index) {
    ElementIndex ix = element_index(base, index);
    // One net for each array (its first element's Verilog name) and index.
    std::string key = element(base, 0)->name.str();
    key.push_back('\0');
    key += ix.text;
    auto known = g.element_read_nets.find(key);
    if (known != g.element_read_nets.end()) return known->second;
    int width = 1;
    for (long long k = 0; k < ix.reach; ++k) width = std::max(width, element(base, k)->width);
    std::string number = "read" + std::to_string(g.element_read_nets.size());
    list* net = declare_made_up(MadeUp::kElementRead, base, number, T_SEL, width, 'x');
    for (long long k = 0; k < ix.reach; ++k) {
        logic* pair = new_logic();
        pair->cond = condition_text(selects(ix, k));
        pair->value = value_text(element(base, k)->name);
        append_pair(net, pair);
    }
    return g.element_read_nets.emplace(key, net->name.str()).first->second;
}
