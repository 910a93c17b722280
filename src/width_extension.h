// Width extension N#x of operands that are not a plain name: constants
// (extended at once) and, under --extended, macros and parenthesised
// expressions (extended through a generated wire).
#ifndef SFLC_WIDTH_EXTENSION_H
#define SFLC_WIDTH_EXTENSION_H

#include <string>
#include <vector>

#include "constants.h"

#include "parser.h"

// The constant of the digit runs `parts` extended to `n` bits by
// repeating its top bit, as a binary constant.  A syntax error when it
// has more than `n` bits.
std::string extend_constant(const std::vector<ConstantPart>& parts, long long n);
// The operand `x` of any form extended to `n` bits: unchanged when it has
// `n` bits, else `n#W` over a generated wire W that carries x's value.
item extend_operand(const item& x, long long n);

#endif
