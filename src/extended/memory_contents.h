// Memory contents (--extended): `mem rom[4]<8> = { 0x12, 0x34, 0x56, 0x78 };`
// gives words 0, 1, ... the listed constants at the memory's width, every
// word not listed 0.  The Verilog is an initial block assigning each word,
// which simulators and synthesis both take as the memory's initial
// contents (a memory never written stays a ROM).
#ifndef SFLC_MEMORY_CONTENTS_H
#define SFLC_MEMORY_CONTENTS_H

#include <cstdio>
#include <string>

#include "scan.h"

// Reads "{" value { "," value } "}" at `p` (after the '=') into `text`,
// the values without the braces; returns the position of the ',' or ';'
// after the '}'.
char* read_memory_contents(char* p, std::string& text);
// Gives the memory `mem` (its depth and width known) the values `text`:
// more values than words, or a value that is no constant, is a syntax error.
void set_memory_contents(const list* mem, const std::string& text);

#endif
