// switch (--extended): an alt block whose alternatives compare one
// expression with case labels; plain alternatives may stand among them.
//   switch (e) { case 0x0: s1; case 2: s2; (case 4) | (case 5): s3; c: s4; default: s5; }
// reads as
//   alt { e == 0x0: s1; e == 2: s2; (e == 4) | (e == 5): s3; c: s4; else: s5; }
#include <string>

#include "constants.h"
#include "convert_logic.h"
#include "error.h"
#include "explain.h"
#include "core.h"
#include "processes.h"
#include "processes_switch.h"
#include "stack.h"
#include "statement_ends.h"

namespace {

// A decimal label, digits with '_' between them.
bool is_decimal(const std::string& s) {
    if (s.empty() || !is_digit(s[0]) || !is_digit(s.back())) return false;
    for (char c : s)
        if (!is_digit(c) && c != '_') return false;
    return true;
}

// Whether the value `v` is one of the unsigned values of `width` bits.
bool fits_width(ConstantInt v, int width) {
    return v >= 0 && (width >= 127 || v < (static_cast<ConstantInt>(1) << width));
}

// label ":"  or  label ")" : the label text, without surrounding blanks,
// up to the character `end`; returns the position of that character.
char* read_label(char* p, char end, std::string& label) {
    p = skip_ws(p);
    char* start = p;
    p = find_end(p, ";\n:)");
    if (*p != end) syntax_error(p, std::string("expected '") + end + "' after the case label, found " + found_at(p));
    char* e = p;
    while (e > start && is_space(e[-1])) --e;
    label.assign(start, e);
    if (label.empty()) syntax_error(start, "expected a label after 'case'");
    return p;
}

// "case" label: the Verilog comparison of the switch expression with the
// label.  A decimal label is a constant of the expression's width.
std::string label_condition(const std::string& label) {
    const stack_entry& level = *innermost_level();
    int width = level.subject_width;
    std::string constant;
    if (is_decimal(label)) {
        std::string digits;
        for (char c : label)
            if (c != '_') digits += c;
        const char* q = digits.c_str();
        long long v = read_decimal(q);
        if (width < 63 && v >= (1LL << width))
            syntax_error(at_word(label, "the label " + label + " does not fit in the " + std::to_string(width) +
                                            " bits of the switch's value"));
        constant = std::to_string(width) + "'d" + std::to_string(v);
    } else {
        constant = label;
        int w;
        {
            AlternativeConditionRead reading;
            w = convert_logic(constant, 1);
        }
        // Verilog would compare at the wider of the two widths, where an
        // operator of the expression (~, -) acts on more bits than it has:
        // a constant label that fits the expression's width takes it.
        ConstantInt v;
        if (w != width && constant_value(label, v) && fits_width(v, width))
            constant = sized_constant(v, width);
        else if (w != width)
            warning("==", at_word(label, "the label '" + label + "' is " + std::to_string(w) + " bits wide, the switch's value " +
                                             std::to_string(width)));
    }
    return "(" + level.subject + "==" + constant + ")";
}

// "case" label ":"
char* one_label(char* p, char end, std::string& cond) {
    if (!mycmp(p, "case", 0)) syntax_error(p, "expected 'case' and a label, found " + found_at(p));
    std::string label;
    p = read_label(p + 4, end, label);
    cond = label_condition(label);
    return p + 1;
}

}  // namespace

bool case_at(const char* p) {
    if (mycmp(p, "case", 0) || mycmp(p, "default", ':')) return true;
    return *p == '(' && mycmp(skip_space_only(p + 1), "case", 0);
}

bool in_switch_body() { return innermost_level() && !innermost_level()->subject.empty(); }

// switch -> "switch" "(" expr ")" "{" { case | alternative } "}"
char* process_switch(char* p) {
    debug_message("switch");
    p = skip_ws(p + 6);
    std::string subject;
    p = read_parenthesised(p, subject);
    int width = convert_logic(subject, 1);
    if (width < 1) syntax_error(in_copy(subject, 0, "the value of 'switch' has no width"));
    p = skip_ws(p);
    if (*p != '{') syntax_error(p, "expected '{' and the cases after 'switch (...)', found " + found_at(p));
    stack_push_switch(subject, width);
    return p;
}

// case -> "case" label ":" statement
//       | "(" "case" label ")" { "|" "(" "case" label ")" } ":" statement
//       | "default" ":" statement
char* process_case(char* p) {
    debug_message("case");
    std::string cond;
    if (mycmp(p, "default", ':')) {
        p = skip_ws(p + 7);
        if (*p != ':') syntax_error(p, "expected ':' after 'default', found " + found_at(p));
        return alternative_statement(skip_ws(p + 1), "else", true);
    }
    if (*p == '(') {
        for (;;) {
            std::string one;
            p = one_label(skip_ws(p + 1), ')', one);
            cond += cond.empty() ? one : "|" + one;
            p = skip_ws(p);
            if (*p == ':') break;
            if (*p != '|') syntax_error(p, "expected ':' or '|' after '(case ...)', found " + found_at(p));
            p = skip_ws(p + 1);
            if (*p != '(') syntax_error(p, "expected '(case ...)' after '|', found " + found_at(p));
        }
        cond = "(" + cond + ")";
        ++p;
    } else {
        p = one_label(p, ':', cond);
    }
    check_text_size(cond);
    return alternative_statement(skip_ws(p), cond, true);
}
