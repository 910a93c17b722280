#include "error.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

#include "explain.h"
#include "state.h"

// The joke texts, as bytes of Shift_JIS and EUC-JP.
// 47 bytes
const char tundere_success_sjis[] = "\x82\xd7\x95\xca\x82\xc9\x82\xa0\x82\xf1\x82\xbd\x82\xcc\x82\xbd\x82\xdf\x82\xc9\x82\xe2\x82\xc1\x82\xbd\x82\xf1\x82\xb6\x82\xe1\x82\xc8\x82\xa2\x82\xf1\x82\xbe\x82\xa9\x82\xe7\x82\xcb!";
// 47 bytes
const char tundere_success_eucjp[] = "\xa4\xd9\xca\xcc\xa4\xcb\xa4\xa2\xa4\xf3\xa4\xbf\xa4\xce\xa4\xbf\xa4\xe1\xa4\xcb\xa4\xe4\xa4\xc3\xa4\xbf\xa4\xf3\xa4\xb8\xa4\xe3\xa4\xca\xa4\xa4\xa4\xf3\xa4\xc0\xa4\xab\xa4\xe9\xa4\xcd!";
// 35 bytes
const char tundere_error_sjis[] = "\x8ds\x96\xda\x82\xaa\x8a\xd4\x88\xe1\x82\xc1\x82\xc4\x82\xe9\x82\xed\x82\xe6!\x92\xbc\x82\xb5\x82\xc8\x82\xb3\x82\xa2\x82\xe6!!";
// 35 bytes
const char tundere_error_eucjp[] = "\xb9\xd4\xcc\xdc\xa4\xac\xb4\xd6\xb0\xe3\xa4\xc3\xa4\xc6\xa4\xeb\xa4\xef\xa4\xe8!\xc4\xbe\xa4\xb7\xa4\xca\xa4\xb5\xa4\xa4\xa4\xe8!!";
// 50 bytes
const char II_success_sjis[] = "\xb7\xc0\xb7\xc0\xb7\xc0\xb7\xc0\x84\xaa\x84\xaa\x84\xaa(\xdf\x81\xcd\xdf\x81\xdf(\xdf\x81\xcd\xdf\x81\xdf\xdf\x81\xcd\xdf)\x81\xdf\xdf\x81\xcd\xdf)\x84\xaa\x84\xaa\x84\xaa\x84\xaa!!";
// 66 bytes
const char II_success_eucjp[] = "\xa5\xad\xa5\xbf\xa5\xad\xa5\xbf\xa5\xad\xa5\xbf\xa5\xad\xa5\xbf\xa8\xac\xa8\xac\xa8\xac(\xa1\xac\xa2\xcf\xa1\xac\xa2\xe1(\xa1\xac\xa2\xcf\xa1\xac\xa2\xe1\xa1\xac\xa2\xcf\xa1\xac)\xa2\xe1\xa1\xac\xa2\xcf\xa1\xac)\xa8\xac\xa8\xac\xa8\xac\xa8\xac!!";
// 29 bytes
const char II_error_sjis[] = "\x8ds\x96\xda\x82\xaa\x8a\xd4\x88\xe1\x82\xc1\x82\xc4\x82\xe9\x82\xa8www\xc3\xd7\xdc\xdb\xbdwww";
// 34 bytes
const char II_error_eucjp[] = "\xb9\xd4\xcc\xdc\xa4\xac\xb4\xd6\xb0\xe3\xa4\xc3\xa4\xc6\xa4\xeb\xa4\xaawww\xa5\xc6\xa5\xe9\xa5\xef\xa5\xed\xa5\xb9www";
// 57 bytes
const char shinpi_success_sjis1[] = "\x90_\x94\xe9\x82\xcc\x97\xcd\x82\xaa\x89\xf1\x98H\x82\xf0\x96" "a\x82\xac\x8fI\x82\xa6\x82\xbd\x81" "B\x0a\x93\xf0\x82\xcc\x90\xdd\x8cv\x82\xcd\x90\xc3\x82\xa9\x82\xc9\x96\xda\x82\xf0\x8ao\x82\xdc\x82\xb7\x81" "B";
// 34 bytes
const char shinpi_success_sjis2[] = "\x91S\x82\xc4\x82\xcd\x90_\x94\xe9\x82\xcc\x82\xdc\x82\xdc\x82\xc9\x81" "A\x96|\x96\xf3\x82\xcd\x90\xac\x82\xc1\x82\xbd\x81" "B";
// 57 bytes
const char shinpi_success_eucjp1[] = "\xbf\xc0\xc8\xeb\xa4\xce\xce\xcf\xa4\xac\xb2\xf3\xcf\xa9\xa4\xf2\xcb\xc2\xa4\xae\xbd\xaa\xa4\xa8\xa4\xbf\xa1\xa3\x0a\xc6\xf2\xa4\xce\xc0\xdf\xb7\xd7\xa4\xcf\xc0\xc5\xa4\xab\xa4\xcb\xcc\xdc\xa4\xf2\xb3\xd0\xa4\xde\xa4\xb9\xa1\xa3";
// 34 bytes
const char shinpi_success_eucjp2[] = "\xc1\xb4\xa4\xc6\xa4\xcf\xbf\xc0\xc8\xeb\xa4\xce\xa4\xde\xa4\xde\xa4\xcb\xa1\xa2\xcb\xdd\xcc\xf5\xa4\xcf\xc0\xae\xa4\xc3\xa4\xbf\xa1\xa3";
// 30 bytes
const char shinpi_error_sjis[] = "\x8ds\x96\xda\x82\xc9\x90_\x94\xe9\x82\xcc\x98" "c\x82\xdd\x82\xaa\x90\xf6\x82\xf1\x82\xc5\x82\xa2\x82\xe9\x81" "B";
// 30 bytes
const char shinpi_error_eucjp[] = "\xb9\xd4\xcc\xdc\xa4\xcb\xbf\xc0\xc8\xeb\xa4\xce\xcf\xc4\xa4\xdf\xa4\xac\xc0\xf8\xa4\xf3\xa4\xc7\xa4\xa4\xa4\xeb\xa1\xa3";
// 29 bytes
const char recursive_note_sjis[] = "recursive\x81H\x89\xbd\x82\xb1\x82\xcc\x8f" "C\x8f\xfc\x8eq\x81H\x81H\x81H";
// 10 bytes
const char call_face_sjis[] = "(\x81P\x84t\x81P)\xb4\xb0";

void fatal_exit(int status) { throw FatalExit{status}; }

static const char* error_text(int which) {
    // which: 0 tundere, 1 2channel, 2 shinpi
    if (which == 0) return g.km ? tundere_error_sjis : tundere_error_eucjp;
    if (which == 1) return g.km ? II_error_sjis : II_error_eucjp;
    return g.km ? shinpi_error_sjis : shinpi_error_eucjp;
}

// The text of the joke style chosen, or null.
static const char* joke_error_text() {
    if (g.t_flag) return error_text(0);
    if (g.II_flag) return error_text(1);
    if (g.shinpi_flag) return error_text(2);
    return nullptr;
}

void syntax_error(const Mistake& m) {
    if (g.explain) {
        write_explained("error", m, true, joke_error_text());
    } else if (g.d_flag) {
        fprintf(stderr, "%s: %d: syntax error at ...  ", g.read_filename.c_str(), g.count);
        fflush(stderr);
        print_oneline(g.line_head ? g.line_head : "");
    } else if (const char* joke = joke_error_text()) {
        fprintf(stderr, "%d%s\n", g.count, joke);
    } else {
        fprintf(stderr, "%s: %d: syntax error\n", g.read_filename.c_str(), g.count);
    }
    fatal_exit(1);
}

void syntax_error(const char* at, const std::string& text) { syntax_error(Mistake(at, text)); }

void syntax_error_after(FILE* to, const std::string& note, const Mistake& m) {
    if (!g.explain) fprintf(to, "%s\n", note.c_str());
    syntax_error(m);
}

void name_duplication(const Mistake& m) {
    if (g.explain)
        write_explained("error", m, false);
    else
        fprintf(stderr, "%s: %d: name duplication\n", g.read_filename.c_str(), g.count);
    fatal_exit(1);
}

void translation_error(const std::string& plain, const Mistake& m) { translation_error(stderr, plain, m); }

void translation_error(FILE* to, const std::string& plain, const Mistake& m) {
    if (g.explain)
        write_explained("error", m, false);
    else
        fputs(plain.c_str(), to);
    fatal_exit(1);
}

// Inside a translation under --explain, a file that cannot be read is a
// mistake at the directive that names it.
static bool explained_file_error(const std::string& name, const char* text, const char* at) {
    if (!g.explain || !g.walked) return false;
    write_explained("error", Mistake(at, "cannot read '" + name + "': " + text), false);
    return true;
}

void die(const std::string& name, const char* at) {
    int e = errno;
    die_because(name, strerror(e), at);
}

void die_because(const std::string& name, const char* text, const char* at) {
    if (!explained_file_error(name, text, at)) fprintf(stderr, "%s: %s\n", name.c_str(), text);
    fatal_exit(1);
}

void die_at(const std::string& file, int line, int column, const char* text) {
    if (g.explain) {
        SourcePoint at{g.places.file_number(file), static_cast<uint32_t>(line), static_cast<uint32_t>(column)};
        write_explained("error", at_point(at, text), false);
    } else {
        fprintf(stderr, "%s: %d: %s\n", file.c_str(), line, text);
    }
    fatal_exit(1);
}

void refuse_output_over(const char* role, const std::string& output) {
    fprintf(stderr, "%s: refusing to write the output over the %s file %s\n", g.program_name.c_str(), role,
            output.c_str());
    fatal_exit(1);
}

void refuse_output_over(const char* role) { refuse_output_over(role, g.write_filename); }

bool same_file(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void check_text_size(size_t chars) {
    if (chars <= kMaxTextChars) return;
    translation_error("buffer over flow: " + std::to_string(g.count) + "\n",
                      Mistake(nullptr, "the statement is too long: one of its texts (an expression, a condition) "
                              "grows beyond " + std::to_string(kMaxTextChars) + " characters"));
}

void warning(const std::string& text, const Mistake& m) {
    if (!g.explain) {
        fprintf(stderr, "%s: %d: Warning: operand width unmatch for %s\n", g.read_filename.c_str(), g.count,
                text.c_str());
        return;
    }
    if (!explained_before(m)) write_explained("warning", m, false);
}

void debug_message(const std::string& text) {
    if (g.d_flag) printf("%d %s\n", g.count, text.c_str());
}

void print_oneline(const char* p, FILE* to) {
    const char* e = p;
    while (*e && *e != '\n') ++e;
    fwrite(p, 1, static_cast<size_t>(e - p), to);
    fputc('\n', to);
}

FILE* message_stream() { return g.write_filename == kStandardOutput ? stderr : stdout; }

void print_success_line() {
    const char* text = nullptr;
    if (g.t_flag) {
        text = g.km ? tundere_success_sjis : tundere_success_eucjp;
    } else if (g.II_flag) {
        text = g.km ? II_success_sjis : II_success_eucjp;
    } else if (g.shinpi_flag) {
        srand(static_cast<unsigned>(time(nullptr)));
        bool second = (rand() & 1) != 0;
        if (g.km)
            text = second ? shinpi_success_sjis2 : shinpi_success_sjis1;
        else
            text = second ? shinpi_success_eucjp2 : shinpi_success_eucjp1;
    }
    if (text) fprintf(message_stream(), "%s\n", text);
}

void note_recursive() {
    // (Not while the source is translated again quietly.)
    if (g.explain != 2) fprintf(message_stream(), "%s\n", recursive_note_sjis);
}

void note_extended_accepts() { write_explained_note("SFL written for other tools: this is accepted with --extended"); }

void macro_nested_too_deeply(const std::string& name) {
    syntax_error_after(stderr, g.read_filename + ": " + std::to_string(g.count) + ": macro " + name + " is nested too deeply",
                       at_word(name, "macro '" + name + "' is nested more than " + std::to_string(kMaxMacroDepth) +
                                         " levels deep (does its value name itself?)"));
}
