#include "verilog_names.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "error.h"

namespace {

// IEEE 1364-2005, Annex B, in ASCII order.
const std::string_view kKeywords[] = {
    "always", "and", "assign", "automatic", "begin", "buf", "bufif0", "bufif1", "case", "casex",
    "casez", "cell", "cmos", "config", "deassign", "default", "defparam", "design", "disable",
    "edge", "else", "end", "endcase", "endconfig", "endfunction", "endgenerate", "endmodule",
    "endprimitive", "endspecify", "endtable", "endtask", "event", "for", "force", "forever", "fork",
    "function", "generate", "genvar", "highz0", "highz1", "if", "ifnone", "incdir", "include",
    "initial", "inout", "input", "instance", "integer", "join", "large", "liblist", "library",
    "localparam", "macromodule", "medium", "module", "nand", "negedge", "nmos", "nor",
    "noshowcancelled", "not", "notif0", "notif1", "or", "output", "parameter", "pmos", "posedge",
    "primitive", "pull0", "pull1", "pulldown", "pullup", "pulsestyle_ondetect", "pulsestyle_onevent",
    "rcmos", "real", "realtime", "reg", "release", "repeat", "rnmos", "rpmos", "rtran", "rtranif0",
    "rtranif1", "scalared", "showcancelled", "signed", "small", "specify", "specparam", "strong0",
    "strong1", "supply0", "supply1", "table", "task", "time", "tran", "tranif0", "tranif1", "tri",
    "tri0", "tri1", "triand", "trior", "trireg", "unsigned", "use", "uwire", "vectored", "wait",
    "wand", "weak0", "weak1", "while", "wire", "wor", "xnor", "xor",
};

}  // namespace

bool is_verilog_keyword(std::string_view name) {
    // Every keyword starts with a lower-case letter: most names are let
    // through at the first character.
    if (name.empty() || name[0] < 'a' || name[0] > 'z') return false;
    // Every name is checked, so the search is confined to the keywords of
    // the name's first letter: where each letter's keywords begin.
    static const std::array<const std::string_view*, 27> kFirst = [] {
        std::array<const std::string_view*, 27> first{};
        for (int c = 0; c <= 26; ++c)
            first[c] = std::lower_bound(std::begin(kKeywords), std::end(kKeywords), std::string_view(),
                                        [c](std::string_view k, std::string_view) { return k[0] - 'a' < c; });
        return first;
    }();
    int c = name[0] - 'a';
    return std::binary_search(kFirst[c], kFirst[c + 1], name);
}

void check_verilog_name(std::string_view name) {
    if (!is_verilog_keyword(name)) return;
    std::string word(name);
    syntax_error_after(stderr, "reserved word of Verilog: " + word,
                       at_word(word, "'" + word + "' is a reserved word of Verilog, which the output cannot use as a name"));
}
