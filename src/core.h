// The statement dispatcher, the scanning helpers every handler uses, the
// clean-ups of the tables, and module emission (core_emit.cpp).
#ifndef SFLC_CORE_H
#define SFLC_CORE_H

#include <cstdio>
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

// Clean-ups: the current module's tables (after it is printed), its
// instances, and the run-long tables (at the end of the run).
void delete_all_list();
void clear_instances();
void delete_declare();
void delete_run_tables();

// Translates the source file `in` (named `name` in messages about the
// file itself) into `out`, reading it in pieces; the first call of a run
// also writes the header lines.
void xlator_core(FILE* in, const std::string& name, FILE* out);

// The statement after the colon of an alternative whose condition (SFL
// text, Verilog when `translated`, or "else") is `cond`: the condition
// becomes the top level's.
char* alternative_statement(char* p, std::string cond, bool translated = false);

// Module emission (core_emit.cpp).
// Writes the finished module to `out`.
void print_output(FILE* out, const std::string& module_name);
// The connection line of a submodule instance.
std::string instance_line(const instance* in);

#endif
