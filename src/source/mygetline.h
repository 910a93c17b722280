// Source loading: comment-free text, of a whole file or piece by piece.
#ifndef SFLC_MYGETLINE_H
#define SFLC_MYGETLINE_H

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "preprocessor.h"
#include "state.h"

// Reads the next line including its newline; false at end of file before
// any character was read.  CR LF and a CR alone end a line as LF does and
// read as one LF.
bool mygetline(FILE* stream, std::string& line);
// Opens a source file (the input or an included file) and fills `st`.
// Only a regular file is read: "NAME: not a regular file" (or the
// system's error text, for a directory too), exit status 1, otherwise
// (under --explain, at `at`: where an %i directive names it).
FILE* open_source(const std::string& name, struct stat& st, const char* at = nullptr);
// Blanks the comments of one line in place under the comment state `st`,
// which carries over to the next line.
void del_comment(std::string& line, CommentState& st);
// The canonical name of a source file (the path itself when it has
// none), to recognise a file included again.
std::string canonical_path(const std::string& path);
// Reads the stream to its end and returns its lines with comments
// blanked (and, under --extended, preprocessor lines applied), starting in
// the comment state `st`, which is left as it stands at the end: how a
// stream that is not a regular file is read.
std::string readfile_as_oneline(FILE* stream, CommentState& st);

// Where a piece of a source file may end: told every line as it is read
// (comments blanked), it answers whether the text read so far may end a
// piece.  The translator gives it: it knows where its statements end.
class PieceBoundary {
public:
    virtual ~PieceBoundary() = default;
    virtual bool may_end_after(const std::string& line) = 0;
};

// Reads a source file in pieces of whole lines with comments blanked, so
// that a large file is never held whole.  A piece ends only after a line
// that `boundary` accepts, outside comments and quotes, once the piece
// holds `piece_bytes`.  The newline of that line starts the next piece,
// so that the line counting and the line printing of -n see the next
// line with it.
//
// The reader starts in a given comment state (an included file starts in
// the one at the end of the file that includes it, as if files were read
// whole one after the other) and hands over the state at the end of its
// file once, when asked.  A stream that is not a regular file is read
// whole at once.
//
// A NUL byte is an error: "NAME: LINE: NUL character in source", with the
// file's own name and line, exit status 1.
class SourceReader {
public:
    // `name`: the file's name for messages; `piece_bytes`: the size from
    // which a piece may end; `start`: the comment state it starts in.
    SourceReader(FILE* stream, const std::string& name, size_t piece_bytes, PieceBoundary& boundary,
                 const CommentState& start);
    // The next piece, or false at the end of the file.
    bool next(std::string& piece);
    // The first time: sets `shared` to the comment state at the end of the
    // file (reading the rest of the file without keeping it); later: nothing.
    void publish_end_state(CommentState& shared);

private:
    bool inside_comment_or_quote() const { return state_.cm || state_.s_quote || state_.d_quote; }
    FILE* stream_;
    std::string name_;
    int lines_read_ = 0;
    size_t piece_bytes_;
    PieceBoundary& boundary_;
    CommentState state_;
    bool whole_ = false;
    bool handed_out_ = false;
    std::string whole_text_;
    bool published_ = false;
    Preprocessor preprocessor_;
    std::string line_;
    bool carry_newline_ = false;
};

#endif
