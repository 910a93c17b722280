// What the two passes of the expression parser share (to_postpone.cpp and
// calc.cpp): the operand stack, the postfix text, unary minus, widths and
// selects.
#ifndef SFLC_PARSER_STEPS_H
#define SFLC_PARSER_STEPS_H

#include <string>
#include <vector>

#include "parser.h"

// The most items either pass holds on its stack.
constexpr size_t kStackSize = 100;
// Unary minus (--extended) in the postfix text and on the operator stack,
// where a '-' stands for subtraction.
inline constexpr char kNegation[] = "-u";
inline bool negation(const char* p) { return p[0] == kNegation[0] && p[1] == kNegation[1]; }

// A width computed in 64 bits, held in an int.
int clamp_width(long long w);
// Pushes `it` on a pass's stack ("stack size over" when it is full).
void push(std::vector<item>& stack, item&& it);
// Appends a token to the postfix text.
void emit(std::string& postfix, const std::string& token);

// A name for the value of the operand `x`: its own text when that is a
// name, else a generated net driven by it (Verilog selects only from names).
std::string name_of(const item& x);

// A select's width and its text in the postfix and parenthesised texts:
// <h> for one bit (l < 0 or l == h), <h:l> for a range.
long long select_width(long long h, long long l);
std::string select_text(long long h, long long l);
// The high bit of a select must lie inside the operand `what` of `width` bits.
void check_select_high(const std::string& what, long long h, int width);
// A constant select, <h> or <h:l>, at `p` (a '<') after the operand `what`
// of `width` bits (-1: not known yet; calc checks it).  Reads h and l (-1
// when there is none) and returns the position after the '>'; null when
// the '<' is a comparison (no decimal follows it, or a width prefix does).
const char* constant_select(const char* p, const std::string& what, int width, long long& h, long long& l);
// A select by a value at `p` (a '<'), --extended: the index expression
// parsed, and named in `index` (itself when it is a name, else a net
// driven by it).  Returns the position after the '>', or null when the
// '<' is a comparison.
const char* value_select(const char* p, std::string& index);

#endif
