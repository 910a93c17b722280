// Condition headers: `if` and `instruct`, each opening a single-statement
// level of the condition stack.
#include <string>

#include "arrays.h"
#include "convert_logic.h"
#include "error.h"
#include "extended_hooks.h"
#include "processes.h"
#include "search_list.h"
#include "stack.h"
#include "statement_ends.h"

char* read_parenthesised(char* p, std::string& text) {
    if (*p != '(') syntax_error();
    char* start = ++p;
    if (*start == ')') syntax_error();  // an empty condition
    char* q = find_end(start, ")", '(');
    count_newlines(start, q);
    if (*q == '\0') syntax_error();
    text.assign(start, q);
    check_text_size(text);
    return q + 1;
}

// if -> "if" "(" expr ")" statement
char* process_if(char* p) {
    debug_message("if");
    p += 2;
    p = skip_ws(p);
    std::string cond;
    p = read_parenthesised(p, cond);
    int w = convert_logic(cond, 1);
    if (w != 1) warning("\"if condition\"");
    stack_push(nullptr, K_IF);
    stack_push(&cond, K_IF);
    return p;
}

// instruct -> "instruct" name ["." name] statement
// At the top level of a module body; with --extended also inside a block,
// where it is an `if` on the instruction.
char* process_instruct(char* p) {
    if (!no_open_level() && !extended_dialect()) syntax_error();
    debug_message("instruct");
    stack_push(nullptr, K_INSTRUCT);
    p += 8;
    p = skip_ws(p);
    std::string name;
    p = indexed_target(read_identifier(p, name), name, "");
    if (*p == '.') {
        std::string port;
        p = indexed_target(read_identifier(p + 1, port), port, name);
        name += "." + port;
    }
    int w = convert_logic(name, 1);
    if (w < 0) syntax_error();
    if (w != 1) warning("instruct");
    list* rec = find_wire(name);
    if (!rec) syntax_error();
    if (!is_accepted_instruction_type(rec->type)) syntax_error();
    stack_push(&name, K_INSTRUCT);
    return p;
}

