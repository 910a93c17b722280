// Constant arithmetic (--extended): an expression of decimal numbers,
// macros whose values are constant arithmetic, + - * / and parentheses,
// computed by the translator with the usual integer precedence (* and /
// before + and -, left to right, / truncating toward zero, unary minus);
// a parenthesised part may take a bit select, (i-16)<3:0>.
// It stands wherever a number does: declaration widths, bit selects,
// width-extension counts, and expressions, where it is one decimal
// constant.  Where a number is a value (memory contents, initial values,
// depths, array sizes and indices, loop bounds: constant_value), 0b/0o/0x
// constants, and macros of them, are numbers too.  In expressions they
// are not, since there such a constant keeps the width of its digits; nor
// in selects (a<0x3> selects by the value of a signal) and widths.
// The translator computes it exactly, in 128-bit two's complement
// (ConstantInt): a 0b/0o/0x constant of up to 127 bits is positive, so
// 0x8000_0000_0000_0000 in a 72-bit register has zeros above its 64th
// bit, while a negative result fills a target of any width with ones
// (-1 sets every bit).
#ifndef SFLC_CONSTANT_ARITHMETIC_H
#define SFLC_CONSTANT_ARITHMETIC_H

#include <string_view>

#include "constants.h"

// The numbers a reading takes: decimal ones only, or also 0b/0o/0x
// constants at their values.
enum class ConstantDigits { kDecimal, kAnyKind };

// Reads the longest constant expression that starts at `p`: stores its
// value, moves `p` past it and returns true; returns false, `p`
// unchanged, when none starts there (the text is an expression of
// signals).  An operator whose right side is no constant is left unread
// (3 + x reads 3).  A division by zero, a number or a result that needs
// more than 128 bits of two's complement is a syntax error.
bool read_constant_arithmetic(const char*& p, ConstantInt& value,
                              ConstantDigits digits = ConstantDigits::kDecimal);
// The same for a number that is a width, a bit index or a count: also a
// syntax error when the value does not fit a long long.
bool read_constant_arithmetic(const char*& p, long long& value,
                              ConstantDigits digits = ConstantDigits::kDecimal);

// `a op b` for an operator of expressions whose operands are both
// constants (--extended: an expression of decimal constants alone takes
// its width from its context as one constant does): + - * / as above,
// & | @ bitwise on two's complement, << and >> by a count, and the
// comparisons, 1 or 0.  A syntax error where the result needs more than
// 128 bits, or where it would depend on the width (a negative operand of
// a shift or a comparison); `||` has no value without widths.
ConstantInt constant_operation(ConstantInt a, std::string_view op, ConstantInt b);

#endif
