// The expression parser: syntax check, operand widths, full parentheses.
#ifndef SFLC_PARSER_H
#define SFLC_PARSER_H

#include <string>

// Stack entry of both passes: a text and a width.
struct item {
    std::string text;
    int width = 0;
    // Whether the constant below is negative (`decimal` is its magnitude);
    // kept beside `width` so that an item takes 48 bytes, not 56.
    bool negative = false;
    // Whether `text` means the SFL value only when Verilog evaluates it at
    // exactly `width` bits (unary minus, shifts by a value, --extended):
    // inside a wider operation it is given its width (sfl_widths.h).
    bool own_width = false;
    // An unsized decimal constant (--extended): its value; else -1.
    long long decimal = -1;
};

// Checks an SFL expression, rewrites it fully parenthesised without
// blanks, and returns its width in bits.
int parser(std::string& text);
// Appends the postfix text of `text` to `postfix`.
void to_postpone(const std::string& text, std::string& postfix);
// Evaluates a postfix text: writes the parenthesised expression into
// `text` and returns its width.
int calc(const std::string& postfix, std::string& text);

// --extended: whether the SFL expression `text` holds a select that a
// Verilog expression cannot hold in place, one of a parenthesised
// expression, `(a + b)<7:4>`, or one by a value, `a<s>`: each goes through
// a net generated in the module that reads it.
bool selects_through_nets(const std::string& text);

// The end of the select that the '<' at `p` opens after an operand that
// can be selected (a name, a port, a group): the position after its '>'.
// Null when the '<' is a comparison: "<=" always; under --extended also
// when the text up to its matching '>' holds a comparison of its own
// (a < b<s> compares a with b<s>), or when an operand follows the '>'.
const char* select_end(const char* p);

int operator1(const char* p);
int operator2_1(const char* p);
int operator2_2(const char* p);

#endif
