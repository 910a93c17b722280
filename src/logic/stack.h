// The condition stack of open blocks, and the -O naming of conditions.
#ifndef SFLC_STACK_H
#define SFLC_STACK_H

#include <string>

struct stack_entry;

// Opens a level (text null) or sets the top level's condition.  The text
// is simplified in place under -O.
void stack_push(std::string* text, int kind);
// The condition under which an alternative of the alt or any level `e`
// is evaluated: that none of the alternatives before it holds ("1'b1"
// before the first).
std::string earlier_alternatives_fail(const stack_entry& e);
// Opens the level of a switch body: an alt level whose alternatives
// compare `subject`, a translated expression of `width` bits, with their
// case labels.
void stack_push_switch(const std::string& subject, int width);
// Closes the top level and the single-statement levels waiting for it.
void stack_pop();
// Closes single-statement levels at the top of the stack.
void stack_pop_check();
// Empties every level.
void stack_clear();
// Reopens, for an `else`, the levels that the end of its `if` statement
// closed; returns the negated condition of that `if`, or null when the
// last statement end closed no `if`.
const std::string* prepare_else();

// Removes the always-true factors "(1'b1)&" and "&(1'b1)".
void delete_1b1(std::string& text);
// Under -O: replaces a non-trivial condition by a shared generated net.
void do_optimize(std::string& text);
int check_logic(const std::string& text);
void optimization(std::string& text);
// The name of a generated net of `width` bits driven always by the
// Verilog expression `text`: a net made for the same text and width
// before, else a new one.
std::string expression_net(const std::string& text, int width);

#endif
