// The line of each statement of one source file, for --line-directives
// and --explain.
//
// The dispatcher tells it every piece of the file as it is read and every
// statement it reaches.  Under --line-directives it tells the run's places
// (source_places.h) the file and line the statement starts at; under
// --explain it registers the piece for the messages (source_points.h),
// with a copy of its text as read.  It counts by itself: the line
// counting of messages and -n stops inside included files, and these
// lines must not change it.  The newlines of a piece are found when the
// piece is read, before the handlers cut its text (a NUL may stand where
// a newline stood).  Without either option it does nothing.
#ifndef SFLC_STATEMENT_LINES_H
#define SFLC_STATEMENT_LINES_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state.h"

class StatementLines {
public:
    explicit StatementLines(const std::string& file);
    // The next piece of the file (pieces are whole lines, and a piece
    // after the first starts with the newline of the line before it).
    void piece(const std::string& text);
    // The dispatcher has reached a statement at `p`, in the last piece.
    void statement(const char* p);

private:
    bool on_;
    // The piece: its text, newlines and first line (and, under --explain,
    // its copy and the statement reached), known to the messages while
    // `walked_` lives.
    WalkedPiece piece_;
    std::optional<PieceBeingWalked> walked_;
    // How many newlines of the piece lie before the last statement reached.
    size_t passed_ = 0;
    // The line the next piece starts on.
    uint32_t next_first_line_ = 1;
};

#endif
