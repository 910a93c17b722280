// The expression parser: syntax check, operand widths, full parentheses.
#ifndef SFLC_PARSER_H
#define SFLC_PARSER_H

#include <string>

#include "selects.h"

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


// The operators at `p`: a prefix operator (^ /| /& /@), a binary operator
// of two characters, of one character.  Both passes test every character
// of an expression with them.
inline int operator1(const char* p) {
    return p[0] == '^' || (p[0] == '/' && (p[1] == '|' || p[1] == '&' || p[1] == '@'));
}
inline int operator2_1(const char* p) {
    switch (p[0]) {
    case '<': return p[1] == '<' || p[1] == '=';
    case '>': return p[1] == '>' || p[1] == '=';
    case '=':
    case '!': return p[1] == '=';
    case '|': return p[1] == '|';
    default: return 0;
    }
}
inline int operator2_2(const char* p) {
    switch (p[0]) {
    case '&': case '|': case '@': case '+': case '-': case '*': case '/': case '<': case '>': return 1;
    default: return 0;
    }
}

#endif
