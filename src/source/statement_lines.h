// The line of each statement of one source file, for --line-directives.
//
// The dispatcher tells it every piece of the file as it is read and every
// statement it reaches, and it tells the run's places (source_places.h)
// the file and line the statement starts at.  It counts by itself: the
// line counting of messages and -n stops inside included files, and these
// lines must not change it.  The newlines of a piece are found when the
// piece is read, before the handlers cut its text (a NUL may stand where
// a newline stood).  Without --line-directives it does nothing.
#ifndef SFLC_STATEMENT_LINES_H
#define SFLC_STATEMENT_LINES_H

#include <cstdint>
#include <string>
#include <vector>

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
    uint32_t file_ = 0;
    const char* start_ = nullptr;
    size_t size_ = 0;
    // The offsets of the piece's newlines, and how many of them lie
    // before the last statement reached.
    std::vector<size_t> newlines_;
    size_t passed_ = 0;
    // The line the piece starts on, and the one the next piece starts on.
    uint32_t first_line_ = 1;
    uint32_t next_first_line_ = 1;
};

#endif
