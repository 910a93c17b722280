// Macros defined again inside a module body (--extended).  A module is
// printed at its closing brace, after the `define lines of every macro
// defined in its body, so a use written as `K would mean the last
// definition of K in the body even where an earlier one stands.  A
// definition inside a body of a name defined before therefore gets a
// Verilog name of its own, K$1, K$2, ... (no SFL name holds a '$'), and
// each use is written with the Verilog name of the definition in force
// where it stands.  Definitions at the top level keep their names, as
// Verilog reads those lines in order between the modules.
//
// A macro's define text names other macros, which Verilog reads where the
// macro is used: such a text means at the module what the macro means
// where it is used unless a macro it names was defined again, under
// another Verilog name, after it (or names such a version itself).  Then
// the use is translated in place from the macro's value, as the value of
// a macro with a select through a net is.
#ifndef SFLC_MACRO_VERSIONS_H
#define SFLC_MACRO_VERSIONS_H

#include <functional>
#include <string>

#include "scan.h"

// The Verilog name of the macro `name` defined now (`m`, its new
// record), inside a module or circuit body when `in_body`.
Text macro_verilog_name(const std::string& name, const list* m, bool in_body);
// Notes the translated define text of the macro `m`.
void note_define_text(const list* m, const std::string& text);
// Whether the define text of the macro `m`, the definition in force here,
// means another value at the module than `m` means here.
bool macro_out_of_date(const list* m);
// Whether `test` holds for a name of the SFL text `value` (names inside
// quoted strings and characters left out).
bool any_name(const std::string& value, const std::function<bool(const std::string&)>& test);

#endif
