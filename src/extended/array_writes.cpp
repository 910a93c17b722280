#include "array_writes.h"

#include "array_index.h"
#include "arrays.h"
#include "constants.h"
#include "error.h"
#include "explain.h"
#include "processes_increment.h"
#include "set_logic.h"
#include "statement_ends.h"

// target "[" index "]" ( ":=" | "=" ) expr ";"  |  target "[" index "]" ("++" | "+=" expr ...) ";"
char* process_array_write(char* p, const std::string& target, int check) {
    if (!array_size(target)) return nullptr;
    char* close = find_end(p + 1, "];", '[');
    if (*close != ']') syntax_error(close, "expected ']' after the index of '" + target + "', found " + found_at(close));
    std::string index(p + 1, close), constant = index;
    resolve_indexed_names(constant);
    long long k;
    if (constant_value(constant, k)) return nullptr;
    debug_message("array element write");
    count_newlines(p, close);
    p = skip_ws(close + 1);
    if (is_compound_transfer(p)) return process_compound_transfer(p, target + "[" + index + "]");
    bool reg_flag = p[0] == ':' && p[1] == '=';
    if (!reg_flag && *p != '=') syntax_error(p, "expected '=' or ':=' after '" + target + "[...]', found " + found_at(p));
    const list* first = element(target, 0);
    if (check && !(reg_flag ? is_register_type(first->type) : is_assignable_type(first->type)))
        syntax_error(at_word(target, "the elements of '" + target + "' are declared as " + type_keyword(first->type) +
                                         (reg_flag ? ": ':=' assigns registers only" : ": they cannot take '='")));
    ElementIndex ix = element_index(target, index);
    std::string value;
    int width;
    p = read_assigned_value(p + (reg_flag ? 2 : 1), first->width, value, width);
    check_assignment_form(first, reg_flag);
    if (first->width != width)
        warning("=, left = " + std::to_string(first->width) + ", right = " + std::to_string(width),
                assignment_widths(target, first->width, width));
    for (k = 0; k < ix.reach; ++k) {
        list* rec = element(target, k);
        check_assignment_form(rec, reg_flag);
        store_pair(rec, build_condition(selects(ix, k)), value);
    }
    return p;
}
