// Condition headers: `if` and `instruct`, each opening a single-statement
// level of the condition stack.
#include <string>

#include "arrays.h"
#include "convert_logic.h"
#include "error.h"
#include "explain.h"
#include "name_suggestions.h"
#include "extended_hooks.h"
#include "processes.h"
#include "search_list.h"
#include "stack.h"
#include "statement_ends.h"

char* read_parenthesised(char* p, std::string& text) {
    if (*p != '(') syntax_error(p, "expected '(' and the condition, found " + found_at(p));
    char* start = ++p;
    if (*start == ')') syntax_error(start, "expected a condition between '(' and ')'");  // an empty condition
    char* q = find_end(start, ")", '(');
    count_newlines(start, q);
    if (*q == '\0') syntax_error(start - 1, "this '(' is not closed");
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
    char* open = p;
    p = read_parenthesised(p, cond);
    int w = convert_logic(cond, 1);
    if (w != 1) warning("\"if condition\"", Mistake(open + 1, "the condition of 'if' is " + std::to_string(w) + " bits wide, not 1"));
    stack_push(nullptr, K_IF);
    stack_push(&cond, K_IF);
    return p;
}

// instruct -> "instruct" name ["." name] statement
// At the top level of a module body; with --extended also inside a block,
// where it is an `if` on the instruction.
char* process_instruct(char* p) {
    if (!no_open_level() && !extended_dialect()) syntax_error(p, "'instruct' stands at the top level of a module body");
    debug_message("instruct");
    stack_push(nullptr, K_INSTRUCT);
    p += 8;
    p = skip_ws(p);
    char* at = p;
    std::string name;
    p = indexed_target(read_identifier(p, name), name, "");
    if (*p == '.') {
        std::string port;
        p = indexed_target(read_identifier(p + 1, port), port, name);
        name += "." + port;
    }
    int w = convert_logic(name, 1);
    if (w < 0) syntax_error(at, "'" + name + "' has no width");
    if (w != 1) warning("instruct", Mistake(at, "'" + name + "' of 'instruct' is " + std::to_string(w) + " bits wide, not 1"));
    list* rec = find_wire(name);
    if (!rec) syntax_error(at, unknown("instruction", name, signal_names()));
    if (!is_accepted_instruction_type(rec->type))
        syntax_error(at, declared_as(name, rec->type) + ": 'instruct' heads an instrin or an instrself");
    stack_push(&name, K_INSTRUCT);
    return p;
}

