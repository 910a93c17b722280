// --explain: messages in the form that compilers write them, which
// editors (Vim's quickfix, Emacs' compile mode, VS Code's problem
// matchers) read to jump to the mistake:
//
//     In file included from top.sfl:3:
//     isa.def:12:26: error: expected ';' after the assignment
//        12 |   ID_ADD = OPCODE == ADDI
//           |                          ^
//
// The file that holds the mistake is named as sflc opened it, the files
// that include it from the nearest outwards; the column counts bytes
// (a tab counts one), and the line under the source line copies its tabs,
// so that the caret stands under the mistake however tabs are shown.
// error.cpp writes every message; this file finds where a message points
// and writes it in this form.
#ifndef SFLC_EXPLAIN_H
#define SFLC_EXPLAIN_H

#include <string>
#include <vector>

#include "error.h"

// Writes the message `m` of `kind` ("error", "warning") in the form
// above and keeps its place as the run's last error place (an error).
// A syntax error is first looked at for a ';' that its statement lacks.
// `joke`, when not null, is the text of a joke style, which stands
// after the line number in place of "error: TEXT".
void write_explained(const char* kind, const Mistake& m, bool syntax, const char* joke = nullptr);
// Writes a line "note: TEXT" that points nowhere.
void write_explained_note(const std::string& text);
// Whether the warning `m` was written already at its line (then it is
// not written again); marks it as written.
bool explained_before(const Mistake& m);

// The place of the whole word `word` on the line of `line` (column 1
// when it is not found there).
SourcePoint word_on_line(SourcePoint line, const std::string& word);

// What stands at `p`, for a message: "'word'", "'('", "the end of the
// text".
std::string found_at(const char* p);

// The keyword that declares a signal of type `type` (T_INPUT ...).
const char* type_keyword(int type);
// "'NAME' is declared as KEYWORD".
std::string declared_as(const std::string& name, int type);

// The keywords that may start a statement where the word `word` stands
// and no keyword does: at the top level, in a declare block, in a module
// body.  The one closest to `word` ("did you mean 'instruct'?"), or empty.
// `word` itself when it is one of them.
enum class Where { kTopLevel, kDeclare, kBody };
std::string keyword_like(const std::string& word, Where where);
// Whether `word` is a keyword of the extended dialect only.
bool extended_keyword(const std::string& word);

// The name of `candidates` closest to `name` by the edits that turn one
// into the other (a character added, removed, changed, or two swapped),
// among those that differ by at most a third of the name's length; empty
// when none is so close (always for a name of one or two characters, and
// for one longer than kLongestSuggested).
std::string closest_name(const std::string& name, const std::vector<std::string>& candidates);
// The longest name that closest_name looks for a close one to.
constexpr size_t kLongestSuggested = 64;
// "; did you mean 'NAME'?" for the closest of `candidates`, or empty.
std::string did_you_mean(const std::string& name, const std::vector<std::string>& candidates);
// `names` as "'a', 'b' and 'c'" (at most `most` of them, then "...").
std::string quoted_list(const std::vector<std::string>& names, size_t most = 12);

#endif
