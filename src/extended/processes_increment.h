// x++, x--, x += e, ... (--extended).
#ifndef SFLC_PROCESSES_INCREMENT_H
#define SFLC_PROCESSES_INCREMENT_H

#include <string>

#include "scan.h"

// True when one of the operators ++ -- += -= &= |= stands at `p`.
bool is_compound_transfer(const char* p);
char* process_compound_transfer(char* p, const std::string& target);

#endif
