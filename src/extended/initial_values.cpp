#include "initial_values.h"

#include "constants.h"
#include "error.h"
#include "explain.h"
#include "statement_ends.h"

char* read_initial_value(char* p, std::string& text) {
    // A string or character constant may hold the separators.
    char* end = find_end(p, ",;");
    count_newlines(p, end);
    if (!*end) syntax_error(p, "expected ',' or ';' after the initial value");
    text.assign(p, end);
    return end;
}

void set_initial_value(const list* rec, const std::string& text) {
    ConstantInt value;
    if (!constant_value(text, value))
        syntax_error(in_copy(text, 0, "the initial value of '" + rec->name.str() + "' is no constant"));
    g.initial_values[rec] = store_text(sized_constant(value, rec->width));
}
