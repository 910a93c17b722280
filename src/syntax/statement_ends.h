// Where statements and their parts end in source text: the one scanner
// that finds the ';' of a statement, the ':' of an alternative or a case
// label, the bracket that closes a condition, an argument or an index,
// and the class that tells the source reader where a piece may end.
// Under --extended a character constant (';', '}') or a string constant
// ("a;b") is one unit: nothing inside it ends anything.  Without the
// option a quote is an ordinary character, as the expression reader
// takes it there.
#ifndef SFLC_STATEMENT_ENDS_H
#define SFLC_STATEMENT_ENDS_H

#include <string>

#include "mygetline.h"

// The first character of `stops` at or after `p` that stands outside
// quoted constants and outside the pairs of the bracket `nest` ('(', '['
// or '{'; 0: none) opened after `p`; the terminating NUL when there is
// none.  When `stops` holds ':', the colon of a bit range (`<7:0>`,
// `<W-1:0>`) ends nothing, and neither does a ':' right after it.  With
// `first_inside` the character at `p` belongs to the text whatever it is.
// The scanner counts no lines.
const char* find_end(const char* p, const char* stops, char nest = 0, bool first_inside = false);
char* find_end(char* p, const char* stops, char nest = 0, bool first_inside = false);

// Where the dispatcher is between statements, for the source reader: after
// a line whose last character is ';' or a '}' that closes a block (one
// that follows ';', '{' or '}'), outside parentheses, the body of a
// stage_name and, under --extended, the body of a replication loop or of a
// stage.  Never after a directive line, which runs to the end of its line
// and may need its newline.
class StatementEnds : public PieceBoundary {
public:
    bool may_end_after(const std::string& line) override;

private:
    // The character `c` seen, the last of the line so far.
    void seen(char c);
    // The word at `i` of `line`: the keywords that open what a piece may
    // not end inside; returns the position after it.
    size_t read_word(const std::string& line, size_t i);
    // Follows the parentheses and the braces of stage_name blocks, stage
    // bodies and replication loops.
    void bracket(char c);

    int paren_depth_ = 0;
    bool stage_name_seen_ = false;
    bool in_stage_name_ = false;
    // --extended: a `stage` keyword read, and the brace depth inside its body.
    bool stage_seen_ = false;
    int stage_depth_ = 0;
    // --extended: a replication loop, `par (...) { ... }`, is read whole:
    // its keyword was seen, its header, and the braces open in its body.
    bool loop_word_ = false;
    bool loop_header_ = false;
    int loop_braces_ = 0;
    // The last two characters seen that are not white space, across lines,
    // and the last one of the current line.
    char sig_ = 0, sig_before_ = 0, last_ = 0;
};

#endif
