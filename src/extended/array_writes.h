// Array elements written by a value (--extended): `f[rch] := x;` writes
// each element of f under the open conditions and the index being equal to
// its number (array_index.h).
#ifndef SFLC_ARRAY_WRITES_H
#define SFLC_ARRAY_WRITES_H

#include <string>

#include "scan.h"

// An element of the array `target` written by a value, "[" index "]" with
// `p` at the '[', then ":=" or "=" and the value (or ++, += ...): returns
// the position after the statement, or null when `target` is no array or
// the index is constant (the element's own name then).  `check` as for
// set_logic.
char* process_array_write(char* p, const std::string& target, int check);

#endif
