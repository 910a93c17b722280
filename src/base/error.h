// Diagnostics: fatal errors, warnings, debug traces and the joke styles.
#ifndef SFLC_ERROR_H
#define SFLC_ERROR_H

#include <cstddef>
#include <cstdio>
#include <string>

// Thrown to end a run; the driver turns it into the exit status.
struct FatalExit {
    int status;
};

// Ends the run with the given status (the message has been written).
[[noreturn]] void fatal_exit(int status);

// "FILE: LINE: syntax error" (or its debug or joke form), exit status 1.
[[noreturn]] void syntax_error();
// Writes `why` as one line on stderr, then reports the syntax error.
[[noreturn]] void syntax_error_because(const std::string& why);
// "FILE: LINE: macro NAME is nested too deeply" and the syntax error.
[[noreturn]] void macro_nested_too_deeply(const std::string& name);
// "FILE: LINE: name duplication", exit status 1.
[[noreturn]] void name_duplication();
// "NAME: <system error text>", exit status 1.
[[noreturn]] void die(const std::string& name);
// "NAME: TEXT", exit status 1.
[[noreturn]] void die_because(const std::string& name, const char* text);
// "FILE: LINE: TEXT", exit status 1.
[[noreturn]] void die_at(const std::string& file, int line, const char* text);
// "PROGRAM: refusing to write the output over the ROLE file OUTPUT", exit
// status 1: the output (the Verilog, or the file `output`) would replace a
// source of the run.
[[noreturn]] void refuse_output_over(const char* role, const std::string& output);
[[noreturn]] void refuse_output_over(const char* role);
// True when both names exist and are one file (any spelling, links).
bool same_file(const std::string& a, const std::string& b);
// The most characters a text of the translation (an expression, a
// condition, a value and the statements that hold them) may have.
constexpr size_t kMaxTextChars = 4095;
// "buffer over flow: LINE", exit status 1, when a text of `chars`
// characters has outgrown kMaxTextChars.
void check_text_size(size_t chars);
inline void check_text_size(const std::string& text) { check_text_size(text.size()); }

void warning(const std::string& text);
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

extern const char recursive_note_sjis[];
extern const char call_face_sjis[];

#endif
