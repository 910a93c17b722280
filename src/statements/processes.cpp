// Module headers, declare blocks and signal declarations.
#include "processes.h"

#include <cstring>

#include "error.h"
#include "explain.h"
#include "extended_hooks.h"
#include "insert_list.h"
#include "search_list.h"
#include "stack.h"
#include "verilog_names.h"

namespace {

// After the header of `what`, neither '{' nor the keyword `word` (nor a
// misspelling of it) stands at `p`.
[[noreturn]] void header_brace_expected(const char* p, const std::string& what, const char* word) {
    std::string found;
    if (is_ident_start(*p)) read_identifier(p, found);
    if (!found.empty() && closest_name(found, {word}) == word)
        syntax_error(p, "unknown word '" + found + "'; did you mean '" + word + "'?");
    if (found == word) syntax_error(p + found.size(), std::string("expected a blank or '{' after '") + word + "'");
    syntax_error(p, "expected '{' after " + what + ", found " + found_at(p));
}

}  // namespace

// recursive -> "recursive" module
char* process_recursive(char* p, std::string& module_name) {
    if (!no_open_level()) syntax_error(p, "'recursive' inside an open block");
    p += 9;
    p = skip_ws(p);
    return process_module(p, module_name, 1);
}

// module -> ( "module" | "circuit" ) name [ "combinational" ] "{" ... "}"
char* process_module(char* p, std::string& module_name, int recursive) {
    if (!no_open_level()) syntax_error(p, "a module inside an open block");
    g.places.at_module();
    if (mycmp(p, "module", 0)) {
        g.module_flag = 1;
        p += 6;
    } else if (mycmp(p, "circuit", 0)) {
        g.circuit_flag = 1;
        p += 7;
    } else {
        syntax_error(p, "expected 'module' or 'circuit' after 'recursive', found " + found_at(p));
    }
    p = skip_ws(p);
    p = read_identifier(p, module_name);
    check_verilog_name(module_name);
    p = skip_ws(p);
    if (*p != '{') {
        if (!block_keyword(p, "combinational")) header_brace_expected(p, "module '" + module_name + "'", "combinational");
        p += 13;
        debug_message("combinational");
        g.combinational = 1;
    }
    if (!g.combinational) {
        for (const char* port : {"m_clock", "p_reset"}) make_signal(port, T_INPUT, 1, 'x');
    }
    if (const ExtendedHooks* x = extended_dialect()) x->module_opened(module_name);
    if (g.d_flag) printf("\n");
    debug_message(std::string(recursive ? "recursive" : "") + " " +
                  (g.module_flag ? "module" : "circuit") + " -> " + module_name);
    return p;
}

// declare -> "declare" name [ "interface" ] "{" declarations "}"
char* process_declare(char* p) {
    g.declare_flag = 1;
    p += 7;
    p = skip_ws(p);
    declare* d = new_declare();
    g.declare_list.append(d);
    p = skip_ws(p);
    p = read_identifier(p, d->name);
    check_verilog_name(d->name);
    g.declare_index.emplace(d->name, d);
    p = skip_ws(p);
    if (*p != '{') {
        if (!block_keyword(p, "interface")) header_brace_expected(p, "declare '" + d->name + "'", "interface");
        p += 9;
        debug_message("interface");
        d->interface = 1;
    }
    if (g.d_flag) printf("\n");
    debug_message("declare -> " + d->name);
    return p;
}

// A fresh record at the end of the list that declarations go to now.
static list* append_target_record() {
    if (!g.declare_flag) return append_wire_record();
    list* rec = new_list(true);
    g.declare_list.last()->ports.append(rec);
    return rec;
}

namespace {

// The signal declarations: keyword, type code, marker, whether a
// declare block may hold it, whether only --extended knows it, and whether
// it declares arrays under --extended (`sela t[3]<4>;`, `reg_ws f[2];`).
struct WireKind {
    const char* word;
    int type;
    char mark;
    bool in_declare;
    bool extended = false;
    bool arrays = false;
};
const WireKind kWireKinds[] = {
    {"input", T_INPUT, 'x', true},        {"output", T_OUTPUT, 'x', true},
    {"bidirect", T_BIDIRECT, 'x', true},  {"sel", T_SEL, 'x', false},
    {"sel_v", T_SEL, 'x', false},         {"reg", T_REG, 'x', false},
    {"reg_wr", T_REG_WR, 'x', false, false, true},
    {"reg_ws", T_REG_WS, 'x', false, false, true},
    {"instrin", T_INSTRIN, '0', true},    {"instrout", T_INSTROUT, '0', true},
    {"instrself", T_INSTRSELF, '0', false},
    // `wire` is a combinational signal, as `sel`.
    {"wire", T_SEL, 'x', false, true},
    {"mem", T_MEMORY, 'x', false, true},      {"regfile", T_REGFILE, 'x', false, true},
    {"sela", T_SEL, 'x', false, true, true},  {"sels", T_SEL, 'x', false, true, true},
    {"rega", T_REG, 'x', false, true, true},  {"regs", T_REG, 'x', false, true, true},
};

// A memory declaration names its depth, `regfile f[8]`: without the '['
// the words are an instance of a module named so (`regfile regfile;`).
bool declares_memory(const char* p) {
    while (is_ident_char(*p)) ++p;
    p = skip_space_only(p);
    if (!is_ident_start(*p)) return false;
    while (is_ident_char(*p)) ++p;
    return *skip_space_only(p) == '[';
}

const WireKind* wire_kind_at(const char* p) {
    for (const WireKind& k : kWireKinds)
        if ((!k.extended || extended_dialect()) && mycmp(p, k.word, 0) && (!is_memory_type(k.type) || declares_memory(p)))
            return &k;
    return nullptr;
}

}  // namespace

bool is_wire_keyword(const char* p) { return wire_kind_at(p) != nullptr; }

// wire -> KIND name [<width>] {, name [<width>]} ;
char* process_wire(char* p) {
    // --extended: a declaration inside a block is local to the block.
    bool local = !no_open_level();
    if (local && !extended_dialect())
        syntax_error(p, "a declaration stands at the top level of a module body, not inside a block");
    list* rec = append_target_record();
    const WireKind* k = wire_kind_at(p);
    if (!k) syntax_error(p, "expected a declaration, found " + found_at(p));
    debug_message(k->word);
    if (g.declare_flag && !k->in_declare)
        syntax_error(p, std::string("a declare block declares ports and instructions: '") + k->word + "' declares neither");
    bool arrays = k->arrays && extended_dialect();
    if (!local) return insert_list(p, rec, k->type, k->mark, arrays);
    p = insert_local_list(p, rec, k->type, k->mark, arrays);
    // It is the statement of a single-statement level (if, instruct, ...).
    stack_pop_check();
    return p;
}
