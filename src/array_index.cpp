#include "array_index.h"

#include <algorithm>

#include "arrays.h"
#include "constants.h"
#include "error.h"
#include "made_up_names.h"
#include "processes.h"
#include "search_list.h"
#include "set_logic.h"
#include "statement_ends.h"

namespace {

// An index by a value: its Verilog text and width, and how many elements
// (from the first) it reaches.
struct ElementIndex {
    std::string text;
    int width = 0;
    long long reach = 0;
};

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
    if (!rec) syntax_error();
    return rec;
}

}  // namespace

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
    list* net = declare_made_up(MadeUp::kElementRead, base, number, "sel", width, T_SEL, 'x');
    for (long long k = 0; k < ix.reach; ++k) {
        logic* pair = new_logic();
        pair->cond = condition_text(selects(ix, k));
        pair->value = value_text(element(base, k)->name);
        append_pair(net, pair);
    }
    return g.element_read_nets.emplace(key, net->name.str()).first->second;
}

// target "[" index "]" ( ":=" | "=" ) expr ";"  |  target "[" index "]" ("++" | "+=" expr ...) ";"
char* process_array_write(char* p, const std::string& target, int check) {
    if (!array_size(target)) return nullptr;
    char* close = find_end(p + 1, "];", '[');
    if (*close != ']') syntax_error();
    std::string index(p + 1, close), constant = index;
    resolve_indexed_names(constant);
    long long k;
    if (constant_value(constant, k)) return nullptr;
    debug_message("array element write");
    count_newlines(p, close);
    p = skip_ws(close + 1);
    if (is_compound_transfer(p)) return process_compound_transfer(p, target + "[" + index + "]");
    bool reg_flag = p[0] == ':' && p[1] == '=';
    if (!reg_flag && *p != '=') syntax_error();
    const list* first = element(target, 0);
    if (check && !(reg_flag ? is_register_type(first->type) : is_assignable_type(first->type))) syntax_error();
    ElementIndex ix = element_index(target, index);
    std::string value;
    int width;
    p = read_assigned_value(p + (reg_flag ? 2 : 1), first->width, value, width);
    check_assignment_form(first, reg_flag);
    if (first->width != width)
        warning("=, left = " + std::to_string(first->width) + ", right = " + std::to_string(width));
    for (k = 0; k < ix.reach; ++k) {
        list* rec = element(target, k);
        check_assignment_form(rec, reg_flag);
        store_pair(rec, build_condition(selects(ix, k)), value);
    }
    return p;
}
