// Memory words in expressions: reads, and the Verilog index of a word.
#ifndef SFLC_MEMORY_WORDS_H
#define SFLC_MEMORY_WORDS_H

#include <string>
#include <string_view>

#include "scan.h"

// The text between the '[' at `p` and its ']' into `inside`; returns the
// position of the ']'.
const char* bracketed(const char* p, std::string& inside);
// The Verilog index `index` (an SFL expression) of one of `count` words
// or elements of `owner`: a signal's name as it is; else the wire that
// computes it, of the expression's width (put into `width`), made once per
// expression.  A width too narrow to reach every one warns `what`.
std::string computed_index(std::string_view owner, long long count, std::string index, const std::string& what,
                           int& width);
// The Verilog index of a word of `mem` at the SFL address `address`.
std::string memory_address(const list* mem, const std::string& address);
// A word read, mem "[" address "]" with `p` at the '[': `token` becomes
// its Verilog text; returns the position after the ']' and blanks.
const char* memory_word(const char* p, const list* mem, std::string& token);

#endif
