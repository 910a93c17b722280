// Names that sflc copies into the output as Verilog identifiers.
#ifndef SFLC_VERILOG_NAMES_H
#define SFLC_VERILOG_NAMES_H

#include <string_view>

// True when `name` is a reserved word of Verilog-2005 (IEEE 1364-2005,
// Annex B).  SystemVerilog-only keywords (logic, bit, int, do, ...) are
// not: they are valid Verilog-2005 names.
bool is_verilog_keyword(std::string_view name);

// A module, port, signal, instance, declare or macro name that is a
// Verilog reserved word would make the output invalid: "reserved word of
// Verilog: NAME", then the syntax error of the line, exit status 1.
void check_verilog_name(std::string_view name);

#endif
