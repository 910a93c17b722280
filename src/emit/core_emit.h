// Module emission: the Verilog of one finished module, from its tables.
#ifndef SFLC_CORE_EMIT_H
#define SFLC_CORE_EMIT_H

#include <cstdio>
#include <string>

#include "state.h"

// Writes the finished module to `out`.
void print_output(FILE* out, const std::string& module_name);
// The connection line of a submodule instance.
std::string instance_line(const instance* in);

#endif
