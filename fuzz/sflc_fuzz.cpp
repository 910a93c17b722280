// libFuzzer target: one input is one SFL source text.  It goes through the
// same loader as a file (cut at the first NUL byte, comment removal) and is
// translated in-process once per option set that changes the translation.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core.h"
#include "error.h"
#include "mygetline.h"

namespace {

std::string scratch_dir;

struct OptionSet {
    int O, old, posres, trace;
};
// The last set also switches on the traces (-d -n -p), which do not change
// the translation but run the echo and debug paths.
const OptionSet kOptionSets[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 1}};

void write_file(const std::string& path, const char* text) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f) abort();
    fputs(text, f);
    fclose(f);
}

void translate(const char* data, size_t size, const OptionSet& o) {
    reset_state();
    g.program_name = "sflc";
    g.O_flag = o.O;
    g.old_flag = o.old;
    g.posres = o.posres;
    g.d_flag = g.n_flag = g.p_flag = o.trace;
    g.read_filename = scratch_dir + "/top.sfl";
    g.readfile_path = scratch_dir;
    g.write_filename = scratch_dir + "/top.v";
    g.include_chain.assign(1, g.read_filename);

    FILE* in = fmemopen(const_cast<char*>(data), size, "r");
    std::string text = size && in ? readfile_as_oneline(in) : std::string();
    if (in) fclose(in);
    FILE* out = fopen(g.write_filename.c_str(), "w");
    if (!out) abort();
    try {
        xlator_core(&text[0], out);
    } catch (const FatalExit&) {
    }
    fclose(out);
}

void remove_scratch() {
    for (const char* f : {"/sub.sfl", "/loop.sfl", "/top.sfl", "/top.v"})
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
    write_file(scratch_dir + "/sub.sfl",
               "declare sub { input a<4>; output y<4>; instrin go; instr_arg go(a); }\n"
               "%d W 0x3\n");
    write_file(scratch_dir + "/loop.sfl", "%i \"top.sfl\"\n");
    write_file(scratch_dir + "/top.sfl", "%i \"loop.sfl\"\n");
    atexit(remove_scratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    size = strnlen(data, size);  // the loader ends the text at the first NUL
    for (const OptionSet& o : kOptionSets) translate(data, size, o);
    return 0;
}
