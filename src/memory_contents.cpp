#include "memory_contents.h"

#include <vector>

#include "constants.h"
#include "error.h"
#include "made_up_names.h"
#include "statement_ends.h"

namespace {

// The values of `text`, split at the commas outside parentheses and quotes.
std::vector<std::string> split_values(const std::string& text) {
    std::vector<std::string> values;
    for (const char* q = text.c_str();; ++q) {
        const char* e = find_end(q, ",", '(');
        values.emplace_back(q, e);
        if (!*e) return values;
        q = e;
    }
}

}  // namespace

// "=" "{" value { "," value } "}" after a memory's name, depth and width
char* read_memory_contents(char* p, std::string& text) {
    p = skip_ws(p);
    if (*p != '{') syntax_error();
    char* end = find_end(p + 1, "};");
    count_newlines(p + 1, end);
    if (*end != '}') syntax_error();
    text.assign(p + 1, end);
    return skip_ws(end + 1);
}

void set_memory_contents(const list* mem, const std::string& text) {
    std::vector<std::string> values = split_values(text);
    if (static_cast<long long>(values.size()) > g.memory_depths.at(mem)) syntax_error();
    std::vector<Text>& words = g.memory_contents[mem];
    for (const std::string& v : values) {
        ConstantInt value;
        if (!constant_value(v, value)) syntax_error();
        words.push_back(store_text(sized_constant(value, mem->width)));
    }
}

void print_memory_contents(FILE* out, const list* mem) {
    auto contents = g.memory_contents.find(mem);
    if (contents == g.memory_contents.end()) return;
    const std::vector<Text>& words = contents->second;
    long long depth = g.memory_depths.at(mem);
    long long listed = static_cast<long long>(words.size());
    const char* name = mem->name.c_str();
    // The words not listed are 0, set by a loop whose variable needs a
    // named block.
    if (listed < depth)
        fprintf(out, "\n   initial begin : %s\n      integer i;\n", make_up_block_name(mem->name, "contents").c_str());
    else
        fputs("\n   initial begin\n", out);
    for (long long k = 0; k < listed; ++k) fprintf(out, "      %s[%lld] = %s;\n", name, k, words[k].c_str());
    if (listed < depth)
        fprintf(out, "      for (i = %lld; i < %lld; i = i + 1) %s[i] = %s;\n", listed, depth, name,
                sized_constant(0, mem->width).c_str());
    fputs("   end\n", out);
}
