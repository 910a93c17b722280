// Register initial values (--extended): `reg_wr c<7> = 127;` gives a
// register with reset the value it takes at reset, and `reg r<12> = 1;`
// a register without reset the value it holds at power-up.
#ifndef SFLC_INITIAL_VALUES_H
#define SFLC_INITIAL_VALUES_H

#include <string>

#include "scan.h"

// Reads the text of the constant after the '=' of a register declaration,
// up to the ',' or ';' that ends the name; returns the position of that
// ',' or ';'.
char* read_initial_value(char* p, std::string& text);
// Gives `rec` the value of the constant `text` at its width.
void set_initial_value(const list* rec, const std::string& text);

#endif
