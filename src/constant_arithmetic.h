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
#ifndef SFLC_CONSTANT_ARITHMETIC_H
#define SFLC_CONSTANT_ARITHMETIC_H

// The numbers a reading takes: decimal ones only, or also 0b/0o/0x
// constants at their values (of at most 64 bits, read as 64-bit two's
// complement, so that one with its 64th bit set is negative and fills a
// target wider than 64 bits with ones; a wider one is a syntax error).
enum class ConstantDigits { kDecimal, kAnyKind };

// Reads the longest constant expression that starts at `p`: stores its
// value, moves `p` past it and returns true; returns false, `p`
// unchanged, when none starts there (the text is an expression of
// signals).  An operator whose right side is no constant is left unread
// (3 + x reads 3).  A division by zero is a syntax error.
bool read_constant_arithmetic(const char*& p, long long& value,
                              ConstantDigits digits = ConstantDigits::kDecimal);

#endif
