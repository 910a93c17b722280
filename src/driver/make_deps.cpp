#include "make_deps.h"

#include <cstdio>

#include "error.h"
#include "output_file.h"

namespace {

// `path` as a word of a make rule: blanks and '#' escaped with a backslash
// (backslashes before a blank doubled), '$' doubled.
std::string make_word(const std::string& path) {
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (c == ' ' || c == '\t') {
            for (size_t k = i; k > 0 && path[k - 1] == '\\'; --k) out += '\\';
            out += '\\';
        } else if (c == '#') {
            out += '\\';
        } else if (c == '$') {
            out += '$';
        }
        out += c;
    }
    return out;
}

}  // namespace

void write_make_deps(const std::string& deps_file, const std::string& target, const std::string& input,
                     const std::vector<std::string>& includes) {
    if (same_file(deps_file, input)) refuse_output_over("input", deps_file);
    for (const std::string& inc : includes)
        if (same_file(deps_file, inc)) refuse_output_over("included", deps_file);
    OutputFile deps(deps_file);
    FILE* s = deps.stream();
    fprintf(s, "%s: %s", make_word(target).c_str(), make_word(input).c_str());
    for (const std::string& inc : includes) fprintf(s, " %s", make_word(inc).c_str());
    fputc('\n', s);
    for (const std::string& inc : includes) fprintf(s, "\n%s:\n", make_word(inc).c_str());
    deps.commit();
}
