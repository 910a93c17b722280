// The table-driven harness: runs sflc in-process on every case of the rows
// files and case folders it is given and compares the output files, stdout,
// stderr and exit status with the expected bytes (tests/README.md describes
// both formats).  Each case runs twice, once with the source read in the
// smallest pieces (SFLC_PIECE_BYTES=0), and both runs must match.
//
//   sflc_unit [--keep DIR] CASES...           compare with the expectations;
//       --keep leaves every work folder in DIR and lists the .v files of the
//       successful translations in DIR/hdl.list (run.py checks them with the
//       Verilog tools)
//   sflc_unit --with OPTION CASES...           wherever the plain run exits 0,
//       a run with OPTION added gives the same bytes in every stream and file
//   sflc_unit --keep DIR --add OPTION CASES... wherever the plain run exits 0,
//       a run with OPTION added gives the same bytes once its `line
//       directives are taken out; DIR/hdl.list lists its .v files.  With
//       --add --explain every case exits as before and writes the same files
//       (its messages differ)
//   sflc_unit --record CASES...                prints each case as a row with
//       the results of this run, to review and paste when writing a row
//   sflc_unit --storage                        checks of the storage layer
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "main.h"
#include "state.h"
#include "memory.h"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;  // relative path -> bytes

struct Case {
    std::string name, where;
    std::vector<std::string> args;
    Files inputs, expect;  // expect also holds "stdout" and "stderr"
    int status = 0;
    std::vector<std::string> absent;
    bool verilog = true;  // check the .v outputs with the Verilog tools
    std::vector<std::pair<std::string, std::string>> env;  // set for the run
    bool fixed_time = false;  // the env sets SOURCE_DATE_EPOCH: the time stamp must match as it is
};

struct Result {
    int status;
    Files files;  // every file of the work folder after the run, and the streams
};

FILE* report;  // the harness's own messages: the original stderr
const char* current = "";
int failures = 0;

std::string read_file(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Words of a command line, quoted as in the shell ('...', "...", \x).
std::vector<std::string> split_words(const std::string& line) {
    std::vector<std::string> words;
    std::string w;
    bool in_word = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (in_word) words.push_back(w), w.clear(), in_word = false;
            continue;
        }
        in_word = true;
        if (c == '\'' || c == '"') {
            for (++i; i < line.size() && line[i] != c; ++i) {
                if (c == '"' && line[i] == '\\' && i + 1 < line.size()) ++i;
                w += line[i];
            }
        } else if (c == '\\' && i + 1 < line.size()) {
            w += line[++i];
        } else {
            w += c;
        }
    }
    if (in_word) words.push_back(w);
    return words;
}

void fail(const Case& c, const std::string& why) {
    fprintf(report, "FAIL %s (%s): %s\n", c.name.c_str(), c.where.c_str(), why.c_str());
    ++failures;
}

// Reads a rows file: "=== NAME" starts a case, then header lines ("$ sflc
// ARGS", "status N", "absent NAMES", "no_verilog REASON", "env NAME=VALUE",
// "# comment"),
// then sections "<<< FILE" (an input) and ">>> FILE|stdout|stderr"
// (expected bytes), each running to the next marker line.  A line
// "\ No newline at end of file" ends a section without its last newline.
std::vector<Case> read_rows(const std::string& path) {
    std::vector<Case> cases;
    std::istringstream in(read_file(path));
    std::string line, *section = nullptr;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string mark = line.substr(0, 4), rest = line.size() > 4 ? line.substr(4) : "";
        bool marker = mark == "=== " || mark == "<<< " || mark == ">>> ";
        if (!marker && section) {
            if (line == "\\ No newline at end of file") {
                if (!section->empty()) section->pop_back();
                section = nullptr;
            } else {
                *section += line + (in.eof() ? "" : "\n");
            }
            continue;
        }
        if (mark == "=== ") {
            cases.emplace_back();
            cases.back().name = rest;
            cases.back().where = path + ":" + std::to_string(number);
            section = nullptr;
            continue;
        }
        if (cases.empty()) continue;  // comments before the first case
        Case& c = cases.back();
        if (mark == "<<< ") {
            section = &c.inputs[rest];
        } else if (mark == ">>> ") {
            section = &c.expect[rest];
        } else if (line.compare(0, 7, "$ sflc ") == 0 || line == "$ sflc") {
            c.args = split_words(line.substr(2));
        } else if (line.compare(0, 7, "status ") == 0) {
            c.status = atoi(line.c_str() + 7);
        } else if (line.compare(0, 7, "absent ") == 0) {
            c.absent = split_words(line.substr(7));
        } else if (line.compare(0, 11, "no_verilog ") == 0) {
            c.verilog = false;
        } else if (line.compare(0, 4, "env ") == 0 && line.find('=') != std::string::npos) {
            size_t eq = line.find('=');
            c.env.emplace_back(line.substr(4, eq - 4), line.substr(eq + 1));
            c.fixed_time = c.fixed_time || c.env.back().first == "SOURCE_DATE_EPOCH";
        } else if (!line.empty() && line[0] != '#') {
            fprintf(report, "%s:%d: not a row line: %s\n", path.c_str(), number, line.c_str());
            ++failures;
        }
    }
    for (Case& c : cases) {
        for (const char* stream : {"stdout", "stderr"}) c.expect[stream];  // empty when left out
        if (c.args.empty()) fail(c, "no \"$ sflc\" line");
    }
    return cases;
}

// Reads a case folder: `cmd`, `status`, `stdout`, `stderr`, `expect/`,
// `absent` and `no_verilog` as control files, every other file an input.
Case read_folder(const fs::path& dir) {
    Case c;
    c.name = dir.filename().string();
    c.where = dir.string();
    c.args = split_words("sflc " + read_file(dir / "cmd"));
    if (fs::exists(dir / "status")) c.status = atoi(read_file(dir / "status").c_str());
    c.absent = split_words(read_file(dir / "absent"));
    c.verilog = !fs::exists(dir / "no_verilog");
    c.expect["stdout"] = read_file(dir / "stdout");
    c.expect["stderr"] = read_file(dir / "stderr");
    static const char* control[] = {"cmd", "status", "stdout", "stderr", "absent", "no_verilog"};
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        std::string rel = fs::relative(it->path(), dir).string();
        if (rel == "expect" && it->is_directory()) {
            for (auto& e : fs::recursive_directory_iterator(it->path()))
                if (e.is_regular_file()) c.expect[fs::relative(e.path(), it->path()).string()] = read_file(e.path());
            it.disable_recursion_pending();
        } else if (it->is_regular_file() &&
                   std::find(std::begin(control), std::end(control), rel) == std::end(control)) {
            c.inputs[rel] = read_file(it->path());
        }
    }
    return c;
}

// Runs sflc in-process in a fresh work folder `dir` holding the inputs.
Result run(const Case& c, const fs::path& dir, const std::string& extra, bool pieces) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (auto& [rel, bytes] : c.inputs) {
        fs::create_directories((dir / rel).parent_path());
        std::ofstream(dir / rel, std::ios::binary) << bytes;
    }
    std::vector<std::string> args = c.args;
    if (!extra.empty()) args.insert(args.begin() + 1, extra);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);

    fs::path here = fs::current_path();
    fs::current_path(dir);
    if (pieces)
        setenv("SFLC_PIECE_BYTES", "0", 1);
    else
        unsetenv("SFLC_PIECE_BYTES");
    for (auto& [name, value] : c.env) setenv(name.c_str(), value.c_str(), 1);
    // stdout and stderr go to files beside the work folder.
    const char* streams[] = {nullptr, "stdout", "stderr"};
    int saved[3];
    fflush(nullptr);
    for (int fd : {1, 2}) {
        saved[fd] = dup(fd);
        int to = open((dir.string() + "." + streams[fd]).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(to, fd);
        close(to);
    }
    reset_state();
    Result r;
    r.status = sflc_main(static_cast<int>(args.size()), argv.data());
    fflush(nullptr);
    for (int fd : {1, 2}) {
        dup2(saved[fd], fd);
        close(saved[fd]);
        fs::path captured = dir.string() + "." + streams[fd];
        r.files[streams[fd]] = read_file(captured);
        fs::remove(captured);
    }
    for (auto& [name, value] : c.env) unsetenv(name.c_str());
    fs::current_path(here);
    for (auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) r.files[fs::relative(e.path(), dir).string()] = read_file(e.path());
    return r;
}

// Empty when equal, else where and how `actual` differs from `expected`;
// any two time stamps on the first lines match unless `exact` (the first line
// of a .v file, or of stdout with -o -, is the translation time).
std::string difference(const std::string& what, const std::string& expected, const std::string& actual,
                       bool exact = false) {
    static const std::regex stamp("// This file was translated at \\w{3} \\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}\n");
    size_t e = 0, a = 0;
    for (int line = 1;; ++line) {
        if (e >= expected.size() && a >= actual.size()) return "";
        size_t e_end = expected.find('\n', e), a_end = actual.find('\n', a);
        e_end = e_end == std::string::npos ? expected.size() : e_end + 1;
        a_end = a_end == std::string::npos ? actual.size() : a_end + 1;
        std::string el = expected.substr(e, e_end - e), al = actual.substr(a, a_end - a);
        bool stamps = !exact && line == 1 && std::regex_match(el, stamp) && std::regex_match(al, stamp);
        if (el != al && !stamps) {
            auto show = [](const std::string& s) {
                if (s.empty()) return std::string("<end>");
                std::string q = "\"";
                for (char ch : s) q += ch == '\n' ? std::string("\\n") : std::string(1, ch);
                return q + "\"";
            };
            return what + " differs at line " + std::to_string(line) + ": expected " + show(el) + ", got " + show(al);
        }
        e = e_end, a = a_end;
    }
}

// The case as a row with what the run gave: its inputs, status, the files
// that the run made and both streams.
void print_row(const Case& c, const Result& r) {
    printf("=== %s\n$", c.name.c_str());
    for (auto& a : c.args) {
        bool plain = !a.empty() && a.find_first_of(" \t'\"\\") == std::string::npos;
        printf(" %s", plain ? a.c_str() : ("'" + a + "'").c_str());
    }
    printf("\n");
    for (auto& [name, value] : c.env) printf("env %s=%s\n", name.c_str(), value.c_str());
    if (r.status) printf("status %d\n", r.status);
    auto section = [](const char* mark, const std::string& name, const std::string& bytes) {
        printf("%s %s\n%s", mark, name.c_str(), bytes.c_str());
        if (!bytes.empty() && bytes.back() != '\n') printf("\n\\ No newline at end of file\n");
    };
    for (auto& [rel, bytes] : c.inputs) section("<<<", rel, bytes);
    for (auto& [rel, bytes] : r.files)
        if (!c.inputs.count(rel) && rel != "stdout" && rel != "stderr") section(">>>", rel, bytes);
    for (const char* s : {"stdout", "stderr"})
        if (!r.files.at(s).empty()) section(">>>", s, r.files.at(s));
}

// Empty when the run gives what the case expects.
std::string check(const Case& c, const Result& r) {
    if (r.status != c.status)
        return "exit status " + std::to_string(r.status) + ", expected " + std::to_string(c.status) +
               "; stderr \"" + r.files.at("stderr").substr(0, 300) + "\"";
    for (auto& [rel, bytes] : c.expect) {
        auto it = r.files.find(rel);
        if (it == r.files.end()) return "file " + rel + " was not created";
        std::string d = difference(rel, bytes, it->second, c.fixed_time);
        if (!d.empty()) return d;
    }
    for (auto& rel : c.absent)
        if (r.files.count(rel)) return "file " + rel + " exists but should not";
    return "";
}

// `text` without its `line directives.
std::string without_line_directives(const std::string& text) {
    std::string kept;
    for (size_t at = 0, end; at < text.size(); at = end) {
        end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(at, end - at);
        if (line.compare(0, 6, "`line ") != 0 || line.size() < 9 || line.compare(line.size() - 4, 4, "\" 0\n") != 0)
            kept += line;
    }
    return kept;
}

// Empty when the two runs give the same bytes everywhere (once their `line
// directives are taken out, when `strip`; the streams left out, when
// `files_only`).
std::string same(const Result& a, const Result& b, bool strip = false, bool files_only = false) {
    if (a.status != b.status)
        return "exit status " + std::to_string(b.status) + " instead of " + std::to_string(a.status);
    for (auto& [rel, bytes] : a.files) {
        if (files_only && (rel == "stdout" || rel == "stderr")) continue;
        auto it = b.files.find(rel);
        if (it == b.files.end()) return "no file " + rel;
        std::string d = strip ? difference(rel, without_line_directives(bytes), without_line_directives(it->second))
                              : difference(rel, bytes, it->second);
        if (!d.empty()) return d;
    }
    for (auto& [rel, bytes] : b.files)
        if (!a.files.count(rel)) return "extra file " + rel;
    return "";
}

// Lists the .v files that case `c` makes in `dir` for the Verilog tools.
void list_verilog(const Case& c, const fs::path& dir, std::ostream& hdl_list) {
    if (c.status != 0 || !c.verilog) return;
    for (auto& [rel, bytes] : c.expect)
        if (rel.size() > 2 && rel.compare(rel.size() - 2, 2, ".v") == 0) hdl_list << dir.string() << "\t" << rel << "\n";
}

// --with: where the plain run exits 0, the run with `option` added gives the
// same bytes.  --add: the same but for `line directives, and the same again
// with the source read in pieces; the run with the option is kept beside the
// plain one for the Verilog tools.  --add --explain, which changes messages
// only: every case, one that fails too, exits with the same status and writes
// the same files; its messages do not depend on the pieces the source is read in.
void check_option(const Case& c, const fs::path& dir, const std::string& option, bool add, std::ostream& hdl_list) {
    bool messages = add && option == "--explain";
    Result plain = run(c, dir, "", false);
    if (plain.status != 0 && !messages) return;
    fs::path added = dir.string() + "-added", pieces = dir.string() + "-added-pieces";
    Result with = run(c, added, option, false);
    std::string d = same(plain, with, add, messages);
    if (add && d.empty()) d = same(with, run(c, pieces, option, true));
    fs::remove_all(pieces);
    if (!d.empty()) return fail(c, "with " + option + ": " + d);
    if (add) list_verilog(c, added, hdl_list);
}

// A chunk given back to the storage layer is handed out again by the next
// request, with its number.
int check_storage() {
    char* a = chunk::take();
    uint32_t number = chunk::number_of(a + 100);
    chunk::give(a);
    char* b = chunk::take();
    bool ok = a == b && chunk::number_of(b + 100) == number && chunk::at(chunk::ref(b + 100)) == b + 100;
    chunk::give(b);
    if (!ok) fprintf(report, "FAIL storage: a chunk given back was not handed out again\n");
    return ok ? 0 : 1;
}

}  // namespace

// Sanitizer builds: reports go to the harness's stderr, not to the captured
// stream of the case, and name the case before the run ends.
extern "C" void __sanitizer_set_report_fd(void*) __attribute__((weak));
extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));

namespace {

void on_crash(int sig) {
    const char* what = "\nsflc_unit: crashed in case ";
    (void)!write(fileno(report), what, strlen(what));
    (void)!write(fileno(report), current, strlen(current));
    (void)!write(fileno(report), "\n", 1);
    if (!sig) return;
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

int main(int argc, char** argv) {
    report = fdopen(dup(2), "w");
    setvbuf(report, nullptr, _IOLBF, 0);
    if (__sanitizer_set_report_fd) {
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(fileno(report))));
        __sanitizer_set_death_callback([] { on_crash(0); });
    } else {
        for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE}) signal(sig, on_crash);
    }
    // Runs are independent of the environment they start in.
    unsetenv("SOURCE_DATE_EPOCH");
    std::string keep, option;  // option: of --with or --add
    bool record = false, add = false;
    std::vector<Case> cases;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--storage") return check_storage();
        if (a == "--record") {
            record = true;
        } else if ((a == "--keep" || a == "--with" || a == "--add") && i + 1 < argc) {
            add = add || a == "--add";
            (a == "--keep" ? keep : option) = argv[++i];
        } else if (fs::is_directory(a) && fs::exists(fs::path(a) / "cmd")) {
            cases.push_back(read_folder(a));
        } else if (fs::is_directory(a)) {  // a folder of case folders and rows files
            std::vector<fs::path> entries(fs::directory_iterator(a), fs::directory_iterator{});
            std::sort(entries.begin(), entries.end());
            for (auto& e : entries)
                if (fs::exists(e / "cmd"))
                    cases.push_back(read_folder(e));
                else if (e.extension() == ".rows")
                    for (Case& c : read_rows(e.string())) cases.push_back(std::move(c));
        } else {
            for (Case& c : read_rows(a)) cases.push_back(std::move(c));
        }
    }
    fs::path scratch = keep.empty() ? fs::temp_directory_path() / ("sflc-unit-" + std::to_string(getpid())) : fs::absolute(keep);
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    std::ofstream hdl_list(scratch / "hdl.list");
    int n = 0;
    for (const Case& c : cases) {
        current = c.name.c_str();
        fs::path dir = scratch / (std::to_string(++n) + "-" + c.name);
        if (record) {
            print_row(c, run(c, dir, "", false));
            continue;
        }
        if (!option.empty()) {
            check_option(c, dir, option, add, hdl_list);
            continue;
        }
        std::string d = check(c, run(c, dir, "", false));
        if (d.empty()) {
            fs::path pieces = dir.string() + "-pieces";
            d = check(c, run(c, pieces, "", true));
            if (!d.empty()) d = "source read in pieces: " + d;
            fs::remove_all(pieces);
        }
        if (!d.empty()) {
            fail(c, d);
            continue;
        }
        list_verilog(c, dir, hdl_list);
    }
    hdl_list.close();
    if (keep.empty()) fs::remove_all(scratch);
    fprintf(report, "%zu cases, %d failed\n", cases.size(), failures);
    return failures || cases.empty() ? 1 : 0;
}
