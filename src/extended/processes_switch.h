// switch and its case labels (--extended).
#ifndef SFLC_PROCESSES_SWITCH_H
#define SFLC_PROCESSES_SWITCH_H

#include <string>

#include "scan.h"

char* process_switch(char* p);
char* process_case(char* p);
// True when the top level of the condition stack is a switch body.
bool in_switch_body();
// True when a case of a switch body stands at `p`: "case", "default" or
// "(" "case"; any other alternative there is a plain condition, read as
// an alternative of an alt block.
bool case_at(const char* p);

#endif
