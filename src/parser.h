// The expression parser: syntax check, operand widths, full parentheses.
#ifndef SFLC_PARSER_H
#define SFLC_PARSER_H

#include <string>

// Stack entry of both passes: a text and a width.
struct item {
    std::string text;
    int width = 0;
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

// The constants 0b..., 0o... and 0x..., whose kind may change mid-way
// (0b1o7x3: binary, then octal, then hexadecimal digits).
// The bits a digit of the kind letter `k` stands for (0: no kind letter).
int constant_digit_bits(char k);
// Whether `d` is a digit of the kind of `bits` bits.
bool constant_digit_fits(int bits, char d);
// The bits of the kind that a constant of `bits` bits switches to at `c`,
// or 0 when `c` switches none.
int constant_kind_switch(int bits, char c);
// Whether a constant starts at `p`: '0' and a kind letter.
inline bool constant_starts(const char* p) { return p[0] == '0' && constant_digit_bits(p[1]) != 0; }

int operator1(const char* p);
int operator2_1(const char* p);
int operator2_2(const char* p);

#endif
