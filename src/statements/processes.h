// Construct handlers: each takes the position of its statement in the
// source and returns the position at which the dispatcher goes on.
#ifndef SFLC_PROCESSES_H
#define SFLC_PROCESSES_H

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan.h"

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

// Source directives: macros and includes (processes_macro.cpp).
char* process_define(char* p, FILE* out);
// Opens the file that the `%i` directive at `p` names and hands it and
// its path to `translate`; returns the position after the directive.
char* process_include(char* p, const std::function<void(FILE*, const std::string&)>& translate);

#endif
