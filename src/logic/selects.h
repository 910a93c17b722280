// Selects in expressions: where a '<' opens one.
#ifndef SFLC_SELECTS_H
#define SFLC_SELECTS_H

#include <string>

// --extended: whether the SFL expression `text` holds a select that a
// Verilog expression cannot hold in place, one of a parenthesised
// expression, `(a + b)<7:4>`, or one by a value, `a<s>` (each goes through
// a net generated in the module that reads it), one whose bounds are
// constant arithmetic, `a<W-1:0>`, or an indexed name, `t[2]`, `m[a]`
// (named as the module that reads it has them).
bool selects_through_nets(const std::string& text);

// The end of the select that the '<' at `p` opens after an operand that
// can be selected (a name, a port, a group): the position after its '>'.
// Null when the '<' is a comparison: "<=" always; under --extended also
// when the text up to its matching '>' holds a comparison of its own
// (a < b<s> compares a with b<s>), or when an operand follows the '>'.
const char* select_end(const char* p);

#endif
