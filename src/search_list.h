// Lookups in the symbol tables; a miss is a syntax error.
#ifndef SFLC_SEARCH_LIST_H
#define SFLC_SEARCH_LIST_H

#include <string>

#include <string_view>

#include "core.h"

// The wire_list record of that name, or null.  A -O net is found by its
// number and a port net of a small declare through its instance, which
// keeps them out of the wire index.
list* find_wire(std::string_view name);
// The first formal argument of the instruction `rec` (null: none); the
// others follow through `next`.
list* instr_args(const list* rec);

// The argument chain of the module's instruction `name` (may be null).
list* search_instr_list(const std::string& name);
// The argument chain of instruction `instr` of submodule instance `inst`.
list* search_declare_instr_list(const std::string& inst, const std::string& instr);
// The macro that the name `name` of an expression stands for, or null.
// The translation gives every name of a macro its back-quote, so the
// output refers to the macro also where a signal has its name (sel_v
// ID_FUNCT; and %d ID_FUNCT FUNCT): the macro is meant, unless the signal
// is block-local with a made-up Verilog name, or the macro's value is a
// bare number, which has no width to take.  A state constant of the name
// comes before a macro.
list* find_macro(std::string_view name);
stage* search_stage_list(const std::string& name);
// The state of the stage named `name`; with first_check, a stage that
// already has a first state is refused.
state* search_state_list(stage* st, const std::string& name, int first_check);
// The first task of the stage named `name`.
task* search_task_list(stage* st, const std::string& name);

#endif
