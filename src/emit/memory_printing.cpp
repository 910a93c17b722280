// What the module's tables of memories and register initial values hold,
// as Verilog.  Only the extended dialect declares memories and initial
// values: for a base-dialect module these tables are empty and nothing is
// printed.
#include "memory_printing.h"

#include "constants.h"
#include "line_directives.h"
#include "made_up_names.h"

const Text* initial_value(const list* rec) {
    if (g.initial_values.empty()) return nullptr;
    auto it = g.initial_values.find(rec);
    return it == g.initial_values.end() ? nullptr : &it->second;
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
    fputc('\n', out);
    mark_line(out, g.places.of(mem));
    if (listed < depth)
        fprintf(out, "   initial begin : %s\n      integer i;\n", make_up_block_name(mem->name, "contents").c_str());
    else
        fputs("   initial begin\n", out);
    for (long long k = 0; k < listed; ++k) fprintf(out, "      %s[%lld] = %s;\n", name, k, words[k].c_str());
    if (listed < depth)
        fprintf(out, "      for (i = %lld; i < %lld; i = i + 1) %s[i] = %s;\n", listed, depth, name,
                sized_constant(0, mem->width).c_str());
    fputs("   end\n", out);
}

void print_memory(FILE* out, const list* mem) {
    auto writes = g.memory_writes.find(mem);
    if (writes == g.memory_writes.end()) return;
    fputc('\n', out);
    mark_line(out, g.places.of(mem));
    fprintf(out, "   always @(%s m_clock) begin\n", mem->edge ? "negedge" : "posedge");
    bool first = true;
    for (const MemoryWrite& w : writes->second) {
        mark_line(out, w.place);
        std::string_view c = w.cond;
        if (c == "(1'b1)" || c == "((1'b1))")
            fprintf(out, "      %s%s[%s] <= %s;\n", first ? "" : "else ", mem->name.c_str(), w.address.c_str(),
                    w.value.c_str());
        else
            fprintf(out, "      %sif (%s) %s[%s] <= %s;\n", first ? "" : "else ", w.cond.c_str(), mem->name.c_str(),
                    w.address.c_str(), w.value.c_str());
        first = false;
        if (c == "(1'b1)" || c == "((1'b1))") break;  // later writes never take place
    }
    fputs("   end\n", out);
}
