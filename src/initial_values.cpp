#include "initial_values.h"

#include "constants.h"
#include "error.h"

char* read_initial_value(char* p, std::string& text) {
    char* end = p;
    // A string constant may hold the separators.
    for (bool quoted = false; *end && (quoted || (*end != ',' && *end != ';')); ++end) {
        if (*end == '"' && (!quoted || end[-1] != '\\')) quoted = !quoted;
        if (*end == '\n' && g.count_ok) count_newline(end + 1);
    }
    if (!*end) syntax_error();
    text.assign(p, end);
    return end;
}

void set_initial_value(const list* rec, const std::string& text) {
    long long value;
    if (!constant_value(text, value)) syntax_error();
    g.initial_values[rec] = store_text(sized_constant(value, rec->width));
}

const Text* initial_value(const list* rec) {
    if (g.initial_values.empty()) return nullptr;
    auto it = g.initial_values.find(rec);
    return it == g.initial_values.end() ? nullptr : &it->second;
}
