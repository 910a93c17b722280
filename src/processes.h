// Construct handlers: each takes the position of its statement in the
// source and returns the position at which the dispatcher goes on.
#ifndef SFLC_PROCESSES_H
#define SFLC_PROCESSES_H

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core.h"

// 1 when `keyword` stands at `text`, followed by white space or by `alt`.
int mycmp(const char* text, const char* keyword, int alt);

// Module structure and signals (processes.cpp).
char* process_recursive(char* p, std::string& module_name);
char* process_module(char* p, std::string& module_name, int recursive);
char* process_declare(char* p);
// 1 when a signal declaration keyword (input, reg, instrself, ...) stands at `p`.
bool is_wire_keyword(const char* p);
char* process_wire(char* p);

// Instruction arguments (processes_instr_arg.cpp).
char* process_instr_arg(char* p);
char* register_instr_arg(list* head, char* p);
// --extended: the argument list "(" a, b ")" written after an instruction
// in its declaration, at `p` ('('); returns the position after the ')'.
char* read_terminal_args(char* p, std::vector<std::string>& names);
// Gives the instruction `rec` the arguments read so.
void enter_terminal_args(const list* rec, const std::vector<std::string>& names);
// At the end of a module or declare block: every argument named in such a
// list must be declared in the block.
void check_terminal_args();

// Stages, states and transfers (processes_stage.cpp).
char* process_stage_name(char* p);
char* process_stage(char* p, std::string& current_stage);
// --extended: a stage body (at its '{') with state blocks and no state_name
// statement declares the states of those blocks, in order, as a
// `state_name` opening the body would; true when it did.
bool declare_implicit_states(const std::string& stage_name, const char* body);
char* process_state_name(char* p, const std::string& current_stage);
char* insert_state_list(char* p, const std::string& stage_name);
char* process_first_state(char* p, const std::string& current_stage);
char* process_state(char* p, const std::string& current_stage, int& state_name_flag);
char* process_generate(char* p);
char* process_generate_core(char* p);
// stage.task(args); as a statement (--extended): a generate whose
// single-statement levels the caller closes.
bool is_task_start(const std::string& name);
char* process_task_start(char* p);
char* process_goto(char* p, const std::string& current_stage);
char* process_finish(char* p, const std::string& current_stage);
char* process_relay(char* p, const std::string& current_stage);

// Condition headers (processes_condition.cpp).
// Reads "(" text ")" with nested parentheses at `p` into `text`; returns
// the position after the ')'.
char* read_parenthesised(char* p, std::string& text);
char* process_if(char* p);
char* process_instruct(char* p);

// Memories and register files (processes_memory.cpp).
// The memory or register file of that name, or null.
const list* memory_named(const std::string& name);
// The register file of which `name` names a word (f_2 is word 2 of f), or
// null; the word's number goes to `word` when that is not null.
const list* register_file_word(const std::string& name, long long* word = nullptr);
// "[" depth "]" after the name of a memory in its declaration (`name`
// as written, which a block-local memory does not keep in the output).
char* read_memory_depth(char* p, const list* mem, const std::string& name);
// A word read, mem "[" address "]" with `p` at the '[': `token` becomes
// its Verilog text; returns the position after the ']' and blanks.
const char* memory_word(const char* p, const list* mem, std::string& token);
// A word written, mem "[" address "]" ":=" value ";" with `p` at the '['.
char* process_memory_write(char* p, const list* mem, const std::string& name);
// A word of a register file written by name, ":=" value ";" with `p` at the ':='.
char* process_register_file_write(char* p, const list* regfile, long long word);
// The always block of a memory's writes.
void print_memory(FILE* out, const list* mem);
// The Verilog text of a computed index, the SFL expression `index`, of
// one of `count` words or elements of `owner` (a memory or an array):
// the index itself when it translates to a name, else a wire of its own
// width driven by it (so that it wraps as SFL arithmetic does), one per
// expression.  Its width goes to `width`; an index too narrow to reach
// every word warns about `what`.
std::string computed_index(std::string_view owner, long long count, std::string index, const std::string& what,
                           int& width);

// switch and its case labels (processes_switch.cpp).
char* process_switch(char* p);
char* process_case(char* p);
// True when the top level of the condition stack is a switch body.
bool in_switch_body();

// x++, x--, x += e, ... (processes_increment.cpp).
// True when one of the operators ++ -- += -= &= |= stands at `p`.
bool is_compound_transfer(const char* p);
char* process_compound_transfer(char* p, const std::string& target);

// Source directives: macros and includes (processes_macro.cpp).
char* process_define(char* p, FILE* out);
// The path at which `%i "name"` finds its file: an absolute name as it
// is, else the first that exists of the name in the input file's directory
// and in each -I folder; when none does, the last path tried.
std::string include_path(const std::string& name);
// Opens the file that the `%i` directive at `p` names and hands it and
// its path to `translate`; returns the position after the directive.
char* process_include(char* p, const std::function<void(FILE*, const std::string&)>& translate);

#endif
