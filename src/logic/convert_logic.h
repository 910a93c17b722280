// Translation of one SFL expression into Verilog.
#ifndef SFLC_CONVERT_LOGIC_H
#define SFLC_CONVERT_LOGIC_H

#include <string>

// Rewrites `text` from SFL into Verilog in place.  With want_width 1 the
// expression is checked and its width returned; otherwise the result is -1.
int convert_logic(std::string& text, int want_width);

#endif
