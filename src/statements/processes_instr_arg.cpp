// Instruction arguments: the `instr_arg` statement and, under --extended,
// argument lists written on the instruction terminals themselves
// (`instrin add(a, b);` is `instrin add; instr_arg add(a, b);`).
#include <string>

#include "error.h"
#include "explain.h"
#include "name_suggestions.h"
#include "extended_hooks.h"
#include "signals.h"
#include "insert_list.h"
#include "processes.h"
#include "search_list.h"

namespace {

// name {"," name} ")" ";"  after the '(' of an argument list: the names
// in order.  A blank may follow a comma but not stand before one.
char* read_arg_names(char* p, std::vector<std::string>& names) {
    p = skip_ws(p);
    if (extended_dialect() && *p == ')') return p + 1;  // `go()`: no arguments
    for (;;) {
        p = skip_ws(p);
        std::string arg;
        p = read_identifier(p, arg);
        if (*p != ',' && *p != ')') syntax_error(p, "expected ',' or ')' after the argument '" + arg + "', found " + found_at(p));
        names.push_back(arg);
        if (*p++ == ')') return p;
    }
}

void append_args(const list* rec, const std::vector<std::string>& names, bool run_long) {
    for (const std::string& arg : names) {
        list* a = new_list(run_long);
        a->name = store_text(arg, run_long);
        append_instr_arg(rec, a, run_long);
    }
}

}  // namespace

// instr_arg -> "instr_arg" name "(" [name {"," name}] ")" ";"
// instr_arg -> "instr_arg" instruction "(" name { "," name } ")" ";"
char* process_instr_arg(char* p) {
    if (!no_open_level()) syntax_error(p, "'instr_arg' stands at the top level of a body, outside every block");
    debug_message("instr_arg");
    p += 9;
    p = skip_ws(p);
    list* head;
    if (g.declare_flag) {
        if (g.declare_list.empty()) syntax_error(p, "'instr_arg' in a declare block that has no record");
        head = g.declare_list.last()->ports.first();
    } else {
        head = g.wire_list.first();
    }
    return register_instr_arg(head, p);
}

char* register_instr_arg(list* head, char* p) {
    if (!head) syntax_error(p, "'instr_arg' before any declaration of its instruction");
    std::string name;
    char* at = p;
    p = read_identifier(p, name);
    if (*p != '(' && !is_space(*p)) syntax_error(p, "expected '(' after '" + name + "', found " + found_at(p));
    p = skip_ws(p);
    if (*p != '(') syntax_error(p, "expected '(' after '" + name + "', found " + found_at(p));
    list* rec = nullptr;
    bool run_long = false;
    if (head == g.wire_list.first()) {
        rec = find_wire(name);
    } else {
        rec = g.declare_list.last()->port_index.get(name);
        run_long = true;
    }
    if (!rec) syntax_error(at, unknown("instruction", name, run_long ? member_names(g.declare_list.last()) : signal_names()));
    drop_inherited_args(rec);
    std::vector<std::string> names;
    p = read_arg_names(p + 1, names);
    append_args(rec, names, run_long);
    char* close = p;
    p = skip_ws(p);
    if (*p != ';') syntax_error(close, "expected ';' after the argument list");
    return p + 1;
}

char* read_terminal_args(char* p, std::vector<std::string>& names) { return read_arg_names(p + 1, names); }

void enter_terminal_args(const list* rec, const std::vector<std::string>& names) {
    append_args(rec, names, g.declare_flag != 0);
    // The arguments may be declared later in the block: checked at its end.
    for (const std::string& arg : names) g.pending_args.push_back({rec->name.str(), arg});
}

void check_terminal_args() {
    for (const auto& [instr, arg] : g.pending_args) {
        bool found = g.declare_flag ? g.declare_list.last()->port_index.get(arg) != nullptr : find_wire(arg) != nullptr;
        if (!found)
            syntax_error_after(stderr, arg + ", an argument of " + instr + ", is not declared",
                               at_word(arg, "'" + arg + "', an argument of '" + instr + "', is not declared in the block"));
    }
    g.pending_args.clear();
}
