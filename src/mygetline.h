// Source loading: comment-free text, of a whole file or piece by piece.
#ifndef SFLC_MYGETLINE_H
#define SFLC_MYGETLINE_H

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "preprocessor.h"

// Where comment removal stands at the end of a line: inside a block
// comment, a single-quoted or a double-quoted text.
struct CommentState {
    int cm = 0, s_quote = 0, d_quote = 0;
};

// Reads the next line including its newline; false at end of file before
// any character was read.  CR LF and a CR alone end a line as LF does and
// read as one LF.
bool mygetline(FILE* stream, std::string& line);
// Opens a source file (the input or an included file) and fills `st`.
// Only a regular file is read: "NAME: not a regular file" (or the
// system's error text, for a directory too), exit status 1, otherwise.
FILE* open_source(const std::string& name, struct stat& st);
// Blanks the comments of one line in place under the comment state `st`,
// which carries over to the next line.
void blank_comments(std::string& line, CommentState& st);
// The same under the comment state of the run (g.comment).
void del_comment(std::string& line);
// The canonical name of a source file (the path itself when it has
// none), to recognise a file included again.
std::string canonical_path(const std::string& path);
// Reads the stream to its end and returns its lines with comments blanked.
std::string readfile_as_oneline(FILE* stream);

// Reads a source file in pieces of whole lines with comments blanked, so
// that a large file is never held whole.  A piece ends only where the
// statement dispatcher is between statements: after a line whose last
// character is ';' or a '}' that closes a block (one that follows ';', '{'
// or '}'), outside parentheses, quotes, the body of a stage_name and, under
// --extended, the body of a replication loop or of a stage.  The newline of
// that line starts the next piece, so that the line counting and the line
// printing of -n see the next line with it.
//
// The comment state that an included file starts with is the one at the
// end of the file that includes it (files are read as wholes): the reader
// keeps its own comment state and publishes its end state to the shared
// one when an include needs it, or when the file has been translated.
// A stream that is not a regular file is read whole at once.
//
// A NUL byte is an error: "NAME: LINE: NUL character in source", with the
// file's own name and line, exit status 1.
class SourceReader {
public:
    // `name`: the file's name for messages; `piece_bytes`: the size from
    // which a piece may end.
    SourceReader(FILE* stream, const std::string& name, size_t piece_bytes);
    // The next piece, or false at the end of the file.
    bool next(std::string& piece);
    // Sets the shared comment state to the one at the end of the file
    // (once; reads the rest of the file without keeping it).
    void publish_end_state();

private:
    // Follows the parentheses and stage_name bodies of one line; true when
    // a piece may end after it.
    bool may_end_after(const std::string& line);
    FILE* stream_;
    std::string name_;
    int lines_read_ = 0;
    size_t piece_bytes_;
    bool whole_ = false;
    bool handed_out_ = false;
    std::string whole_text_;
    bool published_ = false;
    CommentState state_;
    Preprocessor preprocessor_;
    std::string line_;
    bool carry_newline_ = false;
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
    // The last two characters seen that are not white space, across lines.
    char sig_ = 0, sig_before_ = 0;
};

#endif
