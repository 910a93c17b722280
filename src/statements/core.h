// The statement dispatcher: walks a source text statement by statement
// and hands each to its handler.
#ifndef SFLC_CORE_H
#define SFLC_CORE_H

#include <cstdio>
#include <string>

#include "state.h"

// Translates the source file `in` (named `name` in messages about the
// file itself) into `out`, reading it in pieces; the first call of a run
// also writes the header lines.
void xlator_core(FILE* in, const std::string& name, FILE* out);

// The statement after the colon of an alternative whose condition (SFL
// text, Verilog when `translated`, or "else") is `cond`: the condition
// becomes the top level's.
char* alternative_statement(char* p, std::string cond, bool translated = false);

#endif
