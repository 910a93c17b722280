// Memory words in expressions: reads, and the Verilog index of a word.
#ifndef SFLC_MEMORY_WORDS_H
#define SFLC_MEMORY_WORDS_H

#include <string>

#include "scan.h"

// The text between the '[' at `p` and its ']' into `inside`; returns the
// position of the ']'.
const char* bracketed(const char* p, std::string& inside);
// The Verilog index of a word of `mem` at the SFL address `address`.
std::string memory_address(const list* mem, std::string address);
// A word read, mem "[" address "]" with `p` at the '[': `token` becomes
// its Verilog text; returns the position after the ']' and blanks.
const char* memory_word(const char* p, const list* mem, std::string& token);

#endif
