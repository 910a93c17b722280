// Memories and register files (--extended): their declarations and writes.
#ifndef SFLC_PROCESSES_MEMORY_H
#define SFLC_PROCESSES_MEMORY_H

#include <string>

#include "scan.h"

// "[" depth "]" after the name of a memory in its declaration (`name`
// as written, which a block-local memory does not keep in the output).
char* read_memory_depth(char* p, const list* mem, const std::string& name);
// A word written, mem "[" address "]" ":=" value ";" with `p` at the '['.
char* process_memory_write(char* p, const list* mem, const std::string& name);
// A word of a register file written by name, ":=" value ";" with `p` at the ':='.
char* process_register_file_write(char* p, const list* regfile, long long word);

#endif
