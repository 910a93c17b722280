// Assignment collection: every assignment becomes a condition/value pair
// of its target signal.
#ifndef SFLC_SET_LOGIC_H
#define SFLC_SET_LOGIC_H

#include <string>
#include <string_view>

#include "scan.h"

// Collects the assignment statement at `text`; `check` is 1 for statements
// of the source (the assignment form must fit the target's type).  Returns
// the position after the statement's ';'.
char* set_logic(char* text, int check);
// Collects a statement made by the translator itself (check 0).
void set_logic_text(std::string statement);
// Assigns the actual arguments at `text` (just after '(') to the formal
// arguments `formal` of an instruction of the instance `inst` (empty: of
// the module itself); returns the position of the closing ')'.
char* process_module_port(char* text, const std::string& inst, list* formal);
// Instruction calls: the call is activated under the conditions of the
// open levels, and the actual arguments at `args` (just after '(' and
// white space) are bound to its formal arguments; each returns the
// position of the ')' that ends the arguments.
// f(args): the module's own instruction.
char* call_own_instruction(const std::string& f, char* args);
// inst.f(args): an instruction of the submodule instance `inst`.
char* call_instance_instruction(const std::string& inst, const std::string& f, char* args);
// The activation alone, for a call whose arguments are not read.
void activate_instance_instruction(const std::string& inst, const std::string& f);
// The value of an assignment before it is translated: indexed names
// resolved, and calls whose output port is read (u.f(a).q) activated and
// replaced by the port's net.
void prepare_value(std::string& value);
// Reads one actual argument up to the ',' or ')' that ends it.
char* read_term(char* text, std::string& term);
// The condition of a pair as a module Text: a condition equal to the last
// one stored shares its text (statements in one block share conditions), and
// so do the common constants and the names of the module's signals.
Text condition_text(std::string_view cond);
// The same, storing the pair's condition under -O: `entry` holds the pair
// and owns its condition while the text is new and no later pair shares it.
Text merge_condition_text(std::string_view cond, MergeEntry* entry);
// The same for the value of a pair.
Text value_text(std::string_view value);
// Gives the net `rec` the one pair that drives it always with `value` (a
// net the translator makes for an expression).
void drive_always(list* rec, const std::string& value);
// The condition of an assignment made now, from all open levels, and
// `factor` (a Verilog condition) when that is not empty.
std::string build_condition(const std::string& factor = "");
// expr ";" at `p`, the value of an assignment to a target of
// `target_width` bits (0: none known): its Verilog text goes to `value`
// and its width to `width`; returns the position after the ';'.
char* read_assigned_value(char* p, int target_width, std::string& value, int& width);
// Refuses an assignment whose form does not fit its target: `:=` for
// registers only, `=` for the others, none to an input.
// --explain: the warning that the value assigned to `target` (`left`
// bits) has `right` bits.
Mistake assignment_widths(const std::string& target, int left, int right);
void check_assignment_form(const list* rec, bool reg_flag);
// Appends a condition/value pair to the target's chain (under -O, joins
// the condition to that of the pair of the same value).
void store_pair(list* target, const std::string& cond, const std::string& value);

#endif
