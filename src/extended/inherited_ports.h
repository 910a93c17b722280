// --extended: a module takes its ports from the `declare` of its name.
// The declare's ports (with widths and instruction arguments) are the
// module's first signals after m_clock and p_reset; a declaration in the
// body of an inherited name replaces it (the port moves to where the body
// declares it), and an instr_arg in the body replaces the inherited
// arguments of its instruction.
#ifndef SFLC_INHERITED_PORTS_H
#define SFLC_INHERITED_PORTS_H

#include <string>

#include "records.h"

// Enters the ports of the declare named `module_name`, if there is one.
void inherit_declare_ports(const std::string& module_name);

#endif
