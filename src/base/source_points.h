// --explain: where in the source files a message points.
//
// Each dispatcher that walks a file registers the piece of it in hand
// (source/statement_lines.h fills it in): its text as read (comments
// blanked, lines ending in LF), a copy of that text kept before the
// handlers cut it, the offsets of its newlines and the line it starts on,
// and the statement the dispatcher reached last.  A pointer into a piece
// is then a file, a line and a column, and the pieces of the files being
// included form the chain that a message names ("In file included from").
// Nothing is registered without --explain.
#ifndef SFLC_SOURCE_POINTS_H
#define SFLC_SOURCE_POINTS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A place in a source file: its number (SourcePlaces::file_number), the
// line from 1 and the column from 1 in bytes (a tab counts one); line 0
// is no place.
struct SourcePoint {
    uint32_t file = 0;
    uint32_t line = 0;
    uint32_t column = 0;
    bool known() const { return line != 0; }
    bool operator==(const SourcePoint& o) const { return file == o.file && line == o.line && column == o.column; }
};

// The piece of one source file that a dispatcher walks.
struct WalkedPiece {
    uint32_t file = 0;
    const char* start = nullptr;
    size_t size = 0;
    // The piece as it was read, and the offsets of its newlines.
    std::string original;
    std::vector<size_t> newlines;
    uint32_t first_line = 1;
    // The statement the dispatcher reached last (in this piece).
    const char* statement = nullptr;
    // The last token of the file read so far, and whether one was seen.
    SourcePoint last_token;
    // The piece of the file that includes this one, when it is walked.
    WalkedPiece* outer = nullptr;

    bool holds(const char* p) const { return start && p >= start && p <= start + size; }
    // The place of `p`, which the piece holds.
    SourcePoint point(const char* p) const { return point_at(static_cast<size_t>(p - start)); }
    SourcePoint point_at(size_t offset) const;
    // The place of the statement reached last (line 0: none).
    SourcePoint statement_point() const;
    // The offset of the statement reached last in `original`.
    size_t statement_offset() const { return static_cast<size_t>(statement - start); }
};

// The innermost piece being walked, or null.
const WalkedPiece* walked_piece();
// The place of `p` in the piece of the innermost file that holds it (line
// 0 when it is in none: a text that the translator made).
SourcePoint point_of(const char* p);

// The offset in the innermost piece (whose statement reached last is
// read) at which the word `word` (a name, or "a.b") stands as a whole
// word in that statement; npos when it does not.
size_t word_in_statement(const WalkedPiece& piece, const std::string& word);

// The offset in the innermost piece at which the text `copy` stands in
// the statement reached last, as it is and with its ends at the ends of
// tokens; npos when it does not.
size_t copy_in_statement(const WalkedPiece& piece, const std::string& copy);

// A ';' that the statement reached last lacks: its text, cut at a line
// break (or before a '}'), reads as a whole statement followed by the
// start of another one.  Only a break before the offset `before` counts.
// Returns the offset just after the last token before the break, and in
// `what` what the statement is ("the assignment", "the declaration",
// ...); npos when there is none.
size_t missing_semicolon(const WalkedPiece& piece, size_t before, std::string& what);

#endif
