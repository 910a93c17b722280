// Lookups in the symbol tables; a miss is a syntax error.
#ifndef SFLC_SEARCH_LIST_H
#define SFLC_SEARCH_LIST_H

#include <string>

#include <string_view>

#include "scan.h"

// The signal that `name` means where it is used, or null: a signal of
// an open block, of the module, or (--extended) of a block that ended
// before (block_locals.h).  A -O net is found by its number and a port net
// of a small declare through its instance, which keeps them out of the
// wire index.
list* find_wire(std::string_view name);
// The same without the signals of blocks that ended: the declaration
// that a new one of the same name repeats.
list* find_in_scope(std::string_view name);
// The signal whose Verilog name is `name`, in a block or not, or null.
list* find_verilog_name(std::string_view name);
// The first formal argument of the instruction `rec` (null: none); the
// others follow through `next`.
list* instr_args(const list* rec);

// The argument chain of the module's instruction `name` (may be null).
list* search_instr_list(const std::string& name);
// The argument chain of instruction `instr` of submodule instance `inst`.
list* search_declare_instr_list(const std::string& inst, const std::string& instr);
stage* search_stage_list(const std::string& name);
// The state of the stage named `name`; with first_check, a stage that
// already has a first state is refused.
state* search_state_list(stage* st, const std::string& name, int first_check);
// The first task of the stage named `name`.
task* search_task_list(stage* st, const std::string& name);

// The extended dialect's memories and register files (none without it).
// The memory or register file of that name, or null.
const list* memory_named(const std::string& name);
// The register file of which `name` names a word (f_2 is word 2 of f), or
// null; the word's number goes to `word` when that is not null.
const list* register_file_word(const std::string& name, long long* word = nullptr);

#endif
