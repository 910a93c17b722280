// Source loading: whole files read as one comment-free text.
#ifndef SFLC_MYGETLINE_H
#define SFLC_MYGETLINE_H

#include <cstdio>
#include <string>

// Reads the next line including its newline; false at end of file before
// any character was read.  A carriage return before the newline is dropped.
bool mygetline(FILE* stream, std::string& line);
// Blanks the comments of one line in place; the comment state carries over
// to the next line.
void del_comment(std::string& line);
// Reads the stream to its end and returns its lines with comments blanked.
std::string readfile_as_oneline(FILE* stream);

#endif
