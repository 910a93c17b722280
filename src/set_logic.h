// Assignment collection: every assignment becomes a condition/value pair
// of its target signal.
#ifndef SFLC_SET_LOGIC_H
#define SFLC_SET_LOGIC_H

#include <string>

#include "core.h"

// Collects the assignment statement at `text`; `check` is 1 for statements
// of the source (the assignment form must fit the target's type).  Returns
// the position after the statement's ';'.
char* set_logic(char* text, int check);
// Collects a statement made by the translator itself (check 0).
void set_logic_text(std::string statement);
// Assigns the actual arguments at `text` (just after '(') to the formal
// arguments `formal`; returns the position of the closing ')'.
char* process_module_port(char* text, const std::string& prefix, list* formal);
// Reads one actual argument up to the ',' or ')' that ends it.
char* read_term(char* text, std::string& term);
// The condition of an assignment made now, from all open levels.
std::string build_condition();

#endif
