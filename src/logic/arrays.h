// Arrays of signals and indexed names (--extended).  `sela t[3]<4>;`
// declares t_0, t_1 and t_2; `x[k]` with a constant k names the element
// x_k, and the same indexing names numbered instances (`ch[i].go();` for
// ch_00 ... ch_17) and numbered ports of an instance (`u.p[i]` is u.p_i).
#ifndef SFLC_ARRAYS_H
#define SFLC_ARRAYS_H

#include <string>

#include "scan.h"

// Reads "[size]" at `p`; returns the position after the ']' and the
// blanks after it.
char* read_array_size(char* p, long long& size);
// Enters `base` as an array of `size` elements, of the module or, when
// `local`, of the innermost open block (block_locals.h).
void declare_array(const std::string& base, long long size, bool local);
// The size of the array `base` where it is used (0: no array): one of an
// open block, of the module, or of a block that ended before.
long long array_size(const std::string& base);
// The name of element `k` of the array `base`.
std::string array_element_name(const std::string& base, long long k);

// The name that `base[index]` stands for when `index` is a constant
// (false when it is not).  An array's element outside the array is a
// syntax error.  `instance`, when not empty, is the instance whose port
// `base` is (inst.base[index]).
bool indexed_name(std::string base, const std::string& index, const std::string& instance,
                  std::string& name);
// Rewrites every name[constant] of an expression or statement text into
// the name it stands for.
void resolve_indexed_names(std::string& text);
// A name written as a target, `name[index]` with `p` at the '[' (a port
// of `instance` when that is not empty): puts the element's name into
// `name` and returns the position after the ']' and the blanks after it.
// A syntax error when the index is not constant.  Returns `p` itself when
// no '[' stands there.
char* indexed_target(char* p, std::string& name, const std::string& instance);

#endif
