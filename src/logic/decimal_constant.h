// Decimal constants in expressions (--extended): a decimal constant has no
// width of its own and takes that of its context, the other operand of a
// binary operator or the target of the assignment whose whole value it
// is; it is written as a sized Verilog constant.
#ifndef SFLC_DECIMAL_CONSTANT_H
#define SFLC_DECIMAL_CONSTANT_H

#include <string_view>

#include "parser.h"

// The postfix token of a decimal constant: '\'' and its digits.
const char kDecimalMark = '\'';
// The postfix token of the decimal constant `value`, negative or not.
std::string decimal_token(long long value);
// Gives the decimal constant `it` the width `width`: a syntax error when
// no width is known (0) or its value does not fit.
void size_decimal(item& it, int width);
// Sizes a decimal operand of a binary operator by the other operand;
// both decimal is a syntax error.
void size_decimal_operands(item& a, item& b);
// `a op b` when both are decimal constants: `a` becomes the constant of
// their value (a comparison, a 1-bit constant), so that an expression of
// decimal constants alone (1 | 4) takes its width from its context as one
// constant does.  False when either operand has a width of its own.
bool fold_decimal_operands(item& a, std::string_view op, const item& b);

#endif
