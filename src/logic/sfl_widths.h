// SFL widths that Verilog would widen (--extended).  SFL gives every
// operation a width of its own: unary minus negates at its operand's
// width, and a shift by a value keeps its left operand's width, so -x + b
// adds b to the 4-bit negation of a 4-bit x.  Verilog first widens every
// operand of an expression to the width of the whole (the target's, the
// widest operand's), and would negate at 8 bits.  Such a text is wrapped
// into a concatenation of one, `{(-x)}`, whose width Verilog takes from
// its operand alone, wherever it stands in a wider operation.  The
// operators of the base dialect give no such text: its output stays as
// it is.
#ifndef SFLC_SFL_WIDTHS_H
#define SFLC_SFL_WIDTHS_H

#include <string>

#include "parser.h"

// Gives `x` its width when it is an operand of an operation that Verilog
// evaluates at `width` bits: a text of its own width wider than it is
// wrapped.
void keep_own_width(item& x, int width);

// Whether the SFL value text of a macro holds a unary minus or a shift by
// a value (a count that is no decimal number): such a macro is translated
// where its name stands, as its `define could not keep the widths.
bool holds_own_width(const std::string& value);

#endif
