// The make dependency file (-M, --make-deps).
#ifndef SFLC_MAKE_DEPS_H
#define SFLC_MAKE_DEPS_H

#include <string>
#include <vector>

// Writes to `deps_file`, whole or not at all, the rule
// "TARGET: INPUT INCLUDE..." and an empty rule "INCLUDE:" for each include
// (so that make goes on when an include is deleted), names escaped as make
// reads them.  A deps file that is the input or an include is refused.
void write_make_deps(const std::string& deps_file, const std::string& target, const std::string& input,
                     const std::vector<std::string>& includes);

#endif
