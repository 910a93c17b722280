// switch and its case labels (--extended).
#ifndef SFLC_PROCESSES_SWITCH_H
#define SFLC_PROCESSES_SWITCH_H

#include <string>

#include "scan.h"

char* process_switch(char* p);
char* process_case(char* p);
// True when the top level of the condition stack is a switch body.
bool in_switch_body();

#endif
