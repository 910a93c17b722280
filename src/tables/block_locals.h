// Block-local declarations (--extended): a declaration inside a block
// (instruct, par, alt, any, if, stage, state body) declares a signal, or
// an array of them, seen from there to the end of that block.  Sibling
// blocks may declare the same name, each a signal of its own.  After its
// block, the name still means the latest such declaration wherever no
// other declaration of it is seen (a register declared in one stage body
// and written in a later one): a name is looked up in the open blocks,
// then among the module's own declarations, then among the blocks closed
// before the use.  A use that comes before the declaration in the source
// is unknown, as in any one-pass reading.
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
// until that block ends, and as a fallback after it.
void declare_local(const std::string& name, list* rec);
// Makes `base`, declared in the innermost open block as an array of
// `size` elements, an array until that block ends, and as a fallback
// after it.
void declare_local_array(const std::string& base, long long size);
// The block-local signal declared as `name` in an open block, or null.
list* find_local(std::string_view name);
// The latest block-local signal declared as `name` in a block that has
// ended, or null.
list* find_closed_local(std::string_view name);
// The size of the block-local array `base` of an open block (or, with
// `closed`, the latest of an ended block), 0 when there is none.
long long local_array_size(std::string_view base, bool closed);
// Whether a block-local signal of the module has `name` as its Verilog
// name (a later declaration outside blocks may not take it).
bool local_holds(std::string_view name);
// The names that the level `e` declared leave the open blocks (its
// block ends) or come back to them (an `else` reopens the level).
void close_block_locals(stack_entry& e);
void reopen_block_locals(const stack_entry& e);

#endif
