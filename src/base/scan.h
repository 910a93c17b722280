// Scanning helpers that every reader of SFL text shares: character
// classes, white space (with the line counting of messages and -n),
// identifiers and keywords.
#ifndef SFLC_SCAN_H
#define SFLC_SCAN_H

#include <string>

#include "state.h"

// Scanning helpers.  The scanners test every character of the source
// several times, so the classes of the characters are looked up in one
// table (C-locale classes: blanks, letters, digits, and '_').
namespace char_class {
enum : unsigned char { kSpace = 1, kAlpha = 2, kDigit = 4, kUnderscore = 8 };
struct Table {
    unsigned char of[256];
};
constexpr Table make_table() {
    Table t{};
    for (int c = 0; c < 256; ++c) {
        unsigned char k = 0;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') k |= kSpace;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) k |= kAlpha;
        if (c >= '0' && c <= '9') k |= kDigit;
        if (c == '_') k |= kUnderscore;
        t.of[c] = k;
    }
    return t;
}
inline constexpr Table kTable = make_table();
inline bool has(char c, unsigned char classes) { return (kTable.of[static_cast<unsigned char>(c)] & classes) != 0; }
}  // namespace char_class

inline bool is_space(char c) { return char_class::has(c, char_class::kSpace); }
inline bool is_alpha(char c) { return char_class::has(c, char_class::kAlpha); }
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool is_alnum(char c) { return char_class::has(c, char_class::kAlpha | char_class::kDigit); }
inline bool is_ident_start(char c) { return char_class::has(c, char_class::kAlpha | char_class::kUnderscore); }
inline bool is_ident_char(char c) {
    return char_class::has(c, char_class::kAlpha | char_class::kDigit | char_class::kUnderscore);
}
// A character of a name in a translated text, where the made-up name of a
// block-local signal holds a '$' (block_locals.h).
inline bool is_verilog_name_char(char c) { return is_ident_char(c) || c == '$'; }

// The line-counting step for a newline just passed: `after` is the
// character after it.
void count_newline(const char* after);
// Counts the newlines between `from` and `to` (a statement's text read
// at once).
void count_newlines(const char* from, const char* to);
// Skips white space, counting lines.
char* skip_ws(char* p);
const char* skip_ws(const char* p);
// Skips white space without counting lines (inside copied texts).
const char* skip_space_only(const char* p);
// Reads an identifier (syntax error when there is none).
char* read_identifier(char* src, std::string& dst);
const char* read_identifier(const char* src, std::string& dst);
// Reads an identifier into a module text.
char* read_identifier(char* src, Text& dst);
// Removes every white-space character.
void delete_space(std::string& text);

// 1 when `keyword` stands at `text`, followed by white space or by `alt`.
int mycmp(const char* text, const char* keyword, int alt);
// 1 when `keyword`, which stands before a block, is at `text`, followed by
// white space or, under --extended, directly by the block's '{' (else{).
int block_keyword(const char* text, const char* keyword);

#endif
