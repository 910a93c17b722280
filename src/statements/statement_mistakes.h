// --explain: the mistakes that the dispatcher finds in the shape of the
// source rather than in one statement: a word that starts no statement
// (a misspelt keyword), a '}' too many, a block that the end of a file
// leaves open.  Each reports the syntax error, in its plain form too.
#ifndef SFLC_STATEMENT_MISTAKES_H
#define SFLC_STATEMENT_MISTAKES_H

#include <string>
#include <vector>

#include "error.h"

// The blocks open in a dispatcher frame: the place of each '{' (unknown
// for one in a text the translator made), outermost first.  Kept under
// --explain only.
class OpenBraces {
public:
    void opened(const char* brace);
    void closed();
    // The innermost open '{', or an unknown place.
    SourcePoint innermost() const;

private:
    std::vector<SourcePoint> places_;
};

// The statement at `p` at the top level starts with no top-level keyword.
[[noreturn]] void unknown_top_level(const char* p);
// The statement at `p` in a declare block declares nothing.
[[noreturn]] void unknown_in_declare(const char* p);
// The '}' at `p` closes a block that the file including this one opened.
[[noreturn]] void brace_of_including_file(const char* p);
// The '}' at `p` ends a declare block or the module `module_name`: kept
// for a message about a '}' too many.
void block_ended(const char* p, const std::string& module_name);
// The end of a file leaves blocks open: `depth` braces (the innermost
// one's place in `braces`), `levels` levels of statements waiting for
// their body; `header`: a module or declare header without its '{';
// `included`: the file is included into a body.  `plain` is the line of
// the plain form ("{ } depth=..."), empty for none.
[[noreturn]] void unclosed_at_end(const OpenBraces& braces, int depth, int levels, bool header, bool included,
                                  const std::string& plain);

#endif
