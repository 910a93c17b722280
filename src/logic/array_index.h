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

#include "scan.h"

// The Verilog name of the net holding the element of the array `base`
// that the SFL expression `index` selects.
std::string array_element_read(const std::string& base, const std::string& index);
// An index by a value: its Verilog text and width, and how many elements
// (from the first) it reaches.
struct ElementIndex {
    std::string text;
    int width = 0;
    long long reach = 0;
};
// The index `index` (an SFL expression) of the array `base`.
ElementIndex element_index(const std::string& base, const std::string& index);
// The condition that the index selects element `k`.
std::string selects(const ElementIndex& ix, long long k);
// Element `k` of the array `base`.
list* element(const std::string& base, long long k);
// The first element of the array `base`, or null when `base` is no array.
const list* first_array_element(const std::string& base);

#endif
