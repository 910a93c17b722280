// Diagnostics: fatal errors, warnings, debug traces and the joke styles.
#ifndef SFLC_ERROR_H
#define SFLC_ERROR_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "source_points.h"

// Thrown to end a run; the driver turns it into the exit status.
struct FatalExit {
    int status;
};

// Ends the run with the given status (the message has been written).
[[noreturn, gnu::cold]] void fatal_exit(int status);

// What a message of the translation says under --explain, and where it
// points (the plain messages use neither).  `at` points into the source
// being translated; where the mistake lies in a text that the translator
// made, `copy` is that text (an expression cut out of the statement) and
// `offset` the mistake's place in it, found where the text stands in the
// statement; or `word` names the word of the statement to point at;
// `point` is a place known already (a block's '{' read earlier).  With
// none of them the message points at the statement.  Each note is a line
// "note:" of its own, at its place.
struct Mistake {
    const char* at = nullptr;
    std::string word;
    SourcePoint point;
    std::string text;
    struct Note {
        SourcePoint point;
        std::string text;
    };
    std::vector<Note> notes;
    std::string copy;
    size_t offset = 0;
    // Whether the place is the mistake's whatever the statement holds
    // before it (no ';' that it lacks is looked for).
    bool definite = false;

    Mistake() = default;
    // The mistake at `at` (null: the statement).
    Mistake(const char* where, std::string what) : at(where), text(std::move(what)) {}
};
// The mistake at the word `word` of the statement.
inline Mistake at_word(const std::string& word, const std::string& text) {
    Mistake m(nullptr, text);
    m.word = word;
    return m;
}
// The mistake at a place known already.
inline Mistake at_point(const SourcePoint& point, const std::string& text) {
    Mistake m(nullptr, text);
    m.point = point;
    return m;
}
// The mistake at `offset` of the text `copy` cut out of the statement (at
// `word` when the text no longer stands there as it is).
inline Mistake in_copy(const std::string& copy, size_t offset, const std::string& text, const std::string& word = {}) {
    Mistake m = at_word(word, text);
    m.copy = copy;
    m.offset = offset;
    return m;
}

// "FILE: LINE: syntax error" (or its debug or joke form), exit status 1;
// under --explain the mistake's file, line, column and text.
[[noreturn, gnu::cold]] void syntax_error(const Mistake& m);
[[noreturn, gnu::cold]] void syntax_error(const char* at, const std::string& text);
// Writes `note` as one line on `to` (the plain form only), then reports
// the syntax error.
[[noreturn, gnu::cold]] void syntax_error_after(FILE* to, const std::string& note, const Mistake& m);
// "FILE: LINE: macro NAME is nested too deeply" and the syntax error.
[[noreturn, gnu::cold]] void macro_nested_too_deeply(const std::string& name);
// "FILE: LINE: name duplication", exit status 1.
[[noreturn, gnu::cold]] void name_duplication(const Mistake& m);
// An error of the translation that its plain form reports as `plain`
// (whole lines) on standard error, exit status 1.
[[noreturn, gnu::cold]] void translation_error(const std::string& plain, const Mistake& m);
[[noreturn, gnu::cold]] void translation_error(FILE* to, const std::string& plain, const Mistake& m);
// "NAME: <system error text>", exit status 1 (under --explain, inside a
// translation, at `at`: the name of an included file).
[[noreturn, gnu::cold]] void die(const std::string& name, const char* at = nullptr);
// "NAME: TEXT", exit status 1.
[[noreturn, gnu::cold]] void die_because(const std::string& name, const char* text, const char* at = nullptr);
// "FILE: LINE: TEXT", exit status 1 (`column`: of the mistake, for --explain).
[[noreturn, gnu::cold]] void die_at(const std::string& file, int line, int column, const char* text);
// "PROGRAM: refusing to write the output over the ROLE file OUTPUT", exit
// status 1: the output (the Verilog, or the file `output`) would replace a
// source of the run.
[[noreturn, gnu::cold]] void refuse_output_over(const char* role, const std::string& output);
[[noreturn, gnu::cold]] void refuse_output_over(const char* role);
// True when both names exist and are one file (any spelling, links).
bool same_file(const std::string& a, const std::string& b);
// The most characters a text of the translation (an expression, a
// condition, a value and the statements that hold them) may have.
constexpr size_t kMaxTextChars = 4095;
// "buffer over flow: LINE", exit status 1, when a text of `chars`
// characters has outgrown kMaxTextChars.
void check_text_size(size_t chars);
inline void check_text_size(const std::string& text) { check_text_size(text.size()); }

// "FILE: LINE: Warning: operand width unmatch for TEXT"; under --explain
// the warning `m` (each text once a line).
void warning(const std::string& text, const Mistake& m);
void debug_message(const std::string& text);
// Writes the text from p up to the next newline, then a newline, to `to`.
void print_oneline(const char* p, FILE* to = stdout);
// Where the notes that sflc writes on standard output unasked go (the
// success line of the joke styles, the notes before some errors): stdout,
// or stderr when the Verilog goes to standard output (-o -).  The traces
// of -d, -n and -p stay on stdout.
FILE* message_stream();
// The closing line of the selected message style after a successful run.
void print_success_line();
// The note that a recursive module is read as a module (on
// message_stream(), plain form only).
void note_recursive();
// --explain, after the error: the run that was tried in the extended
// dialect got past it.
void note_extended_accepts();

extern const char recursive_note_sjis[];
extern const char call_face_sjis[];

#endif
