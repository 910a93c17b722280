#include "parser.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "convert_logic.h"
#include "error.h"
#include "macro_names.h"
#include "parser_steps.h"
#include "scan.h"
#include "stack.h"

int clamp_width(long long w) {
    if (w > INT_MAX) return INT_MAX;
    if (w < INT_MIN) return INT_MIN;
    return static_cast<int>(w);
}

void push(std::vector<item>& stack, item&& it) {
    if (stack.size() >= kStackSize)
        translation_error("stack size over\n", Mistake(nullptr, "the expression is too deep: more than " +
                                                                          std::to_string(kStackSize) +
                                                                          " operands and operators wait at once"));
    check_text_size(it.text);
    stack.push_back(std::move(it));
}

void emit(std::string& postfix, const std::string& token) {
    postfix += token;
    postfix += ' ';
    check_text_size(postfix);
}

// A name for the value of the operand `x`: its own text when that is a
// name, else a generated net driven by it (Verilog selects only from names).
std::string name_of(const item& x) {
    bool name = is_ident_start(x.text[0]);
    for (char c : x.text) name = name && is_verilog_name_char(c);
    if (name && !find_macro(x.text)) return x.text;  // (a macro's text may be no name)
    std::string verilog = x.text;
    convert_logic(verilog, 0);
    return expression_net(verilog, x.width);
}


int parser(std::string& text) {
    std::string postfix;
    if (g.p_flag) printf("%d: before:    %s\n", g.count, text.c_str());
    to_postpone(text, postfix);
    if (g.p_flag) printf("%d: after:     %s\n", g.count, postfix.c_str());
    int width = calc(postfix, text);
    if (g.p_flag) printf("%d: after_all: %s\n", g.count, text.c_str());
    return width;
}
