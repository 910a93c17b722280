// libFuzzer target: one input is one SFL source text.  It goes through the
// same loader as a file (comment removal; it is cut at the first NUL byte,
// which the loader reports as an error at once) and is
// translated in-process once per option set that changes the translation.
// The first set is translated a second time from a file read in the
// smallest pieces; the two outputs must be equal.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core.h"
#include "error.h"
#include "main.h"
#include "mygetline.h"

namespace {

std::string scratch_dir;

struct OptionSet {
    int O, old, posres, trace, extended, sflp;
    // Whether the input is also read in pieces, which must change nothing.
    bool pieces;
};
// The fourth set also switches on the traces (-d -n -p), which do not
// change the translation but run the echo and debug paths; the last ones
// read the input in the extended dialect, as --extended and as an SFL+
// source.
const OptionSet kOptionSets[] = {{0, 0, 0, 0, 0, 0, true}, {1, 0, 0, 0, 0, 0, false}, {0, 1, 0, 0, 0, 0, false},
                                 {0, 0, 1, 1, 0, 0, false}, {0, 0, 0, 0, 1, 0, true},  {1, 0, 0, 0, 1, 1, false}};

void write_file(const std::string& path, const char* text, size_t size) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f || fwrite(text, 1, size, f) != size) abort();
    fclose(f);
}

// Translates the input; `piece_file` names a file holding it, to be read in
// pieces, or is empty for the whole-text path.  Returns the exit status.
int translate(const char* data, size_t size, const OptionSet& o, const std::string& out_name,
              const std::string& piece_file = std::string()) {
    reset_state();
    g.program_name = "sflc";
    g.O_flag = o.O;
    g.old_flag = o.old;
    g.posres = o.posres;
    g.d_flag = g.n_flag = g.p_flag = o.trace;
    g.sflp_flag = o.sflp;
    if (o.extended) use_extended_dialect();
    g.read_filename = scratch_dir + "/top.sfl";
    g.readfile_path = scratch_dir;
    g.write_filename = out_name;
    g.include_chain.assign(1, g.read_filename);

    int status = 0;
    FILE* out = fopen(g.write_filename.c_str(), "w");
    if (!out) abort();
    FILE* in;
    if (!piece_file.empty()) {
        g.piece_bytes = 0;
        in = fopen(piece_file.c_str(), "r");
    } else {
        // A stream that is not a regular file is read whole, as one text.
        // fmemopen takes no empty buffer, and a NUL byte is an error of its
        // own, so an empty input is an empty temporary file.
        in = size ? fmemopen(const_cast<char*>(data), size, "r") : tmpfile();
    }
    if (!in) abort();
    try {
        xlator_core(in, g.read_filename, out);
    } catch (const FatalExit& e) {
        status = e.status;
    }
    fclose(in);
    fclose(out);
    // As in the program, a failed translation leaves no output.
    if (status != 0) unlink(g.write_filename.c_str());
    return status;
}

// The output file without its first line (which holds the time); a
// failed translation leaves none.
std::string output_body(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "r");
    if (!f) return "(no file)";
    for (int c; (c = fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
    fclose(f);
    size_t nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

void remove_scratch() {
    for (const char* f : {"/sub.sfl", "/loop.sfl", "/top.sfl", "/top.v", "/pieces.sfl", "/pieces.v"})
        unlink((scratch_dir + f).c_str());
    rmdir(scratch_dir.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char tmpl[] = "/tmp/sflc-fuzz-XXXXXX";
    if (!mkdtemp(tmpl)) abort();
    char* real = realpath(tmpl, nullptr);
    scratch_dir = real ? real : tmpl;
    free(real);
    // Files that inputs can include: a submodule and a macro, and one that
    // includes the main text again (a cycle).
    const char* files[][2] = {
        {"/sub.sfl", "declare sub { input a<4>; output y<4>; instrin go; instr_arg go(a); }\n%d W 0x3\n"},
        {"/loop.sfl", "%i \"top.sfl\"\n"},
        {"/top.sfl", "%i \"loop.sfl\"\n"}};
    for (auto& [name, text] : files) write_file(scratch_dir + name, text, strlen(text));
    atexit(remove_scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    size = strnlen(data, size);  // a NUL byte ends the run at once
    const std::string whole_out = scratch_dir + "/top.v";
    for (const OptionSet& o : kOptionSets) {
        int status = translate(data, size, o, whole_out);
        if (!o.pieces) continue;
        // Reading in pieces changes nothing in the output.
        const std::string piece_file = scratch_dir + "/pieces.sfl";
        write_file(piece_file, data, size);
        const std::string piece_out = scratch_dir + "/pieces.v";
        int piece_status = translate(data, size, o, piece_out, piece_file);
        if (status != piece_status || output_body(whole_out) != output_body(piece_out)) {
            fprintf(stderr, "translation in pieces differs: exit %d against %d\n", piece_status, status);
            abort();
        }
    }
    return 0;
}
