// Arrays indexed by a value (--extended): `ch = f[rch];` reads the
// element that rch selects and `f[rch] := x;` writes it, for every kind of
// array (rega, regs, sela, sels, reg_wr and reg_ws arrays), as a register
// file is read and written.  The elements are signals of their own: a
// read is a net of the elements' width driven by the element whose number
// the index equals (0 when none does), one net for each array and index;
// a write is a write of each element, under the open conditions and the
// index being equal to its number.  An index too narrow to reach every
// element warns, and the elements it cannot reach are neither read nor
// written.
#ifndef SFLC_ARRAY_INDEX_H
#define SFLC_ARRAY_INDEX_H

#include <string>

#include "core.h"

// The Verilog name of the net holding the element of the array `base`
// that the SFL expression `index` selects.
std::string array_element_read(const std::string& base, const std::string& index);
// An element of the array `target` written by a value, "[" index "]" with
// `p` at the '[', then ":=" or "=" and the value (or ++, += ...): returns
// the position after the statement, or null when `target` is no array or
// the index is constant (the element's own name then).  `check` as for
// set_logic.
char* process_array_write(char* p, const std::string& target, int check);
// The first element of the array `base`, or null when `base` is no array.
const list* first_array_element(const std::string& base);

#endif
