// Memories and register initial values in the Verilog of a module.
#ifndef SFLC_MEMORY_PRINTING_H
#define SFLC_MEMORY_PRINTING_H

#include <cstdio>

#include "state.h"

// The initial value of `rec` as a Verilog constant, or null when it has none.
const Text* initial_value(const list* rec);
// The initial block of a memory's contents, if it has any.
void print_memory_contents(FILE* out, const list* mem);
// The always block of a memory's writes, if it has any.
void print_memory(FILE* out, const list* mem);

#endif
