#include "main.h"

#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "core.h"
#include "error.h"
#include "extended_dialect.h"
#include "line_directives.h"
#include "make_deps.h"
#include "mygetline.h"
#include "output_file.h"
#include "source_date_epoch.h"

void usage(const char* name) {
    fprintf(stderr, "usage: %s [-o out_file] in_file.sfl\n", name);
    fatal_exit(1);
}

void help(const char* name) {
    printf("usage: %s [-o out_file.v] [options] in_file.sfl\n", name);
    printf("options\n");
    printf("   -h, --help\n");
    printf("       print help and exit\n");
    printf("   -v, --version\n");
    printf("       print version and exit\n");
    printf("   -d, --debug\n");
    printf("       print debug information and exit\n");
    printf("   -n, --number\n");
    printf("       print sfl file after cleard away comment\n");
    printf("   -o, --output out_file.v\n");
    printf("       write the Verilog output to out_file.v\n");
    printf("   -O, --optimize\n");
    printf("       optimize for similation or logic synthesis\n");
    printf("   --posres\n");
    printf("       set p_reset up as positive reset (default is negative reset)\n");
    printf("   --extended\n");
    printf("       accept SFL written for other SFL tools (see the manual)\n");
    printf("       (always on for an SFL+ source, in_file.sflp)\n");
    printf("   -M, --make-deps file.d\n");
    printf("       write a make rule of the files the output is made from to file.d\n");
    printf("       (not with --check or -o -, which write no output file)\n");
    printf("   -I, --include-dir dir\n");
    printf("       look for %%i files also in dir (after the input's directory)\n");
    printf("   --check\n");
    printf("       translate and report as usual, but write no output file\n");
    printf("   --explain\n");
    printf("       write errors and warnings as FILE:LINE:COLUMN: with the source line and a\n");
    printf("       caret under the mistake, saying what was expected or found\n");
    printf("   --line-directives\n");
    printf("       write `line directives, so that Verilog tools report the SFL file and line\n");
    printf("environment\n");
    printf("   SOURCE_DATE_EPOCH\n");
    printf("       seconds since 1970-01-01 00:00:00 UTC: the time the output names (in UTC)\n");
    fatal_exit(1);
}

void version(const char* name) {
    printf("%s version 0.997 (slightly distributed version)\n", name);
    printf("rewritten in C++ by the sflc developers; free to use, copy and change\n");
    fatal_exit(1);
}

namespace {

// getopt's value for --check, which has no short form.
constexpr int kCheckOption = 256;

// The program's own name: argv[0] after its last '/' or '\\'.
void set_program_name(int argc, char** argv) {
    const char* arg0 = argc > 0 && argv[0] ? argv[0] : "sflc";
    const char* base = arg0;
    for (const char* c = arg0; *c; ++c)
        if (*c == '/' || *c == '\\') base = c + 1;
    g.program_name = base;
}

// The long options; each that is not a flag of `g` is read as its short
// form (--check has none of its own).
const struct option kLongOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'v'},
    {"old", no_argument, &g.old_flag, 1},
    {"debug", no_argument, nullptr, 'd'},
    {"lines", no_argument, nullptr, 'n'},
    {"tundere", optional_argument, nullptr, 't'},
    {"2channel", optional_argument, nullptr, '2'},
    {"posres", no_argument, &g.posres, 1},
    {"optimize", no_argument, nullptr, 'O'},
    {"number", no_argument, nullptr, 'n'},
    {"shinpi", no_argument, nullptr, 's'},
    {"extended", no_argument, &g.extended_flag, 1},
    // --e and --ex stay --extended, as before there was --explain.
    {"e", no_argument, &g.extended_flag, 1},
    {"ex", no_argument, &g.extended_flag, 1},
    {"explain", no_argument, &g.explain, 1},
    {"make-deps", required_argument, nullptr, 'M'},
    {"include-dir", required_argument, nullptr, 'I'},
    {"check", no_argument, nullptr, kCheckOption},
    {"line-directives", no_argument, &g.line_directives, 1},
    // --l, --li, --lin and --line stay --lines, as before there was
    // --line-directives (named in full, these are no prefixes).
    {"l", no_argument, nullptr, 'n'},
    {"li", no_argument, nullptr, 'n'},
    {"lin", no_argument, nullptr, 'n'},
    {"line", no_argument, nullptr, 'n'},
    {nullptr, 0, nullptr, 0},
};

// -I DIR: a folder for %i files, without trailing '/'s.
void add_include_dir(const char* arg) {
    std::string dir = arg;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    g.include_dirs.push_back(dir.empty() ? "." : dir);
}

// --tundere, --2channel, --shinpi (option `c`), with the encoding `arg`
// (null when none is given): =e EUC-JP, =s Shift_JIS.
void set_joke_style(int c, const char* arg) {
    if (c == 't') g.t_flag = 1;
    if (c == '2') g.II_flag = 1;
    if (c == 's') g.shinpi_flag = 1;
    if (!arg) return;
    if (arg[0] == 'e')
        g.km = 0;
    else if (arg[0] == 's')
        g.km = 1;
    else
        usage(g.program_name.c_str());
}

// Sets the option flags; returns the index of the first argument that is
// no option.
int read_options(int argc, char** argv) {
    const char* name = g.program_name.c_str();
    optind = 0;  // a fresh scan, also when run more than once in one process
    opterr = 1;
    int c;
    while ((c = getopt_long(argc, argv, "o:hvdnOpM:I:", kLongOptions, nullptr)) != -1) {
        switch (c) {
            case 'o': g.write_filename = optarg; break;
            case 'M': g.deps_filename = optarg; break;
            case 'I': add_include_dir(optarg); break;
            case kCheckOption: g.check_flag = 1; break;
            case 'd': g.d_flag = 1; break;
            case 'n': g.n_flag = 1; break;
            case 'O': g.O_flag = 1; break;
            case 'p': g.p_flag = 1; break;
            case 't':
            case '2':
            case 's': set_joke_style(c, optarg); break;
            case 'h': help(name);
            case 'v': version(name);
            case '?': usage(name);
            default: break;
        }
    }
    return optind;
}

// The length of the suffix that makes `input` a source: ".sfl" (SFL) or
// ".sflp" (SFL+), after at least one character of name; 0 for any other
// name.
size_t source_suffix_size(const std::string& input) {
    for (const char* suffix : {".sfl", ".sflp"}) {
        size_t n = strlen(suffix);
        if (input.size() > n && input.compare(input.size() - n, n, suffix) == 0) return n;
    }
    return 0;
}

// The one input file: exactly one argument, ending in ".sfl" or ".sflp".
std::string input_file(int argc, char** argv, int first) {
    const char* name = g.program_name.c_str();
    int files = argc - first;
    if (files == 0) {
        fprintf(stderr, "%s: no input files\n", name);
        fatal_exit(1);
    }
    if (files > 1) {
        fprintf(stderr, "%s: too many input files\n", name);
        fatal_exit(1);
    }
    std::string input = argv[first];
    if (source_suffix_size(input) == 0) {
        fprintf(message_stream(), "this file isn't sfl.\n");
        fflush(message_stream());
        usage(name);
    }
    return input;
}

// -M names the output in its rule: with --check or -o - there is none.
void refuse_deps_without_output() {
    if (g.deps_filename.empty()) return;
    const char* why = g.check_flag ? "--check writes none"
                      : g.write_filename == kStandardOutput ? "-o - writes to standard output"
                                                            : nullptr;
    if (!why) return;
    fprintf(stderr, "%s: -M needs an output file to name; %s\n", g.program_name.c_str(), why);
    fatal_exit(1);
}

// The input's folder (where included files are looked for), its name for
// messages, and the output file name unless -o gave one: the input's base
// name with ".v" for its suffix, in the current folder.  An SFL+ source
// is translated as with --extended.
void derive_file_names(const std::string& input) {
    size_t len = input.size();
    size_t suffix = source_suffix_size(input);
    g.readfile_path.clear();
    for (size_t k = len - suffix; k > 0; --k) {
        if (input[k] == '/') {
            g.readfile_path = input.substr(0, k);
            break;
        }
    }
    g.read_filename = input;
    if (g.write_filename.empty()) {
        if (!g.readfile_path.empty())
            g.write_filename = input.substr(g.readfile_path.size() + 1, len - g.readfile_path.size() - 1 - suffix);
        else
            g.write_filename = input.substr(0, len - suffix);
        g.write_filename += ".v";
    }
    if (suffix == strlen(".sflp")) g.sflp_flag = g.extended_flag = 1;
    if (g.extended_flag) use_extended_dialect();
}

// The size of the pieces the source is read in can be set for tests:
// 0 ends a piece at every statement boundary.
void read_piece_size_setting() {
    if (const char* v = getenv("SFLC_PIECE_BYTES")) {
        char* end = nullptr;
        unsigned long long n = strtoull(v, &end, 10);
        if (*v >= '0' && *v <= '9' && end && !*end) g.piece_bytes = static_cast<size_t>(n);
    }
}

// The command line read into `g`; returns the input file.
std::string read_command_line(int argc, char** argv) {
    set_program_name(argc, argv);
    int first = read_options(argc, argv);
    refuse_deps_without_output();
    std::string input = input_file(argc, argv, first);
    derive_file_names(input);
    return input;
}

int run(int argc, char** argv) {
    std::string input = read_command_line(argc, argv);
    read_source_date_epoch();
    struct stat in_stat;
    FILE* in = open_source(input, in_stat);
    std::unique_ptr<FILE, int (*)(FILE*)> in_closer(in, fclose);
    read_piece_size_setting();
    bool to_file = !g.check_flag && g.write_filename != kStandardOutput;
    if (to_file && same_file(g.write_filename, input)) refuse_output_over("input");
    OutputFile out(g.write_filename, g.check_flag != 0);
    OutputBeingWritten writing(out);
    g.include_chain.assign(1, canonical_path(input));
    {
        CountedOutput counted(out.stream());
        xlator_core(in, g.read_filename, counted.stream());
    }
    if (!g.deps_filename.empty()) write_make_deps(g.deps_filename, g.write_filename, input, g.includes_read);
    out.commit();
    print_success_line();
    return 0;
}


// --explain, after an error: the same source translated again in the
// extended dialect, quietly, into no file, in a fresh state.  True when
// that run ends well or its first error stands after the place of the
// first run's error (`place`, outermost file first): the dialect accepts
// what the first run stopped at.
bool extended_gets_past(int argc, char** argv, const std::vector<Sflc::NamedPoint>& place) {
    reset_state();
    g.explain = 2;
    bool past = true;
    try {
        std::string input = read_command_line(argc, argv);
        g.explain = 2;
        g.d_flag = g.n_flag = g.p_flag = g.line_directives = 0;
        use_extended_dialect();
        struct stat in_stat;
        FILE* in = open_source(input, in_stat);
        std::unique_ptr<FILE, int (*)(FILE*)> in_closer(in, fclose);
        OutputFile out(g.write_filename, true);
        g.include_chain.assign(1, canonical_path(input));
        xlator_core(in, g.read_filename, out.stream());
    } catch (const FatalExit&) {
        const auto& again = g.error_place;
        past = false;
        for (size_t k = 0; k < place.size() && k < again.size(); ++k) {
            if (again[k].file != place[k].file) break;
            if (again[k].line != place[k].line || again[k].column != place[k].column) {
                past = again[k].line > place[k].line ||
                       (again[k].line == place[k].line && again[k].column > place[k].column);
                break;
            }
            // The same place so far, and the second run went deeper.
            if (k + 1 == place.size() && again.size() > place.size()) past = true;
        }
    } catch (const std::bad_alloc&) {
        past = false;
    }
    reset_state();
    g.explain = 1;
    return past;
}

}  // namespace

void use_extended_dialect() {
    g.extended_flag = 1;
    g.extended = &extended_hooks();
}

int sflc_main(int argc, char** argv) {
    int status;
    try {
        status = run(argc, argv);
    } catch (const FatalExit& e) {
        status = e.status;
        if (g.explain == 1 && !g.extended_flag && !g.error_place.empty()) {
            std::vector<Sflc::NamedPoint> place = g.error_place;
            if (extended_gets_past(argc, argv, place)) note_extended_accepts();
        }
    } catch (const std::bad_alloc&) {
        // A design larger than the memory at hand fails like a source
        // error: a message, no output written, exit status 1.
        fprintf(stderr, "%s: out of memory\n", g.program_name.c_str());
        status = 1;
    }
    fflush(stdout);
    fflush(stderr);
    return status;
}
