// Block-local declarations (--extended): a declaration inside a block
// (instruct, par, alt, any, if, stage, state body) declares a signal seen
// from there to the end of that block.  Sibling blocks may declare the
// same name, each a signal of its own.
#ifndef SFLC_BLOCK_LOCALS_H
#define SFLC_BLOCK_LOCALS_H

#include <string>
#include <string_view>

#include "scan.h"

// The Verilog name of a signal that a block declares as `name`: the name
// itself, unless a signal declared in an earlier block kept it; then a
// made-up name `name$N`, which no SFL name can be.
Text local_output_name(const std::string& name);
// Makes `rec`, declared as `name` in the innermost open block, visible
// until that block ends.
void declare_local(const std::string& name, list* rec);
// The block-local signal declared as `name` that is visible now, or null.
list* find_local(std::string_view name);
// Whether a block-local signal of the module has `name` as its Verilog
// name (a later declaration outside blocks may not take it).
bool local_holds(std::string_view name);

#endif
